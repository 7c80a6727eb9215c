#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/MainLoop.h"
#include "tests/support/StandInCallServer.h"

namespace {

TEST(StandInCallServerTest, LengthFieldsAreLittleEndianSigned) {
  EXPECT_EQ(std::string("\x04\x03\x02\x01", 4), StandInCallServer::lengthField(0x01020304));
  EXPECT_EQ(std::string("\xff\xff\xff\xff", 4), StandInCallServer::lengthField(-1));
  EXPECT_EQ(std::string("\x00\x00\x00\x80", 4), StandInCallServer::lengthField(INT32_MIN));
  EXPECT_EQ(std::string("\x02\x00\x00\x00"
                        "ab",
                        6),
            StandInCallServer::frame("ab"));
  EXPECT_EQ(std::string(4, '\0'), StandInCallServer::frame(""));
}

TEST(StandInCallServerTest, ListensOnlyOnLoopbackAddressesOfItsOwn) {
  pp::MainLoop loop(pp::MainLoop::Clock::kTest);
  StandInCallServer first(loop);
  StandInCallServer second(loop);
  ASSERT_TRUE(first.listening());
  ASSERT_TRUE(second.listening());
  EXPECT_NE(first.host(), second.host());
  EXPECT_EQ(0u, first.host().rfind("127.", 0));
  EXPECT_NE("127.0.0.1", first.host());

  EXPECT_FALSE(StandInCallServer(loop, "10.0.0.1").listening());
  EXPECT_FALSE(StandInCallServer(loop, "::1").listening());
  EXPECT_FALSE(StandInCallServer(loop, first.host()).listening());  // taken

  // Without a connection there is nothing to send to and nothing arrives.
  EXPECT_FALSE(first.connected());
  EXPECT_FALSE(first.sendFrame("x"));
  EXPECT_FALSE(first.nextFrame(std::chrono::milliseconds(1)).has_value());
  EXPECT_TRUE(first.expectNoFrame());
}

}  // namespace
