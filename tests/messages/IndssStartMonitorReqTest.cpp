#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "messages/IndssStartMonitorReq.h"

namespace {

TEST(IndssStartMonitorReqTest, ServerTextTable) {
  const struct {
    const char* device;
    int requestId;
    int option;
    const char* text;
  } cases[] = {
      {"3001", 12, 3, "INDSS,MONSTART,12:,3001,3"}, {"3001", 0, 3, "INDSS,MONSTART,,3001,3"},
      {"3001", -4, 3, "INDSS,MONSTART,,3001,3"},    {"", 5, 3, "INDSS,MONSTART,5:,,3"},
      {"%s%n", 1, -2, "INDSS,MONSTART,1:,%s%n,-2"},  // a device is never a format
  };
  for (const auto& c : cases) {
    IndssStartMonitorReq request(c.device, c.requestId, c.option);
    char buffer[64];
    EXPECT_EQ(request.serialize(buffer, sizeof buffer), static_cast<int>(std::strlen(c.text)));
    EXPECT_STREQ(buffer, c.text);
  }
  IndssStartMonitorReq request("3001", 12, 3);
  char buffer[64];
  EXPECT_EQ(request.serialize(buffer, sizeof buffer), 25);
  EXPECT_EQ(request.device(), "3001");
  EXPECT_EQ(request.option(), 3);
  EXPECT_EQ(request.prefix(), "");
}

TEST(IndssStartMonitorReqTest, TextThatDoesNotFitIsRefusedWhole) {
  IndssStartMonitorReq request("3001", 12, 3);  // 25 characters
  char buffer[64];
  EXPECT_EQ(request.serialize(buffer, 26), 25);
  // 24: the option's digit does not fit; 20: the device does not; 10: the header does not.
  for (int size : {25, 24, 20, 10}) {
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(request.serialize(buffer, size), -1) << size;
    EXPECT_EQ(buffer[0], '\0') << size;
    EXPECT_EQ(buffer[size], 'x') << "wrote past the room of " << size;
  }

  IndssStartMonitorReq longDevice(std::string(3000, '7'), 1, 3);
  char sendBuffer[2044];
  EXPECT_EQ(longDevice.serialize(sendBuffer, sizeof sendBuffer), -1);
  EXPECT_EQ(sendBuffer[0], '\0');
}

}  // namespace
