#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/PagePostTexts.h"
#include "tests/support/SessionFixture.h"

namespace {

using QelClientInstanceTest = SessionFixture;

struct CommandCase {
  const char* json;
  const char* standardError;
  PostList posts;
};

// Runs each command on the instance and compares its standard-error text and
// every post it makes.
class CommandTable : public SessionFixture {
 protected:
  void run(const std::vector<CommandCase>& cases) {
    for (const CommandCase& c : cases) {
      page_.clear();
      ::testing::internal::CaptureStderr();
      command(c.json);
      EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.standardError) << c.json;
      EXPECT_EQ(postsOf(page_.posts()), c.posts) << c.json;
    }
  }
};

const char kNonArrayLine[] = "logerr: non-array command from javascript layer\n";

TEST_F(CommandTable, MalformedCommands) {
  const auto nonArray = [](const char* json) {
    return CommandCase{json, kNonArrayLine, {{0, kNonArrayText}}};
  };
  run({
      nonArray("\"hello\""),
      nonArray("7"),
      nonArray("2.5"),
      nonArray("true"),
      nonArray("null"),
      nonArray("{\"0\":1,\"2\":\"sendlog\"}"),
      {"[]", "logerr: bad command - not enough arguments: 0\n", {{0, kNonStringText}}},
      {"[5]", "logerr: bad command - not enough arguments: 1\n", {{0, kNonStringText}}},
      {"[5,0]", "logerr: bad command - not enough arguments: 2\n", {{0, kNonStringText}}},
      {"[5,0,7]", "logerr: command has to be a string argLength(3)\n", {{0, kNonStringText}}},
      {"[5,0,null,\"sendlog\",1]",
       "logerr: command has to be a string argLength(5)\n",
       {{0, kNonStringText}}},
      {"[5,0,[\"sendlog\"]]",
       "logerr: command has to be a string argLength(3)\n",
       {{0, kNonStringText}}},
      {"[5,0,{\"name\":\"sendlog\"}]",
       "logerr: command has to be a string argLength(3)\n",
       {{0, kNonStringText}}},
  });
}

TEST_F(CommandTable, ArgumentWithNulIsRefusedNotCut) {
  const char kNulText[] =
      "{\"details\":\"error:: bad command - NUL character in argument\",\"error\":-1}\n";
  run({
      {"[5,0,\"getdialnumber\",\"901\\u0000999\"]",
       "logerr: command argument 3 holds a NUL character\n",
       {{-99, "{\"log\":\"CMD(5,getdialnumber,4)\"}\n"}, {0, kNulText}}},
      {"[6,0,\"setagentready\",\"a\",\"\\u0000\"]",
       "logerr: command argument 4 holds a NUL character\n",
       {{-99, "{\"log\":\"CMD(6,setagentready,5)\"}\n"}, {0, kNulText}}},
  });
  EXPECT_TRUE(server_.expectNoFrame());
}

TEST_F(QelClientInstanceTest, UndefinedMessageIsNotAnArray) {
  ::testing::internal::CaptureStderr();
  instance_->HandleMessage(pp::Var());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), kNonArrayLine);
  EXPECT_EQ(postsOf(page_.posts()), (PostList{{0, kNonArrayText}}));
}

TEST_F(CommandTable, UnknownCommandsAreLoggedThenRefusedUnderZero) {
  const auto unknown = [](const char* json, const char* line) {
    return CommandCase{json, "", {logPost(line), {0, kUnknownText}}};
  };
  run({
      unknown("[5,0,\"nosuch\"]", "CMD(5,nosuch,3)"),
      // Lookup is exact and case-sensitive.
      unknown("[5,0,\"DialNumber\"]", "CMD(5,DialNumber,3)"),
      unknown("[5,0,\"dialnumber \"]", "CMD(5,dialnumber ,3)"),
      unknown("[5,0,\" sendlog\"]", "CMD(5, sendlog,3)"),
      unknown("[5,0,\"\"]", "CMD(5,,3)"),
      // Page text is never a format.
      unknown("[5,0,\"%s%d%n\"]", "CMD(5,%s%d%n,3)"),
      unknown("[5,0,\"nosuch\",1,\"a\",[2]]", "CMD(5,nosuch,6)"),
  });
}

