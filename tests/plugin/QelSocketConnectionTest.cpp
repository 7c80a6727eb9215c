// The server connection of the session against the stand-in call server:
// resolve and connect with their failures, framed reads, the send queue and
// its writes, keep-alive, the reconnect timer, disconnects, completions of
// abandoned connections, and the session's destruction.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "messages/GenericMessages.h"
#include "tests/support/PagePostTexts.h"
#include "tests/support/SessionFixture.h"

namespace {

using Strings = std::vector<std::string>;

// The connection-state post of a connection that ended.
const std::string kConnectionLost = connectionStateText(false, "NET_SERVER");

// A loopback address whose port 8767 is bound by a socket that does not
// listen: a connection to it is refused, and no server can take the port
// while this object lives.
class RefusingAddress {
 public:
  RefusingAddress() {
    for (uint32_t last = 1; last < 255 && host_.empty(); ++last) {
      int fd = ::socket(AF_INET, SOCK_STREAM, 0);
      if (fd < 0) return;
      sockaddr_in address = {};
      address.sin_family = AF_INET;
      address.sin_port = htons(8767);
      const uint32_t ip = (127u << 24) | (254u << 16) | ((getpid() & 0xFFu) << 8) | last;
      address.sin_addr.s_addr = htonl(ip);
      if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        fd_ = fd;
        char text[INET_ADDRSTRLEN];
        host_ = inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
      } else {
        ::close(fd);
      }
    }
  }
  ~RefusingAddress() {
    if (fd_ >= 0) ::close(fd_);
  }
  RefusingAddress(const RefusingAddress&) = delete;
  RefusingAddress& operator=(const RefusingAddress&) = delete;

  const std::string& host() const { return host_; }

 private:
  int fd_ = -1;
  std::string host_;
};

class QelSocketConnectionTest : public SessionFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.listening()); }

  // "login" with `id`, until the challenge request has reached the server
  // and its write has completed: the session is Connected, the page
  // recorder empty.
  ::testing::AssertionResult connect(int id = 7) {
    auto challenge = SessionFixture::connect(id);
    if (!challenge) return challenge;
    if (!loop_.runUntil([this] { return !peer().writeInProgress(); })) {
      return ::testing::AssertionFailure() << "the challenge write never completed";
    }
    page_.clear();
    return ::testing::AssertionSuccess();
  }

  // Connects with the stored credentials, logs out, and arms a reconnect
  // with `id`; the page recorder is empty.
  ::testing::AssertionResult reconnectPending(int id) {
    auto connected = connect(id);
    if (!connected) return connected;
    command(R"([0,0,"logout"])");
    command("[" + std::to_string(id) + R"(,0,"reconnect"])");
    page_.clear();
    if (peer().state() == QelSocket::ReconnectPending) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "state " << peer().state();
  }

  // Hands the session a request of the "CLIENT" service with this command
  // and body.
  void sendRequest(const std::string& command, const std::string& body = "") {
    session().send(new GenericReq("CLIENT", command, 0, 0, body));
  }

  // The text of sendRequest(command, body).
  static std::string requestText(const std::string& command, const std::string& body = "") {
    return "CLIENT," + command + "," + (body.empty() ? "" : "," + body);
  }

  static std::string completionLine(size_t textLength) {
    return "OnSendCompletion result: " + std::to_string(textLength + 4);
  }

  int connectionLostPosts() const {
    int count = 0;
    for (const auto& post : page_.withoutLogs()) count += post.text == kConnectionLost;
    return count;
  }

  // Runs the loop until the page has received a post holding `fragment`.
  bool waitForPost(const std::string& fragment) {
    return loop_.runUntil([&] { return page_.indexOf(fragment) < page_.size(); });
  }

  bool waitForState(int state) {
    return loop_.runUntil([&] { return peer().state() == state; });
  }

  size_t countLog(const std::string& line) const {
    const Strings lines = page_.logLines();
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
  }
};

// ---- Resolve and connect -------------------------------------------------

TEST_F(QelSocketConnectionTest, ResolvesConnectsAndAsksForTheChallenge) {
  post(R"([7,0,"login","alice","secret","HOST","201"])");
  EXPECT_EQ(QelSocket::Resolving, peer().state());
  ASSERT_TRUE(server_.waitForConnection());
  ASSERT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,7:"));
  ASSERT_TRUE(loop_.runUntil([this] { return !peer().writeInProgress(); }));
  EXPECT_EQ(QelSocket::Connected, peer().state());
  EXPECT_EQ((Strings{"CMD(7,login,7)", "Resolved: " + server_.host() + ":8767",
                     "CLIENT,REQUESTLOGIN,7:", completionLine(22)}),
            page_.logLines());
  EXPECT_TRUE(pagePosts().empty());
  EXPECT_EQ(26, peer().lastWriteResult());
}

