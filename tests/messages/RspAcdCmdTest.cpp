#include <gtest/gtest.h>

#include "messages/RspAcdCmd.h"
#include "tests/messages/BodyPostCases.h"

namespace {

TEST(RspAcdCmdTest, ParsesHeaderWordAndStatus) {
  RspAcdCmd reply("ACD", "ACDCMD", 7, 2, "x, SETWNR ,y,0 ok,1001");
  EXPECT_EQ(reply.prefix(), "CF");
  EXPECT_EQ(reply.service(), "ACD");
  EXPECT_EQ(reply.command(), "ACDCMD");
  EXPECT_EQ(reply.requestId(), 7);
  EXPECT_EQ(reply.acdCommand(), "SETWNR");
  EXPECT_EQ(reply.status(), "0 ok");
  EXPECT_EQ(reply.fields().size(), 5u);
}

TEST(RspAcdCmdTest, CommandWordsSuccessAndFailure) {
  const BodyPostCase cases[] = {
      {"x,VAGTPSWRD,y,0,1001,z,1", R"({"details":{"agentId":"1001","valid":"1"},"error":0})"},
      {"x,VAGTPSWRD,y,1 bad password", R"({"details":"1 bad password","error":-1})"},
      {"x,AGTLOGINX,y,0,1001,201,5:300,1",
       R"({"details":{"agentId":"1001","extension":"201","groupId":"300","takeCall":"1"},"error":0})"},
      {"x,AGTLOGINX,y,0,1001,201,300,0",
       R"({"details":{"agentId":"1001","extension":"201","groupId":"300","takeCall":"0"},"error":0})"},
      {"x,AGTLOGINX,y,2", R"({"details":"2","error":-1})"},
      {"x,AGTLOGOUTX,y,0,1001,300", R"({"details":{"agentId":"1001"},"error":0})"},
      {"x,AGTLOGOUTX,y,1", R"({"details":"1","error":-1})"},
      {"x,MONITOR,y,0,START,AGENT,5:1001", R"({"details":{"agtgrpId":"1001"},"error":0})"},
      {"x,MONITOR,y,E", R"({"details":"E","error":-1})"},
      {"x,SETAVAIL,y,0,1001", R"({"error":0})"},
      {"x,SETAVAIL,y,1", R"({"details":"1","error":-1})"},
      {"x,SETUNAVAIL,y,0,1001,4", R"({"error":0})"},
      {"x,SETUNAVAIL,y,1 busy", R"({"details":"1 busy","error":-1})"},
      {"x,SETWORKUNITS,y,0,1001,2,c9",
       R"({"details":{"agentId":"1001","callId":"c9","workUnits":"2"},"error":0})"},
      {"x,SETWORKUNITS,y,1", R"({"details":"1","error":-1})"},
      {"x,SETWNR,y,0,1001,30", R"({"details":{"agentId":"1001","duration":"30"},"error":0})"},
      {"x,SETWNR,y,1", R"({"details":"1","error":-1})"},
      {"x,UNAVAIL,y,0,a,b,c,d,2,C1,201,C2,202",
       R"({"details":[{"code":"C1","extension":"201"},{"code":"C2","extension":"202"}],"error":0})"},
      {"x,UNAVAIL,y,1 none", R"({"details":"1 none","error":-1})"},
      // A failed query carries no details.
      {"x,QUERY,y,1 failed,AGENT", R"({"error":-1})"},
  };
  expectPosts<RspAcdCmd>(cases);
}

TEST(RspAcdCmdTest, StatusRule) {
  const BodyPostCase cases[] = {
      {"x,SETAVAIL,y,00", R"({"error":0})"},
      {"x,SETAVAIL,y,0 anything", R"({"error":0})"},
      {"x,SETAVAIL,y, 0", R"({"error":0})"},  // fields are trimmed
      {"x,SETAVAIL,y,", R"({"details":"","error":-1})"},
      {"x,SETAVAIL,y,1", R"({"details":"1","error":-1})"},
      {"x,SETAVAIL,y,|0,ok|", R"({"error":0})"},  // a quoted status
      {"x,SETAVAIL,y,O", R"({"details":"O","error":-1})"},
  };
  expectPosts<RspAcdCmd>(cases);
}

TEST(RspAcdCmdTest, ShortBodiesAndUnknownWords) {
  const BodyPostCase cases[] = {
      // A known word without a status is a failure with empty details.
      {"x,SETWNR", R"({"details":"","error":-1})"},
      {"x,SETWNR,y", R"({"details":"","error":-1})"},
      {"x,QUERY", R"({"error":-1})"},
      // Fields the body lacks read as empty texts.
      {"x,AGTLOGINX,y,0,1001",
       R"({"details":{"agentId":"1001","extension":"","groupId":"","takeCall":""},"error":0})"},
      // No command word, an unknown word, a word in another case.
      {"", "null"},
      {"QUERY", "null"},
      {"x,SETREADY,y,0", "null"},
      {"x,query,y,0,AGENT,a,b,c,1,1001,201,0", "null"},
      {"x,|SETAVAIL|,y,0", R"({"error":0})"},
      // A successful query of an unknown list kind writes nothing.
      {"x,QUERY,y,0,QUEUE,a,b,c,1,q1", "null"},
      {"x,QUERY,y,0", "null"},
  };
  expectPosts<RspAcdCmd>(cases);
}

TEST(RspAcdCmdTest, QueryLists) {
  const BodyPostCase cases[] = {
      {"x,QUERY,y,0,GROUP,a,b,c,1,5:300,2,X1001,1,Yes,X1002,0,No,Sales,E,V",
       R"({"details":[{"agents":[{"agentId":"1001","loggedIn":"1","takeCall":"Y"},)"
       R"({"agentId":"1002","loggedIn":"0","takeCall":"N"}],"enableType":"E","groupId":"300",)"
       R"("groupName":"Sales","ssValid":"V"}],"error":0})"},
      // Two groups read back to back; the first without agents.
      {"x,QUERY,y,0,GROUP,a,b,c,2,301,0,Empty,E1,V1,302,1,X7,1,No,Busy,E2,V2",
       R"({"details":[{"agents":null,"enableType":"E1","groupId":"301","groupName":"Empty",)"
       R"("ssValid":"V1"},{"agents":[{"agentId":"7","loggedIn":"1","takeCall":"N"}],)"
       R"("enableType":"E2","groupId":"302","groupName":"Busy","ssValid":"V2"}],"error":0})"},
      {"x,QUERY,y,0,AGENT,a,b,c,1,1001,201,2,P5:300,1,Yes,Q301,0,No",
       R"({"details":[{"agentId":"1001","extension":"201","groups":[)"
       R"({"groupId":"300","loggedIn":"1","takeCall":"Y"},)"
       R"({"groupId":"301","loggedIn":"0","takeCall":"N"}]}],"error":0})"},
      {"x,QUERY,y,0,AGENT,a,b,c,2,1001,201,0,1002,202,1,P:300,1,Y",
       R"({"details":[{"agentId":"1001","extension":"201","groups":null},)"
       R"({"agentId":"1002","extension":"202","groups":[)"
       R"({"groupId":"300","loggedIn":"1","takeCall":"Y"}]}],"error":0})"},
      {"x,QUERY,y,0,UNAVAIL,a,b,c,2,1,Lunch,2,|Meeting, long|",
       R"({"details":[{"description":"Lunch","reason":"1"},)"
       R"({"description":"Meeting, long","reason":"2"}],"error":0})"},
  };
  expectPosts<RspAcdCmd>(cases);
}

TEST(RspAcdCmdTest, ListCountsAndShortRecords) {
  const BodyPostCase cases[] = {
      // No record: details null.
      {"x,QUERY,y,0,UNAVAIL,a,b,c,0,1,Lunch", R"({"details":null,"error":0})"},
      {"x,QUERY,y,0,UNAVAIL,a,b,c,-2,1,Lunch", R"({"details":null,"error":0})"},
      {"x,QUERY,y,0,UNAVAIL,a,b,c,many,1,Lunch", R"({"details":null,"error":0})"},
      {"x,QUERY,y,0,UNAVAIL,a,b,c,,1,Lunch", R"({"details":null,"error":0})"},
      {"x,QUERY,y,0,UNAVAIL", R"({"details":null,"error":0})"},
      {"x,UNAVAIL,y,0,a,b,c,d,3", R"({"details":null,"error":0})"},
      // The count is read like atoi: leading digits.
      {"x,UNAVAIL,y,0,a,b,c,d,1x,C1,201,C2,202",
       R"({"details":[{"code":"C1","extension":"201"}],"error":0})"},
      // Counts beyond the records present stop where the body ends.
      {"x,UNAVAIL,y,0,a,b,c,d,3,C1,201",
       R"({"details":[{"code":"C1","extension":"201"}],"error":0})"},
      {"x,UNAVAIL,y,0,a,b,c,d,2147483647,C1,201",
       R"({"details":[{"code":"C1","extension":"201"}],"error":0})"},
      {"x,UNAVAIL,y,0,a,b,c,d,99999999999999999999,C1",
       R"({"details":[{"code":"C1","extension":""}],"error":0})"},
      // A record cut short keeps its missing fields as empty texts.
      {"x,QUERY,y,0,GROUP,a,b,c,3,5:300,2,X1001,1,Yes,X1002",
       R"({"details":[{"agents":[{"agentId":"1001","loggedIn":"1","takeCall":"Y"},)"
       R"({"agentId":"1002","loggedIn":"","takeCall":""}],"enableType":"","groupId":"300",)"
       R"("groupName":"","ssValid":""}],"error":0})"},
      // An agent count beyond the body ends the agents and the list.
      {"x,QUERY,y,0,GROUP,a,b,c,2,300,2147483647,X1,1,Y,Sales",
       R"({"details":[{"agents":[{"agentId":"1","loggedIn":"1","takeCall":"Y"},)"
       R"({"agentId":"ales","loggedIn":"","takeCall":""}],"enableType":"","groupId":"300",)"
       R"("groupName":"","ssValid":""}],"error":0})"},
      {"x,QUERY,y,0,GROUP,a,b,c,1,300",
       R"({"details":[{"agents":null,"enableType":"",)"
       R"("groupId":"300","groupName":"","ssValid":""}],"error":0})"},
      {"x,QUERY,y,0,AGENT,a,b,c,1,1001,201,many,P300",
       R"({"details":[{"agentId":"1001","extension":"201","groups":null}],"error":0})"},
      // Empty entry fields: no first character to drop or take.
      {"x,QUERY,y,0,AGENT,a,b,c,1,1001,201,1,,1,",
       R"({"details":[{"agentId":"1001","extension":"201","groups":[)"
       R"({"groupId":"","loggedIn":"1","takeCall":""}]}],"error":0})"},
  };
  expectPosts<RspAcdCmd>(cases);
}

}  // namespace
