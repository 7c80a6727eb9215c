// The log-in road against the stand-in call server: the challenge, the
// "CLIENT" log-in, the service list, the service log-ins, their loss and
// log-out, and the log-out answers, with the exact page posts and server
// texts of each step.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "messages/LoginMessages.h"
#include "tests/support/CredentialTestSupport.h"
#include "tests/support/PagePostTexts.h"
#include "tests/support/SessionFixture.h"

namespace {

// The five service states, in the order lvl2oai, indss, n2n, dss, acd.
struct ServiceStates {
  int lvl2oai;
  int indss;
  int n2n;
  int dss;
  int acd;
};

bool operator==(const ServiceStates& a, const ServiceStates& b) {
  return a.lvl2oai == b.lvl2oai && a.indss == b.indss && a.n2n == b.n2n && a.dss == b.dss &&
         a.acd == b.acd;
}

std::ostream& operator<<(std::ostream& out, const ServiceStates& s) {
  return out << "{lvl2oai " << s.lvl2oai << ", indss " << s.indss << ", n2n " << s.n2n << ", dss "
             << s.dss << ", acd " << s.acd << "}";
}

const std::string kNetDown = connectionStateText(false, "NET_SERVER");
const std::string kNetUp = connectionStateText(true, "NET_SERVER");

class LoginSequenceTest : public SessionFixture {
 protected:
  ServiceStates services() {
    QelSocketTestPeer p = peer();
    return {p.lvl2oaiState(), p.indssState(), p.n2nState(), p.dssState(), p.acdState()};
  }

  // Up to LoggedIn with the service-list request received.
  ::testing::AssertionResult loggedIn(int id = 7) {
    auto result = connect(id);
    if (!result) return result;
    if (!(result = deliver("CF,CLIENT,REQUESTLOGIN," + ids(id) + ",0"))) return result;
    if (!(result = expectCredentialLogIn(id, "alice"))) return result;
    if (!(result = deliver("CF,CLIENT,LOGIN," + ids(id) + ",0,Welcome"))) return result;
    result = server_.expectFrame("CLIENT,NOTIFY_AVAILABLE_SERVICES," + ids(id));
    if (result) page_.clear();
    return result;
  }

  // The session is CallControlReady, and a call made from the page reaches
  // the server.
  ::testing::AssertionResult callControlWorks() {
    if (peer().state() != QelSocket::CallControlReady) {
      return ::testing::AssertionFailure() << "state " << peer().state();
    }
    command(R"([10,0,"selectline","1"])");
    command(R"([11,0,"dialnumber","300"])");
    return expectFrames({"LVL2OAI,RAWCMD,11:,_MC,11,201:1,300"});
  }

  // The service log-ins the server receives next, in order, and nothing
  // more.
  ::testing::AssertionResult expectFrames(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
      auto result = server_.expectFrame(text);
      if (!result) return result;
    }
    return server_.expectNoFrame();
  }
};

TEST_F(LoginSequenceTest, AcceptedChallengeSendsTheCredentialLogIn) {
  ASSERT_TRUE(connect(7));
  EXPECT_EQ(peer().state(), QelSocket::Connected);
  const std::string key = "Key-4711";
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,7:,0," + scrambleChallenge(key)));
  ASSERT_EQ(getSecureLoginKey(), key);
  std::string digest;
  ASSERT_TRUE(expectCredentialLogIn(7, "alice", &digest));
  EXPECT_EQ(digestMismatch(digest, "secret," + key), "");
  EXPECT_EQ(peer().state(), QelSocket::Connected);
  EXPECT_TRUE(pagePosts().empty());
  EXPECT_TRUE(server_.expectNoFrame());
}

TEST_F(LoginSequenceTest, StatusOfAnAcceptedChallengeOnlyNeedsALeadingZero) {
  ASSERT_TRUE(connect(7));
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,7:,0k"));
  EXPECT_TRUE(expectCredentialLogIn(7, "alice"));
  EXPECT_TRUE(pagePosts().empty());
}

struct RefusedCase {
  const char* answer;
  int answerId;
};

void PrintTo(const RefusedCase& c, std::ostream* out) {
  *out << c.answer;
}

