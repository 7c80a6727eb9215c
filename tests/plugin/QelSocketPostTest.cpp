#include <gtest/gtest.h>
#include <json/value.h>

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/support/PagePostTexts.h"
#include "tests/support/SessionFixture.h"

namespace {

using QelSocketPostTest = SessionFixture;

TEST_F(QelSocketPostTest, ExactPostTexts) {
  Json::Value unsorted;
  unsorted["b"] = 1;
  unsorted["a"]["z"] = true;
  unsorted["a"]["c"] = "x";
  struct Case {
    const char* what;
    std::function<void(QelSocket&)> post;
    int32_t code;
    const char* text;
  };
  // clang-format off
  const Case cases[] = {
      {"error", [](QelSocket& s) { s.postError(0, -1, "error:: unknown command"); },
       0, "{\"details\":\"error:: unknown command\",\"error\":-1}\n"},
      {"success", [](QelSocket& s) { s.postError(12, 0, ""); },
       12, "{\"details\":\"\",\"error\":0}\n"},
      {"negative code", [](QelSocket& s) { s.postError(-4, -10, "Bad password"); },
       -4, "{\"details\":\"Bad password\",\"error\":-10}\n"},
      {"empty log", [](QelSocket& s) { s.log(""); },
       -99, "{\"log\":\"\"}\n"},
      {"escaped log", [](QelSocket& s) { s.log("a\"b\\c\td\ne\x01" "f/"); },
       -99, "{\"log\":\"a\\\"b\\\\c\\td\\ne\\u0001f/\"}\n"},
      {"connection lost", [](QelSocket& s) { s.postConnectionState(false, "NET_SERVER"); },
       0, "{\"details\":{\"connected\":false,\"info\":\"NET_SERVER\"},\"type\":13}\n"},
      {"service up", [](QelSocket& s) { s.postConnectionState(true, "LVL2OAI_SERVICE"); },
       0, "{\"details\":{\"connected\":true,\"info\":\"LVL2OAI_SERVICE\"},\"type\":13}\n"},
      {"null", [](QelSocket& s) { s.postToPage(5, Json::Value()); },
       5, "null\n"},
      {"empty array", [](QelSocket& s) { s.postToPage(0, Json::Value(Json::arrayValue)); },
       0, "[]\n"},
      {"empty object", [](QelSocket& s) { s.postToPage(-7, Json::Value(Json::objectValue)); },
       -7, "{}\n"},
      {"keys sorted", [&unsorted](QelSocket& s) { s.postToPage(3, unsorted); },
       3, "{\"a\":{\"c\":\"x\",\"z\":true},\"b\":1}\n"},
  };
  // clang-format on
  for (const Case& c : cases) {
    page_.clear();
    c.post(session());
    EXPECT_EQ(postsOf(page_.posts()), (PostList{{c.code, c.text}})) << c.what;
    EXPECT_TRUE(page_.allWellFormed()) << c.what;
  }
}

TEST_F(QelSocketPostTest, LoggedTextComesBackUnchanged) {
  const std::string texts[] = {"plain", "quote \" and \\ backslash", "\x01\x1f\x7f control",
                               "caf\xc3\xa9 \xe2\x82\xac", "line\nfeed\r\ttab"};
  for (const std::string& text : texts) {
    page_.clear();
    session().log(text);
    EXPECT_EQ(page_.logLines(), std::vector<std::string>{text});
  }
}

TEST_F(QelSocketPostTest, LogLinesIgnoreTheLoggingSwitch) {
  for (const char* argument : {"\"Y\"", "\"N\"", "true", "7"}) {
    command(std::string("[3,0,\"setlogging\",") + argument + "]");
    page_.clear();
    session().log("");
    command("[4,0,\"sendlog\"]");
    EXPECT_EQ(postsOf(page_.posts()),
              (PostList{logPost(""), logPost("CMD(4,sendlog,3)"), logPost("")}))
        << argument;
  }
}

TEST_F(QelSocketPostTest, FreshSession) {
  static_assert(!std::is_copy_constructible<QelSocket>::value, "bound to its callbacks");
  static_assert(!std::is_move_constructible<QelSocket>::value, "bound to its callbacks");
  const QelSocketTestPeer fresh = peer();
  EXPECT_EQ(fresh.state(), QelSocket::Idle);
  EXPECT_EQ(fresh.lvl2oaiState(), QelSocket::ServiceNone);
  EXPECT_EQ(fresh.indssState(), QelSocket::ServiceNone);
  EXPECT_EQ(fresh.dssState(), QelSocket::ServiceNone);
  EXPECT_EQ(fresh.n2nState(), QelSocket::ServiceNone);
  EXPECT_EQ(fresh.acdState(), QelSocket::ServiceNone);
  EXPECT_FALSE(fresh.writeInProgress());
  EXPECT_FALSE(fresh.acdEnabled());
  EXPECT_FALSE(fresh.loggingEnabled());
  EXPECT_EQ(fresh.queued(), 0u);
  EXPECT_EQ(fresh.loginRequestId(), 0);
  EXPECT_EQ(fresh.lastWriteResult(), 0);
  EXPECT_EQ(fresh.keepAliveGeneration(), 0);
  EXPECT_EQ(fresh.sendCapacity(), 2044);     // 2048 bytes behind the length field
  EXPECT_EQ(fresh.receiveCapacity(), 2047);  // 2048 bytes with the NUL
  for (const std::string* text : {&fresh.userName(), &fresh.password(), &fresh.extension(),
                                  &fresh.device(), &fresh.serverHost()}) {
    EXPECT_EQ(*text, "");
  }
  EXPECT_FALSE(fresh.hasSocket());
  EXPECT_EQ(session().eventCode(), 0);
  EXPECT_FALSE(session().isLoggedIn());
  EXPECT_FALSE(session().isLvl2LoggedIn());
  // Building the instance started nothing.
  EXPECT_EQ(page_.size(), 0u);
  EXPECT_EQ(loop_.pendingTimers(), 0u);
  loop_.runUntilIdle();
  EXPECT_EQ(server_.connectionCount(), 0);
}

TEST_F(QelSocketPostTest, StateGates) {
  struct Case {
    int state;
    bool loggedIn;
    bool lvl2LoggedIn;
  };
  const Case cases[] = {{0, false, false}, {1, false, false}, {2, false, false}, {3, false, false},
                        {4, false, false}, {6, true, false},  {7, true, true}};
  for (const Case& c : cases) {
    peer().setState(c.state);
    EXPECT_EQ(session().isLoggedIn(), c.loggedIn) << c.state;
    EXPECT_EQ(session().isLvl2LoggedIn(), c.lvl2LoggedIn) << c.state;
  }
  peer().setState(QelSocket::Idle);
}

TEST(QelSocketWithoutInstanceTest, PostsGoNowhere) {
  QelSocket session;
  session.log("x");
  session.postError(1, -1, "y");
  session.postConnectionState(false, "NET_SERVER");
  EXPECT_FALSE(session.isLoggedIn());
}

}  // namespace
