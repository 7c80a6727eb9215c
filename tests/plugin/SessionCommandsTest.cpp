// The page commands that run the session: "login", "loginwithext",
// "logout", "reconnect", "checkconnection", "selectline", "setlogging" and
// "enableacd", against the stand-in call server with the test clock.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/PagePostTexts.h"
#include "tests/support/SessionFixture.h"

namespace {

const std::string kNetDown = connectionStateText(false, "NET_SERVER");

std::string checkText(bool connected) {
  return std::string(R"({"details":{"connected":)") + (connected ? "true" : "false") +
         R"(},"error":)" + (connected ? "0" : "-2") + "}\n";
}

class SessionCommandsTest : public SessionFixture {
 protected:
  // "login" with id 7, the challenge request received, then "logout": Idle
  // with the credentials stored.
  ::testing::AssertionResult loggedOut() {
    auto result = connect();
    if (!result) return result;
    command(R"([1,0,"logout"])");
    if (!server_.waitForPeerClose()) return ::testing::AssertionFailure() << "still connected";
    page_.clear();
    return ::testing::AssertionSuccess();
  }

  // Index of the first log line `line` on the page; size() when absent.
  size_t logIndex(const std::string& line) const {
    for (size_t i = 0; i < page_.size(); ++i) {
      const Json::Value value = page_.json(i);
      if (page_.posts()[i].code == PageRecorder::kLogCode && value["log"] == line) return i;
    }
    return page_.size();
  }
};

class LoginNameTest : public SessionCommandsTest,
                      public ::testing::WithParamInterface<const char*> {
 protected:
  std::string name() const { return GetParam(); }
};

TEST_P(LoginNameTest, FewerThanSixElementsOnlyLogs) {
  command("[7,0,\"" + name() + "\"]");
  command("[7,0,\"" + name() + R"(","alice","secret"])");
  EXPECT_EQ(page_.logLines(), (std::vector<std::string>{
                                  "CMD(7," + name() + ",3)", "login error: not enough argument",
                                  "CMD(7," + name() + ",5)", "login error: not enough argument"}));
  EXPECT_TRUE(pagePosts().empty());
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  EXPECT_EQ(peer().userName(), "");
  EXPECT_EQ(peer().loginRequestId(), 0);
  EXPECT_EQ(server_.connectionCount(), 0);
}

TEST_P(LoginNameTest, StoresTheCredentialsAndConnectsAtOnce) {
  command("[7.9,0,\"" + name() + R"(","alice","secret","HOST","4711","ignored"])");
  EXPECT_EQ(peer().userName(), "alice");
  EXPECT_EQ(peer().password(), "secret");
  EXPECT_EQ(peer().serverHost(), server_.host());
  EXPECT_EQ(peer().extension(), "4711");
  EXPECT_EQ(peer().loginRequestId(), 7);
  ASSERT_TRUE(server_.waitForConnection());
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,7:"));
  EXPECT_EQ(peer().state(), QelSocket::Connected);
  EXPECT_TRUE(pagePosts().empty());
}

TEST_P(LoginNameTest, SixElementsClearAStoredExtension) {
  command("[7,0,\"" + name() + R"(","alice","secret","HOST","4711"])");
  EXPECT_EQ(peer().extension(), "4711");
  command(R"([8,0,"logout"])");
  command("[9,0,\"" + name() + R"(","alice","secret","HOST"])");
  EXPECT_EQ(peer().extension(), "");
  EXPECT_EQ(peer().loginRequestId(), 9);
}

TEST_P(LoginNameTest, NonStringArgumentsAndIdReadEmptyAndZero) {
  command("[\"7\",0,\"" + name() + R"(",5,true,null,{}])");
  EXPECT_EQ(peer().userName(), "");
  EXPECT_EQ(peer().password(), "");
  EXPECT_EQ(peer().serverHost(), "");
  EXPECT_EQ(peer().extension(), "");
  // An empty host does not resolve; the error goes under the stored id 0.
  ASSERT_TRUE(loop_.runUntil([this] { return !pagePosts().empty(); }));
  EXPECT_EQ(pagePosts(), (PostList{{0, errorText(-1, "Resolve failed.")}}));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
}

INSTANTIATE_TEST_SUITE_P(Names, LoginNameTest, ::testing::Values("login", "loginwithext"));

// Where a second "login" for the same user and host meets the session.
enum class Stage { kResolving, kConnected, kLoggedIn, kCallControlReady };

