#include <gtest/gtest.h>

#include "messages/EvtAcdCmd.h"
#include "tests/messages/BodyPostCases.h"

namespace {

TEST(EvtAcdCmdTest, EventHeader) {
  EvtAcdCmd event("ACD", "ACDCMD", 9, 4, "0,RY,x,y,1001:201,A1");
  EXPECT_EQ(event.prefix(), "AE");
  EXPECT_EQ(event.service(), "ACD");
  EXPECT_EQ(event.command(), "ACDCMD");
  EXPECT_EQ(event.requestId(), 0);
  EXPECT_EQ(event.body(), "0,RY,x,y,1001:201,A1");
  EXPECT_EQ(event.fields().size(), 6u);
}

TEST(EvtAcdCmdTest, EveryEventName) {
  const BodyPostCase cases[] = {
      {"0,LN,x,y,1001:201,A1,Ann,5:300,1",
       R"({"details":{"agentId":"A1","agentName":"Ann","extension":"201","groupId":"300",)"
       R"("pdn":"1001","receiveCalls":"1"},"type":61})"},
      {"0,LF,x,y,1001:201,A1,Ann,5:300,1",
       R"({"details":{"agentId":"A1","agentName":"Ann","extension":"201","groupId":"300",)"
       R"("pdn":"1001"},"type":62})"},
      {"0,RY,x,y,1001:201,A1,z",
       R"({"details":{"agentId":"A1","extension":"201","pdn":"1001"},"type":63})"},
      {"0,WNR,x,y,1001:201,A1,30,z",
       R"({"details":{"agentId":"A1","duration":"30","extension":"201","pdn":"1001"},"type":66})"},
      {"0,ABANDON,x,y,c1,5:300,12,z",
       R"({"details":{"callId":"c1","duration":"12","groupId":"300"},"type":67})"},
      {"0,WAITING,x,y,c1,5:300,4,z",
       R"({"details":{"callId":"c1","groupId":"300","waiting":"4"},"type":68})"},
      {"0,NEWCALL,x,y,c1,5:300,z", R"({"details":{"callId":"c1","groupId":"300"},"type":69})"},
      {"0,REMOVECALL,x,y,c1,5:300,z", R"({"details":{"callId":"c1","groupId":"5:300"},"type":70})"},
      {"0,GRP_ENABLE,5:300,1,night,z",
       R"({"details":{"enabled":"1","groupId":"300","schedule":"night"},"type":71})"},
      {"0,GRP_CALL_SUMMARY,5:300,f3,f4,f5,f6,f7,f8,f9,f10,f11,f12,z",
       R"({"details":{"alerting":"f9","announcing":"f8","callback":"f11","groupId":"300",)"
       R"("inProgress":"f12","inQueue":"f7","lcwSeconds":"f6","nonAcd":"f10","nonWaiting":"f5",)"
       R"("totalCalls":"f3","waiting":"f4"},"type":72})"},
      {"0,GRP_AGT_SUMMARY,5:300,f3,f4,f5,f6,f7,f8,f9,f10,f11,z",
       R"({"details":{"ACD":"f9","groupId":"300","login":"f4","logoff":"f5","nonAcd":"f10",)"
       R"("offline":"f11","ready":"f6","totalAgents":"f3","unavailable":"f7","wrapup":"f8"},)"
       R"("type":73})"},
      {"0,ENDRESYNCH,x,y", R"({"details":"","type":74})"},
      {"0,ENDRESYNCH", R"({"details":"","type":74})"},
      {"0,CALLBACK_PENDING,x,y,b1,c1,5:300,z",
       R"({"details":{"callId":"c1","callbackId":"b1","groupId":"5:300"},"type":75})"},
      {"0,CALLBACK_NOTIFY,x,y,b1,c1,5:300,z",
       R"({"details":{"callId":"c1","callbackId":"b1","groupId":"5:300"},"type":76})"},
      {"0,CALLBACK_IN_PROGRESS,x,y,b1,c1,5:300,z",
       R"({"details":{"callId":"c1","callbackId":"b1","groupId":"5:300"},"type":77})"},
  };
  expectPosts<EvtAcdCmd>(cases);
}

TEST(EvtAcdCmdTest, NotReadyWithAndWithoutUnavailabilityCode) {
  const BodyPostCase cases[] = {
      {"0,NRY,x,y,1001:201,A1,U,7,Lunch,|Back at 2, maybe|",
       R"({"details":{"agentId":"A1","extension":"201","pdn":"1001","reason":"U",)"
       R"("unavailCode":"7","unavailSuppText":"Back at 2, maybe","unavailText":"Lunch"},)"
       R"("type":64})"},
      {"0,NRY,x,y,1001:201,A1, U ,7",
       R"({"details":{"agentId":"A1","extension":"201","pdn":"1001","reason":"U",)"
       R"("unavailCode":"7","unavailSuppText":"","unavailText":""},"type":64})"},
      {"0,NRY,x,y,1001:201,A1,u,7,Lunch,Soon",
       R"({"details":{"agentId":"A1","extension":"201","pdn":"1001","reason":"u"},"type":64})"},
      {"0,NRY,x,y,1001:201,A1,UX,7,Lunch,Soon",
       R"({"details":{"agentId":"A1","extension":"201","pdn":"1001","reason":"UX"},"type":64})"},
      {"0,NRY,x,y,1001:201,A1,W,7,Lunch,Soon",
       R"({"details":{"agentId":"A1","extension":"201","pdn":"1001","reason":"W"},"type":64})"},
      {"0,NRY,x,y,1001:201,A1",
       R"({"details":{"agentId":"A1","extension":"201","pdn":"1001","reason":""},"type":64})"},
  };
  expectPosts<EvtAcdCmd>(cases);
}

TEST(EvtAcdCmdTest, DeviceHalvesAndShortBodies) {
  const BodyPostCase cases[] = {
      {"0,RY,x,y,201,A1",
       R"({"details":{"agentId":"A1","extension":"201","pdn":"201"},"type":63})"},
      {"0,RY,x,y,1001:,A1",
       R"({"details":{"agentId":"A1","extension":"1001","pdn":"1001"},"type":63})"},
      {"0,RY,x,y,:201,A1", R"({"details":{"agentId":"A1","extension":"201","pdn":""},"type":63})"},
      {"0,LN,x,y,1001:201,A1",
       R"({"details":{"agentId":"A1","agentName":"","extension":"201","groupId":"",)"
       R"("pdn":"1001","receiveCalls":""},"type":61})"},
      {"0,LN", R"({"details":{"agentId":"","agentName":"","extension":"","groupId":"",)"
               R"("pdn":"","receiveCalls":""},"type":61})"},
      {" 0 , NEWCALL ,x,y, c1 ,300", R"({"details":{"callId":"c1","groupId":"300"},"type":69})"},
  };
  expectPosts<EvtAcdCmd>(cases);
}

TEST(EvtAcdCmdTest, UnknownNamesWriteNothing) {
  for (const char* body : {"0,ln,x,y,1001:201", "0,NRDY,x", "0,LN2", "0,", "0", "", "LN"}) {
    EXPECT_EQ(pageTextOf<EvtAcdCmd>(body), "null\n") << body;
  }
}

}  // namespace
