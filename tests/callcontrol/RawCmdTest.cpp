#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "callcontrol/Lvl2RawCmdReq.h"
#include "callcontrol/RawCmd.h"

namespace {

using CommandMaker = std::function<std::unique_ptr<RawCmd>()>;

template <typename Command, typename... Args>
CommandMaker make(Args... args) {
  return [=] { return std::make_unique<Command>(args...); };
}

struct CommandCase {
  CommandMaker command;
  int requestId;  // of the carrying request
  const char* text;
};

// The request text of every command, as the session's handlers build them.
const CommandCase kCommandCases[] = {
    {make<RawCmd>("_UQC", 0), 0, "LVL2OAI,RAWCMD,,_UQC,0"},
    {make<RawCmd>("_UQC", 5), 5, "LVL2OAI,RAWCMD,5:,_UQC,5"},
    {make<RawCmdAnswerCall>("201", "C1", 7), 7, "LVL2OAI,RAWCMD,7:,_AC,7,201,C1"},
    {make<RawCmdAnswerCall>("201", "", 7), 7, "LVL2OAI,RAWCMD,7:,_AC,7,201,"},
    {make<RawCmdClearConnection>("201", "C1", 8), 8, "LVL2OAI,RAWCMD,8:,_CX,8,201,C1"},
    {make<RawCmdConference>("201", "C1", "C2", 9), 9, "LVL2OAI,RAWCMD,9:,_CN,9,201,C1,C2"},
    {make<RawCmdConsultationCall>("201", "9", "300", 3, ""), 3,
     "LVL2OAI,RAWCMD,3:,_CS,3,201,9,300,"},
    {make<RawCmdConsultationCall>("201", "9", "300", 3, "x"), 3,
     "LVL2OAI,RAWCMD,3:,_CS,3,201,9,300,x"},
    {make<RawCmdDeflectCall>("201", "C1", "305", 4, ""), 4, "LVL2OAI,RAWCMD,4:,_DF,4,201,C1,305,"},
    {make<RawCmdFeatureExtension>("201", "C1", "*72", 5), 5, "LVL2OAI,RAWCMD,5:,_EF,5,201,C1,*72"},
    {make<RawCmdHoldCall>("201", "C1", 6, "0", "0"), 6, "LVL2OAI,RAWCMD,6:,_HC,6,201,C1,0,0"},
    {make<RawCmdMakeCall>("201", "42", 7), 7, "LVL2OAI,RAWCMD,7:,_MC,7,201,42"},
    {make<RawCmdMakeCall>("", "", 0), 0, "LVL2OAI,RAWCMD,,_MC,0,,"},
    {make<RawCmdMonitorStart>("201", 2, "1"), 2, "LVL2OAI,RAWCMD,2:,_MS,2,201,1"},
    {make<RawCmdQueryDevice>("201", -3), -3, "LVL2OAI,RAWCMD,,_QI,-3,201"},
    {make<RawCmdRetrieveCall>("201", "C1", 10), 10, "LVL2OAI,RAWCMD,10:,_RV,10,201,C1"},
    {make<RawCmdSetForwarding>("201", "1", "305", 11), 11, "LVL2OAI,RAWCMD,11:,_SF,11,201,1,305"},
    {make<RawCmdSnapshotCall>("5", 12), 12, "LVL2OAI,RAWCMD,12:,!nSC,12,5"},
    {make<RawCmdSnapshotDevice>("201:3001", 13), 13, "LVL2OAI,RAWCMD,13:,_SP,13,201:3001"},
    {make<RawCmdTransferCall>("201", "9", "10", 4, false), 4, "LVL2OAI,RAWCMD,4:,_TR,4,201,9,10,0"},
    {make<RawCmdTransferCall>("201", "9", "10", 4, true), 4, "LVL2OAI,RAWCMD,4:,_TR,4,201,9,10,1"},
    {make<RawCmdTransferCallOneStep>("201", "C1", "305", 14, "kept"), 14,
     "LVL2OAI,RAWCMD,14:,_TO,14,201,C1,305"},
    // Texts are written unchanged: a comma or a bar gives more fields.
    {make<RawCmdMakeCall>("201", "4,2|x", 7), 7, "LVL2OAI,RAWCMD,7:,_MC,7,201,4,2|x"},
    // The request's id and the command's id are written each by its owner.
    {make<RawCmdMakeCall>("201", "42", 7), 0, "LVL2OAI,RAWCMD,,_MC,7,201,42"},
    {make<RawCmdQueryDevice>("201", INT_MIN), INT_MIN, "LVL2OAI,RAWCMD,,_QI,-2147483648,201"},
    {make<RawCmdQueryDevice>("201", INT_MAX), INT_MAX,
     "LVL2OAI,RAWCMD,2147483647:,_QI,2147483647,201"},
};

TEST(RawCmdTest, RequestTextOfEveryCommand) {
  for (const CommandCase& c : kCommandCases) {
    Lvl2RawCmdReq request(c.command(), c.requestId);
    char buffer[2044];
    const int n = request.serialize(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, c.text);
    EXPECT_EQ(n, static_cast<int>(std::strlen(c.text))) << c.text;
  }
}

TEST(RawCmdTest, CommandTextAlone) {
  RawCmdMakeCall command("201", "42", 7);
  char buffer[64];
  EXPECT_EQ(command.serialize(buffer, sizeof buffer), 13);
  EXPECT_STREQ(buffer, ",_MC,7,201,42");
  RawCmd plain("_UQC", -1);
  EXPECT_EQ(plain.serialize(buffer, sizeof buffer), 8);
  EXPECT_STREQ(buffer, ",_UQC,-1");
}

TEST(RawCmdTest, Codes) {
  const std::pair<const std::string&, const char*> codes[] = {
      {RawCmdAnswerCall::CODE, "_AC"},    {RawCmdClearConnection::CODE, "_CX"},
      {RawCmdConference::CODE, "_CN"},    {RawCmdConsultationCall::CODE, "_CS"},
      {RawCmdDeflectCall::CODE, "_DF"},   {RawCmdFeatureExtension::CODE, "_EF"},
      {RawCmdHoldCall::CODE, "_HC"},      {RawCmdMakeCall::CODE, "_MC"},
      {RawCmdMonitorStart::CODE, "_MS"},  {RawCmdQueryDevice::CODE, "_QI"},
      {RawCmdRetrieveCall::CODE, "_RV"},  {RawCmdSetForwarding::CODE, "_SF"},
      {RawCmdSnapshotCall::CODE, "!nSC"}, {RawCmdSnapshotDevice::CODE, "_SP"},
      {RawCmdTransferCall::CODE, "_TR"},  {RawCmdTransferCallOneStep::CODE, "_TO"},
  };
  for (const auto& code : codes) EXPECT_EQ(code.first, code.second);
  RawCmdHoldCall hold("201", "C1", 6, "0", "0");
  EXPECT_EQ(hold.code(), "_HC");
  EXPECT_EQ(hold.requestId(), 6);
  EXPECT_EQ(RawCmdTransferCallOneStep("201", "C1", "305", 14, "kept").text3(), "kept");
}

// Every room from nothing to one short of the text: the text is refused
// whole (never a header without its command, never a cut number) and nothing
// is written past the room.
TEST(RawCmdTest, RequestThatDoesNotFitIsRefusedWhole) {
  const std::string text = "LVL2OAI,RAWCMD,7:,_MC,7,201,4242";
  Lvl2RawCmdReq request(std::make_unique<RawCmdMakeCall>("201", "4242", 7), 7);
  char buffer[64];
  for (int size = 0; size <= static_cast<int>(text.size()); ++size) {
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(request.serialize(buffer, size), -1) << size;
    if (size > 0) {
      EXPECT_EQ(buffer[0], '\0') << size;
    }
    EXPECT_EQ(buffer[size], 'x') << "wrote past the room of " << size;
  }
  const int fits = static_cast<int>(text.size()) + 1;
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(request.serialize(buffer, fits), static_cast<int>(text.size()));
  EXPECT_EQ(std::string(buffer), text);
  EXPECT_EQ(request.serialize(nullptr, 64), -1);
}

TEST(RawCmdTest, CommandThatDoesNotFitIsRefusedWhole) {
  RawCmdConference command("201", "C1", "C2", 9);  // ",_CN,9,201,C1,C2" is 16 characters
  char buffer[32];
  for (int size : {16, 15, 10, 6, 5, 1}) {
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(command.serialize(buffer, size), -1) << size;
    EXPECT_EQ(buffer[0], '\0') << size;
    EXPECT_EQ(buffer[size], 'x') << "wrote past the room of " << size;
  }
  EXPECT_EQ(command.serialize(buffer, 17), 16);
  EXPECT_STREQ(buffer, ",_CN,9,201,C1,C2");
}

TEST(RawCmdTest, LongNumberDoesNotFitTheSendBuffer) {
  Lvl2RawCmdReq request(std::make_unique<RawCmdMakeCall>("201", std::string(3000, '1'), 7), 7);
  char buffer[2044];
  EXPECT_EQ(request.serialize(buffer, sizeof buffer), -1);
  EXPECT_STREQ(buffer, "");
}

TEST(RawCmdTest, RequestWithoutCommandWritesItsHeader) {
  Lvl2RawCmdReq request(nullptr, 7);
  char buffer[32];
  EXPECT_EQ(request.serialize(buffer, sizeof buffer), 17);
  EXPECT_STREQ(buffer, "LVL2OAI,RAWCMD,7:");
  EXPECT_EQ(request.rawCmd(), nullptr);
}

class CountedCmd : public RawCmd {
 public:
  explicit CountedCmd(int* destroyed) : RawCmd("_UQC", 0), destroyed_(destroyed) {}
  ~CountedCmd() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

TEST(RawCmdTest, RequestOwnsItsCommand) {
  static_assert(!std::is_copy_constructible_v<Lvl2RawCmdReq>);
  static_assert(!std::is_copy_assignable_v<Lvl2RawCmdReq>);
  int destroyed = 0;
  {
    std::unique_ptr<QelMessage> request =
        std::make_unique<Lvl2RawCmdReq>(std::make_unique<CountedCmd>(&destroyed), 3);
    EXPECT_EQ(request->service(), "LVL2OAI");
    EXPECT_EQ(request->command(), "RAWCMD");
    EXPECT_EQ(request->prefix(), "");
    EXPECT_EQ(request->requestId(), 3);
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}

TEST(RawCmdTest, RequestPostsNothing) {
  Lvl2RawCmdReq request(std::make_unique<RawCmdMakeCall>("201", "42", 7), 7);
  Json::Value out;
  request.toJson(out);
  EXPECT_TRUE(out.isNull());
}

}  // namespace