void PrintTo(Stage stage, std::ostream* out) {
  const char* const names[] = {"Resolving", "Connected", "LoggedIn", "CallControlReady"};
  *out << names[static_cast<int>(stage)];
}

class RepeatedLoginTest : public SessionCommandsTest, public ::testing::WithParamInterface<Stage> {
 protected:
  ::testing::AssertionResult reach(Stage stage) {
    switch (stage) {
      case Stage::kResolving:
        post(R"([7,0,"login","alice","secret","HOST","201"])");
        if (peer().state() == QelSocket::Resolving) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "state " << peer().state();
      case Stage::kConnected:
        return connect();
      case Stage::kLoggedIn:
        return logIn(7, "N2N");
      case Stage::kCallControlReady:
        return logIn(7);
    }
    return ::testing::AssertionFailure();
  }
};

TEST_P(RepeatedLoginTest, SameUserAndHostOnlyLogsThatLoginHasBeenStarted) {
  ASSERT_TRUE(reach(GetParam()));
  const int state = peer().state();
  page_.clear();
  post(R"([9,0,"login","alice","other","HOST","999"])");
  EXPECT_EQ(page_.logLines(),
            (std::vector<std::string>{"CMD(9,login,7)", "login: has been started"}));
  EXPECT_EQ(peer().state(), state);
  EXPECT_EQ(peer().password(), "secret");
  EXPECT_EQ(peer().extension(), "201");
  EXPECT_EQ(peer().loginRequestId(), 7);
  page_.clear();
  if (GetParam() == Stage::kResolving) {
    ASSERT_TRUE(server_.waitForConnection());
    EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,7:"));
  }
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_TRUE(pagePosts().empty());
  EXPECT_EQ(server_.connectionCount(), 1);
  EXPECT_TRUE(server_.connected());
}

TEST_P(RepeatedLoginTest, AnotherHostDisconnectsAndConnectsThereAfterFiveSeconds) {
  StandInCallServer other(loop_);
  ASSERT_TRUE(other.listening());
  ASSERT_TRUE(reach(GetParam()));
  page_.clear();
  command(R"([9,0,"login","alice","pw2",")" + other.host() + R"(","300"])");
  EXPECT_EQ(pagePosts(), (PostList{{0, kNetDown}}));
  EXPECT_EQ(peer().state(), QelSocket::ReconnectPending);
  EXPECT_EQ(peer().serverHost(), other.host());
  EXPECT_EQ(peer().password(), "pw2");
  EXPECT_EQ(peer().extension(), "300");
  EXPECT_EQ(peer().loginRequestId(), 9);
  if (GetParam() != Stage::kResolving) {
    EXPECT_TRUE(server_.waitForPeerClose());
  }
  ASSERT_TRUE(loop_.advance(4999));
  EXPECT_EQ(peer().state(), QelSocket::ReconnectPending);
  EXPECT_EQ(other.connectionCount(), 0);
  ASSERT_TRUE(loop_.advance(1));
  EXPECT_GE(peer().state(), QelSocket::Resolving);
  ASSERT_TRUE(other.waitForConnection());
  EXPECT_TRUE(other.expectFrame("CLIENT,REQUESTLOGIN,9:"));
  EXPECT_EQ(peer().state(), QelSocket::Connected);
  EXPECT_TRUE(server_.expectNoFrame());
}

INSTANTIATE_TEST_SUITE_P(Stages, RepeatedLoginTest,
                         ::testing::Values(Stage::kResolving, Stage::kConnected, Stage::kLoggedIn,
                                           Stage::kCallControlReady));

TEST_F(SessionCommandsTest, AnotherUserOnTheSameHostConnectsAgainAfterFiveSeconds) {
  ASSERT_TRUE(logIn(7));
  command(R"([9,0,"login","bob","pw","HOST","202"])");
  EXPECT_EQ(pagePosts(), (PostList{{0, kNetDown}}));
  ASSERT_TRUE(loop_.advance(5000));
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,9:,0"));
  EXPECT_TRUE(expectCredentialLogIn(9, "bob"));
}