TEST_F(QelSocketConnectionTest, ChallengeRequestWithoutRequestId) {
  command(R"([0,0,"login","alice","secret","HOST"])");
  ASSERT_TRUE(server_.waitForConnection());
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,"));
}

TEST_F(QelSocketConnectionTest, MissingOrFailingPlatformInterfacesPostUnderTheLoginId) {
  struct Case {
    bool pp::MainLoop::Faults::*fault;
    const char* details;
  };
  const Case cases[] = {
      {&pp::MainLoop::Faults::noTcpSocketInterface, "TCPSocket not available"},
      {&pp::MainLoop::Faults::tcpSocketCreationFails, "Error creating TCPSocket."},
      {&pp::MainLoop::Faults::noHostResolverInterface, "HostResolver not available"},
      {&pp::MainLoop::Faults::hostResolverCreationFails, "Error creating HostResolver."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.details);
    loop_.faults() = pp::MainLoop::Faults();
    loop_.faults().*c.fault = true;
    page_.clear();
    command(R"([7,0,"login","alice","secret","HOST","201"])");
    EXPECT_EQ((PostList{{7, errorText(-1, c.details)}}), pagePosts());
    EXPECT_EQ(QelSocket::Idle, peer().state());
  }
  EXPECT_EQ(0, server_.connectionCount());
}

TEST_F(QelSocketConnectionTest, ResolveFailurePostsUnderTheLoginIdAndDropsWaitingMessages) {
  post(R"([7,0,"login","alice","secret","no-such-host.invalid","201"])");
  // Sent while the name is being resolved: they wait for the connection.
  post(R"([8,0,"enableacd",true])");
  post(R"([9,0,"enableacd",false])");
  EXPECT_EQ(2u, peer().queued());
  ASSERT_TRUE(waitForState(QelSocket::Idle));
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ((PostList{{7, errorText(-1, "Resolve failed.")}}), pagePosts());
  EXPECT_EQ((Strings{"CMD(7,login,7)", "CMD(8,enableacd,4)", "CMD(9,enableacd,4)",
                     "dropped 2 queued message(s): no connection"}),
            page_.logLines());
  EXPECT_EQ(0u, peer().queued());
  EXPECT_FALSE(peer().writeInProgress());
}

TEST_F(QelSocketConnectionTest, RefusedConnectionPostsTheFailureCode) {
  RefusingAddress refusing;
  ASSERT_FALSE(refusing.host().empty());
  post(R"([7,0,"login","alice","secret",")" + refusing.host() + R"(","201"])");
  ASSERT_TRUE(waitForState(QelSocket::Idle));
  EXPECT_TRUE(page_.hasLog("Resolved: " + refusing.host() + ":8767"));
  EXPECT_EQ((PostList{{7, errorText(-1, "Connection failed: -102")}}), pagePosts());

  // The next attempt starts afresh.
  page_.clear();
  ASSERT_TRUE(connect(8));
  EXPECT_TRUE(pagePosts().empty());
}

TEST_F(QelSocketConnectionTest, SetupFailureOfTheReconnectTimerDropsTheWaitingMessages) {
  ASSERT_TRUE(reconnectPending(9));
  command(R"([10,0,"enableacd",true])");
  EXPECT_EQ(1u, peer().queued());
  loop_.faults().noTcpSocketInterface = true;
  page_.clear();
  ASSERT_TRUE(loop_.advance(5000));
  EXPECT_EQ((PostList{{9, errorText(-1, "TCPSocket not available")}}), pagePosts());
  EXPECT_EQ(Strings{"dropped 1 queued message(s): no connection"}, page_.logLines());
  EXPECT_EQ(QelSocket::Idle, peer().state());
}

// ---- Reading frames ------------------------------------------------------

// A text of exactly `length` bytes that the parser takes as an event.
std::string eventText(size_t length) {
  std::string text = "AE,CLIENT,FILL,0:,";
  text.resize(length, 'x');
  return text;
}

TEST_F(QelSocketConnectionTest, FramesUpToTheLimitAreReadWholeAndTheBufferNeverShrinks) {
  ASSERT_TRUE(connect());
  const std::string next = "AE,CLIENT,NEXT,0:,ok";
  struct Case {
    size_t length;
    int capacity;  // receive capacity afterwards
  };
  const Case cases[] = {{2047, 2047}, {2048, 2048}, {1048575, 1048575}, {2048, 1048575}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    page_.clear();
    const std::string text = eventText(c.length);
    ASSERT_TRUE(server_.sendFrame(text));
    ASSERT_TRUE(server_.sendFrame(next));
    ASSERT_TRUE(waitForPost(next));
    ASSERT_TRUE(loop_.runUntilIdle());
    const Strings lines = page_.logLines();
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ("receive msglen=" + std::to_string(c.length), lines[0]);
    EXPECT_TRUE(lines[1] == text) << "the text is logged whole";
    EXPECT_EQ(0u, lines[2].rfind("parse:2, CLIENT, FILL, 0, 0, xxx", 0));
    EXPECT_EQ("receive msglen=20", lines[3]);
    EXPECT_EQ(c.capacity, peer().receiveCapacity());
  }
  EXPECT_EQ(QelSocket::Connected, peer().state());
}