class RefusedChallengeTest : public LoginSequenceTest,
                             public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedChallengeTest, PostsConnectRefusedUnderTheAnswerIdAndDisconnects) {
  ASSERT_TRUE(connect(7));
  ASSERT_TRUE(deliver(GetParam().answer));
  EXPECT_EQ(pagePosts(),
            (PostList{{GetParam().answerId, errorText(-1, "connect refused")}, {0, kNetDown}}));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  EXPECT_EQ(peer().loginRequestId(), 0);
  EXPECT_EQ(services(), (ServiceStates{0, 0, 0, 0, 0}));
  EXPECT_TRUE(server_.waitForPeerClose());
  EXPECT_TRUE(server_.expectNoFrame());
  // Nothing retries, and the credentials stay for a "reconnect".
  EXPECT_TRUE(loop_.advance(10000));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  EXPECT_EQ(server_.connectionCount(), 1);
  EXPECT_EQ(peer().userName(), "alice");
  EXPECT_EQ(peer().password(), "secret");
  EXPECT_EQ(peer().serverHost(), server_.host());
  EXPECT_EQ(peer().extension(), "201");
}

INSTANTIATE_TEST_SUITE_P(Answers, RefusedChallengeTest,
                         ::testing::Values(RefusedCase{"CF,CLIENT,REQUESTLOGIN,9:,1,abc", 9},
                                           RefusedCase{"CF,CLIENT,REQUESTLOGIN,0:,", 0},
                                           RefusedCase{"CF,CLIENT,REQUESTLOGIN,7:,-0", 7},
                                           RefusedCase{"CF,CLIENT,REQUESTLOGIN,7:,O", 7},
                                           RefusedCase{"CF,CLIENT,REQUESTLOGIN,7:", 7}));

TEST_F(LoginSequenceTest, AcceptedClientLogInAsksForServicesAndStartsTheKeepAlive) {
  ASSERT_TRUE(connect(7));
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,7:,0"));
  ASSERT_TRUE(expectCredentialLogIn(7, "alice"));
  const int generation = peer().keepAliveGeneration();
  ASSERT_TRUE(deliver("CF,CLIENT,LOGIN,7:,0,Welcome"));
  EXPECT_EQ(pagePosts(), (PostList{{0, kNetUp}}));
  EXPECT_EQ(peer().state(), QelSocket::LoggedIn);
  EXPECT_TRUE(session().isLoggedIn());
  EXPECT_FALSE(session().isLvl2LoggedIn());
  EXPECT_TRUE(expectFrames({"CLIENT,NOTIFY_AVAILABLE_SERVICES,7:"}));
  EXPECT_EQ(peer().keepAliveGeneration(), generation + 1);
  EXPECT_TRUE(loop_.advance(119999));
  EXPECT_TRUE(expectNoKeepAliveWritten());
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_TRUE(loop_.advance(1));
  EXPECT_TRUE(expectKeepAlive());
  EXPECT_TRUE(page_.hasLog("OnSendCompletion result: 4"));
}

struct ClientRefusalCase {
  const char* answer;
  int answerId;
  const char* details;
};

void PrintTo(const ClientRefusalCase& c, std::ostream* out) {
  *out << c.answer;
}

class RefusedClientLogInTest : public LoginSequenceTest,
                               public ::testing::WithParamInterface<ClientRefusalCase> {};

TEST_P(RefusedClientLogInTest, PostsMinusTenWithTheServersDetailsAndDisconnects) {
  ASSERT_TRUE(connect(7));
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,7:,0"));
  ASSERT_TRUE(expectCredentialLogIn(7, "alice"));
  ASSERT_TRUE(deliver(GetParam().answer));
  EXPECT_EQ(pagePosts(),
            (PostList{{GetParam().answerId, errorText(-10, GetParam().details)}, {0, kNetDown}}));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  EXPECT_EQ(peer().loginRequestId(), 0);
  EXPECT_TRUE(server_.waitForPeerClose());
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_TRUE(loop_.advance(120000));
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ(peer().userName(), "alice");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RefusedClientLogInTest,
    ::testing::Values(ClientRefusalCase{"CF,CLIENT,LOGIN,8:,1,Invalid password", 8,
                                        "Invalid password"},
                      ClientRefusalCase{"CF,CLIENT,LOGIN,7:,,", 7, ""},
                      ClientRefusalCase{"CF,CLIENT,LOGIN,0:,-10,user locked, call the admin", 0,
                                        "user locked, call the admin"}));