TEST_F(SessionCommandsTest, LoginWhileReconnectPendingConnectsAtOnce) {
  command(R"([8,0,"reconnect"])");
  ASSERT_EQ(peer().state(), QelSocket::ReconnectPending);
  command(R"([9,0,"login","alice","secret","HOST","201"])");
  ASSERT_TRUE(server_.waitForConnection());
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
  // The earlier timer finds the session no longer waiting for it.
  ASSERT_TRUE(loop_.advance(5000));
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ(server_.connectionCount(), 1);
  EXPECT_EQ(peer().state(), QelSocket::Connected);
  EXPECT_EQ(peer().loginRequestId(), 9);
  EXPECT_TRUE(pagePosts().empty());
}

// The errors of a connection attempt go under the id of the "login" or
// "reconnect" that started it.
TEST_F(SessionCommandsTest, ConnectionErrorsGoUnderTheIdThatStartedTheAttempt) {
  std::string unused;
  {
    StandInCallServer gone(loop_);
    unused = gone.host();
  }
  command(R"([7,0,"login","alice","secret",")" + unused + R"(","201"])");
  ASSERT_TRUE(loop_.runUntil([this] { return !pagePosts().empty(); }));
  EXPECT_EQ(pagePosts(), (PostList{{7, errorText(-1, "Connection failed: -102")}}));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  page_.clear();
  command(R"([8,0,"reconnect"])");
  ASSERT_TRUE(loop_.advance(5000));
  ASSERT_TRUE(loop_.runUntil([this] { return !pagePosts().empty(); }));
  EXPECT_EQ(pagePosts(), (PostList{{8, errorText(-1, "Connection failed: -102")}}));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
}

TEST_F(SessionCommandsTest, LogoutAnswersAndDisconnectsInEveryState) {
  command(R"([3,0,"logout"])");
  EXPECT_EQ(pagePosts(), (PostList{{3, errorText(0, "")}, {0, kNetDown}}));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  page_.clear();

  ASSERT_TRUE(connect());
  command(R"([0,0,"logout"])");
  EXPECT_EQ(pagePosts(), (PostList{{0, errorText(0, "")}, {0, kNetDown}}));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  EXPECT_TRUE(server_.waitForPeerClose());
  page_.clear();

  ASSERT_TRUE(logIn(8));
  command(R"([4,0,"logout","ignored"])");
  EXPECT_EQ(pagePosts(), (PostList{{4, errorText(0, "")}, {0, kNetDown}}));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  EXPECT_EQ(peer().loginRequestId(), 0);
  EXPECT_EQ(peer().lvl2oaiState(), QelSocket::ServiceNone);
  EXPECT_TRUE(server_.waitForPeerClose());
  // Nothing goes to the server, the keep-alive ends and the credentials
  // stay.
  ASSERT_TRUE(loop_.advance(120000));
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ(peer().userName(), "alice");
  EXPECT_EQ(peer().password(), "secret");
  EXPECT_EQ(peer().serverHost(), server_.host());
  EXPECT_EQ(peer().extension(), "201");
}

class IgnoredReconnectTest : public SessionCommandsTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(IgnoredReconnectTest, IdThatIsNotANumberAboveZeroDoesNothing) {
  command(std::string("[") + GetParam() + R"(,0,"reconnect"])");
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  EXPECT_EQ(peer().loginRequestId(), 0);
  ASSERT_TRUE(loop_.advance(5000));
  EXPECT_EQ(server_.connectionCount(), 0);
  EXPECT_TRUE(pagePosts().empty());
}

INSTANTIATE_TEST_SUITE_P(Ids, IgnoredReconnectTest,
                         ::testing::Values("0", "-3", "0.5", "\"8\"", "null", "true", "[8]"));

TEST_F(SessionCommandsTest, ReconnectWhileLoggedInDoesNothing) {
  for (const char* services : {"N2N", "LVL2OAI"}) {
    SCOPED_TRACE(services);
    ASSERT_TRUE(logIn(7, services));
    const int state = peer().state();
    ASSERT_TRUE(session().isLoggedIn());
    command(R"([8,0,"reconnect"])");
    EXPECT_EQ(peer().state(), state);
    EXPECT_EQ(peer().loginRequestId(), 7);
    ASSERT_TRUE(loop_.advance(5000));
    EXPECT_TRUE(server_.expectNoFrame());
    EXPECT_TRUE(pagePosts().empty());
    EXPECT_TRUE(server_.connected());
    command(R"([1,0,"logout"])");
    page_.clear();
  }
}