TEST_F(QelSocketConnectionTest, FrameOfOneMebibyteOrMoreEndsTheConnectionWithNotice) {
  for (int32_t length : {1048576, INT32_MAX}) {
    SCOPED_TRACE(length);
    ASSERT_TRUE(connect());
    ASSERT_TRUE(server_.sendLength(length));
    ASSERT_TRUE(server_.sendFrame("AE,CLIENT,NEXT,0:,never read"));
    ASSERT_TRUE(waitForState(QelSocket::Idle));
    ASSERT_TRUE(server_.waitForPeerClose());
    ASSERT_TRUE(loop_.runUntilIdle());
    EXPECT_EQ(Strings{"receive msglen=" + std::to_string(length)}, page_.logLines());
    EXPECT_EQ((PostList{{0, kConnectionLost}}), pagePosts());
    EXPECT_EQ(2047, peer().receiveCapacity());
    EXPECT_EQ(0, peer().loginRequestId());
  }
}

TEST_F(QelSocketConnectionTest, FramesWithoutTextOrThatDoNotParseAreSkipped) {
  ASSERT_TRUE(connect());
  ASSERT_TRUE(server_.sendEmptyFrame());
  ASSERT_TRUE(server_.sendLength(-5));
  ASSERT_TRUE(server_.sendLength(INT32_MIN));
  ASSERT_TRUE(server_.sendFrame("ab"));  // too short to parse: only its log line
  ASSERT_TRUE(server_.sendFrame("AE,CLIENT,NEXT,0:,ok"));
  ASSERT_TRUE(waitForPost("parse:"));
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ((Strings{"receive msglen=2", "ab", "receive msglen=20", "AE,CLIENT,NEXT,0:,ok",
                     "parse:2, CLIENT, NEXT, 0, 0, ok"}),
            page_.logLines());
  EXPECT_EQ((PostList{{0, "null\n"}}), pagePosts());  // the event alone
  EXPECT_EQ(QelSocket::Connected, peer().state());
}

TEST_F(QelSocketConnectionTest, LengthFieldAndTextArrivingInPiecesAreAssembled) {
  ASSERT_TRUE(connect());
  const std::string text = "AE,CLIENT,PIECES,0:,abcdefghij";
  const std::vector<std::vector<size_t>> splits = {{1, 3, 5, 2, 7}, {2, 1, 1, 1}, {3, 10}};
  for (const auto& sizes : splits) {
    page_.clear();
    ASSERT_TRUE(server_.sendInPieces(StandInCallServer::frame(text), sizes));
    ASSERT_TRUE(waitForPost("parse:"));
    ASSERT_TRUE(loop_.runUntilIdle());
    EXPECT_EQ((Strings{"receive msglen=30", text, "parse:2, CLIENT, PIECES, 0, 0, abcdefghij"}),
              page_.logLines());
    EXPECT_EQ(1u, page_.withoutLogs().size());  // the event, posted once
  }
}

TEST_F(QelSocketConnectionTest, TextWithANulIsLoggedUpToItAndParsedWhole) {
  ASSERT_TRUE(connect());
  ASSERT_TRUE(server_.sendFrame(std::string("AE,CLIENT,NUL,0:,ab\0cd", 22)));
  // Three bytes reach the parser: a text without prefix, posted as a reply
  // with nothing to convert. Cut at the NUL it would be too short to parse.
  ASSERT_TRUE(server_.sendFrame(std::string("X\0Y", 3)));
  ASSERT_TRUE(loop_.runUntil([this] { return pagePosts().size() == 2; }));
  EXPECT_EQ((Strings{"receive msglen=22", "AE,CLIENT,NUL,0:,ab", "parse:2, CLIENT, NUL, 0, 0, ab",
                     "receive msglen=3", "X"}),
            page_.logLines());
  EXPECT_EQ((PostList{{0, "null\n"}, {0, "null\n"}}), pagePosts());
}

TEST_F(QelSocketConnectionTest, EndOfStreamOrResetEndsTheConnectionWithNotice) {
  for (bool reset : {false, true}) {
    SCOPED_TRACE(reset ? "reset" : "end of stream");
    ASSERT_TRUE(logIn());
    if (reset) {
      server_.reset();
    } else {
      server_.close();
    }
    ASSERT_TRUE(waitForState(QelSocket::Idle));
    ASSERT_TRUE(loop_.runUntilIdle());
    EXPECT_EQ((PostList{{0, kConnectionLost}}), pagePosts());
    EXPECT_TRUE(page_.logLines().empty());
    EXPECT_FALSE(session().isLoggedIn());
    EXPECT_EQ(0, peer().lvl2oaiState());
    EXPECT_EQ(0, peer().loginRequestId());
    EXPECT_FALSE(peer().hasSocket());
    // Nothing reads or writes any more: no keep-alive, nothing posted.
    ASSERT_TRUE(loop_.advance(240000));
    EXPECT_EQ(1u, page_.size());
    EXPECT_TRUE(server_.expectNoFrame());
  }
}