TEST_F(LoginSequenceTest, RequestIdZeroIsLeftOutOfEveryText) {
  command(R"([0,0,"login","alice","secret","HOST","201"])");
  ASSERT_TRUE(server_.waitForConnection());
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,"));
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,,0"));
  EXPECT_TRUE(expectCredentialLogIn(0, "alice"));
  ASSERT_TRUE(deliver("CF,CLIENT,LOGIN,,0,Welcome"));
  EXPECT_TRUE(server_.expectFrame("CLIENT,NOTIFY_AVAILABLE_SERVICES,"));
  ASSERT_TRUE(deliver("AE,CLIENT,AVAILABLE,0:,LVL2OAI,ACD"));
  EXPECT_TRUE(expectFrames({"LVL2OAI,LOGIN,,,DEZezori"}));
  ASSERT_TRUE(deliver("CF,LVL2OAI,LOGIN,,0,ok"));
  EXPECT_EQ(peer().state(), QelSocket::CallControlReady);
  EXPECT_EQ(pagePosts(),
            (PostList{{0, kNetUp}, {0, connectionStateText(true, "LVL2OAI_SERVICE")}}));
}

// Service lists received while LoggedIn.
struct ServiceListCase {
  const char* services;
  bool acdEnabled;
  std::vector<std::string> logins;
  ServiceStates states;
};

void PrintTo(const ServiceListCase& c, std::ostream* out) {
  *out << "\"" << c.services << "\"" << (c.acdEnabled ? " with ACD" : "");
}

class ServiceListTest : public LoginSequenceTest,
                        public ::testing::WithParamInterface<ServiceListCase> {};

