#include <gtest/gtest.h>

#include <string>

#include "platform/Var.h"
#include "platform/VarJson.h"
#include "plugin/PageCommand.h"
#include "tests/support/PageRecorder.h"

namespace {

TEST(PageCommandTest, ElementReaders) {
  struct Case {
    const char* element;  // JSON
    int number;
    const char* text;
    bool flag;
  };
  const Case cases[] = {
      {"7", 7, "", false},
      {"0", 0, "", false},
      {"-3", -3, "", false},
      {"2.9", 2, "", false},
      {"-2.9", -2, "", false},
      {"2.0", 2, "", false},
      {"1e12", 2147483647, "", false},
      {"-1e12", -2147483647 - 1, "", false},
      {"\"7\"", 0, "7", false},
      {"\"\"", 0, "", false},
      {"true", 0, "", true},
      {"false", 0, "", false},
      {"null", 0, "", false},
      {"[1]", 0, "", false},
      {"{\"a\":1}", 0, "", false},
  };
  for (const Case& c : cases) {
    const pp::VarArray args(pp::varFromJson(
        PageRecorder::decode(std::string("[") + c.element + ",0,\"x\"," + c.element + "]")));
    ASSERT_EQ(args.GetLength(), 4u) << c.element;
    EXPECT_EQ(readRequestId(args), c.number) << c.element;
    EXPECT_EQ(readInt(args, 3), c.number) << c.element;
    EXPECT_EQ(readText(args, 3), c.text) << c.element;
    EXPECT_EQ(readFlag(args, 3), c.flag) << c.element;
  }
}

TEST(PageCommandTest, MissingElements) {
  const pp::VarArray empty;
  EXPECT_EQ(readRequestId(empty), 0);
  EXPECT_EQ(readInt(empty, 3), 0);
  EXPECT_EQ(readText(empty, 3), "");
  EXPECT_FALSE(readFlag(empty, 3));
  EXPECT_EQ(readText(empty, 4294967295u), "");
}

}  // namespace
