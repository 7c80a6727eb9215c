#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "messages/GenericMessages.h"
#include "messages/QelMessage.h"
#include "plugin/QelMessageDispatcher.h"
#include "tests/support/PagePostTexts.h"
#include "tests/support/PageText.h"
#include "tests/support/ParseText.h"
#include "tests/support/SessionFixture.h"

namespace {

using QelMessageDispatcherTest = SessionFixture;

// Messages without a row are posted whole: replies under their request id,
// events under code 0, a class that writes nothing as "null".
TEST_F(QelMessageDispatcherTest, DefaultRoutes) {
  struct Case {
    const char* text;
    int32_t code;
    const char* page;  // null: what the message's own class writes
  };
  // clang-format off
  const Case cases[] = {
      {"CF,CLIENT,PING,0:,0,ok",       0, "{\"details\":\"ok\",\"error\":0}\n"},
      {"CF,CLIENT,PING,12:,1,bad",     12, "{\"details\":\"bad\",\"error\":-1}\n"},
      {"CF,CLIENT,PING,-4:,0,x",       -4, "{\"details\":\"x\",\"error\":0}\n"},
      {"XY,CLIENT,PING,3:,0,ok",       3, "{\"details\":\"ok\",\"error\":0}\n"},
      {"AE,CLIENT,PING,9:4,a,b",       0, "null\n"},
      {"AE,CLIENT,LOGIN,9:,0",         0, "null\n"},
      // Without a prefix: a request, which writes nothing, on the reply route.
      {"CLIENT,VERSION,5:,x",          5, "null\n"},
      {"CLIENT,LOGIN,6:,0",            6, "null\n"},
      {"CLIENT,UNAVAILABLE,-2:,0",     -2, "null\n"},
      {"CF,CLIENT,VERSION,6:,0,1,2,3", 6, nullptr},
      {"AE,DSS,DSSMON,9:4,a,201,1,x",  0, nullptr},
      {"AE,INDSS,INDSSMON,9:4,a,201,1,x", 0, nullptr},
      // The call-control event wrapper has an empty header: it takes the
      // reply route under its request id 0.
      {"AE,LVL2OAI,RAWCMD,12:34,1,CC,2,3,h1,48", 0,
       "{\"details\":{\"EventCause\":\"normalClearing\",\"handle\":\"h1\"},\"type\":21}\n"},
      {"AE,LVL2OAI,RAWCMD,12:34,1,ZZ,2,3", 0, "null\n"},
      {"CF,LVL2OAI,RAWCMD,8:,a,b,_HC,7,0",  8, "{\"details\":null,\"error\":0}\n"},
      {"CF,LVL2OAI,RAWCMD,-2:,a,b,_HC,7,0", -2, "{\"details\":null,\"error\":0}\n"},
  };
  // clang-format on
  for (const Case& c : cases) {
    page_.clear();
    const auto message = parseText(c.text);
    ASSERT_NE(message, nullptr) << c.text;
    const std::string page = c.page != nullptr ? c.page : pageText(*message);
    QelMessageDispatcher::instance().dispatch(&session(), message.get());
    EXPECT_EQ(postsOf(page_.posts()), (PostList{{c.code, page}})) << c.text;
  }
  EXPECT_EQ(peer().state(), QelSocket::Idle);
}

// The key is the message's own prefix followed by its command.
TEST_F(QelMessageDispatcherTest, KeyIsPrefixAndCommand) {
  struct Case {
    const char* what;
    std::unique_ptr<QelMessage> message;
    int32_t code;
  };
  Case cases[] = {
      {"another prefix", std::make_unique<QelMessage>("ZZ", "CLIENT", "LOGIN", 4, 0), 4},
      {"empty prefix", std::make_unique<QelMessage>("", "CLIENT", "LOGIN", 0, 0), 0},
      {"event of a reply row", std::make_unique<GenericEvt>("CLIENT", "LOGIN", 3, 0, "0"), 0},
      {"reply of an event row", std::make_unique<QelMessage>("CF", "LVL2OAI", "UNAVAILABLE", 2, 0),
       2},
      {"lower case", std::make_unique<QelMessage>("CF", "CLIENT", "login", 5, 0), 5},
  };
  for (const Case& c : cases) {
    page_.clear();
    QelMessageDispatcher::instance().dispatch(&session(), c.message.get());
    EXPECT_EQ(postsOf(page_.posts()), (PostList{{c.code, "null\n"}})) << c.what;
  }
}

TEST_F(QelMessageDispatcherTest, PostHelpers) {
  GenericRsp reply("CLIENT", "PING", -6, 0, "0,ok");
  GenericEvt event("CLIENT", "PING", 9, 4, "x");
  postReplyToPage(&session(), &reply);
  postEventToPage(&session(), &event);
  QelMessageDispatcher::onUnhandledReply(&session(), &reply);
  QelMessageDispatcher::onUnhandledEvent(&session(), &reply);
  const char* ok = "{\"details\":\"ok\",\"error\":0}\n";
  EXPECT_EQ(postsOf(page_.posts()), (PostList{{-6, ok}, {0, "null\n"}, {-6, ok}, {0, ok}}));
}

// The session messages reach their handlers in a logged-in session, and
// never the page as a whole message.
struct SessionRowCase {
  const char* text;
  PostList posts;  // besides the log lines
  int state;
  int n2nState;
};

void PrintTo(const SessionRowCase& c, std::ostream* out) {
  *out << c.text;
}

class SessionRows : public SessionFixture, public ::testing::WithParamInterface<SessionRowCase> {};

TEST_P(SessionRows, ReachTheirHandlers) {
  const SessionRowCase& c = GetParam();
  ASSERT_TRUE(logIn(7));
  ASSERT_TRUE(server_.sendFrame(c.text));
  ASSERT_TRUE(loop_.runUntil([this, &c] { return page_.hasLog(c.text); }));
  loop_.runUntilIdle();
  EXPECT_EQ(postsOf(page_.withoutLogs()), c.posts);
  EXPECT_EQ(peer().state(), c.state);
  EXPECT_EQ(peer().n2nState(), c.n2nState);
}

const std::string kLvl2Lost = connectionStateText(false, "LVL2OAI_SERVICE");
const std::string kNetLost = connectionStateText(false, "NET_SERVER");
const std::string kAcdLost = connectionStateText(false, "ACD_SERVICE");

INSTANTIATE_TEST_SUITE_P(
    Dispatch, SessionRows,
    ::testing::Values(
        SessionRowCase{"CF,CLIENT,NOTIFY_AVAILABLE_SERVICES,7:,0", {}, 7, 2},
        SessionRowCase{"AE,CLIENT,AVAILABLE,0:,N2N", {}, 7, 2},
        SessionRowCase{"AE,LVL2OAI,UNAVAILABLE,0:,", {{0, kLvl2Lost}}, 6, 2},
        SessionRowCase{"AE,N2N,LOGOUT,0:,", {}, 7, 1},
        SessionRowCase{"CF,CLIENT,REQUESTLOGIN,9:,1",
                       {{9, "{\"details\":\"connect refused\",\"error\":-1}\n"}, {0, kNetLost}},
                       0,
                       0},
        SessionRowCase{"CF,CLIENT,LOGIN,9:,1,Denied",
                       {{9, "{\"details\":\"Denied\",\"error\":-10}\n"}, {0, kNetLost}},
                       0,
                       0},
        SessionRowCase{
            "CF,ACD,LOGOUT,9:,0", {{9, "{\"details\":\"\",\"error\":0}\n"}, {0, kAcdLost}}, 7, 2}));

// The answer to the service-list request reaches the page only as the
// receive log lines.
TEST_F(QelMessageDispatcherTest, ServiceListAnswerIsSwallowed) {
  ASSERT_TRUE(logIn(7));
  const std::string text = "CF,CLIENT,NOTIFY_AVAILABLE_SERVICES,7:,0";
  ASSERT_TRUE(server_.sendFrame(text));
  ASSERT_TRUE(loop_.runUntil([this, &text] { return page_.hasLog(text); }));
  loop_.runUntilIdle();
  EXPECT_EQ(page_.logLines(), (std::vector<std::string>{
                                  "receive msglen=" + std::to_string(text.size()),
                                  text,
                                  "parse:1, CLIENT, NOTIFY_AVAILABLE_SERVICES, 7, 0, 0",
                              }));
  EXPECT_EQ(page_.size(), 3u);
}

}  // namespace
