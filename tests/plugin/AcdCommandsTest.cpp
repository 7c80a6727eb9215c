// The agent-distribution page commands on the wire: their command texts,
// sent in every session state, and the refusal of a text that does not fit.

#include <gtest/gtest.h>

#include <string>

#include "tests/plugin/PageCommandFixture.h"

namespace {

using AcdCommandsTest = PageCommandFixture;

// One case of each of the twelve commands.
const PageCommandFixture::WireCase kEveryCommand[] = {
    {R"([7,0,"queryagents","1001"])", "ACD,ACDCMD,7:,QUERY,0,AGENT,1001,3"},
    {R"([7,0,"querygroups","300"])", "ACD,ACDCMD,7:,QUERY,0,GROUP,300,33"},
    {R"([7,0,"validateagent","1001","pw"])", "ACD,ACDCMD,7:,VAGTPSWRD,0,1001,pw"},
    {R"([7,0,"queryunavailcodes","1001"])", "ACD,ACDCMD,7:,QUERY,0,UNAVAIL,1001,1"},
    {R"([7,0,"loginqueue","1001","201","300",1])", "ACD,ACDCMD,7:,AGTLOGINX,0,1001,201,300,1"},
    {R"([7,0,"logoutqueue","1001","300"])", "ACD,ACDCMD,7:,AGTLOGOUTX,0,1001,300"},
    {R"([7,0,"monitoragent","1001",1])", "ACD,ACDCMD,7:,MONITOR,0,START,AGENT,1001"},
    {R"([7,0,"monitorgroup","300",1])", "ACD,ACDCMD,7:,MONITOR,0,START,GROUP,300"},
    {R"([7,0,"setagentready","1001"])", "ACD,ACDCMD,7:,SETAVAIL,0,1001"},
    {R"([7,0,"setagentnotready","1001",5,"lunch"])", "ACD,ACDCMD,7:,SETUNAVAIL,0,1001,5,lunch"},
    {R"([7,0,"setagentwrapup","1001",30])", "ACD,ACDCMD,7:,SETWNR,0,1001,30"},
    {R"([7,0,"setagentworkunits","1001",3,"c9"])", "ACD,ACDCMD,7:,SETWORKUNITS,0,1001,3,c9"},
};

TEST_F(AcdCommandsTest, EveryCommandReachesTheServer) {
  ASSERT_TRUE(logIn());
  for (const WireCase& c : kEveryCommand) EXPECT_TRUE(check(c));
}

TEST_F(AcdCommandsTest, ArgumentsMissingOrOfAnotherType) {
  ASSERT_TRUE(logIn());
  const WireCase cases[] = {
      // Missing texts are empty fields.
      {R"([7,0,"queryagents"])", "ACD,ACDCMD,7:,QUERY,0,AGENT,,3"},
      {R"([7,0,"querygroups",300])", "ACD,ACDCMD,7:,QUERY,0,GROUP,,33"},
      {R"([7,0,"validateagent","1001"])", "ACD,ACDCMD,7:,VAGTPSWRD,0,1001,"},
      {R"([7,0,"logoutqueue"])", "ACD,ACDCMD,7:,AGTLOGOUTX,0,,"},
      {R"([7,0,"setagentready",null])", "ACD,ACDCMD,7:,SETAVAIL,0,"},
      {R"([7,0,"setagentnotready","1001"])", "ACD,ACDCMD,7:,SETUNAVAIL,0,1001,0,"},
      {R"([7,0,"setagentworkunits"])", "ACD,ACDCMD,7:,SETWORKUNITS,0,,0,"},
      // Integers: a double is truncated toward zero; a string, a boolean or
      // a missing element is 0; the range saturates.
      {R"([7,0,"setagentwrapup","1001",30.7])", "ACD,ACDCMD,7:,SETWNR,0,1001,30"},
      {R"([7,0,"setagentwrapup","1001",-30.7])", "ACD,ACDCMD,7:,SETWNR,0,1001,-30"},
      {R"([7,0,"setagentwrapup","1001","30"])", "ACD,ACDCMD,7:,SETWNR,0,1001,0"},
      {R"([7,0,"setagentwrapup","1001"])", "ACD,ACDCMD,7:,SETWNR,0,1001,0"},
      {R"([7,0,"setagentwrapup","1001",1e12])", "ACD,ACDCMD,7:,SETWNR,0,1001,2147483647"},
      {R"([7,0,"loginqueue","1001","201","300",-1])", "ACD,ACDCMD,7:,AGTLOGINX,0,1001,201,300,-1"},
      {R"([7,0,"loginqueue","1001","201","300"])", "ACD,ACDCMD,7:,AGTLOGINX,0,1001,201,300,0"},
      {R"([7,0,"loginqueue","1001","201","300",true])", "ACD,ACDCMD,7:,AGTLOGINX,0,1001,201,300,0"},
      {R"([7,0,"loginqueue"])", "ACD,ACDCMD,7:,AGTLOGINX,0,,,,0"},
      {R"([7,0,"setagentnotready","1001",5.9,7])", "ACD,ACDCMD,7:,SETUNAVAIL,0,1001,5,"},
      {R"([7,0,"setagentworkunits","1001","3","c9"])", "ACD,ACDCMD,7:,SETWORKUNITS,0,1001,0,c9"},
      // Start when element 4 reads as an integer other than 0.
      {R"([7,0,"monitoragent","1001",0])", "ACD,ACDCMD,7:,MONITOR,0,STOP,AGENT,1001"},
      {R"([7,0,"monitoragent","1001"])", "ACD,ACDCMD,7:,MONITOR,0,STOP,AGENT,1001"},
      {R"([7,0,"monitoragent","1001","1"])", "ACD,ACDCMD,7:,MONITOR,0,STOP,AGENT,1001"},
      {R"([7,0,"monitoragent","1001",true])", "ACD,ACDCMD,7:,MONITOR,0,STOP,AGENT,1001"},
      {R"([7,0,"monitoragent","1001",0.9])", "ACD,ACDCMD,7:,MONITOR,0,STOP,AGENT,1001"},
      {R"([7,0,"monitoragent","1001",-1])", "ACD,ACDCMD,7:,MONITOR,0,START,AGENT,1001"},
      {R"([7,0,"monitorgroup","300",2.5])", "ACD,ACDCMD,7:,MONITOR,0,START,GROUP,300"},
      {R"([7,0,"monitorgroup","300","START"])", "ACD,ACDCMD,7:,MONITOR,0,STOP,GROUP,300"},
      {R"([7,0,"monitorgroup"])", "ACD,ACDCMD,7:,MONITOR,0,STOP,GROUP,"},
      // Texts are inserted unchanged: a comma becomes a field separator.
      {R"([7,0,"setagentready","1001,x"])", "ACD,ACDCMD,7:,SETAVAIL,0,1001,x"},
      {R"([7,0,"validateagent","1001","p,w|"])", "ACD,ACDCMD,7:,VAGTPSWRD,0,1001,p,w|"},
      {R"([7,0,"queryagents","%s%d%n"])", "ACD,ACDCMD,7:,QUERY,0,AGENT,%s%d%n,3"},
  };
  for (const WireCase& c : cases) EXPECT_TRUE(check(c));
}

TEST_F(AcdCommandsTest, RequestIdRules) {
  ASSERT_TRUE(logIn());
  const WireCase cases[] = {
      {R"([7.9,0,"queryagents","1001"])", "ACD,ACDCMD,7:,QUERY,0,AGENT,1001,3"},
      {R"(["7",0,"queryagents","1001"])", "ACD,ACDCMD,,QUERY,0,AGENT,1001,3"},
      {R"([0,0,"queryagents","1001"])", "ACD,ACDCMD,,QUERY,0,AGENT,1001,3"},
      {R"([-3,0,"setagentready","1001"])", "ACD,ACDCMD,,SETAVAIL,0,1001"},
  };
  for (const WireCase& c : cases) EXPECT_TRUE(check(c));
}

TEST_F(AcdCommandsTest, MonitorCommandsLogTheirLineFirst) {
  ASSERT_TRUE(logIn());
  const struct {
    const char* command;
    const char* line;
    const char* text;
  } cases[] = {
      {R"([7,0,"monitoragent"])", "Inside monitorAgent", "ACD,ACDCMD,7:,MONITOR,0,STOP,AGENT,"},
      {R"([7,0,"monitorgroup"])", "Inside monitorGroup", "ACD,ACDCMD,7:,MONITOR,0,STOP,GROUP,"},
  };
  for (const auto& c : cases) {
    page_.clear();
    command(c.command);
    EXPECT_TRUE(server_.expectFrame(c.text));
    const auto lines = page_.logLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("CMD(7,monitor", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], c.line);
    EXPECT_EQ(lines[2], c.text);
  }
}