// ---- Writing -------------------------------------------------------------

// With whole writes, and with short writes whose rest is written before the
// next frame starts: each frame is logged once with its total byte count.
TEST_F(QelSocketConnectionTest, TwoSendsBackToBackGoOutInOrder) {
  for (int32_t writeLimit : {0, 3}) {
    SCOPED_TRACE(writeLimit);
    loop_.faults().writeLimit = 0;
    ASSERT_TRUE(connect());
    loop_.faults().writeLimit = writeLimit;
    sendRequest("FIRST", "1");
    EXPECT_TRUE(peer().writeInProgress());
    sendRequest("SECOND", "22");
    EXPECT_EQ(1u, peer().queued());
    EXPECT_TRUE(server_.expectFrame(requestText("FIRST", "1")));
    EXPECT_TRUE(server_.expectFrame(requestText("SECOND", "22")));
    ASSERT_TRUE(loop_.runUntil([this] { return !peer().writeInProgress(); }));
    EXPECT_EQ((Strings{requestText("FIRST", "1"), completionLine(15), requestText("SECOND", "22"),
                       completionLine(17)}),
              page_.logLines());
    EXPECT_EQ(21, peer().lastWriteResult());
    command(R"([0,0,"logout"])");
  }
}

TEST_F(QelSocketConnectionTest, WholeLogInRoadAndKeepAliveWithShortWrites) {
  loop_.faults().writeLimit = 1;
  ASSERT_TRUE(logIn());
  ASSERT_TRUE(loop_.advance(120000));
  const auto frame = server_.nextFrame();
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ(0, frame->length);
  ASSERT_TRUE(loop_.runUntil([this] { return !peer().writeInProgress(); }));
  EXPECT_EQ(Strings{"OnSendCompletion result: 4"}, page_.logLines());
}

TEST_F(QelSocketConnectionTest, TooLongMessageIsRefusedWholeAndTheQueueGoesOn) {
  ASSERT_TRUE(connect());
  // The text "CLIENT,LONG,," and its body: 2043 characters fit behind the
  // length field with the terminating NUL, 2044 do not.
  const std::string fits(2043 - 13, 'f');
  const std::string tooLong(2044 - 13, 'l');
  sendRequest("LONG", tooLong);  // refused at once: nothing in progress
  EXPECT_FALSE(peer().writeInProgress());
  sendRequest("LONG", fits);
  sendRequest("LONG", tooLong);  // refused when its turn comes
  sendRequest("AFTER");
  EXPECT_EQ(2u, peer().queued());
  const auto first = server_.nextFrame();
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(2043, first->length);
  EXPECT_EQ(requestText("LONG", fits), first->text);
  EXPECT_TRUE(server_.expectFrame(requestText("AFTER")));
  ASSERT_TRUE(loop_.runUntil([this] { return !peer().writeInProgress(); }));
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ((Strings{"message too long to send: CLIENT,LONG", requestText("LONG", fits),
                     completionLine(2043), "message too long to send: CLIENT,LONG",
                     requestText("AFTER"), completionLine(13)}),
            page_.logLines());
  // Each refusal is answered; the request carried no id, so under 0.
  EXPECT_EQ((PostList{{0, errorText(-1, "error:: command too long")},
                      {0, errorText(-1, "error:: command too long")}}),
            pagePosts());
  EXPECT_EQ(QelSocket::Connected, peer().state());
}

TEST_F(QelSocketConnectionTest, MessagesSentWhileSettingUpFollowTheChallengeInOrder) {
  post(R"([7,0,"login","alice","secret","HOST","201"])");
  post(R"([8,0,"enableacd",true])");
  ASSERT_TRUE(waitForState(QelSocket::Connecting));
  sendRequest("WHILECONNECTING");
  EXPECT_EQ(2u, peer().queued());
  ASSERT_TRUE(server_.waitForConnection());
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,7:"));
  const auto acd = server_.nextFrame();
  ASSERT_TRUE(acd.has_value());
  EXPECT_EQ(0u, acd->text.rfind("ACD,LOGIN,8:,", 0)) << acd->text;
  EXPECT_TRUE(server_.expectFrame(requestText("WHILECONNECTING")));
  ASSERT_TRUE(loop_.runUntil([this] { return !peer().writeInProgress(); }));
  const Strings lines = page_.logLines();
  ASSERT_EQ(9u, lines.size());
  EXPECT_EQ("CLIENT,REQUESTLOGIN,7:", lines[3]);
  EXPECT_EQ(completionLine(22), lines[4]);
  EXPECT_EQ(acd->text, lines[5]);
  EXPECT_EQ(requestText("WHILECONNECTING"), lines[7]);
  EXPECT_TRUE(pagePosts().empty());
  EXPECT_EQ(QelSocket::Connected, peer().state());
}

