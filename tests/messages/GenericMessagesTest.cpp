#include <gtest/gtest.h>

#include <string>

#include "messages/GenericMessages.h"
#include "tests/support/PageText.h"

namespace {

TEST(GenericRspTest, BodyToPageObject) {
  struct Case {
    const char* body;
    const char* outcome;
    const char* details;
    const char* page;
  };
  const Case cases[] = {
      {"0,Welcome", "0", "Welcome", "{\"details\":\"Welcome\",\"error\":0}\n"},
      {"-1,Bad password", "-1", "Bad password", "{\"details\":\"Bad password\",\"error\":-1}\n"},
      {"7,x", "7", "x", "{\"details\":\"x\",\"error\":-1}\n"},
      {"0", "0", "", "{\"details\":\"\",\"error\":0}\n"},
      {"1,a,b", "1", "a,b", "{\"details\":\"a,b\",\"error\":-1}\n"},
      {" 0 , ok ", "0", "ok", "{\"details\":\"ok\",\"error\":0}\n"},
      {"", "", "", "{\"details\":\"\",\"error\":-1}\n"},
      {"00 fine,|q,x|", "00 fine", "|q,x|", "{\"details\":\"|q,x|\",\"error\":0}\n"},
  };
  for (const Case& c : cases) {
    GenericRsp reply("CLIENT", "LOGIN", 5, 0, c.body);
    EXPECT_EQ(reply.outcome(), c.outcome) << c.body;
    EXPECT_EQ(reply.details(), c.details) << c.body;
    EXPECT_EQ(pageText(reply), c.page) << c.body;
    EXPECT_EQ(reply.prefix(), kReplyPrefix);
    EXPECT_EQ(reply.requestId(), 5);
  }
}

TEST(GenericRspTest, Writer) {
  char buffer[64];
  GenericRsp withDetails("CLIENT", "LOGIN", 5, 0, "0,Welcome");
  EXPECT_EQ(withDetails.serialize(buffer, sizeof buffer), 28);
  EXPECT_STREQ(buffer, "CF,CLIENT,LOGIN,5:,0,Welcome");
  GenericRsp bare("CLIENT", "LOGIN", 0, 0, "");
  bare.serialize(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "CF,CLIENT,LOGIN,,");
}

TEST(GenericReqTest, Writer) {
  struct Case {
    const char* command;
    int requestId;
    const char* body;
    const char* text;
  };
  const Case cases[] = {
      {"VERSION", 4, "", "CLIENT,VERSION,4:"},
      {"APP_EXIST", 4, "myapp", "CLIENT,APP_EXIST,4:,myapp"},
      {"VERSION", 0, "x", "CLIENT,VERSION,,x"},
      {"GET_FILE", 5, "|a.txt|,|b|", "CLIENT,GET_FILE,5:,|a.txt|,|b|"},
  };
  for (const Case& c : cases) {
    GenericReq request(kServiceClient, c.command, c.requestId, 0, c.body);
    char buffer[64];
    EXPECT_EQ(request.serialize(buffer, sizeof buffer),
              static_cast<int>(std::string(c.text).size()));
    EXPECT_STREQ(buffer, c.text);
  }
}

TEST(GenericReqTest, BodyThatDoesNotFitIsRefusedWhole) {
  GenericReq request(kServiceClient, "APP_EXIST", 4, 0, std::string(100, 'a'));
  char buffer[64];
  EXPECT_EQ(request.serialize(buffer, sizeof buffer), -1);
  EXPECT_STREQ(buffer, "");
}

TEST(GenericEvtTest, KeepsBodyAndSecondIdOnly) {
  GenericEvt event("ACD", "LOGOUT", 9, 4, "a,|b,c|,d");
  EXPECT_EQ(event.prefix(), kEventPrefix);
  EXPECT_EQ(event.requestId(), 0);
  EXPECT_EQ(event.body(), "a,|b,c|,d");
  EXPECT_EQ(pageText(event), "null\n");
  char buffer[32];
  event.serialize(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "AE,ACD,LOGOUT,4");
}

}  // namespace
