#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "callcontrol/RawCmdResponse.h"
#include "callcontrol/RawCmdResponseFactory.h"

namespace {

const std::vector<std::string> kFields = {"a", "b", "", "7", "0", "2,31,C1,32,C2"};

TEST(RawCmdResponseFactoryTest, ClassOfEveryCode) {
  const struct {
    const char* code;
    std::type_index type;
  } rows[] = {
      {"_MC", typeid(RawCmdMakeCallResponse)},
      {"_QI", typeid(RawCmdQueryDeviceResponse)},
      {"!nSC", typeid(RawCmdSnapshotCallResponse)},
      {"_SP", typeid(RawCmdSnapshotDeviceResponse)},
      {"_TR", typeid(RawCmdTransferCallResponse)},
      {"_UQC", typeid(RawCmdListUnifiers)},
      {"_AC", typeid(RawCmdResponse)},
      {"_CX", typeid(RawCmdResponse)},
      {"_TO", typeid(RawCmdResponse)},
      {"", typeid(RawCmdResponse)},
      {"_sp", typeid(RawCmdResponse)},
      {"_SP ", typeid(RawCmdResponse)},
  };
  for (const auto& row : rows) {
    std::unique_ptr<RawCmdResponse> response =
        RawCmdResponseFactory::instance().create(row.code, kFields);
    ASSERT_NE(response, nullptr) << row.code;
    const RawCmdResponse& made = *response;
    EXPECT_EQ(std::type_index(typeid(made)), row.type) << row.code;
    EXPECT_EQ(response->status(), "0");
  }
}

TEST(RawCmdResponseFactoryTest, CodesOfTheResponseClasses) {
  EXPECT_EQ(RawCmdMakeCallResponse::CODE, "_MC");
  EXPECT_EQ(RawCmdQueryDeviceResponse::CODE, "_QI");
  EXPECT_EQ(RawCmdSnapshotCallResponse::CODE, "!nSC");
  EXPECT_EQ(RawCmdSnapshotDeviceResponse::CODE, "_SP");
  EXPECT_EQ(RawCmdTransferCallResponse::CODE, "_TR");
  EXPECT_EQ(RawCmdListUnifiers::CODE, "_UQC");
  EXPECT_EQ(&RawCmdResponseFactory::instance(), &RawCmdResponseFactory::instance());
}

TEST(RawCmdResponseFactoryTest, RecordsKeepTheirItems) {
  std::unique_ptr<RawCmdResponse> response =
      RawCmdResponseFactory::instance().create("_SP", kFields);
  const auto& calls = static_cast<const RawCmdSnapshotDeviceResponse&>(*response).calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1]->callID, "32");
  EXPECT_EQ(calls[1]->connection, "C2");

  // Short field lists read as empty texts.
  RawCmdResponse shortList({"a", "b"});
  EXPECT_EQ(shortList.status(), "");
  RawCmdSnapshotCallResponse noData({"a", "b", "!nSC", "7", "0"});
  EXPECT_TRUE(noData.parties().empty());
}

}  // namespace