TEST_F(QelSocketConnectionTest, MessagesSentWhileAReconnectIsPendingFollowTheChallenge) {
  ASSERT_TRUE(reconnectPending(9));
  command(R"([10,0,"enableacd",false])");
  EXPECT_EQ(1u, peer().queued());
  ASSERT_TRUE(loop_.advance(5000));
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
  EXPECT_TRUE(server_.expectFrame("ACD,LOGOUT,10:"));
}

TEST_F(QelSocketConnectionTest, MessageSentWhileIdleFailsAndReportsTheLostConnection) {
  command(R"([8,0,"enableacd",false])");
  EXPECT_EQ((Strings{"CMD(8,enableacd,4)", "ACD,LOGOUT,8:", "OnSendCompletion result: -5"}),
            page_.logLines());
  EXPECT_EQ((PostList{{0, kConnectionLost}}), pagePosts());
  EXPECT_EQ(QelSocket::Idle, peer().state());
  EXPECT_EQ(-5, peer().lastWriteResult());
}

TEST_F(QelSocketConnectionTest, FailedWriteWithMessagesQueuedGivesOneNoticeAndDropsThem) {
  post(R"([8,0,"enableacd",false])");
  post(R"([9,0,"enableacd",false])");
  post(R"([10,0,"enableacd",false])");
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ(
      (Strings{"CMD(8,enableacd,4)", "ACD,LOGOUT,8:", "CMD(9,enableacd,4)", "CMD(10,enableacd,4)",
               "OnSendCompletion result: -5", "dropped 2 queued message(s): no connection"}),
      page_.logLines());
  EXPECT_EQ((PostList{{0, kConnectionLost}}), pagePosts());
  EXPECT_EQ(0u, peer().queued());
  EXPECT_FALSE(peer().writeInProgress());
}

TEST_F(QelSocketConnectionTest, LossDuringAWriteDropsTheQueueWithOneNotice) {
  ASSERT_TRUE(logIn());
  loop_.faults().writeCompletionDelayMs = 1000;
  sendRequest("A");
  loop_.faults().writeCompletionDelayMs = 0;
  sendRequest("B");
  sendRequest("C");
  server_.reset();
  ASSERT_TRUE(waitForState(QelSocket::Idle));
  ASSERT_TRUE(loop_.advance(1000));
  EXPECT_EQ((PostList{{0, kConnectionLost}}), pagePosts());
  EXPECT_EQ((Strings{requestText("A"), "dropped 2 queued message(s): no connection"}),
            page_.logLines());
}

TEST_F(QelSocketConnectionTest, RefusedChallengeEndsTheConnectionOnce) {
  ASSERT_TRUE(connect(7));
  ASSERT_TRUE(server_.sendFrame("CF,CLIENT,REQUESTLOGIN,7:,1"));
  ASSERT_TRUE(waitForState(QelSocket::Idle));
  ASSERT_TRUE(server_.waitForPeerClose());
  ASSERT_TRUE(loop_.advance(10000));
  EXPECT_EQ((PostList{{7, errorText(-1, "connect refused")}, {0, kConnectionLost}}), pagePosts());
}

TEST_F(QelSocketConnectionTest, DisconnectNotifiesOnlyWhenAsked) {
  ASSERT_TRUE(connect());
  session().disconnect(false);
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_TRUE(page_.posts().empty());
  ASSERT_TRUE(connect());
  session().disconnect(true);
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ((PostList{{0, kConnectionLost}}), pagePosts());
  EXPECT_EQ(QelSocket::Idle, peer().state());
  EXPECT_TRUE(server_.waitForPeerClose());
}

// ---- Keep-alive ----------------------------------------------------------

TEST_F(QelSocketConnectionTest, KeepAliveFrameEveryTwoMinutesOfLogIn) {
  ASSERT_TRUE(logIn());
  ASSERT_TRUE(loop_.advance(119999));
  EXPECT_TRUE(expectNoKeepAliveWritten());
  EXPECT_TRUE(server_.expectNoFrame());
  for (int tick = 0; tick < 2; ++tick) {
    ASSERT_TRUE(loop_.advance(tick == 0 ? 1 : 120000));
    const auto frame = server_.nextFrame();
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(0, frame->length);
    EXPECT_EQ("", frame->text);
  }
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ((Strings{"OnSendCompletion result: 4", "OnSendCompletion result: 4"}),
            page_.logLines());
  EXPECT_EQ(4, peer().lastWriteResult());
}

