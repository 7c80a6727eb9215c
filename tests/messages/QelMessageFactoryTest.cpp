#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

#include "callcontrol/Lvl2RawCmdEvt.h"
#include "callcontrol/Lvl2RawCmdRsp.h"
#include "messages/DialPlanGetDialNumRsp.h"
#include "messages/DirectoryRsp.h"
#include "messages/DssMonitorEvt.h"
#include "messages/EvtAcdCmd.h"
#include "messages/GenericMessages.h"
#include "messages/LoginMessages.h"
#include "messages/QelMessageFactory.h"
#include "messages/RspAcdCmd.h"
#include "messages/RspGetFile.h"
#include "messages/UserMessages.h"
#include "tests/support/ParseText.h"

namespace {

TEST(ParseIdPairTest, Table) {
  struct Case {
    const char* ids;
    int requestId;
    int secondId;
  };
  const Case cases[] = {
      {"12:5:9", 12, 5}, {":5", 0, 5}, {"12:", 12, 0}, {"x:y", 0, 0},
      {"-3", -3, 0},     {"", 0, 0},   {"7", 7, 0},    {"99999999999:1", 2147483647, 1},
  };
  for (const Case& c : cases) {
    int requestId = -100;
    int secondId = -100;
    parseIdPair(c.ids, requestId, secondId);
    EXPECT_EQ(requestId, c.requestId) << c.ids;
    EXPECT_EQ(secondId, c.secondId) << c.ids;
  }
}

struct ParseCase {
  const char* text;
  const char* prefix;
  const char* service;
  const char* command;
  int requestId;
  const char* body;  // for the generic classes
};

TEST(QelMessageParseTest, Table) {
  const ParseCase cases[] = {
      {"AE,", "AE", "", "", 0, ""},
      {"CF,CLIENT,LOGIN,5:,0", "CF", "CLIENT", "LOGIN", 5, "0"},
      {"CF,CLIENT,LOGIN", "CF", "CLIENT", "LOGIN", 0, ""},
      {"CF, CLIENT , LOGIN ,5:, 0 ", "CF", "CLIENT", "LOGIN", 5, "0"},
      {"ACD,ACDCMD,7:,QUERY", "", "ACD", "ACDCMD", 7, "QUERY"},
      {"A,CLIENT,LOGIN,5:", "", "A", "CLIENT", 0, "5:"},
      {"XY,CLIENT,LOGOUT,3:,0,bye", "CF", "CLIENT", "LOGOUT", 3, "0"},
  };
  for (const ParseCase& c : cases) {
    const auto message = parseText(c.text);
    ASSERT_NE(message, nullptr) << c.text;
    EXPECT_EQ(message->prefix(), c.prefix) << c.text;
    EXPECT_EQ(message->service(), c.service) << c.text;
    EXPECT_EQ(message->command(), c.command) << c.text;
    EXPECT_EQ(message->requestId(), c.requestId) << c.text;
    if (const auto* request = dynamic_cast<const GenericReq*>(message.get())) {
      EXPECT_EQ(request->body(), c.body) << c.text;
    } else if (const auto* event = dynamic_cast<const GenericEvt*>(message.get())) {
      EXPECT_EQ(event->body(), c.body) << c.text;
    } else if (const auto* reply = dynamic_cast<const GenericRsp*>(message.get())) {
      EXPECT_EQ(reply->outcome(), c.body) << c.text;
    } else {
      ADD_FAILURE() << "not a generic class: " << c.text;
    }
  }
}

TEST(QelMessageParseTest, ShortTextsYieldNothing) {
  EXPECT_EQ(parseText(""), nullptr);
  EXPECT_EQ(parseText("AE"), nullptr);
  char text[] = "AE,DSS";
  EXPECT_EQ(QelMessage::parse(text, 2, nullptr), nullptr);  // the length decides
  EXPECT_EQ(QelMessage::parse(nullptr, 10, nullptr), nullptr);
}

TEST(QelMessageParseTest, TextIsCutInPlace) {
  char text[] = "CF,CLIENT,LOGIN,5:,0";
  std::unique_ptr<QelMessage> message(QelMessage::parse(text, sizeof text - 1, nullptr));
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(text[2], '\0');
  EXPECT_EQ(text[9], '\0');
}

TEST(QelMessageFactoryTest, ClassByKindAndCode) {
  const QelMessageFactory& factory = QelMessageFactory::instance();
  struct Case {
    int kind;
    const char* command;
    const std::type_info& type;
  };
  // clang-format off
  const Case cases[] = {
      // Codes without a row build the default class of their kind.
      {kKindReply, "LOGIN", typeid(GenericRsp)},    {kKindEvent, "LOGOUT", typeid(GenericEvt)},
      {kKindRequest, "ACDCMD", typeid(GenericReq)}, {kKindReply, "version", typeid(GenericRsp)},
      {kKindEvent, "VERSION", typeid(GenericEvt)},  {kKindReply, "LOGOUT", typeid(GenericRsp)},
      // Codes with a row of their own.
      {kKindReply, "GETDIALNUM", typeid(DialPlanGetDialNumRsp)},
      {kKindReply, "GETNODELIST", typeid(N2NNodeListRsp)},
      {kKindReply, "GETS2SWHITELIST", typeid(GetS2SWhitelistRsp)},
      {kKindReply, "GET_FILE", typeid(RspGetFile)},
      {kKindEvent, "INDSSMON", typeid(DssMonitorEvt)},
      {kKindEvent, "DSSMON", typeid(DssMonitorEvt)},
      {kKindReply, "REQUESTLOGIN", typeid(QelSecureLoginRsp)},
      {kKindReply, "VERSION", typeid(QelVersionRsp)},
      {kKindReply, "USER_INFO", typeid(QelUserInfoRsp)},
      {kKindReply, "USER_EXIST", typeid(QelUserExistRsp)},
      {kKindEvent, "AVAILABLE", typeid(AvailableServicesEvt)},
      {kKindReply, "ACDCMD", typeid(RspAcdCmd)},
      {kKindReply, "RAWCMD", typeid(Lvl2RawCmdRsp)},
      {kKindEvent, "RAWCMD", typeid(Lvl2RawCmdEvt)},
      {kKindEvent, "ACDCMD", typeid(EvtAcdCmd)},
      {kKindEvent, "GET_FILE", typeid(GenericEvt)},
      {kKindRequest, "GET_FILE", typeid(GenericReq)},
  };
  // clang-format on
  for (const Case& c : cases) {
    // An empty body builds the same class.
    std::unique_ptr<QelMessage> empty(factory.create(c.kind, "SVC", c.command, 9, 4, ""));
    ASSERT_NE(empty, nullptr) << c.command;
    EXPECT_EQ(typeid(*empty), c.type) << c.kind << " " << c.command;
    std::unique_ptr<QelMessage> message(factory.create(c.kind, "SVC", c.command, 9, 4, "0,x"));
    ASSERT_NE(message, nullptr) << c.command;
    EXPECT_EQ(typeid(*message), c.type) << c.kind << " " << c.command;
    // The call-control event wrapper keeps an empty header: only its event
    // carries what the text said.
    if (c.type == typeid(Lvl2RawCmdEvt)) continue;
    EXPECT_EQ(message->service(), "SVC");
    EXPECT_EQ(message->command(), c.command);
  }
  for (int kind : {3, -1, 1000}) {
    EXPECT_EQ(factory.create(kind, "SVC", "LOGIN", 1, 0, ""), nullptr) << kind;
    EXPECT_EQ(factory.findCreator("CFLOGIN", kind), nullptr) << kind;
  }
}

TEST(QelMessageParseTest, EventsLoseTheirRequestId) {
  const auto message = parseText("AE,DSS,DSSMON,9:4,a,201,1,x");
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(typeid(*message), typeid(DssMonitorEvt));
  EXPECT_EQ(message->requestId(), 0);
  EXPECT_EQ(message->service(), "DSS");
}

TEST(QelMessageParseTest, AnyOtherPrefixIsLookedUpAsAReply) {
  const auto message = parseText("XY,CLIENT,VERSION,3:,0,1,2,3");
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(typeid(*message), typeid(QelVersionRsp));
  EXPECT_EQ(message->requestId(), 3);
  EXPECT_EQ(message->service(), "CLIENT");
  EXPECT_EQ(message->command(), "VERSION");
  const auto event = parseText("AE,CLIENT,VERSION,3:,0,1,2,3");
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(typeid(*event), typeid(GenericEvt));
}

}  // namespace
