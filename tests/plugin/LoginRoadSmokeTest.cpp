#include <gtest/gtest.h>

#include "tests/support/SessionFixture.h"

namespace {

using LoginRoadSmokeTest = SessionFixture;

TEST_F(LoginRoadSmokeTest, ReachesCallControlAndDials) {
  ASSERT_TRUE(logIn(7));
  EXPECT_EQ(peer().state(), QelSocket::CallControlReady);
  command(R"([9,0,"selectline","1"])");
  command(R"([9,0,"dialnumber","300"])");
  EXPECT_TRUE(server_.expectFrame("LVL2OAI,RAWCMD,9:,_MC,9,201:1,300"));
}

}  // namespace