TEST_F(QelSocketConnectionTest, KeepAliveTickDuringAWriteSendsNothingAndArmsTheNext) {
  ASSERT_TRUE(logIn());
  ASSERT_TRUE(loop_.advance(119000));
  loop_.faults().writeCompletionDelayMs = 2000;
  sendRequest("SLOW");
  loop_.faults().writeCompletionDelayMs = 0;
  EXPECT_TRUE(server_.expectFrame(requestText("SLOW")));
  // The heartbeat of "checkconnection" and the tick both find the write in
  // progress; either writing would be refused and end the connection.
  command(R"([5,0,"checkconnection"])");
  ASSERT_TRUE(loop_.advance(1000));
  EXPECT_TRUE(server_.expectNoFrame());
  ASSERT_TRUE(loop_.advance(1000));
  EXPECT_EQ(QelSocket::CallControlReady, peer().state());
  ASSERT_TRUE(loop_.advance(118999));
  EXPECT_TRUE(expectNoKeepAliveWritten());
  EXPECT_TRUE(server_.expectNoFrame());
  ASSERT_TRUE(loop_.advance(1));
  EXPECT_TRUE(server_.expectFrame(""));
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ((Strings{requestText("SLOW"), "CMD(5,checkconnection,3)", completionLine(12),
                     "OnSendCompletion result: 4"}),
            page_.logLines());
  EXPECT_EQ(0, connectionLostPosts());
}

TEST_F(QelSocketConnectionTest, OnlyTheNewerKeepAliveChainWrites) {
  ASSERT_TRUE(logIn());
  ASSERT_TRUE(loop_.advance(60000));
  session().startKeepAlive();
  ASSERT_TRUE(loop_.advance(60000));
  EXPECT_TRUE(expectNoKeepAliveWritten());
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ(1u, loop_.pendingTimers());  // the older chain has ended
  ASSERT_TRUE(loop_.advance(60000));
  EXPECT_TRUE(server_.expectFrame(""));
  ASSERT_TRUE(loop_.advance(120000));
  EXPECT_TRUE(server_.expectFrame(""));
  EXPECT_TRUE(server_.expectNoFrame());
}

TEST_F(QelSocketConnectionTest, KeepAliveEndsWithTheConnection) {
  ASSERT_TRUE(logIn());
  command(R"([3,0,"logout"])");
  ASSERT_TRUE(loop_.advance(120000));
  EXPECT_EQ(0u, loop_.pendingTimers());
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ(1, connectionLostPosts());
}

// ---- Reconnect timer -----------------------------------------------------

TEST_F(QelSocketConnectionTest, ReconnectConnectsAfterFiveSeconds) {
  ASSERT_TRUE(reconnectPending(9));
  ASSERT_TRUE(loop_.advance(4999));
  EXPECT_EQ(QelSocket::ReconnectPending, peer().state());
  EXPECT_EQ(1, server_.connectionCount());
  ASSERT_TRUE(loop_.advance(1));
  EXPECT_GE(peer().state(), QelSocket::Resolving);
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
}

TEST_F(QelSocketConnectionTest, LogoutCancelsAnArmedReconnectWhateverItsToken) {
  // Token 9: "reconnect" 9. Token 0: a "login" with request id 0 for
  // another user while connected, which reconnects after five seconds.
  for (int token : {9, 0}) {
    SCOPED_TRACE(token);
    const int connections = server_.connectionCount();
    if (token == 0) {
      command(R"([0,0,"login","alice","secret","HOST"])");
      ASSERT_TRUE(server_.waitForConnection(connections + 1));
      command(R"([0,0,"login","bob","secret","HOST"])");
    } else {
      command(R"([9,0,"reconnect"])");
    }
    ASSERT_EQ(QelSocket::ReconnectPending, peer().state());
    ASSERT_EQ(token, peer().loginRequestId());
    ASSERT_TRUE(loop_.advance(1000));
    command(R"([4,0,"logout"])");
    ASSERT_TRUE(loop_.advance(10000));
    EXPECT_EQ(QelSocket::Idle, peer().state());
    EXPECT_EQ(token == 0 ? connections + 1 : connections, server_.connectionCount());
  }
}

TEST_F(QelSocketConnectionTest, OnlyTheNewestReconnectTimerConnects) {
  ASSERT_TRUE(connect(7));
  command(R"([7,0,"logout"])");
  // A newer "reconnect" replaces the armed timer, with the same id or not.
  for (int second : {10, 9}) {
    SCOPED_TRACE(second);
    const int connections = server_.connectionCount();
    command(R"([9,0,"reconnect"])");
    ASSERT_TRUE(loop_.advance(2000));
    command("[" + std::to_string(second) + R"(,0,"reconnect"])");
    ASSERT_TRUE(loop_.advance(3000));
    EXPECT_EQ(QelSocket::ReconnectPending, peer().state());
    EXPECT_EQ(connections, server_.connectionCount());
    ASSERT_TRUE(loop_.advance(2000));
    ASSERT_TRUE(server_.waitForConnection(connections + 1));
    EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN," + std::to_string(second) + ":"));
    ASSERT_TRUE(loop_.advance(10000));
    EXPECT_EQ(connections + 1, server_.connectionCount());
    command(R"([7,0,"logout"])");
  }
}

