#include <gtest/gtest.h>

#include <string>

#include "messages/DssMonitorEvt.h"
#include "tests/support/PageText.h"

namespace {

TEST(DssMonitorEvtTest, BodyToPageTable) {
  const PageCase cases[] = {
      {"7,3001,2,note",
       "{\"details\":{\"Extra\":\"note\",\"device\":\"3001\",\"status\":\"2\"},\"type\":50}\n"},
      {"7,3001",
       "{\"details\":{\"Extra\":\"\",\"device\":\"3001\",\"status\":\"\"},\"type\":50}\n"},
      {"7,|3001,1|,2,a,b,c",
       "{\"details\":{\"Extra\":\"a\",\"device\":\"3001,1\",\"status\":\"2\"},\"type\":50}\n"},
      {"", "{\"details\":{\"Extra\":\"\",\"device\":\"\",\"status\":\"\"},\"type\":50}\n"},
  };
  // Both monitoring services send the same event.
  for (const char* service : {"DSS", "INDSS"}) {
    const std::string command = std::string(service) + "MON";
    for (const PageCase& c : cases) {
      EXPECT_EQ(pageText(DssMonitorEvt(service, command, 9, 4, c.body)), c.page)
          << service << ": " << c.body;
    }
  }
}

TEST(DssMonitorEvtTest, EventHeaderAndMembers) {
  DssMonitorEvt event("DSS", "DSSMON", 9, 4, "a,201,1,x,rest,of");
  EXPECT_EQ(event.prefix(), kEventPrefix);
  EXPECT_EQ(event.requestId(), 0);
  char buffer[32];
  event.serialize(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "AE,DSS,DSSMON,4");  // second id kept
  EXPECT_EQ(event.firstField(), "a");
  EXPECT_EQ(event.device(), "201");
  EXPECT_EQ(event.status(), "1");
  EXPECT_EQ(event.extra(), "x");
}

}  // namespace