TEST_F(SessionCommandsTest, ReconnectConnectsAfterFiveSecondsWithTheStoredCredentials) {
  ASSERT_TRUE(logIn(7));
  command(R"([1,0,"logout"])");
  ASSERT_TRUE(server_.waitForPeerClose());
  page_.clear();
  command(R"([8.7,0,"reconnect"])");
  EXPECT_EQ(peer().state(), QelSocket::ReconnectPending);
  EXPECT_EQ(peer().loginRequestId(), 8);
  EXPECT_TRUE(pagePosts().empty());
  ASSERT_TRUE(loop_.advance(4999));
  EXPECT_EQ(peer().state(), QelSocket::ReconnectPending);
  EXPECT_EQ(server_.connectionCount(), 1);
  ASSERT_TRUE(loop_.advance(1));
  EXPECT_GE(peer().state(), QelSocket::Resolving);
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,8:"));
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,8:,0"));
  EXPECT_TRUE(expectCredentialLogIn(8, "alice"));
  EXPECT_TRUE(pagePosts().empty());
}

TEST_F(SessionCommandsTest, ReconnectWhileConnectedStartsAgainUnderTheNewId) {
  ASSERT_TRUE(connect());
  command(R"([8,0,"reconnect"])");
  EXPECT_EQ(peer().state(), QelSocket::ReconnectPending);
  EXPECT_EQ(peer().loginRequestId(), 8);
  ASSERT_TRUE(loop_.advance(5000));
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,8:"));
  EXPECT_EQ(peer().state(), QelSocket::Connected);
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_TRUE(pagePosts().empty());
}

TEST_F(SessionCommandsTest, OnlyTheLatestReconnectTimerConnects) {
  ASSERT_TRUE(loggedOut());
  command(R"([8,0,"reconnect"])");
  ASSERT_TRUE(loop_.advance(2000));
  command(R"([9,0,"reconnect"])");
  ASSERT_TRUE(loop_.advance(3000));
  EXPECT_EQ(server_.connectionCount(), 1);
  EXPECT_EQ(peer().state(), QelSocket::ReconnectPending);
  ASSERT_TRUE(loop_.advance(2000));
  ASSERT_TRUE(server_.waitForConnection(2));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
  ASSERT_TRUE(loop_.advance(10000));
  EXPECT_EQ(server_.connectionCount(), 2);
}

// A write still pending and messages still queued when the page logs out
// and in again belong to the closed connection: they neither tear down the
// new attempt nor reach the new connection.
TEST_F(SessionCommandsTest, LogoutAndLoginWhileAWriteIsPendingStartsCleanly) {
  ASSERT_TRUE(logIn(7));
  command(R"([9,0,"selectline","1"])");
  page_.clear();
  post(R"([9,0,"dialnumber","300"])");
  post(R"([9,0,"dialnumber","301"])");
  post(R"([1,0,"logout"])");
  post(R"([10,0,"login","alice","secret","HOST","201"])");
  ASSERT_TRUE(server_.waitForConnection(2));
  auto frame = server_.nextFrame();
  ASSERT_TRUE(frame);
  if (frame->text == "LVL2OAI,RAWCMD,9:,_MC,9,201:1,300") frame = server_.nextFrame();
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->text, "CLIENT,REQUESTLOGIN,10:");
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ(peer().state(), QelSocket::Connected);
  EXPECT_EQ(pagePosts(), (PostList{{1, errorText(0, "")}, {0, kNetDown}}));
  EXPECT_EQ(peer().queued(), 0u);
}

TEST_F(SessionCommandsTest, LogoutCancelsAnArmedReconnect) {
  ASSERT_TRUE(loggedOut());
  command(R"([8,0,"reconnect"])");
  command(R"([1,0,"logout"])");
  ASSERT_TRUE(loop_.advance(5000));
  EXPECT_EQ(server_.connectionCount(), 1);
  EXPECT_EQ(peer().state(), QelSocket::Idle);
}

TEST_F(SessionCommandsTest, LogoutCancelsAReconnectWithTokenZero) {
  StandInCallServer other(loop_);
  ASSERT_TRUE(connect());
  command(R"([0,0,"login","alice","secret",")" + other.host() + R"(","201"])");
  ASSERT_EQ(peer().state(), QelSocket::ReconnectPending);
  ASSERT_EQ(peer().loginRequestId(), 0);
  command(R"([1,0,"logout"])");
  ASSERT_TRUE(loop_.advance(5000));
  EXPECT_EQ(other.connectionCount(), 0);
  EXPECT_EQ(peer().state(), QelSocket::Idle);
}

