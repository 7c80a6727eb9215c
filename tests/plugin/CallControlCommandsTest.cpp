// The call-control page commands on the wire: what each sends to the call
// server, and when it is dropped.

#include <gtest/gtest.h>

#include <string>

#include "tests/plugin/PageCommandFixture.h"

namespace {

using CallControlCommandsTest = PageCommandFixture;

// Every gated call-control command with all its arguments.
const char* const kGatedCommands[] = {
    R"([7,0,"answercall","c1"])",
    R"([7,0,"pickupcall","c1"])",
    R"([7,0,"btransfercall","c1","300"])",
    R"([7,0,"cscall","c1","300"])",
    R"([7,0,"dialdigits","c1","*5"])",
    R"([7,0,"dialnumber","300"])",
    R"([7,0,"divert","c1","300"])",
    R"([7,0,"getcallinfo","c1"])",
    R"([7,0,"getdevsnapshot","2"])",
    R"([7,0,"hangupcall","c1"])",
    R"([7,0,"holdcall","c1"])",
    R"([7,0,"joinconf","c1","c2"])",
    R"([7,0,"pair","301"])",
    R"([7,0,"unpair","301"])",
    R"([7,0,"querydevice","301"])",
    R"([7,0,"retrievecall","c1"])",
    R"([7,0,"setcallfwd","1","400"])",
    R"([7,0,"transfercall","c1","c2"])",
};

TEST_F(CallControlCommandsTest, EveryCommandReachesTheServer) {
  ASSERT_TRUE(logInOnLine1());
  // Device 201:1, extension 201; "pair" and "unpair" come last, as they
  // change both.
  const WireCase cases[] = {
      {R"([7,0,"answercall","c1"])", "LVL2OAI,RAWCMD,7:,_AC,7,201:1,c1"},
      {R"([7,0,"pickupcall","c1"])", "LVL2OAI,RAWCMD,7:,_AC,7,201:1,c1"},
      {R"([7,0,"btransfercall","c1","300"])", "LVL2OAI,RAWCMD,7:,_TO,7,201:1,c1,300"},
      {R"([7,0,"cscall","c1","300"])", "LVL2OAI,RAWCMD,7:,_CS,7,201:1,c1,300,"},
      {R"([7,0,"dialdigits","c1","*5"])", "LVL2OAI,RAWCMD,7:,_EF,7,201:1,c1,*5"},
      {R"([7,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,7:,_MC,7,201:1,300"},
      {R"([7,0,"divert","c1","300"])", "LVL2OAI,RAWCMD,7:,_DF,7,201:1,c1,300,"},
      {R"([7,0,"getcallinfo","c1"])", "LVL2OAI,RAWCMD,7:,!nSC,7,c1"},
      {R"([7,0,"getdevsnapshot","2"])", "LVL2OAI,RAWCMD,7:,_SP,7,201:2"},
      {R"([7,0,"hangupcall","c1"])", "LVL2OAI,RAWCMD,7:,_CX,7,201:1,c1"},
      {R"([7,0,"holdcall","c1"])", "LVL2OAI,RAWCMD,7:,_HC,7,201:1,c1,0,0"},
      {R"([7,0,"joinconf","c1","c2"])", "LVL2OAI,RAWCMD,7:,_CN,7,201:1,c1,c2"},
      {R"([7,0,"querydevice","301"])", "LVL2OAI,RAWCMD,7:,_QI,7,301"},
      {R"([7,0,"retrievecall","c1"])", "LVL2OAI,RAWCMD,7:,_RV,7,201:1,c1"},
      {R"([7,0,"setcallfwd","1","400"])", "LVL2OAI,RAWCMD,7:,_SF,7,201,1,400"},
      {R"([7,0,"transfercall","c1","c2"])", "LVL2OAI,RAWCMD,7:,_TR,7,201:1,c1,c2,0"},
      {R"([7,0,"getunifiernodes"])", "LVL2OAI,RAWCMD,7:,_UQC,7"},
      // Elements past the ones a command reads are ignored.
      {R"([7,0,"dialnumber","300","x","y"])", "LVL2OAI,RAWCMD,7:,_MC,7,201:1,300"},
      {R"([7,0,"pair","301"])", "LVL2OAI,RAWCMD,7:,_MS,7,301,1"},
      {R"([7,0,"unpair","302"])", "LVL2OAI,RAWCMD,7:,_MS,7,302,1"},
  };
  for (const WireCase& c : cases) EXPECT_TRUE(check(c));
}

TEST_F(CallControlCommandsTest, TooFewElementsAreDroppedSilently) {
  ASSERT_TRUE(logInOnLine1());
  const char* const cases[] = {
      R"([7,0,"answercall"])",        R"([7,0,"pickupcall"])",   R"([7,0,"btransfercall","c1"])",
      R"([7,0,"btransfercall"])",     R"([7,0,"cscall","c1"])",  R"([7,0,"dialdigits","c1"])",
      R"([7,0,"dialnumber"])",        R"([7,0,"divert","c1"])",  R"([7,0,"getcallinfo"])",
      R"([7,0,"getdevsnapshot"])",    R"([7,0,"hangupcall"])",   R"([7,0,"holdcall"])",
      R"([7,0,"joinconf","c1"])",     R"([7,0,"pair"])",         R"([7,0,"unpair"])",
      R"([7,0,"querydevice"])",       R"([7,0,"retrievecall"])", R"([7,0,"setcallfwd","1"])",
      R"([7,0,"transfercall","c1"])",
  };
  for (const char* c : cases) EXPECT_TRUE(drops(c));
  // A dropped "pair" leaves extension and device as they were.
  EXPECT_EQ(peer().extension(), "201");
  EXPECT_EQ(peer().device(), "201:1");
}

TEST_F(CallControlCommandsTest, NothingIsSentBeforeCallControlIsLoggedIn) {
  // Idle: no connection at all.
  for (const char* c : kGatedCommands) EXPECT_TRUE(drops(c));
  // Logged in to "CLIENT", but the server offered no call control.
  ASSERT_TRUE(logIn(7, "INDSS,N2N"));
  ASSERT_EQ(peer().state(), QelSocket::LoggedIn);
  for (const char* c : kGatedCommands) EXPECT_TRUE(drops(c));
  EXPECT_EQ(peer().extension(), "201");
  EXPECT_TRUE(sends(R"([7,0,"getunifiernodes"])", "LVL2OAI,RAWCMD,7:,_UQC,7"));
}

TEST_F(CallControlCommandsTest, LossOfCallControlClosesTheGate) {
  ASSERT_TRUE(logInOnLine1());
  EXPECT_TRUE(sends(R"([7,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,7:,_MC,7,201:1,300"));
  server_.sendFrame("AE,LVL2OAI,UNAVAILABLE,0:,");
  ASSERT_TRUE(loop_.runUntil([this] { return !session().isLvl2LoggedIn(); }));
  loop_.runUntilIdle();
  EXPECT_TRUE(drops(R"([7,0,"dialnumber","300"])"));
}

TEST_F(CallControlCommandsTest, RequestIdRules) {
  ASSERT_TRUE(logInOnLine1());
  // The header carries the id only when it is above 0; the command's own
  // id field always carries it.
  const WireCase cases[] = {
      {R"([7.9,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,7:,_MC,7,201:1,300"},
      {R"([-7.9,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,,_MC,-7,201:1,300"},
      {R"(["7",0,"dialnumber","300"])", "LVL2OAI,RAWCMD,,_MC,0,201:1,300"},
      {R"([null,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,,_MC,0,201:1,300"},
      {R"([true,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,,_MC,0,201:1,300"},
      {R"([0,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,,_MC,0,201:1,300"},
      {R"([-3,0,"querydevice","201"])", "LVL2OAI,RAWCMD,,_QI,-3,201"},
      {R"([1e12,0,"getcallinfo","c1"])", "LVL2OAI,RAWCMD,2147483647:,!nSC,2147483647,c1"},
      {R"([0,0,"getunifiernodes"])", "LVL2OAI,RAWCMD,,_UQC,0"},
      {R"([2.5,0,"getunifiernodes"])", "LVL2OAI,RAWCMD,2:,_UQC,2"},
  };
  for (const WireCase& c : cases) EXPECT_TRUE(check(c));
}

TEST_F(CallControlCommandsTest, ArgumentsTravelAsTheyAre) {
  ASSERT_TRUE(logInOnLine1());
  const WireCase cases[] = {
      // A non-string argument is the empty text; a number is never turned
      // into text.
      {R"([7,0,"dialnumber",300])", "LVL2OAI,RAWCMD,7:,_MC,7,201:1,"},
      {R"([7,0,"dialnumber",null])", "LVL2OAI,RAWCMD,7:,_MC,7,201:1,"},
      {R"([7,0,"answercall",["c1"]])", "LVL2OAI,RAWCMD,7:,_AC,7,201:1,"},
      {R"([7,0,"transfercall",{"a":1},true])", "LVL2OAI,RAWCMD,7:,_TR,7,201:1,,,0"},
      {R"([7,0,"answercall",""])", "LVL2OAI,RAWCMD,7:,_AC,7,201:1,"},
      // Nothing is quoted: a comma or a bar gives more fields on the wire.
      {R"([7,0,"dialnumber","3,0|0"])", "LVL2OAI,RAWCMD,7:,_MC,7,201:1,3,0|0"},
      {R"([7,0,"getcallinfo"," c1 "])", "LVL2OAI,RAWCMD,7:,!nSC,7, c1 "},
  };
  for (const WireCase& c : cases) EXPECT_TRUE(check(c));
}

TEST_F(CallControlCommandsTest, PairAndUnpairOverwriteExtensionAndDevice) {
  ASSERT_TRUE(logInOnLine1());
  EXPECT_TRUE(sends(R"([7,0,"pair","301"])", "LVL2OAI,RAWCMD,7:,_MS,7,301,1"));
  EXPECT_EQ(peer().extension(), "301");
  EXPECT_EQ(peer().device(), "301");
  const WireCase afterPair[] = {
      {R"([8,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,8:,_MC,8,301,300"},
      {R"([8,0,"getdevsnapshot","2"])", "LVL2OAI,RAWCMD,8:,_SP,8,301:2"},
      {R"([8,0,"setcallfwd","1","400"])", "LVL2OAI,RAWCMD,8:,_SF,8,301,1,400"},
  };
  for (const WireCase& c : afterPair) EXPECT_TRUE(check(c));

  EXPECT_TRUE(sends(R"([9,0,"unpair","302"])", "LVL2OAI,RAWCMD,9:,_MS,9,302,1"));
  EXPECT_EQ(peer().extension(), "302");
  EXPECT_EQ(peer().device(), "302");

  // A non-string element 3 sets both to the empty text.
  EXPECT_TRUE(sends(R"([9,0,"pair",302])", "LVL2OAI,RAWCMD,9:,_MS,9,,1"));
  EXPECT_EQ(peer().extension(), "");
  EXPECT_EQ(peer().device(), "");
  const WireCase afterEmptyPair[] = {
      {R"([9,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,9:,_MC,9,,300"},
      {R"([9,0,"getdevsnapshot","2"])", "LVL2OAI,RAWCMD,9:,_SP,9,:2"},
  };
  for (const WireCase& c : afterEmptyPair) EXPECT_TRUE(check(c));
}

TEST_F(CallControlCommandsTest, GetUnifierNodesIsSentWhileIdleAndLogsFirst) {
  command(R"([7,0,"getunifiernodes"])");
  const auto lines = page_.logLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "CMD(7,getunifiernodes,3)");
  EXPECT_EQ(lines[1], "enter getUnifierList");
  // Handed to the connection: its text is logged, and the write without a
  // connection fails.
  EXPECT_EQ(lines[2], "LVL2OAI,RAWCMD,7:,_UQC,7");
  EXPECT_NE(page_.find(0, connectionStateText(false, "NET_SERVER")), nullptr);
  EXPECT_EQ(peer().state(), QelSocket::Idle);
}

TEST_F(CallControlCommandsTest, CommandTooLongIsRefusedWhole) {
  ASSERT_TRUE(logInOnLine1());
  // The send buffer holds 2043 characters of text behind the length field.
  const std::string head = "LVL2OAI,RAWCMD,7:,_MC,7,201:1,";
  const std::string fits(2043 - head.size(), '9');
  EXPECT_TRUE(sends(R"([7,0,"dialnumber",")" + fits + "\"]", head + fits));

  const std::string tooLong[] = {
      R"([7,0,"dialnumber",")" + fits + "9\"]",
      R"([7,0,"dialnumber",")" + std::string(3000, '9') + "\"]",
      R"([7,0,"transfercall","c1",")" + std::string(3000, 'x') + "\"]",
  };
  for (const std::string& json : tooLong) EXPECT_TRUE(refusedAsTooLong(json, 7));
  // The session goes on: the next command is sent in full.
  EXPECT_TRUE(sends(R"([8,0,"dialnumber","300"])", "LVL2OAI,RAWCMD,8:,_MC,8,201:1,300"));
}

}  // namespace
