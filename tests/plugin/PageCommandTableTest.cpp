// The page command table: every one of the 50 names reaches a handler.

#include <gtest/gtest.h>

#include <string>

#include "tests/plugin/PageCommandFixture.h"

namespace {

using PageCommandTableTest = PageCommandFixture;

const char kUnknown[] = "{\"details\":\"error:: unknown command\",\"error\":-1}\n";

TEST_F(PageCommandTableTest, EveryNameIsKnown) {
  const char* const names[] = {
      "answercall",
      "appexist",
      "btransfercall",
      "checkconnection",
      "cscall",
      "dialdigits",
      "dialnumber",
      "divert",
      "getcallinfo",
      "getdevsnapshot",
      "getdialnumber",
      "getversion",
      "getwhitelist",
      "hangupcall",
      "holdcall",
      "joinconf",
      "listxmppnodes",
      "login",
      "loginwithext",
      "logout",
      "pair",
      "pickupcall",
      "querydevice",
      "reconnect",
      "retrievecall",
      "sendlog",
      "setcallfwd",
      "setlogging",
      "startmonitor",
      "stopmonitor",
      "transfercall",
      "unpair",
      "userexist",
      "userinfo",
      "selectline",
      "getfile",
      "enableacd",
      "queryagents",
      "querygroups",
      "validateagent",
      "queryunavailcodes",
      "loginqueue",
      "logoutqueue",
      "monitoragent",
      "monitorgroup",
      "setagentready",
      "setagentnotready",
      "setagentwrapup",
      "setagentworkunits",
      "getunifiernodes",
  };
  static_assert(sizeof names / sizeof names[0] == 50, "the table has 50 commands");
  for (const char* name : names) {
    page_.clear();
    command(std::string("[3,0,\"") + name + "\"]");
    EXPECT_TRUE(page_.hasLog(std::string("CMD(3,") + name + ",3)")) << name;
    EXPECT_EQ(page_.find(0, kUnknown), nullptr) << name;
  }
}

TEST_F(PageCommandTableTest, LookupIsExact) {
  for (const char* name : {"DialNumber", "dialnumber ", "dial", "getunifiernode", ""}) {
    page_.clear();
    command(std::string("[3,0,\"") + name + "\"]");
    EXPECT_NE(page_.find(0, kUnknown), nullptr) << name;
  }
}

}  // namespace