TEST_F(QelSocketConnectionTest, ReconnectTimerStaysQuietAfterALoginThatFailed) {
  ASSERT_TRUE(reconnectPending(9));
  // The same id, connecting at once to a host that does not resolve.
  post(R"([9,0,"login","alice","secret","no-such-host.invalid","201"])");
  ASSERT_TRUE(waitForState(QelSocket::Idle));
  ASSERT_TRUE(loop_.advance(10000));
  EXPECT_EQ(QelSocket::Idle, peer().state());  // no second attempt started
  const auto failures = page_.withCode(9);
  EXPECT_EQ(1, std::count_if(failures.begin(), failures.end(), [](const PageRecorder::Post& p) {
              return p.text == errorText(-1, "Resolve failed.");
            }));
}

TEST_F(QelSocketConnectionTest, LoginWhileAReconnectIsPendingConnectsAtOnceAndOnlyOnce) {
  ASSERT_TRUE(reconnectPending(9));
  command(R"([11,0,"login","alice","secret","HOST","201"])");
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,11:"));
  ASSERT_TRUE(loop_.advance(10000));
  EXPECT_EQ(2, server_.connectionCount());
  EXPECT_EQ(QelSocket::Connected, peer().state());
}

// ---- Completions of abandoned connections --------------------------------

TEST_F(QelSocketConnectionTest, LogoutThenLoginWhileAWriteIsPendingKeepsTheNewAttempt) {
  ASSERT_TRUE(logIn());
  loop_.faults().writeCompletionDelayMs = 1000;
  sendRequest("PENDING");
  loop_.faults().writeCompletionDelayMs = 0;
  ASSERT_TRUE(server_.expectFrame(requestText("PENDING")));
  ASSERT_TRUE(peer().writeInProgress());
  post(R"([3,0,"logout"])");
  post(R"([12,0,"login","alice","secret","HOST","201"])");
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,12:"));
  ASSERT_TRUE(loop_.advance(1000));
  EXPECT_EQ(QelSocket::Connected, peer().state());
  EXPECT_EQ(12, peer().loginRequestId());
  EXPECT_TRUE(server_.connected());
  EXPECT_EQ(1, connectionLostPosts());
  // The aborted write of the old connection is not reported.
  for (const std::string& line : page_.logLines()) {
    EXPECT_NE("OnSendCompletion result: -3", line);
  }
  // The new connection works: the challenge answer is taken.
  server_.sendFrame("CF,CLIENT,REQUESTLOGIN,12:,0");
  const auto login = server_.nextFrame();
  ASSERT_TRUE(login.has_value());
  EXPECT_EQ(0u, login->text.rfind("CLIENT,LOGIN,12:,|alice|,|", 0)) << login->text;
}

TEST_F(QelSocketConnectionTest, LoginForAnotherUserStartsOverAfterFiveSecondsUndisturbed) {
  ASSERT_TRUE(logIn());
  command(R"([8,0,"login","bob","secret","HOST","202"])");
  EXPECT_EQ(QelSocket::ReconnectPending, peer().state());
  ASSERT_TRUE(server_.waitForPeerClose());
  ASSERT_TRUE(loop_.advance(5000));
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,8:"));
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ((PostList{{0, kConnectionLost}}), pagePosts());
  EXPECT_EQ(QelSocket::Connected, peer().state());
}

TEST_F(QelSocketConnectionTest, ReconnectWhileResolvingIgnoresTheEarlierResolve) {
  post(R"([7,0,"login","alice","secret","HOST","201"])");
  EXPECT_EQ(QelSocket::Resolving, peer().state());
  post(R"([9,0,"reconnect"])");
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ(QelSocket::ReconnectPending, peer().state());
  ASSERT_TRUE(loop_.advance(5000));
  ASSERT_TRUE(server_.waitForConnection());
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
  ASSERT_TRUE(loop_.advance(10000));
  EXPECT_EQ(1, server_.connectionCount());
  EXPECT_EQ(1u, countLog("Resolved: " + server_.host() + ":8767"));
  EXPECT_TRUE(pagePosts().empty());
}

TEST_F(QelSocketConnectionTest, ReconnectWhileConnectedDropsWhatWaitedOnTheOldConnection) {
  ASSERT_TRUE(connect(7));
  loop_.faults().writeCompletionDelayMs = 1000;
  sendRequest("PENDING");
  loop_.faults().writeCompletionDelayMs = 0;
  sendRequest("QUEUED");
  ASSERT_TRUE(server_.expectFrame(requestText("PENDING")));
  command(R"([9,0,"reconnect"])");
  EXPECT_EQ(QelSocket::ReconnectPending, peer().state());
  EXPECT_EQ(0u, peer().queued());
  ASSERT_TRUE(loop_.advance(5000));
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ(1u, countLog("dropped 1 queued message(s): no connection"));
  EXPECT_TRUE(pagePosts().empty());
  EXPECT_EQ(QelSocket::Connected, peer().state());
}

