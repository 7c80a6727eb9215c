#include <gtest/gtest.h>

#include "messages/RspGetFile.h"
#include "tests/support/PageText.h"

namespace {

TEST(RspGetFileTest, BodyToPageTable) {
  const PageCase cases[] = {
      {"0,hello", "{\"details\":\"hello\",\"error\":0}\n"},
      {"1,not found", "{\"details\":\"not found\",\"error\":-18}\n"},
      {"0,a,|b|,c", "{\"details\":\"a,|b|,c\",\"error\":0}\n"},
      {"0,x", "{\"details\":\"x\",\"error\":0}\n"},
      // Bodies too short to hold any content.
      {"0,", "{\"details\":\"\",\"error\":0}\n"},
      {"0", "{\"details\":\"\",\"error\":0}\n"},
      {"1", "{\"details\":\"\",\"error\":-18}\n"},
      {"", "{\"details\":\"\",\"error\":-18}\n"},
  };
  for (const PageCase& c : cases) {
    EXPECT_EQ(pageText(RspGetFile("CLIENT", "GET_FILE", 6, 0, c.body)), c.page) << c.body;
  }
}

TEST(RspGetFileTest, KeepsBodyAndHeader) {
  RspGetFile reply("CLIENT", "GET_FILE", 6, 0, "0,a,b");
  EXPECT_EQ(reply.body(), "0,a,b");
  EXPECT_EQ(reply.prefix(), kReplyPrefix);
  EXPECT_EQ(reply.requestId(), 6);
}

}  // namespace
