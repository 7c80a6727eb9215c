#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "messages/QelMessage.h"

namespace {

struct HeaderCase {
  const char* prefix;
  int requestId;
  int secondId;
  const char* text;
};

TEST(QelMessageTest, HeaderWriterTable) {
  const HeaderCase cases[] = {
      {"", 7, 0, "ACD,LOGOUT,7:"},     {"", 0, 0, "ACD,LOGOUT,"},  {"", -4, 0, "ACD,LOGOUT,"},
      {"", 7, 3, "ACD,LOGOUT,7:3"},    {"", 0, 3, "ACD,LOGOUT,3"}, {"CF", 7, 0, "CF,ACD,LOGOUT,7:"},
      {"AE", 0, -2, "AE,ACD,LOGOUT,"},
  };
  for (const HeaderCase& c : cases) {
    QelMessage message(c.prefix, "ACD", "LOGOUT", c.requestId, c.secondId);
    char buffer[64];
    const int n = message.serialize(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer), c.text) << c.requestId << "/" << c.secondId;
    EXPECT_EQ(n, static_cast<int>(std::strlen(c.text)));
  }
}

TEST(QelMessageTest, ConstructorForms) {
  QelMessage empty;
  EXPECT_EQ(empty.prefix(), "");
  EXPECT_EQ(empty.service(), "");
  EXPECT_EQ(empty.requestId(), 0);

  QelMessage request("CLIENT", "VERSION", 4, 0);
  EXPECT_EQ(request.prefix(), "");
  EXPECT_EQ(request.requestId(), 4);

  QelMessage event("DSS", "DSSMON", 4);
  EXPECT_EQ(event.prefix(), kEventPrefix);
  EXPECT_EQ(event.requestId(), 0);
  char buffer[32];
  event.serialize(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "AE,DSS,DSSMON,4");  // the second id is kept
}

TEST(QelMessageTest, TextThatDoesNotFitIsRefusedWhole) {
  QelMessage message("ACD", "LOGOUT", 7, 0);  // "ACD,LOGOUT,7:" is 13 characters
  char buffer[32];
  EXPECT_EQ(message.serialize(buffer, 14), 13);
  EXPECT_STREQ(buffer, "ACD,LOGOUT,7:");
  for (int size : {13, 12, 11, 5, 1}) {
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(message.serialize(buffer, size), -1) << size;
    EXPECT_EQ(buffer[0], '\0') << size;
    EXPECT_EQ(buffer[size], 'x') << "wrote past the room of " << size;
  }
  EXPECT_EQ(message.serialize(buffer, 0), -1);
  EXPECT_EQ(message.serialize(nullptr, 10), -1);
}

TEST(QelMessageTest, BaseConversionWritesNothing) {
  QelMessage message("CF", "CLIENT", "VERSION", 1, 0);
  Json::Value value;
  message.toJson(value);
  EXPECT_TRUE(value.isNull());
}

TEST(QelMessageTest, ConstantTexts) {
  EXPECT_EQ(kReplyPrefix, "CF");
  EXPECT_EQ(kEventPrefix, "AE");
  EXPECT_EQ(kServiceClient, "CLIENT");
  EXPECT_EQ(kServiceDialPlan, "DIALPLAN");
  EXPECT_EQ(kServiceLvl2, "LVL2OAI");
  EXPECT_EQ(kServiceDss, "DSS");
  EXPECT_EQ(kServiceIndss, "INDSS");
  EXPECT_EQ(kServiceN2N, "N2N");
  EXPECT_EQ(kServiceAcd, "ACD");
  EXPECT_EQ(kDetailsKey, "details");
  EXPECT_EQ(kCmdGetDialNum, "GETDIALNUM");
  EXPECT_EQ(kCmdMonStart, "MONSTART");
  EXPECT_EQ(kCmdGetNodeList, "GETNODELIST");
  EXPECT_EQ(kCmdLogin, "LOGIN");
  EXPECT_EQ(kCmdUserExist, "USER_EXIST");
  EXPECT_EQ(kCmdUserInfo, "USER_INFO");
}

}  // namespace