TEST_F(QelSocketConnectionTest, ReconnectRightAfterAWriteWithoutConnectionStillConnects) {
  ASSERT_TRUE(connect(1));
  command(R"([2,0,"logout"])");
  page_.clear();
  // The write is issued while Idle and fails only after "reconnect" has
  // started a new attempt, which it must not end.
  post(R"([8,0,"enableacd",false])");
  post(R"([9,0,"reconnect"])");
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ(QelSocket::ReconnectPending, peer().state());
  EXPECT_TRUE(pagePosts().empty());
  ASSERT_TRUE(loop_.advance(5000));
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
}

// A write issued while Idle, and what queued behind it, belong to no
// connection: a new attempt ("login", or "reconnect" when true) drops them
// all with one line, and the new connection carries only what was sent
// after the attempt started.
class IdleWriteTest : public QelSocketConnectionTest, public ::testing::WithParamInterface<bool> {};

TEST_P(IdleWriteTest, WritesIssuedWhileIdleNeverReachALaterConnection) {
  const bool viaReconnect = GetParam();
  if (viaReconnect) {
    ASSERT_TRUE(connect(1));
    command(R"([2,0,"logout"])");
    page_.clear();
  }
  post(R"([3,0,"getversion"])");
  post(R"([4,0,"getversion"])");
  post(R"([5,0,"getversion"])");
  post(viaReconnect ? R"([9,0,"reconnect"])" : R"([9,0,"login","alice","secret","HOST","201"])");
  post(R"([10,0,"getversion"])");
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ(1u, countLog("dropped 3 queued message(s): no connection"));
  if (viaReconnect) {
    ASSERT_TRUE(loop_.advance(5000));
  }
  ASSERT_TRUE(server_.waitForConnection(viaReconnect ? 2 : 1));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
  EXPECT_TRUE(server_.expectFrame("CLIENT,VERSION,10:"));
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_TRUE(pagePosts().empty());
  EXPECT_EQ(QelSocket::Connected, peer().state());
}

INSTANTIATE_TEST_SUITE_P(Attempts, IdleWriteTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Reconnect" : "Login";
                         });

// Every message handed over without a connection leaves exactly one trace:
// its failed completion, or its share of a "dropped" count; "logout" counts
// the write still pending with the message queued behind it.
TEST_F(QelSocketConnectionTest, LogoutCountsTheWriteIssuedWithoutAConnection) {
  post(R"([3,0,"getversion"])");
  post(R"([4,0,"getversion"])");
  post(R"([5,0,"logout"])");
  ASSERT_TRUE(loop_.runUntilIdle());
  size_t traces = 0;
  for (const std::string& line : page_.logLines()) {
    if (line.rfind("OnSendCompletion result: -", 0) == 0) ++traces;
    if (line.rfind("dropped ", 0) == 0) traces += std::stoul(line.substr(8));
  }
  EXPECT_EQ(2u, traces);
  // The new connection carries its log-in road only.
  ASSERT_TRUE(connect(9));
  EXPECT_TRUE(server_.expectNoFrame());
}

// ---- Destruction ---------------------------------------------------------

TEST_F(QelSocketConnectionTest, DestroyingTheInstanceClosesWithoutAPost) {
  ASSERT_TRUE(logIn());
  loop_.faults().writeCompletionDelayMs = 1000;
  sendRequest("PENDING");
  sendRequest("QUEUED");
  server_.sendFrame("AE,CLIENT,LATE,0:,x");
  page_.clear();
  instance_.reset();
  EXPECT_TRUE(page_.posts().empty());
  EXPECT_TRUE(server_.waitForPeerClose());
  // Every outstanding completion and timer falls due on a dead session.
  ASSERT_TRUE(loop_.advance(600000));
  EXPECT_TRUE(page_.posts().empty());
}

TEST_F(QelSocketConnectionTest, DestroyingWhileSettingUpLeavesNothingBehind) {
  for (bool resolving : {true, false}) {
    SCOPED_TRACE(resolving ? "resolving" : "reconnect pending");
    instance_.reset(static_cast<QelClientInstance*>(module_->CreateInstance(2)));
    page_.attach(*instance_);
    if (resolving) {
      post(R"([7,0,"login","alice","secret","HOST","201"])");
      ASSERT_EQ(QelSocket::Resolving, peer().state());
    } else {
      ASSERT_TRUE(reconnectPending(9));
    }
    post(R"([8,0,"enableacd",true])");
    const int connections = server_.connectionCount();
    page_.clear();
    instance_.reset();
    ASSERT_TRUE(loop_.advance(10000));
    EXPECT_TRUE(page_.posts().empty());
    EXPECT_EQ(0u, loop_.pendingTimers());
    EXPECT_TRUE(server_.expectNoFrame());
    EXPECT_EQ(connections, server_.connectionCount());
  }
}

}  // namespace