TEST_P(ServiceListTest, LogsInToTheOfferedServices) {
  const ServiceListCase& c = GetParam();
  ASSERT_TRUE(loggedIn(7));
  if (c.acdEnabled) {
    command(R"([3,0,"enableacd",true])");
    ASSERT_TRUE(server_.expectFrame("ACD,LOGIN,3:,,DEZezori"));
  }
  ASSERT_TRUE(deliver(std::string("AE,CLIENT,AVAILABLE,0:,") + c.services));
  EXPECT_TRUE(expectFrames(c.logins));
  EXPECT_EQ(services(), c.states);
  EXPECT_EQ(peer().state(), QelSocket::LoggedIn);
  EXPECT_TRUE(pagePosts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ServiceListTest,
    ::testing::Values(ServiceListCase{"LVL2OAI,INDSS,N2N,DSS",
                                      false,
                                      {"LVL2OAI,LOGIN,7:,,DEZezori", "INDSS,LOGIN,7:,,DEZezori",
                                       "N2N,LOGIN,7:,,DEZezori"},
                                      {1, 1, 1, 1, 0}},
                      ServiceListCase{"LVL2OAI,DSS",
                                      false,
                                      {"LVL2OAI,LOGIN,7:,,DEZezori", "DSS,LOGIN,7:,,DEZezori"},
                                      {1, 0, 0, 1, 0}},
                      ServiceListCase{
                          "DSS,INDSS", false, {"INDSS,LOGIN,7:,,DEZezori"}, {0, 1, 0, 1, 0}},
                      ServiceListCase{"ACD", false, {}, {0, 0, 0, 0, 0}},
                      ServiceListCase{"ACD", true, {"ACD,LOGIN,7:,,DEZezori"}, {0, 0, 0, 0, 1}},
                      ServiceListCase{"ACD,DSS,N2N,LVL2OAI",
                                      true,
                                      {"LVL2OAI,LOGIN,7:,,DEZezori", "N2N,LOGIN,7:,,DEZezori",
                                       "DSS,LOGIN,7:,,DEZezori", "ACD,LOGIN,7:,,DEZezori"},
                                      {1, 0, 1, 1, 1}},
                      ServiceListCase{" LVL2OAI , N2N ",
                                      false,
                                      {"LVL2OAI,LOGIN,7:,,DEZezori", "N2N,LOGIN,7:,,DEZezori"},
                                      {1, 0, 1, 0, 0}},
                      ServiceListCase{"lvl2oai,N2,Dss,INDSS2,,ACDX", true, {}, {0, 0, 0, 0, 0}},
                      ServiceListCase{"", true, {}, {0, 0, 0, 0, 0}}));

TEST_F(LoginSequenceTest, LaterServiceListsLogInOnlyToServicesInNone) {
  ASSERT_TRUE(loggedIn(7));
  ASSERT_TRUE(deliver("AE,CLIENT,AVAILABLE,0:,LVL2OAI,INDSS,N2N,DSS"));
  ASSERT_TRUE(expectFrames(
      {"LVL2OAI,LOGIN,7:,,DEZezori", "INDSS,LOGIN,7:,,DEZezori", "N2N,LOGIN,7:,,DEZezori"}));
  ASSERT_TRUE(deliver("CF,LVL2OAI,LOGIN,7:,0,ok"));
  ASSERT_TRUE(deliver("CF,INDSS,LOGIN,7:,1,refused"));
  // Logged in, pending and refused services are all left alone.
  ASSERT_TRUE(deliver("AE,CLIENT,AVAILABLE,0:,LVL2OAI,INDSS,N2N,DSS"));
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ(services(), (ServiceStates{2, 1, 1, 1, 0}));
  // A lost service is logged in again; "DSS" stays pending without a log-in.
  ASSERT_TRUE(deliver("AE,INDSS,UNAVAILABLE,0:,"));
  ASSERT_TRUE(deliver("AE,CLIENT,AVAILABLE,0:,LVL2OAI,INDSS,N2N,DSS"));
  EXPECT_TRUE(expectFrames({"INDSS,LOGIN,7:,,DEZezori"}));
  EXPECT_EQ(services(), (ServiceStates{2, 1, 1, 1, 0}));
}

// Where a table row starts from.
enum class Start {
  kOffered,  // LoggedIn; "LVL2OAI", "INDSS", "N2N", "DSS" pending
  kAll,      // CallControlReady; all logged in but "DSS", which is pending
};

// One or more session messages and what they leave behind; nothing of them
// is sent to the server.
struct MessageCase {
  Start start;
  std::vector<std::string> received;
  PostList posts;
  int session;
  ServiceStates states;
};

void PrintTo(const MessageCase& c, std::ostream* out) {
  *out << (c.start == Start::kOffered ? "offered:" : "all:");
  for (const std::string& text : c.received) *out << " " << text;
}

class SessionMessageTest : public LoginSequenceTest,
                           public ::testing::WithParamInterface<MessageCase> {};

TEST_P(SessionMessageTest, MovesTheStatesAndPostsExactly) {
  const MessageCase& c = GetParam();
  if (c.start == Start::kOffered) {
    ASSERT_TRUE(loggedIn(7));
    ASSERT_TRUE(deliver("AE,CLIENT,AVAILABLE,0:,LVL2OAI,INDSS,N2N,DSS"));
    ASSERT_TRUE(expectFrames(
        {"LVL2OAI,LOGIN,7:,,DEZezori", "INDSS,LOGIN,7:,,DEZezori", "N2N,LOGIN,7:,,DEZezori"}));
    ASSERT_EQ(services(), (ServiceStates{1, 1, 1, 1, 0}));
  } else {
    ASSERT_TRUE(logIn(7, "LVL2OAI,INDSS,N2N,DSS"));
    ASSERT_TRUE(deliver("CF,ACD,LOGIN,0:,0,ok"));
    ASSERT_EQ(services(), (ServiceStates{2, 2, 2, 1, 2}));
    ASSERT_EQ(peer().state(), QelSocket::CallControlReady);
  }
  ASSERT_TRUE(server_.expectNoFrame());
  page_.clear();
  for (const std::string& text : c.received) ASSERT_TRUE(deliver(text));
  EXPECT_EQ(pagePosts(), c.posts);
  EXPECT_EQ(peer().state(), c.session);
  EXPECT_EQ(services(), c.states);
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_TRUE(server_.connected());
}

const std::string kLvl2Up = connectionStateText(true, "LVL2OAI_SERVICE");
const std::string kLvl2Down = connectionStateText(false, "LVL2OAI_SERVICE");
const std::string kDssUp = connectionStateText(true, "DSS_SERVICE");
const std::string kDssDown = connectionStateText(false, "DSS_SERVICE");
const std::string kAcdUp = connectionStateText(true, "ACD_SERVICE");
const std::string kAcdDown = connectionStateText(false, "ACD_SERVICE");
constexpr int kLoggedIn = QelSocket::LoggedIn;
constexpr int kReady = QelSocket::CallControlReady;

INSTANTIATE_TEST_SUITE_P(
    ServiceLogInAnswers, SessionMessageTest,
    ::testing::Values(
        MessageCase{Start::kOffered,
                    {"CF,LVL2OAI,LOGIN,7:,0,ok"},
                    {{7, errorText(0, "ok")}, {0, kLvl2Up}},
                    kReady,
                    {2, 1, 1, 1, 0}},
        MessageCase{
            Start::kOffered, {"CF,LVL2OAI,LOGIN,0:,0,ok"}, {{0, kLvl2Up}}, kReady, {2, 1, 1, 1, 0}},
        MessageCase{Start::kOffered,
                    {"CF,LVL2OAI,LOGIN,-4:,0,ok"},
                    {{0, kLvl2Up}},
                    kReady,
                    {2, 1, 1, 1, 0}},
        MessageCase{Start::kOffered,
                    {"CF,LVL2OAI,LOGIN,12:,0x"},
                    {{12, errorText(0, "")}, {0, kLvl2Up}},
                    kReady,
                    {2, 1, 1, 1, 0}},
        MessageCase{
            Start::kOffered, {"CF,LVL2OAI,LOGIN,7:,1,refused"}, {}, kLoggedIn, {1, 1, 1, 1, 0}},
        MessageCase{Start::kOffered, {"CF,LVL2OAI,LOGIN,7:,"}, {}, kLoggedIn, {1, 1, 1, 1, 0}},
        MessageCase{
            Start::kOffered, {"CF,INDSS,LOGIN,7:,0,ok"}, {{0, kDssUp}}, kLoggedIn, {1, 2, 1, 1, 0}},
        MessageCase{Start::kOffered, {"CF,INDSS,LOGIN,7:,2,no"}, {}, kLoggedIn, {1, 1, 1, 1, 0}},
        MessageCase{Start::kOffered, {"CF,N2N,LOGIN,7:,0,ok"}, {}, kLoggedIn, {1, 1, 2, 1, 0}},
        MessageCase{Start::kOffered, {"CF,N2N,LOGIN,7:,1"}, {}, kLoggedIn, {1, 1, 1, 1, 0}},
        MessageCase{
            Start::kOffered, {"CF,DSS,LOGIN,7:,0,ok"}, {{0, kDssUp}}, kLoggedIn, {1, 1, 1, 2, 0}},
        MessageCase{Start::kOffered, {"CF,DSS,LOGIN,7:,1,no"}, {}, kLoggedIn, {1, 1, 1, 1, 0}},
        MessageCase{Start::kOffered,
                    {"CF,ACD,LOGIN,3:,0,agent ok"},
                    {{3, errorText(0, "agent ok")}, {0, kAcdUp}},
                    kLoggedIn,
                    {1, 1, 1, 1, 2}},
        MessageCase{
            Start::kOffered, {"CF,ACD,LOGIN,0:,0,ok"}, {{0, kAcdUp}}, kLoggedIn, {1, 1, 1, 1, 2}},
        MessageCase{Start::kOffered,
                    {"CF,ACD,LOGIN,3:,1,no licence, sorry"},
                    {{3, errorText(-1, "no licence, sorry")}},
                    kLoggedIn,
                    {1, 1, 1, 1, 0}},
        MessageCase{Start::kOffered, {"CF,ACD,LOGIN,0:,1,no"}, {}, kLoggedIn, {1, 1, 1, 1, 0}},
        MessageCase{Start::kOffered, {"CF,DIALPLAN,LOGIN,7:,0,ok"}, {}, kLoggedIn, {1, 1, 1, 1, 0}},
        MessageCase{Start::kOffered, {"CF,lvl2oai,LOGIN,7:,0,ok"}, {}, kLoggedIn, {1, 1, 1, 1, 0}},
        // The answer to the service-list request is swallowed.
        MessageCase{Start::kOffered,
                    {"CF,CLIENT,NOTIFY_AVAILABLE_SERVICES,7:,0,ok"},
                    {},
                    kLoggedIn,
                    {1, 1, 1, 1, 0}}));

INSTANTIATE_TEST_SUITE_P(
    ServiceLoss, SessionMessageTest,
    ::testing::Values(
        MessageCase{Start::kAll,
                    {"AE,LVL2OAI,UNAVAILABLE,0:,", "AE,LVL2OAI,UNAVAILABLE,0:,"},
                    {{0, kLvl2Down}},
                    kLoggedIn,
                    {0, 2, 2, 1, 2}},
        MessageCase{
            Start::kAll, {"AE,INDSS,UNAVAILABLE,0:,"}, {{0, kDssDown}}, kReady, {2, 0, 2, 1, 2}},
        MessageCase{Start::kAll, {"AE,N2N,UNAVAILABLE,0:,"}, {}, kReady, {2, 2, 0, 1, 2}},
        MessageCase{
            Start::kAll, {"AE,DSS,UNAVAILABLE,0:,"}, {{0, kDssDown}}, kReady, {2, 2, 2, 0, 2}},
        MessageCase{Start::kAll,
                    {"AE,ACD,UNAVAILABLE,0:,", "AE,ACD,UNAVAILABLE,0:,"},
                    {{0, kAcdDown}},
                    kReady,
                    {2, 2, 2, 1, 0}},
        MessageCase{Start::kAll, {"AE,DIALPLAN,UNAVAILABLE,0:,"}, {}, kReady, {2, 2, 2, 1, 2}},
        MessageCase{Start::kAll, {"AE,Lvl2oai,UNAVAILABLE,0:,"}, {}, kReady, {2, 2, 2, 1, 2}},
        // Loss while only LoggedIn leaves the session LoggedIn; a service in
        // None posts nothing.
        MessageCase{Start::kOffered,
                    {"AE,LVL2OAI,UNAVAILABLE,0:,"},
                    {{0, kLvl2Down}},
                    kLoggedIn,
                    {0, 1, 1, 1, 0}},
        MessageCase{Start::kOffered, {"AE,ACD,UNAVAILABLE,0:,"}, {}, kLoggedIn, {1, 1, 1, 1, 0}}));

INSTANTIATE_TEST_SUITE_P(
    ServiceLogout, SessionMessageTest,
    ::testing::Values(
        MessageCase{Start::kAll, {"AE,LVL2OAI,LOGOUT,0:,"}, {}, kReady, {1, 2, 2, 1, 2}},
        MessageCase{Start::kAll, {"AE,INDSS,LOGOUT,0:,"}, {}, kReady, {2, 1, 2, 1, 2}},
        MessageCase{Start::kAll, {"AE,N2N,LOGOUT,0:,"}, {}, kReady, {2, 2, 1, 1, 2}},
        MessageCase{Start::kAll, {"AE,DSS,LOGOUT,0:,"}, {}, kReady, {2, 2, 2, 1, 2}},
        MessageCase{Start::kAll, {"AE,ACD,LOGOUT,0:,"}, {}, kReady, {2, 2, 2, 1, 2}},
        // A service in None stays None; a pending one stays pending.
        MessageCase{Start::kAll,
                    {"AE,LVL2OAI,UNAVAILABLE,0:,", "AE,LVL2OAI,LOGOUT,0:,"},
                    {{0, kLvl2Down}},
                    kLoggedIn,
                    {0, 2, 2, 1, 2}},
        MessageCase{Start::kOffered, {"AE,LVL2OAI,LOGOUT,0:,"}, {}, kLoggedIn, {1, 1, 1, 1, 0}}));

INSTANTIATE_TEST_SUITE_P(
    LogoutAnswers, SessionMessageTest,
    ::testing::Values(
        MessageCase{Start::kAll,
                    {"CF,ACD,LOGOUT,5:,0,bye"},
                    {{5, errorText(0, "")}, {0, kAcdDown}},
                    kReady,
                    {2, 2, 2, 1, 2}},
        MessageCase{Start::kAll,
                    {"CF,ACD,LOGOUT,5:,1,failed"},
                    {{5, errorText(0, "")}, {0, kAcdDown}},
                    kReady,
                    {2, 2, 2, 1, 2}},
        MessageCase{Start::kAll, {"CF,ACD,LOGOUT,0:,0"}, {}, kReady, {2, 2, 2, 1, 2}},
        MessageCase{Start::kAll, {"CF,ACD,LOGOUT,-2:,0"}, {}, kReady, {2, 2, 2, 1, 2}},
        MessageCase{Start::kAll, {"CF,LVL2OAI,LOGOUT,5:,0"}, {}, kReady, {2, 2, 2, 1, 2}},
        MessageCase{Start::kAll, {"CF,DIALPLAN,LOGOUT,5:,1"}, {}, kReady, {2, 2, 2, 1, 2}}));

TEST_F(LoginSequenceTest, ServerLogoutOfCallControlKeepsCallControlCommands) {
  ASSERT_TRUE(logIn(7, "LVL2OAI,INDSS,N2N,DSS"));
  ASSERT_TRUE(deliver("AE,LVL2OAI,LOGOUT,0:,"));
  EXPECT_EQ(peer().state(), QelSocket::CallControlReady);
  command(R"([9,0,"selectline","1"])");
  command(R"([9,0,"dialnumber","300"])");
  EXPECT_TRUE(server_.expectFrame("LVL2OAI,RAWCMD,9:,_MC,9,201:1,300"));
  // Not logged in again until the loss returns it to None.
  ASSERT_TRUE(deliver("AE,CLIENT,AVAILABLE,0:,LVL2OAI"));
  EXPECT_TRUE(server_.expectNoFrame());
  EXPECT_EQ(peer().lvl2oaiState(), QelSocket::ServicePending);
}

class ClientAnswerTest : public LoginSequenceTest,
                         public ::testing::WithParamInterface<const char*> {};

// A succeeding "CFLOGIN" or "CFLOGOUT" of "CLIENT" acts as a log-in even
// when the session is already CallControlReady: only the newer keep-alive
// chain writes frames.
TEST_P(ClientAnswerTest, SucceedingAnswerLogsInAgainAndRestartsTheKeepAlive) {
  ASSERT_TRUE(logIn(7));
  ASSERT_TRUE(loop_.advance(60000));
  const int generation = peer().keepAliveGeneration();
  ASSERT_TRUE(deliver(std::string("CF,CLIENT,") + GetParam() + ",7:,0,again"));
  EXPECT_EQ(pagePosts(), (PostList{{0, kNetUp}}));
  EXPECT_EQ(peer().state(), QelSocket::LoggedIn);
  EXPECT_EQ(services(), (ServiceStates{0, 0, 0, 0, 0}));
  EXPECT_TRUE(expectFrames({"CLIENT,NOTIFY_AVAILABLE_SERVICES,7:"}));
  EXPECT_EQ(peer().keepAliveGeneration(), generation + 1);
  // The older chain's tick at 120 s writes nothing; the newer one at 180 s.
  ASSERT_TRUE(loop_.advance(60000));
  EXPECT_TRUE(expectNoKeepAliveWritten());
  EXPECT_TRUE(server_.expectNoFrame());
  ASSERT_TRUE(loop_.advance(60000));
  EXPECT_TRUE(expectKeepAlive());
  EXPECT_TRUE(server_.expectNoFrame());
}

TEST_P(ClientAnswerTest, FailingAnswerDisconnectsWithMinusTen) {
  ASSERT_TRUE(logIn(7));
  ASSERT_TRUE(deliver(std::string("CF,CLIENT,") + GetParam() + ",4:,1,session ended"));
  EXPECT_EQ(pagePosts(), (PostList{{4, errorText(-10, "session ended")}, {0, kNetDown}}));
  EXPECT_EQ(peer().state(), QelSocket::Idle);
  EXPECT_EQ(services(), (ServiceStates{0, 0, 0, 0, 0}));
  EXPECT_TRUE(server_.waitForPeerClose());
}

// The new server session that a repeated "CLIENT" log-in begins logs in to
// its services afresh, and call control comes back.
TEST_P(ClientAnswerTest, SucceedingAnswerLogsInToTheServicesAgain) {
  ASSERT_TRUE(logIn(7));
  command(R"([3,0,"enableacd",true])");
  ASSERT_TRUE(server_.expectFrame("ACD,LOGIN,3:,,DEZezori"));
  ASSERT_TRUE(deliver(std::string("CF,CLIENT,") + GetParam() + ",7:,0,again"));
  ASSERT_TRUE(logInToServices(7, "LVL2OAI,INDSS,N2N,DSS,ACD"));
  EXPECT_EQ(services(), (ServiceStates{2, 2, 2, 1, 2}));
  EXPECT_TRUE(callControlWorks());
}

INSTANTIATE_TEST_SUITE_P(Commands, ClientAnswerTest, ::testing::Values("LOGIN", "LOGOUT"));

// A repeated challenge lowers the session to Connected, where the page may
// reconnect: the new connection logs in to every service again, though the
// old one never lost them.
TEST_F(LoginSequenceTest, ReconnectAfterARepeatedChallengeBringsCallControlBack) {
  ASSERT_TRUE(logIn(7));
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,7:,0"));
  ASSERT_TRUE(expectCredentialLogIn(7, "alice"));
  command(R"([9,0,"reconnect"])");
  ASSERT_EQ(peer().state(), QelSocket::ReconnectPending);
  ASSERT_TRUE(loop_.advance(5000));
  ASSERT_TRUE(server_.waitForConnection(2));
  ASSERT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
  ASSERT_TRUE(answerLogIn(9, "LVL2OAI,N2N"));
  EXPECT_EQ(services(), (ServiceStates{2, 0, 2, 0, 0}));
  EXPECT_TRUE(callControlWorks());
}

// Until its CLIENT log-in is answered, a new connection has logged in to no
// service: the loss of one it never had is no news to the page.
TEST_F(LoginSequenceTest, NewConnectionHasNoServiceBeforeItsClientLogIn) {
  ASSERT_TRUE(logIn(7));
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,7:,0"));
  ASSERT_TRUE(expectCredentialLogIn(7, "alice"));
  command(R"([9,0,"reconnect"])");
  ASSERT_TRUE(loop_.advance(5000));
  ASSERT_TRUE(server_.waitForConnection(2));
  ASSERT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,9:"));
  EXPECT_EQ(services(), (ServiceStates{0, 0, 0, 0, 0}));
  page_.clear();
  ASSERT_TRUE(deliver("AE,LVL2OAI,UNAVAILABLE,0:,"));
  EXPECT_TRUE(pagePosts().empty());
}

TEST_F(LoginSequenceTest, RepeatedChallengeAnswerSendsTheCredentialLogInAgain) {
  ASSERT_TRUE(logIn(7));
  ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN,7:,0"));
  EXPECT_EQ(peer().state(), QelSocket::Connected);
  EXPECT_TRUE(expectCredentialLogIn(7, "alice"));
  EXPECT_TRUE(pagePosts().empty());
}

// The whole road to CallControlReady, the keep-alive, a log-out and a
// reconnect that logs in again with the stored credentials.
TEST_F(LoginSequenceTest, WholeRoadKeepAliveLogoutAndReconnect) {
  const std::string key = "road-key";
  for (const int id : {7, 8}) {
    SCOPED_TRACE(id);
    const std::string ids = std::to_string(id) + ":";
    if (id == 7) {
      post(R"([7,0,"login","alice","secret","HOST","201"])");
      EXPECT_EQ(peer().state(), QelSocket::Resolving);
    } else {
      command(R"([8,0,"reconnect"])");
      EXPECT_EQ(peer().state(), QelSocket::ReconnectPending);
      ASSERT_TRUE(loop_.advance(5000));
    }
    ASSERT_TRUE(server_.waitForConnection(id == 7 ? 1 : 2));
    ASSERT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN," + ids));
    EXPECT_EQ(peer().state(), QelSocket::Connected);
    ASSERT_TRUE(deliver("CF,CLIENT,REQUESTLOGIN," + ids + ",0," + scrambleChallenge(key)));
    std::string digest;
    ASSERT_TRUE(expectCredentialLogIn(id, "alice", &digest));
    EXPECT_EQ(digestMismatch(digest, "secret," + key), "");
    ASSERT_TRUE(deliver("CF,CLIENT,LOGIN," + ids + ",0,Welcome"));
    ASSERT_TRUE(server_.expectFrame("CLIENT,NOTIFY_AVAILABLE_SERVICES," + ids));
    ASSERT_TRUE(deliver("CF,CLIENT,NOTIFY_AVAILABLE_SERVICES," + ids + ",0"));
    ASSERT_TRUE(deliver("AE,CLIENT,AVAILABLE,0:,LVL2OAI,INDSS,N2N,DSS"));
    ASSERT_TRUE(
        expectFrames({"LVL2OAI,LOGIN," + ids + ",,DEZezori", "INDSS,LOGIN," + ids + ",,DEZezori",
                      "N2N,LOGIN," + ids + ",,DEZezori"}));
    ASSERT_TRUE(deliver("CF,LVL2OAI,LOGIN," + ids + ",0,ok"));
    ASSERT_TRUE(deliver("CF,INDSS,LOGIN," + ids + ",0,ok"));
    ASSERT_TRUE(deliver("CF,N2N,LOGIN," + ids + ",0,ok"));
    EXPECT_EQ(peer().state(), QelSocket::CallControlReady);
    EXPECT_EQ(pagePosts(),
              (PostList{{0, kNetUp}, {id, errorText(0, "ok")}, {0, kLvl2Up}, {0, kDssUp}}));
    page_.clear();

    ASSERT_TRUE(loop_.advance(119999));
    EXPECT_TRUE(expectNoKeepAliveWritten());
    EXPECT_TRUE(server_.expectNoFrame());
    ASSERT_TRUE(loop_.advance(1));
    EXPECT_TRUE(expectKeepAlive());

    command("[" + std::to_string(id + 10) + R"(,0,"logout"])");
    EXPECT_EQ(pagePosts(), (PostList{{id + 10, errorText(0, "")}, {0, kNetDown}}));
    EXPECT_EQ(peer().state(), QelSocket::Idle);
    EXPECT_TRUE(server_.waitForPeerClose());
    EXPECT_TRUE(server_.expectNoFrame());
    page_.clear();
  }
}

}  // namespace
