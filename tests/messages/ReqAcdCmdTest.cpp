#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "messages/ReqAcdCmd.h"

namespace {

std::string wireText(const ReqAcdCmd& request) {
  char buffer[2044];
  const int n = request.serialize(buffer, sizeof buffer);
  EXPECT_EQ(n, static_cast<int>(std::strlen(buffer)));
  return buffer;
}

struct CommandCase {
  const char* label;
  std::function<std::unique_ptr<ReqAcdCmd>()> build;
  const char* text;
};

TEST(ReqAcdCmdTest, CommandTextOfEveryPageCommand) {
  const CommandCase cases[] = {
      {"queryagents", [] { return ReqAcdCmd::queryAgents(7, "1001"); },
       "ACD,ACDCMD,7:,QUERY,0,AGENT,1001,3"},
      {"queryagents empty", [] { return ReqAcdCmd::queryAgents(7, ""); },
       "ACD,ACDCMD,7:,QUERY,0,AGENT,,3"},
      {"querygroups", [] { return ReqAcdCmd::queryGroups(7, "300"); },
       "ACD,ACDCMD,7:,QUERY,0,GROUP,300,33"},
      {"queryunavailcodes", [] { return ReqAcdCmd::queryUnavailCodes(7, "1001"); },
       "ACD,ACDCMD,7:,QUERY,0,UNAVAIL,1001,1"},
      {"validateagent", [] { return ReqAcdCmd::validateAgent(7, "1001", "secret"); },
       "ACD,ACDCMD,7:,VAGTPSWRD,0,1001,secret"},
      {"loginqueue", [] { return ReqAcdCmd::loginQueue(7, "1001", "201", "300", 1); },
       "ACD,ACDCMD,7:,AGTLOGINX,0,1001,201,300,1"},
      {"loginqueue negative", [] { return ReqAcdCmd::loginQueue(7, "1001", "201", "300", -1); },
       "ACD,ACDCMD,7:,AGTLOGINX,0,1001,201,300,-1"},
      {"logoutqueue", [] { return ReqAcdCmd::logoutQueue(7, "1001", "300"); },
       "ACD,ACDCMD,7:,AGTLOGOUTX,0,1001,300"},
      {"monitoragent start", [] { return ReqAcdCmd::monitorAgent(7, "1001", true); },
       "ACD,ACDCMD,7:,MONITOR,0,START,AGENT,1001"},
      {"monitoragent stop", [] { return ReqAcdCmd::monitorAgent(7, "1001", false); },
       "ACD,ACDCMD,7:,MONITOR,0,STOP,AGENT,1001"},
      {"monitorgroup start", [] { return ReqAcdCmd::monitorGroup(7, "300", true); },
       "ACD,ACDCMD,7:,MONITOR,0,START,GROUP,300"},
      {"monitorgroup stop", [] { return ReqAcdCmd::monitorGroup(7, "", false); },
       "ACD,ACDCMD,7:,MONITOR,0,STOP,GROUP,"},
      {"setagentready", [] { return ReqAcdCmd::setAgentReady(7, "1001"); },
       "ACD,ACDCMD,7:,SETAVAIL,0,1001"},
      {"setagentnotready", [] { return ReqAcdCmd::setAgentNotReady(7, "1001", 4, "Lunch"); },
       "ACD,ACDCMD,7:,SETUNAVAIL,0,1001,4,Lunch"},
      {"setagentwrapup", [] { return ReqAcdCmd::setAgentWrapup(7, "1001", 30); },
       "ACD,ACDCMD,7:,SETWNR,0,1001,30"},
      {"setagentwrapup lowest", [] { return ReqAcdCmd::setAgentWrapup(7, "1001", INT_MIN); },
       "ACD,ACDCMD,7:,SETWNR,0,1001,-2147483648"},
      {"setagentworkunits", [] { return ReqAcdCmd::setAgentWorkUnits(7, "1001", 2, "c9"); },
       "ACD,ACDCMD,7:,SETWORKUNITS,0,1001,2,c9"},
      // Arguments go in unchanged: a comma becomes a field separator.
      {"comma inside", [] { return ReqAcdCmd::setAgentReady(7, "1001,extra"); },
       "ACD,ACDCMD,7:,SETAVAIL,0,1001,extra"},
      {"blanks kept", [] { return ReqAcdCmd::setAgentReady(7, " 1001 "); },
       "ACD,ACDCMD,7:,SETAVAIL,0, 1001 "},
      {"percent is text", [] { return ReqAcdCmd::setAgentReady(7, "%s%n%d"); },
       "ACD,ACDCMD,7:,SETAVAIL,0,%s%n%d"},
  };
  for (const CommandCase& c : cases) {
    const std::unique_ptr<ReqAcdCmd> request = c.build();
    ASSERT_NE(request, nullptr) << c.label;
    EXPECT_EQ(wireText(*request), c.text) << c.label;
  }
}

TEST(ReqAcdCmdTest, HeaderCarriesTheRequestIdOnlyAboveZero) {
  EXPECT_EQ(wireText(ReqAcdCmd("QUERY,0,AGENT,1001,3", 7)), "ACD,ACDCMD,7:,QUERY,0,AGENT,1001,3");
  EXPECT_EQ(wireText(ReqAcdCmd("QUERY,0,AGENT,1001,3", 0)), "ACD,ACDCMD,,QUERY,0,AGENT,1001,3");
  EXPECT_EQ(wireText(ReqAcdCmd("SETAVAIL,0,1001", -3)), "ACD,ACDCMD,,SETAVAIL,0,1001");

  ReqAcdCmd request("SETAVAIL,0,1001", 12);
  EXPECT_EQ(request.prefix(), "");
  EXPECT_EQ(request.service(), "ACD");
  EXPECT_EQ(request.command(), "ACDCMD");
  EXPECT_EQ(request.requestId(), 12);
  EXPECT_EQ(request.commandText(), "SETAVAIL,0,1001");
  Json::Value value;
  request.toJson(value);
  EXPECT_TRUE(value.isNull());
}

TEST(ReqAcdCmdTest, CommandTextLongerThanItsRoomIsRefusedWhole) {
  // "SETAVAIL,0," is 11 characters: 116 more make the longest text, 127.
  const std::unique_ptr<ReqAcdCmd> longest = ReqAcdCmd::setAgentReady(1, std::string(116, 'a'));
  ASSERT_NE(longest, nullptr);
  EXPECT_EQ(longest->commandText().size(), 127u);
  EXPECT_EQ(ReqAcdCmd::setAgentReady(1, std::string(117, 'a')), nullptr);
  EXPECT_EQ(ReqAcdCmd::queryAgents(1, std::string(4000, 'a')), nullptr);
  // The room is shared by all the arguments, numbers included.
  // "SETWNR,0," and ",1" are 11 characters.
  EXPECT_NE(ReqAcdCmd::setAgentWrapup(1, std::string(116, 'a'), 1), nullptr);
  EXPECT_EQ(ReqAcdCmd::setAgentWrapup(1, std::string(116, 'a'), 10), nullptr);
  EXPECT_EQ(ReqAcdCmd::loginQueue(1, std::string(50, 'a'), std::string(50, 'b'), "300", INT_MIN),
            nullptr);
}

TEST(ReqAcdCmdTest, ServerTextThatDoesNotFitIsRefusedWhole) {
  ReqAcdCmd request("SETAVAIL,0,1001", 7);  // "ACD,ACDCMD,7:,SETAVAIL,0,1001" is 29 characters
  char buffer[40];
  EXPECT_EQ(request.serialize(buffer, 30), 29);
  for (int size : {29, 20, 14, 13, 3}) {
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(request.serialize(buffer, size), -1) << size;
    EXPECT_EQ(buffer[0], '\0') << size;
    EXPECT_EQ(buffer[size], 'x') << "wrote past the room of " << size;
  }
}

}  // namespace