TEST_F(CommandTable, RequestIdReading) {
  const auto logged = [](const char* json, const char* line) {
    return CommandCase{json, "", {logPost(line), {0, kUnknownText}}};
  };
  run({
      logged("[7,0,\"x\"]", "CMD(7,x,3)"),
      logged("[0,0,\"x\"]", "CMD(0,x,3)"),
      logged("[-3,0,\"x\"]", "CMD(-3,x,3)"),
      logged("[2.9,0,\"x\"]", "CMD(2,x,3)"),
      logged("[-2.9,0,\"x\"]", "CMD(-2,x,3)"),
      logged("[\"7\",0,\"x\"]", "CMD(0,x,3)"),
      logged("[true,0,\"x\"]", "CMD(0,x,3)"),
      logged("[null,0,\"x\"]", "CMD(0,x,3)"),
      logged("[[7],0,\"x\"]", "CMD(0,x,3)"),
      logged("[2147483647,0,\"x\"]", "CMD(2147483647,x,3)"),
      logged("[-2147483648,0,\"x\"]", "CMD(-2147483648,x,3)"),
  });
}

TEST_F(CommandTable, SendLog) {
  const auto sent = [](const char* json, const char* line, const char* text) {
    return CommandCase{json, "", {logPost(line), logPost(text)}};
  };
  run({
      sent("[7,0,\"sendlog\"]", "CMD(7,sendlog,3)", ""),
      sent("[7,0,\"sendlog\",5]", "CMD(7,sendlog,4)", ""),
      sent("[7,0,\"sendlog\",null]", "CMD(7,sendlog,4)", ""),
      sent("[7,0,\"sendlog\",[\"hi\"]]", "CMD(7,sendlog,4)", ""),
      sent("[7,0,\"sendlog\",\"\"]", "CMD(7,sendlog,4)", ""),
      sent("[7,0,\"sendlog\",\"hi\"]", "CMD(7,sendlog,4)", "hi"),
      sent("[7,0,\"sendlog\",\"hi\",\"more\"]", "CMD(7,sendlog,5)", "hi"),
      sent("[-1,0,\"sendlog\",\"x\"]", "CMD(-1,sendlog,4)", "x"),
      sent("[7,0,\"sendlog\",\"%s %n \\\"q\\\" \\\\ \\u0001\"]", "CMD(7,sendlog,4)",
           "%s %n \"q\" \\ \x01"),
  });
}

TEST_F(QelClientInstanceTest, CommandLineIsBoundedBy1024Bytes) {
  // "CMD(1," + name + ",3)" is 1023 characters for a name of 1014.
  for (const size_t length : {size_t{1014}, size_t{1015}, size_t{100000}}) {
    page_.clear();
    const std::string name(length, 'n');
    command("[1,0,\"" + name + "\"]");
    const std::string full = "CMD(1," + name + ",3)";
    EXPECT_EQ(postsOf(page_.posts()), (PostList{logPost(full.substr(0, 1023)), {0, kUnknownText}}))
        << length;
  }
}

TEST_F(QelClientInstanceTest, TableHoldsTheFiftyCommands) {
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
  EXPECT_EQ(std::size(names), 50u);
  for (const char* name : names) {
    page_.clear();
    command(std::string("[1,0,\"") + name + "\"]");
    ASSERT_FALSE(page_.posts().empty()) << name;
    EXPECT_EQ(postsOf({page_.posts()[0]})[0], logPost(std::string("CMD(1,") + name + ",3)"));
    EXPECT_EQ(page_.find(0, kUnknownText), nullptr) << name;
  }
}

// Names that share a handler give the same answer and send the same text.
TEST_F(QelClientInstanceTest, AliasesReachTheSameHandler) {
  struct Case {
    const char* name;
    const char* alias;
    const char* arguments;  // after the name
    bool sends;
  };
  const Case cases[] = {
      {"login", "loginwithext", R"("alice","secret","HOST","201")", false},
      {"answercall", "pickupcall", R"("h1")", true},
      {"pair", "unpair", R"("301")", true},
  };
  ASSERT_TRUE(logIn(7));
  for (const Case& c : cases) {
    std::optional<std::string> answer[2];
    std::optional<std::string> sent[2];
    const char* names[2] = {c.name, c.alias};
    for (int i = 0; i < 2; ++i) {
      page_.clear();
      command(std::string("[9,0,\"") + names[i] + "\"," + c.arguments + "]");
      ASSERT_GE(page_.size(), 2u) << names[i];
      answer[i] = page_.posts()[1].text;
      if (c.sends) {
        const auto frame = server_.nextFrame();
        ASSERT_TRUE(frame) << names[i];
        sent[i] = frame->text;
      } else {
        EXPECT_TRUE(server_.expectNoFrame()) << names[i];
      }
    }
    EXPECT_EQ(answer[0], answer[1]) << c.name;
    EXPECT_EQ(sent[0], sent[1]) << c.name;
  }
}

}  // namespace
