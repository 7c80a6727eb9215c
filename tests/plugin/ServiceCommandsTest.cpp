// The service page commands on the wire: version, node and white lists,
// application and user queries, dial plan, files and device monitoring.

#include <gtest/gtest.h>

#include <string>

#include "tests/plugin/PageCommandFixture.h"
#include "tests/support/CredentialTestSupport.h"

namespace {

using ServiceCommandsTest = PageCommandFixture;

TEST_F(ServiceCommandsTest, EveryCommandReachesTheServer) {
  ASSERT_TRUE(logIn());  // "INDSS" offered and logged in to
  const WireCase cases[] = {
      {R"([5,0,"getversion"])", "CLIENT,VERSION,5:"},
      {R"([5,0,"listxmppnodes"])", "N2N,GETNODELIST,5:"},
      {R"([5,0,"getwhitelist"])", "N2N,GETS2SWHITELIST,5:"},
      {R"([5,0,"appexist","myapp"])", "CLIENT,APP_EXIST,5:,myapp"},
      {R"([5,0,"appexist"])", "CLIENT,APP_EXIST,5:"},
      {R"([5,0,"appexist",""])", "CLIENT,APP_EXIST,5:"},
      {R"([5,0,"appexist",12])", "CLIENT,APP_EXIST,5:"},
      {R"([5,0,"userexist","agent7"])", "CLIENT,USER_EXIST,5:,|agent7|,|alice|"},
      {R"([5,0,"userexist"])", "CLIENT,USER_EXIST,5:,||,|alice|"},
      {R"([5,0,"getdialnumber","901"])", "DIALPLAN,GETDIALNUM,5:,901"},
      {R"([5,0,"getdialnumber",901])", "DIALPLAN,GETDIALNUM,5:"},
      {R"([5,0,"getdialnumber"])", nullptr},
      {R"([5,0,"getfile","a.txt","b"])", "CLIENT,GET_FILE,5:,|a.txt|,|b|"},
      {R"([5,0,"getfile","a,b.txt"])", "CLIENT,GET_FILE,5:,|a,b.txt|,||"},
      {R"([5,0,"getfile"])", "CLIENT,GET_FILE,5:,||,||"},
      {R"([5,0,"startmonitor","3001"])", "INDSS,MONSTART,5:,3001,3"},
      {R"([5,0,"startmonitor"])", nullptr},
      {R"([5,0,"stopmonitor","3001"])", "INDSS,MONSTOP,5:,3001"},
      {R"([5,0,"stopmonitor"])", nullptr},
  };
  for (const WireCase& c : cases) EXPECT_TRUE(check(c));
}

TEST_F(ServiceCommandsTest, RequestIdRules) {
  ASSERT_TRUE(logIn());
  const WireCase cases[] = {
      {R"([7.9,0,"getversion"])", "CLIENT,VERSION,7:"},
      {R"(["7",0,"getversion"])", "CLIENT,VERSION,"},
      {R"([0,0,"getversion"])", "CLIENT,VERSION,"},
      {R"([-3,0,"getversion"])", "CLIENT,VERSION,"},
      {R"([-3,0,"appexist","myapp"])", "CLIENT,APP_EXIST,,myapp"},
      {R"(["x",0,"getfile","a","b"])", "CLIENT,GET_FILE,,|a|,|b|"},
      {R"([0,0,"startmonitor","3001"])", "INDSS,MONSTART,,3001,3"},
      {R"([9.99,0,"getdialnumber","901"])", "DIALPLAN,GETDIALNUM,9:,901"},
  };
  for (const WireCase& c : cases) EXPECT_TRUE(check(c));
}

TEST_F(ServiceCommandsTest, UserInfoSendsTheStoredUserAndADigestOfThePassword) {
  ASSERT_TRUE(logIn());
  // Element 3 is not read: the record asked for is always the user's own.
  for (const char* json : {R"([5,0,"userinfo","bob"])", R"([5,0,"userinfo"])"}) {
    command(json);
    const auto frame = server_.nextFrame();
    ASSERT_TRUE(frame) << json;
    const std::string head = "CLIENT,USER_INFO,5:,alice,";
    ASSERT_EQ(frame->text.compare(0, head.size(), head), 0) << frame->text;
    const std::string digest = frame->text.substr(head.size());
    EXPECT_EQ(digestMismatch(digest, "secret"), "") << json;
    // The digest reads the password from its end: a change there changes
    // every digit after it, whatever the salt.
    for (const char* other : {"secreT", "secrets"}) {
      EXPECT_NE(digestMismatch(digest, other), "") << json << " " << other;
    }
    EXPECT_EQ(frame->text.find("secret"), std::string::npos);
  }
  EXPECT_TRUE(server_.expectNoFrame());
}

TEST_F(ServiceCommandsTest, GatedCommandsWaitForCallControl) {
  const char* const gated[] = {
      R"([5,0,"listxmppnodes"])",
      R"([5,0,"getwhitelist"])",
      R"([5,0,"appexist","myapp"])",
      R"([5,0,"userexist","agent7"])",
      R"([5,0,"userinfo"])",
      R"([5,0,"getdialnumber","901"])",
      R"([5,0,"startmonitor","3001"])",
      R"([5,0,"stopmonitor","3001"])",
  };
  for (const char* c : gated) EXPECT_TRUE(drops(c));  // Idle
  ASSERT_TRUE(logIn(7, "INDSS,N2N"));
  ASSERT_EQ(peer().state(), QelSocket::LoggedIn);
  for (const char* c : gated) EXPECT_TRUE(drops(c));
  // "getversion" and "getfile" have no gate.
  EXPECT_TRUE(sends(R"([5,0,"getversion"])", "CLIENT,VERSION,5:"));
  EXPECT_TRUE(sends(R"([5,0,"getfile","a.txt","b"])", "CLIENT,GET_FILE,5:,|a.txt|,|b|"));
}

TEST_F(ServiceCommandsTest, UngatedCommandsAreHandedToTheConnectionWhileIdle) {
  for (const char* json : {R"([5,0,"getversion"])", R"([5,0,"getfile","a.txt","b"])"}) {
    page_.clear();
    command(json);
    const auto lines = page_.logLines();
    ASSERT_GE(lines.size(), 2u) << json;
    EXPECT_EQ(lines[1].rfind("CLIENT,", 0), 0u) << lines[1];
    // The write without a connection fails and is reported as a lost
    // connection.
    EXPECT_NE(page_.find(0, connectionStateText(false, "NET_SERVER")), nullptr) << json;
    EXPECT_EQ(peer().state(), QelSocket::Idle);
  }
}

TEST_F(ServiceCommandsTest, MonitoringWithoutIndssGoesToDss) {
  ASSERT_TRUE(logIn(7, "LVL2OAI,N2N,DSS"));
  ASSERT_EQ(peer().indssState(), QelSocket::ServiceNone);
  EXPECT_TRUE(sends(R"([5,0,"startmonitor","3001"])", "DSS,DSSMON,5:,3001"));
  EXPECT_TRUE(sends(R"([5,0,"stopmonitor","3001"])", "DSS,DSSMONSTOP,5:,3001"));
  EXPECT_TRUE(sends(R"([5,0,"startmonitor",3001])", "DSS,DSSMON,5:"));
  EXPECT_TRUE(sends(R"([0,0,"stopmonitor","a,b"])", "DSS,DSSMONSTOP,,a,b"));
}

TEST_F(ServiceCommandsTest, MonitoringFollowsTheIndssStateOfTheMoment) {
  ASSERT_TRUE(logIn());
  ASSERT_EQ(peer().indssState(), QelSocket::ServiceLoggedIn);
  EXPECT_TRUE(sends(R"([5,0,"startmonitor","3001"])", "INDSS,MONSTART,5:,3001,3"));
  // The server withdraws "INDSS": the monitoring started there is stopped
  // on "DSS".
  server_.sendFrame("AE,INDSS,UNAVAILABLE,0:,");
  ASSERT_TRUE(loop_.runUntil([this] { return peer().indssState() == QelSocket::ServiceNone; }));
  loop_.runUntilIdle();
  EXPECT_TRUE(sends(R"([5,0,"stopmonitor","3001"])", "DSS,DSSMONSTOP,5:,3001"));
  EXPECT_TRUE(sends(R"([5,0,"startmonitor","3002"])", "DSS,DSSMON,5:,3002"));
  // An "INDSS" log-in sent but not yet accepted already counts.
  peer().setIndssState(QelSocket::ServicePending);
  EXPECT_TRUE(sends(R"([5,0,"stopmonitor","3002"])", "INDSS,MONSTOP,5:,3002"));
  EXPECT_TRUE(sends(R"([5,0,"startmonitor","3003"])", "INDSS,MONSTART,5:,3003,3"));
}

TEST_F(ServiceCommandsTest, CommandTooLongIsRefusedWhole) {
  ASSERT_TRUE(logIn());
  const std::string big(3000, 'x');
  const std::string tooLong[] = {
      R"([5,0,"appexist",")" + big + "\"]",      R"([5,0,"userexist",")" + big + "\"]",
      R"([5,0,"getdialnumber",")" + big + "\"]", R"([5,0,"getfile","a",")" + big + "\"]",
      R"([5,0,"startmonitor",")" + big + "\"]",  R"([5,0,"stopmonitor",")" + big + "\"]",
  };
  for (const std::string& json : tooLong) EXPECT_TRUE(refusedAsTooLong(json, 5));
  // The longest file body that fits is sent in full.
  const std::string head = "CLIENT,GET_FILE,5:,|";
  const std::string name(2043 - head.size() - 4, 'n');
  EXPECT_TRUE(sends(R"([5,0,"getfile",")" + name + "\"]", head + name + "|,||"));
  EXPECT_TRUE(sends(R"([5,0,"getversion"])", "CLIENT,VERSION,5:"));
}

}  // namespace
