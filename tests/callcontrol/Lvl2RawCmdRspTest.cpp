#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <type_traits>

#include "callcontrol/Lvl2RawCmdRsp.h"
#include "callcontrol/RawCmdResponse.h"
#include "tests/support/PageText.h"

namespace {

const char kFailed[] = "{\"details\":\"command failed\",\"error\":-1}\n";
const char kNoDetails[] = "{\"details\":null,\"error\":0}\n";

// The page text of the reply LVL2OAI,RAWCMD,7:,<body>.
std::string replyText(const std::string& body) {
  return pageText(Lvl2RawCmdRsp("LVL2OAI", "RAWCMD", 7, 0, body));
}

template <size_t N>
void expectPages(const PageCase (&cases)[N]) {
  for (const PageCase& c : cases) EXPECT_EQ(replyText(c.body), c.page) << c.body;
}

TEST(Lvl2RawCmdRspTest, StatusRule) {
  const PageCase cases[] = {
      {"a,b,_HC,7,0", kNoDetails},
      {"a,b,_HC,7,00", kNoDetails},
      {"a,b,_HC,7, 0 ", kNoDetails},
      {"a,b,_HC,7,0x", kNoDetails},
      {"a,b,_HC,7,", kFailed},
      {"a,b,_HC,7,1", kFailed},
      {"a,b,_HC,7,-1", kFailed},
      {"a,b,_HC,7,-0", kFailed},
      {"a,b,_HC,7,ok", kFailed},
      {"a,b,_HC,7", kFailed},
      {"", kFailed},
  };
  expectPages(cases);
}

TEST(Lvl2RawCmdRspTest, PlainResponse) {
  const PageCase cases[] = {
      {"a,b,_CX,7,0", kNoDetails},        {"a,b,_AC,7,0,ignored,data", kNoDetails},
      {"a,b,,7,0", kNoDetails},           {"a,b,XYZ,7,0,1,2", kNoDetails},
      {"a,b,_mc,7,0,12,201", kNoDetails},  // codes are case-sensitive
      {"a,b,_CX,7,1,12", kFailed},
  };
  expectPages(cases);
}

TEST(Lvl2RawCmdRspTest, MakeCall) {
  const PageCase cases[] = {
      {"a,b,_MC,7,0,12,201",
       "{\"details\":{\"DeviceID\":\"201\",\"handle\":\"12\"},\"error\":0}\n"},
      {"a,b,_MC,7,0,12", "{\"details\":{\"DeviceID\":\"\",\"handle\":\"12\"},\"error\":0}\n"},
      {"a,b,_MC,7,0,12,201,9",
       "{\"details\":{\"DeviceID\":\"201,9\",\"handle\":\"12\"},\"error\":0}\n"},
      {"a,b,_MC,7,0, 12 , 201 ",
       "{\"details\":{\"DeviceID\":\"201\",\"handle\":\"12\"},\"error\":0}\n"},
      {"a,b,_MC,7,0", "{\"details\":{\"DeviceID\":\"\",\"handle\":\"\"},\"error\":0}\n"},
      {"a,b,_MC,7,1,12,201", kFailed},
      {"a,b,_MC,7,,12,201", kFailed},
  };
  expectPages(cases);
}

TEST(Lvl2RawCmdRspTest, QueryDevice) {
  const PageCase cases[] = {
      {"a,b,_QI,7,0,201,2,1,|Desk, Hall|,u9",
       "{\"details\":{\"Description\":\"Desk, Hall\",\"DeviceClass\":\"1\",\"DeviceID\":\"201\","
       "\"DeviceType\":\"2\",\"UserName\":\"u9\"},\"error\":0}\n"},
      {"a,b,_QI,7,0,201,2,1,Desk,u9,more",
       "{\"details\":{\"Description\":\"Desk\",\"DeviceClass\":\"1\",\"DeviceID\":\"201\","
       "\"DeviceType\":\"2\",\"UserName\":\"u9,more\"},\"error\":0}\n"},
      {"a,b,_QI,7,0,201",
       "{\"details\":{\"Description\":\"\",\"DeviceClass\":\"\",\"DeviceID\":\"201\","
       "\"DeviceType\":\"\",\"UserName\":\"\"},\"error\":0}\n"},
      {"a,b,_QI,7,0",
       "{\"details\":{\"Description\":\"\",\"DeviceClass\":\"\",\"DeviceID\":\"\","
       "\"DeviceType\":\"\",\"UserName\":\"\"},\"error\":0}\n"},
      {"a,b,_QI,7,1,201,2,1,Desk,u9", kFailed},
  };
  expectPages(cases);
}

TEST(Lvl2RawCmdRspTest, TransferCall) {
  const PageCase cases[] = {
      {"a,b,_TR,7,0,C9,301,302,Ann,201,T1,9000",
       "{\"details\":{\"CallerName\":\"Ann\",\"CallerNumber\":\"201\",\"DestinationDeviceID\":"
       "\"301\",\"NewCallID\":\"C9\",\"TransferredDeviceID\":\"302\",\"TrunkName\":\"T1\","
       "\"TrunkNumber\":\"9000\"},\"error\":0}\n"},
      // A quoted name keeps its comma and every later key stays in place.
      {"a,b,_TR,7,0,C9,301,302,|Smith, Ann|,201,|Trunk, East|,9000",
       "{\"details\":{\"CallerName\":\"Smith, Ann\",\"CallerNumber\":\"201\","
       "\"DestinationDeviceID\":\"301\",\"NewCallID\":\"C9\",\"TransferredDeviceID\":\"302\","
       "\"TrunkName\":\"Trunk, East\",\"TrunkNumber\":\"9000\"},\"error\":0}\n"},
      {"a,b,_TR,7,0,C9,301,302,Ann,201,T1,9000,x",
       "{\"details\":{\"CallerName\":\"Ann\",\"CallerNumber\":\"201\",\"DestinationDeviceID\":"
       "\"301\",\"NewCallID\":\"C9\",\"TransferredDeviceID\":\"302\",\"TrunkName\":\"T1\","
       "\"TrunkNumber\":\"9000,x\"},\"error\":0}\n"},
      {"a,b,_TR,7,0,C9",
       "{\"details\":{\"CallerName\":\"\",\"CallerNumber\":\"\",\"DestinationDeviceID\":\"\","
       "\"NewCallID\":\"C9\",\"TransferredDeviceID\":\"\",\"TrunkName\":\"\",\"TrunkNumber\":"
       "\"\"},\"error\":0}\n"},
      {"a,b,_TR,7,1,C9,301,302,Ann,201,T1,9000", kFailed},
  };
  expectPages(cases);
}

TEST(Lvl2RawCmdRspTest, SnapshotCall) {
  const PageCase cases[] = {
      {"a,b,!nSC,7,0,31,1,201,C1",
       "{\"details\":[{\"connection\":\"C1\",\"party\":\"201\"}],\"error\":0}\n"},
      {"a,b,!nSC,7,0,31,2,201,C1,202,C2",
       "{\"details\":[{\"connection\":\"C1\",\"party\":\"201\"},"
       "{\"connection\":\"C2\",\"party\":\"202\"}],\"error\":0}\n"},
      {"a,b,!nSC,7,0,31,1,201,C1,X",
       "{\"details\":[{\"connection\":\"C1\",\"party\":\"201\"}],\"error\":0}\n"},
      {"a,b,!nSC,7,0,31,1,201,",
       "{\"details\":[{\"connection\":\"\",\"party\":\"201\"}],"
       "\"error\":0}\n"},
      {"a,b,!nSC,7,0", kNoDetails},
      {"a,b,!nSC,7,0,31", kNoDetails},
      {"a,b,!nSC,7,0,31,0", kNoDetails},
      {"a,b,!nSC,7,0,31,1,201", kNoDetails},
      {"a,b,!nSC,7,0,31,-1,201,C1", kNoDetails},
      {"a,b,!nSC,7,0,31,x,201,C1", kNoDetails},
      {"a,b,!nSC,7,0,31,2147483647,201,C1", kNoDetails},
      {"a,b,!nSC,7,0,31,99999999999,201,C1", kNoDetails},
      {"a,b,!nSC,7,0,31,4294967297,201,C1", kNoDetails},  // would wrap to 1
      {"a,b,!nSC,7,1,31,1,201,C1", kFailed},
  };
  expectPages(cases);
}

TEST(Lvl2RawCmdRspTest, SnapshotDevice) {
  const PageCase cases[] = {
      {"a,b,_SP,7,0,2,31,C1,32,C2",
       "{\"details\":[{\"callID\":\"31\",\"connection\":\"C1\"},"
       "{\"callID\":\"32\",\"connection\":\"C2\"}],\"error\":0}\n"},
      {"a,b,_SP,7,0,1,31,C1,X",
       "{\"details\":[{\"callID\":\"31\",\"connection\":\"C1\"}],\"error\":0}\n"},
      {"a,b,_SP,7,0, 1 , 31 , C1 ",
       "{\"details\":[{\"callID\":\"31\",\"connection\":\"C1\"}],\"error\":0}\n"},
      {"a,b,_SP,7,0", kNoDetails},
      {"a,b,_SP,7,0,0", kNoDetails},
      {"a,b,_SP,7,0,2,31,C1", kNoDetails},
      {"a,b,_SP,7,0,-2,31,C1", kNoDetails},
      {"a,b,_SP,7,0,2147483647,31,C1", kNoDetails},
      {"a,b,_SP,7,0,4294967297,31,C1", kNoDetails},  // would wrap to 1
      {"a,b,_SP,7,1,1,31,C1", kFailed},
  };
  expectPages(cases);
}

TEST(Lvl2RawCmdRspTest, ListUnifiers) {
  const PageCase cases[] = {
      {"a,b,_UQC,7,0,1,11,up,12",
       "{\"details\":[{\"nodeId\":\"11\",\"nodeId1\":\"12\",\"status\":\"up\"}],\"error\":0}\n"},
      {"a,b,_UQC,7,0,2,11,up,12,13,down,14,X",
       "{\"details\":[{\"nodeId\":\"11\",\"nodeId1\":\"12\",\"status\":\"up\"},"
       "{\"nodeId\":\"13\",\"nodeId1\":\"14\",\"status\":\"down\"}],\"error\":0}\n"},
      {"a,b,_UQC,7,0", kNoDetails},
      {"a,b,_UQC,7,0,0", kNoDetails},
      {"a,b,_UQC,7,0,2,11,up,12", kNoDetails},
      {"a,b,_UQC,7,0,1,11,up", kNoDetails},
      {"a,b,_UQC,7,0,2147483647,11,up,12", kNoDetails},
      {"a,b,_UQC,7,0,4294967297,11,up,12", kNoDetails},  // would wrap to 1
      {"a,b,_UQC,7,1,1,11,up,12", kFailed},
      {"a,b,_UQC,7,1", kFailed},
  };
  expectPages(cases);
}

TEST(Lvl2RawCmdRspTest, HeaderOfTheReply) {
  // Posted under the header's request id, not the echoed one; the prefix is
  // "CF" and the service is kept as given.
  Lvl2RawCmdRsp reply("OTHER", "RAWCMD", 7, 3, "a,b,_MC,99,0,12,201");
  EXPECT_EQ(reply.prefix(), "CF");
  EXPECT_EQ(reply.service(), "OTHER");
  EXPECT_EQ(reply.command(), "RAWCMD");
  EXPECT_EQ(reply.requestId(), 7);
  EXPECT_EQ(reply.response().status(), "0");
  char buffer[64];
  EXPECT_EQ(reply.serialize(buffer, sizeof buffer), 19);
  EXPECT_STREQ(buffer, "CF,OTHER,RAWCMD,7:3");
}

TEST(Lvl2RawCmdRspTest, BodySplitHonoursQuotes) {
  // A quoted field 0 or 1 holding commas does not shift the code and status.
  EXPECT_EQ(replyText("|a,x|,|b,y|,_MC,7,0,12,201"),
            "{\"details\":{\"DeviceID\":\"201\",\"handle\":\"12\"},\"error\":0}\n");
}

TEST(Lvl2RawCmdRspTest, RepliesOwnTheirResponses) {
  static_assert(!std::is_copy_constructible_v<Lvl2RawCmdRsp>);
  static_assert(!std::is_copy_assignable_v<Lvl2RawCmdRsp>);
  static_assert(!std::is_copy_constructible_v<RawCmdSnapshotCallResponse>);
  static_assert(!std::is_copy_constructible_v<RawCmdSnapshotDeviceResponse>);
  static_assert(!std::is_copy_constructible_v<RawCmdListUnifiers>);
  static_assert(!std::is_copy_assignable_v<RawCmdResponse>);
}

}  // namespace
