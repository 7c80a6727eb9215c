// Page commands, server answers and server events end to end: through the
// stand-in call server and back to the page.

#include <gtest/gtest.h>

#include <string>

#include "tests/plugin/PageCommandFixture.h"

namespace {

// A page command (none for an event) with the text the server receives,
// then the server's text and the one post the page receives for it.
struct RoundTrip {
  const char* command;
  const char* sent;
  const char* received;
  int code;
  const char* page;
};

class EndToEndTest : public PageCommandFixture {
 protected:
  void expectRoundTrip(const RoundTrip& c) {
    const std::string label = c.command != nullptr ? c.command : c.received;
    page_.clear();
    if (c.command != nullptr) {
      command(c.command);
      ASSERT_TRUE(server_.expectFrame(c.sent)) << label;
    }
    ASSERT_TRUE(server_.sendFrame(c.received));
    ASSERT_TRUE(loop_.runUntil([this] { return !page_.withoutLogs().empty(); })) << label;
    loop_.runUntilIdle();
    const auto answers = page_.withoutLogs();
    ASSERT_EQ(answers.size(), 1u) << label;
    EXPECT_EQ(answers[0].code, c.code) << label;
    EXPECT_EQ(answers[0].text, std::string(c.page) + "\n") << label;
    // The received text is logged as it arrived.
    EXPECT_TRUE(page_.hasLog(c.received)) << label;
  }
};

TEST_F(EndToEndTest, DialNumberAnswerIsPostedUnderTheCommandsRequestId) {
  ASSERT_TRUE(logInOnLine1());
  expectRoundTrip({R"([9,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,9:,_MC,9,201:1,300",
                   "CF,LVL2OAI,RAWCMD,9:0,1,RAWCMD,_MC,9,0,5001,201:1", 9,
                   R"({"details":{"DeviceID":"201:1","handle":"5001"},"error":0})"});
  expectRoundTrip({R"([10,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,10:,_MC,10,201:1,300",
                   "CF,LVL2OAI,RAWCMD,10:0,1,RAWCMD,_MC,10,1", 10,
                   R"({"details":"command failed","error":-1})"});
}

TEST_F(EndToEndTest, CallControlAnswers) {
  ASSERT_TRUE(logInOnLine1());
  const RoundTrip cases[] = {
      {R"([11,0,"querydevice","301"])", "LVL2OAI,RAWCMD,11:,_QI,11,301",
       "CF,LVL2OAI,RAWCMD,11:,1,RAWCMD,_QI,11,0,301,1,2,|Desk, left|,bob", 11,
       R"({"details":{"Description":"Desk, left","DeviceClass":"2","DeviceID":"301","DeviceType":"1","UserName":"bob"},"error":0})"},
      {R"([12,0,"hangupcall","c1"])", "LVL2OAI,RAWCMD,12:,_CX,12,201:1,c1",
       "CF,LVL2OAI,RAWCMD,12:,1,RAWCMD,_CX,12,0", 12, R"({"details":null,"error":0})"},
      {R"([13,0,"getunifiernodes"])", "LVL2OAI,RAWCMD,13:,_UQC,13",
       "CF,LVL2OAI,RAWCMD,13:,1,RAWCMD,_UQC,13,1", 13,
       R"({"details":"command failed","error":-1})"},
  };
  for (const RoundTrip& c : cases) expectRoundTrip(c);
}

TEST_F(EndToEndTest, CallControlEventsArePostedUnderZero) {
  ASSERT_TRUE(logInOnLine1());
  const RoundTrip cases[] = {
      {nullptr, nullptr,
       "AE,LVL2OAI,RAWCMD,12:34,1,DE,2,3,h1,12:201,12:9001,1,12:301,Smith,5551234,TK1,7,0,12:401,"
       "12:501,ACC9,3,22",
       0,
       R"({"details":{"AccountCode":"ACC9","AlertingDevice":"201","AlertingDeviceType":"1","AlertingOutsideNumber":"9001","AlertingPdnID":"12","CallerName":"Smith","CallerNumber":"5551234","CallingDeviceID":"301","CallingDeviceType":"0","CallingPdnID":"12","LastRedirectionDeviceID":"501","LastRedirectionPdnID":"12","LocalConnectionState":"3","OriginallyCallDeviceID":"401","OriginallyCallPdnID":"12","TrunkName":"TK1","TrunkNumber":"7","eventCause":"newCall","handle":"h1"},"type":2})"},
      {nullptr, nullptr,
       "AE,LVL2OAI,RAWCMD,0:,1,ES,2,3,h2,12:201,12:9001,1,12:301,5551234,7,0,12:401,12:501,3,22", 0,
       R"({"details":{"LocalConnectionState":"3","answeringDeviceID":"201","answeringDeviceType":"1","answeringOutsideNumber":"9001","answeringPdnID":"12","callerNumber":"5551234","callingDevice":"301","callingDeviceType":"0","callingPdnID":"12","eventCause":"newCall","handle":"h2","lastRedirectionDevice":"501","lastRedirectionPdnID":"12","orginalCalledDeviceID":"401","orginalCalledPdnID":"12","trunkNumber":"7"},"type":6})"},
      // An unknown event code, a code in another letter case and a short
      // frame post null.
      {nullptr, nullptr, "AE,LVL2OAI,RAWCMD,9:,1,ZZ,2,3,4,5", 0, "null"},
      {nullptr, nullptr, "AE,LVL2OAI,RAWCMD,9:,1,de,2,3,4,5", 0, "null"},
      {nullptr, nullptr, "AE,LVL2OAI,RAWCMD,9:,1,DE,2", 0, "null"},
  };
  for (const RoundTrip& c : cases) expectRoundTrip(c);
}

TEST_F(EndToEndTest, AgentDistributionAnswersAndEvents) {
  ASSERT_TRUE(logIn());
  const RoundTrip cases[] = {
      {R"([11,0,"logoutqueue","1001","300"])", "ACD,ACDCMD,11:,AGTLOGOUTX,0,1001,300",
       "CF,ACD,ACDCMD,11:,0,AGTLOGOUTX,0,0,1001", 11,
       R"({"details":{"agentId":"1001"},"error":0})"},
      {R"([12,0,"setagentready","1001"])", "ACD,ACDCMD,12:,SETAVAIL,0,1001",
       "CF,ACD,ACDCMD,12:,0,SETAVAIL,0,0", 12, R"({"error":0})"},
      {R"([13,0,"monitoragent","1001",1])", "ACD,ACDCMD,13:,MONITOR,0,START,AGENT,1001",
       "CF,ACD,ACDCMD,13:,0,MONITOR,0,1,x", 13, R"({"details":"1","error":-1})"},
      {R"([14,0,"queryagents","1001"])", "ACD,ACDCMD,14:,QUERY,0,AGENT,1001,3",
       "CF,ACD,ACDCMD,14:,0,QUERY,0,1", 14, R"({"error":-1})"},
      {nullptr, nullptr, "AE,ACD,ACDCMD,0:,0,RY,x,y,1001:201,a7", 0,
       R"({"details":{"agentId":"a7","extension":"201","pdn":"1001"},"type":63})"},
      {nullptr, nullptr, "AE,ACD,ACDCMD,5:,0,ry,x,y,1001:201,a7", 0, "null"},
  };
  for (const RoundTrip& c : cases) expectRoundTrip(c);
}

TEST_F(EndToEndTest, ServiceAnswersAndEvents) {
  ASSERT_TRUE(logIn());
  const RoundTrip cases[] = {
      {R"([5,0,"getversion"])", "CLIENT,VERSION,5:", "CF,CLIENT,VERSION,5:,0,3,1,7", 5,
       R"({"details":{"major":"3","minor":"1","patch":"7"},"error":0})"},
      {R"([6,0,"getdialnumber","901"])", "DIALPLAN,GETDIALNUM,6:,901",
       "CF,DIALPLAN,GETDIALNUM,6:,0,ok,9901", 6,
       R"({"details":{"outcome":"0","reason":"ok","response":"9901"},"error":0})"},
      {R"([7,0,"userexist","agent7"])", "CLIENT,USER_EXIST,7:,|agent7|,|alice|",
       "CF,CLIENT,USER_EXIST,7:,0,sales,3,x,5,6,7", 7,
       R"({"details":{"cos":3,"group":"sales","p2":5,"p3":6,"p4":7},"error":0})"},
      {R"([8,0,"getfile","a.txt","b"])", "CLIENT,GET_FILE,8:,|a.txt|,|b|",
       "CF,CLIENT,GET_FILE,8:,0,hello", 8, R"({"details":"hello","error":0})"},
      {R"([9,0,"appexist","myapp"])", "CLIENT,APP_EXIST,9:,myapp", "CF,CLIENT,APP_EXIST,9:,0,yes",
       9, R"({"details":"yes","error":0})"},
      {R"([10,0,"startmonitor","3001"])", "INDSS,MONSTART,10:,3001,3", "CF,INDSS,MONSTART,10:,0,ok",
       10, R"({"details":"ok","error":0})"},
      {nullptr, nullptr, "AE,INDSS,INDSSMON,0:,7,3001,2,note", 0,
       R"({"details":{"Extra":"note","device":"3001","status":"2"},"type":50})"},
  };
  for (const RoundTrip& c : cases) expectRoundTrip(c);
}

}  // namespace