TEST_F(SessionCommandsTest, CheckConnectionWhileNotLoggedInAnswersMinusTwo) {
  command(R"([4,0,"checkconnection"])");
  EXPECT_EQ(pagePosts(), (PostList{{4, checkText(false)}}));
  ASSERT_TRUE(connect());
  command(R"([5,0,"checkconnection"])");
  EXPECT_EQ(pagePosts(), (PostList{{5, checkText(false)}}));
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ(logIndex("checkConnection result: -5"), page_.size());
}

TEST_F(SessionCommandsTest, CheckConnectionWhileLoggedInWritesAKeepAliveFrame) {
  ASSERT_TRUE(logIn(7));
  command(R"([4,0,"checkconnection"])");
  EXPECT_EQ(pagePosts(), (PostList{{4, checkText(true)}}));
  EXPECT_TRUE(expectKeepAlive());
  EXPECT_TRUE(server_.expectNoFrame());
}

TEST_F(SessionCommandsTest, CheckConnectionBehindAWriteInProgressWritesNothing) {
  ASSERT_TRUE(logIn(7));
  command(R"([9,0,"selectline","1"])");
  post(R"([9,0,"dialnumber","300"])");
  post(R"([4,0,"checkconnection"])");
  loop_.runUntilIdle();
  EXPECT_EQ(pagePosts(), (PostList{{9, R"({"error":0})"
                                       "\n"},
                                   {4, checkText(true)}}));
  EXPECT_TRUE(server_.expectFrame("LVL2OAI,RAWCMD,9:,_MC,9,201:1,300"));
  EXPECT_TRUE(server_.expectNoFrame());
}

TEST_F(SessionCommandsTest, CheckConnectionReportsAFailedWriteUntilAWriteSucceeds) {
  // A write without a connection fails with the platform's bad-resource
  // code.
  command(R"([3,0,"enableacd",true])");
  ASSERT_TRUE(page_.hasLog("OnSendCompletion result: -5"));
  EXPECT_EQ(pagePosts(), (PostList{{0, kNetDown}}));
  page_.clear();
  for (int i = 0; i < 2; ++i) {
    command(R"([4,0,"checkconnection"])");
    const size_t line = logIndex("checkConnection result: -5");
    ASSERT_LT(line, page_.size());
    EXPECT_LT(line, page_.indexOf("connected"));
    EXPECT_EQ(pagePosts(), (PostList{{4, checkText(false)}}));
    page_.clear();
  }
  ASSERT_TRUE(logIn(7));
  command(R"([5,0,"checkconnection"])");
  EXPECT_EQ(pagePosts(), (PostList{{5, checkText(true)}}));
  EXPECT_EQ(logIndex("checkConnection result: -5"), page_.size());
}

struct SelectLineCase {
  const char* command;
  const char* device;
};

void PrintTo(const SelectLineCase& c, std::ostream* out) {
  *out << c.command;
}

class SelectLineTest : public SessionCommandsTest,
                       public ::testing::WithParamInterface<SelectLineCase> {};

