#include <gtest/gtest.h>

#include "messages/DialPlanGetDialNumRsp.h"
#include "tests/support/PageText.h"

namespace {

TEST(DialPlanGetDialNumRspTest, BodyToPageTable) {
  const PageCase cases[] = {
      {"0,ok,901",
       "{\"details\":{\"outcome\":\"0\",\"reason\":\"ok\",\"response\":\"901\"},"
       "\"error\":0}\n"},
      {"1,no route", "{\"details\":\"no route\",\"error\":-1}\n"},
      {"-1,bad", "{\"details\":\"bad\",\"error\":-1}\n"},
      {"0,|a,b|,x,y",
       "{\"details\":{\"outcome\":\"0\",\"reason\":\"a,b\",\"response\":\"x,y\"},"
       "\"error\":0}\n"},
      {" 00 , ok , 9 1 ",
       "{\"details\":{\"outcome\":\"00\",\"reason\":\"ok\","
       "\"response\":\"9 1\"},\"error\":0}\n"},
      {"0", "{\"details\":{\"outcome\":\"0\",\"reason\":\"\",\"response\":\"\"},\"error\":0}\n"},
      {"x,|no, route|,9", "{\"details\":\"no, route\",\"error\":-1}\n"},
      {"", "{\"details\":\"\",\"error\":-1}\n"},
  };
  for (const PageCase& c : cases) {
    EXPECT_EQ(pageText(DialPlanGetDialNumRsp("DIALPLAN", "GETDIALNUM", 5, 0, c.body)), c.page)
        << c.body;
  }
}

TEST(DialPlanGetDialNumRspTest, MembersAndHeader) {
  DialPlanGetDialNumRsp reply("DIALPLAN", "GETDIALNUM", 5, 0, "0,ok,901,2");
  EXPECT_EQ(reply.outcome(), "0");
  EXPECT_EQ(reply.reason(), "ok");
  EXPECT_EQ(reply.response(), "901,2");
  EXPECT_EQ(reply.prefix(), kReplyPrefix);
  EXPECT_EQ(reply.requestId(), 5);
}

}  // namespace