TEST_F(AcdCommandsTest, SentInEveryState) {
  // Idle: each command is handed to the connection (its text is logged) and
  // the write without a connection fails.
  for (const WireCase& c : kEveryCommand) {
    page_.clear();
    command(c.command);
    EXPECT_TRUE(page_.hasLog(c.text)) << c.command;
    EXPECT_NE(page_.find(0, connectionStateText(false, "NET_SERVER")), nullptr) << c.command;
  }
  // Logged in, without call control and without "enableacd".
  ASSERT_TRUE(logIn(7, "INDSS,N2N,ACD"));
  ASSERT_EQ(peer().state(), QelSocket::LoggedIn);
  ASSERT_FALSE(peer().acdEnabled());
  for (const WireCase& c : kEveryCommand) EXPECT_TRUE(check(c));
}

TEST_F(AcdCommandsTest, CommandTextTooLongIsRefusedWhole) {
  ASSERT_TRUE(logIn());
  // A command text has room for 127 characters.
  const std::string fits(127 - std::string("QUERY,0,AGENT,,3").size(), 'a');
  EXPECT_TRUE(sends(R"([7,0,"queryagents",")" + fits + "\"]",
                    "ACD,ACDCMD,7:,QUERY,0,AGENT," + fits + ",3"));
  const std::string fitsWrapup(127 - std::string("SETWNR,0,,-2147483648").size(), 'a');
  EXPECT_TRUE(sends(R"([7,0,"setagentwrapup",")" + fitsWrapup + "\",-3e12]",
                    "ACD,ACDCMD,7:,SETWNR,0," + fitsWrapup + ",-2147483648"));

  const std::string big(3000, 'x');
  const std::string tooLong[] = {
      R"([7,0,"queryagents",")" + fits + "a\"]",
      R"([7,0,"setagentwrapup",")" + fitsWrapup + "a\",-2147483648]",
      R"([7,0,"queryagents",")" + big + "\"]",
      R"([7,0,"querygroups",")" + big + "\"]",
      R"([7,0,"validateagent","1001",")" + big + "\"]",
      R"([7,0,"queryunavailcodes",")" + big + "\"]",
      R"([7,0,"loginqueue","1001","201",")" + big + "\",1])",
      R"([7,0,"logoutqueue",")" + big + "\",\"300\"])",
      R"([7,0,"setagentready",")" + big + "\"]",
      R"([7,0,"setagentnotready","1001",5,")" + big + "\"]",
      R"([7,0,"setagentwrapup",")" + big + "\",30])",
      R"([7,0,"setagentworkunits","1001",3,")" + big + "\"]",
  };
  for (const std::string& json : tooLong) EXPECT_TRUE(refusedAsTooLong(json, 7));

  // The monitor commands log their line before the refusal.
  for (const char* name : {"monitoragent", "monitorgroup"}) {
    page_.clear();
    command("[7,0,\"" + std::string(name) + "\",\"" + big + "\",1]");
    EXPECT_TRUE(server_.expectNoFrame());
    const auto lines = page_.logLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1].rfind("Inside monitor", 0), 0u) << lines[1];
    EXPECT_NE(page_.find(7, errorText(-1, "error:: command too long")), nullptr) << name;
  }

  // Without a request id of its own the refusal goes under 0, where the
  // page receives the server's answers to such commands; never under a
  // negative code such as -99, which is the log's.
  for (const char* id : {"0", "-99", "\"7\""}) {
    EXPECT_TRUE(
        refusedAsTooLong(std::string("[") + id + ",0,\"setagentready\",\"" + big + "\"]", 0))
        << id;
  }
  EXPECT_TRUE(check(kEveryCommand[0]));
}

}  // namespace