TEST_P(SelectLineTest, DeviceIsTheExtensionAndTheLine) {
  peer().setExtension("4711");
  command(GetParam().command);
  EXPECT_EQ(peer().device(), GetParam().device);
  EXPECT_EQ(peer().extension(), "4711");
  EXPECT_EQ(pagePosts(), (PostList{{6, "{\"error\":0}\n"}}));
  EXPECT_EQ(server_.connectionCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Lines, SelectLineTest,
                         ::testing::Values(SelectLineCase{R"([6,0,"selectline","2"])", "4711:2"},
                                           SelectLineCase{R"([6,0,"selectline"])", "4711:"},
                                           SelectLineCase{R"([6,0,"selectline",2])", "4711:"},
                                           SelectLineCase{R"([6,0,"selectline","",3])", "4711:"},
                                           SelectLineCase{R"([6,0,"selectline","a:b"])",
                                                          "4711:a:b"}));

TEST_F(SessionCommandsTest, SelectLineUsesTheExtensionOfTheLogin) {
  command(R"([7,0,"login","alice","secret","HOST","4711"])");
  command(R"([6,0,"selectline","2"])");
  EXPECT_EQ(peer().device(), "4711:2");
}

struct SetLoggingCase {
  const char* flag;
  bool enabled;
};

void PrintTo(const SetLoggingCase& c, std::ostream* out) {
  *out << "setlogging" << c.flag;
}

class SetLoggingTest : public SessionCommandsTest,
                       public ::testing::WithParamInterface<SetLoggingCase> {};

TEST_P(SetLoggingTest, OnlyCapitalYEnables) {
  command(R"([1,0,"setlogging","Y"])");
  ASSERT_TRUE(peer().loggingEnabled());
  page_.clear();
  command(std::string(R"([5,0,"setlogging")") + GetParam().flag + "]");
  EXPECT_EQ(peer().loggingEnabled(), GetParam().enabled);
  EXPECT_EQ(pagePosts(), (PostList{{5, errorText(0, "Updated")}}));
}

INSTANTIATE_TEST_SUITE_P(
    Flags, SetLoggingTest,
    ::testing::Values(SetLoggingCase{R"(,"Y")", true}, SetLoggingCase{R"(,"y")", false},
                      SetLoggingCase{R"(,"YES")", false}, SetLoggingCase{R"(,"Y ")", false},
                      SetLoggingCase{R"(,"")", false}, SetLoggingCase{"", false},
                      SetLoggingCase{",true", false}, SetLoggingCase{",1", false}));

struct EnableAcdCase {
  const char* command;
  bool enabled;
  const char* sent;
};

void PrintTo(const EnableAcdCase& c, std::ostream* out) {
  *out << c.command;
}

class EnableAcdTest : public SessionCommandsTest,
                      public ::testing::WithParamInterface<EnableAcdCase> {};

TEST_P(EnableAcdTest, OnlyTheBooleanTrueEnablesAndLogsIn) {
  ASSERT_TRUE(logIn(7));
  command(R"([2,0,"enableacd",true])");
  ASSERT_TRUE(server_.expectFrame("ACD,LOGIN,2:,,DEZezori"));
  page_.clear();
  command(GetParam().command);
  EXPECT_EQ(peer().acdEnabled(), GetParam().enabled);
  EXPECT_TRUE(server_.expectFrame(GetParam().sent));
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_TRUE(pagePosts().empty());
  EXPECT_EQ(peer().acdState(), QelSocket::ServiceNone);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, EnableAcdTest,
    ::testing::Values(EnableAcdCase{R"([3,0,"enableacd",true])", true, "ACD,LOGIN,3:,,DEZezori"},
                      EnableAcdCase{R"([0,0,"enableacd",true])", true, "ACD,LOGIN,,,DEZezori"},
                      EnableAcdCase{R"([3,0,"enableacd",false])", false, "ACD,LOGOUT,3:"},
                      EnableAcdCase{R"([3,0,"enableacd",1])", false, "ACD,LOGOUT,3:"},
                      EnableAcdCase{R"([3,0,"enableacd","true"])", false, "ACD,LOGOUT,3:"},
                      EnableAcdCase{R"([3,0,"enableacd"])", false, "ACD,LOGOUT,3:"},
                      EnableAcdCase{R"([0,0,"enableacd",null])", false, "ACD,LOGOUT,"}));

TEST_F(SessionCommandsTest, EnableAcdWithoutAConnectionFailsItsWrite) {
  command(R"([3,0,"enableacd",true])");
  const std::vector<std::string> lines = page_.logLines();
  EXPECT_EQ(lines, (std::vector<std::string>{"CMD(3,enableacd,4)", "ACD,LOGIN,3:,,DEZezori",
                                             "OnSendCompletion result: -5"}));
  EXPECT_EQ(pagePosts(), (PostList{{0, kNetDown}}));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  EXPECT_TRUE(peer().acdEnabled());
  EXPECT_EQ(peer().lastWriteResult(), -5);
}

TEST_F(SessionCommandsTest, EnableAcdWhileConnectingGoesOutAfterTheChallengeRequest) {
  post(R"([7,0,"login","alice","secret","HOST","201"])");
  post(R"([3,0,"enableacd",true])");
  ASSERT_TRUE(server_.waitForConnection());
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,7:"));
  EXPECT_TRUE(server_.expectFrame("ACD,LOGIN,3:,,DEZezori"));
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,7:,0"));
  EXPECT_TRUE(expectCredentialLogIn(7, "alice"));
  ASSERT_TRUE(deliver("CF,ACD,LOGIN,3:,0,agent ready"));
  EXPECT_EQ(pagePosts(), (PostList{{3, errorText(0, "agent ready")},
                                   {0, connectionStateText(true, "ACD_SERVICE")}}));
  EXPECT_EQ(peer().acdState(), QelSocket::ServiceLoggedIn);
}

}  // namespace
