#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "messages/EventCause.h"
#include "messages/JsonText.h"
#include "messages/TextHelpers.h"
#include "messages/TextWriter.h"
#include "tests/support/LinearGrowth.h"

namespace {

using Fields = std::vector<std::string>;

struct CountedCase {
  const char* text;
  char quote;
  int count;
  Fields fields;
};

TEST(SplitFieldsTest, CountedSplitTable) {
  const CountedCase cases[] = {
      {"a,b,c,d", 0, 3, {"a", "b", "c,d"}},
      {"a,b", 0, 3, {"a", "b", ""}},
      {"", 0, 3, {"", "", ""}},
      {"a,,b", 0, 3, {"a", "", "b"}},
      {" a , b ", 0, 3, {"a", "b", ""}},
      {"a, b ,c", 0, 1, {"a, b ,c"}},
      {"   ,b", 0, 2, {"", "b"}},
      {"\ta,b", 0, 2, {"\ta", "b"}},
      {"0,|x,y|,z", '|', 3, {"0", "x,y", "z"}},
      {"0,|a,b|", '|', 3, {"0", "a,b", ""}},
      {"0,|ab|", '|', 3, {"0", "|ab|", ""}},
      {"0,k|a,b|m,z", '|', 3, {"0", "a,bm", "z"}},
      {"0,|a,b,c", '|', 3, {"0", "|a", "b,c"}},
      {"a,|b,c|,d", '|', 2, {"a", "b,c,d"}},
      {"0,| x,y |,z", '|', 3, {"0", "x,y", "z"}},
  };
  for (const CountedCase& c : cases) {
    Fields out;
    splitFields(c.text, ',', c.quote, c.count, &out);
    EXPECT_EQ(out, c.fields) << "text: " << c.text;

    std::string writable = c.text;
    Fields inPlace;
    splitFieldsInPlace(&writable[0], ',', c.quote, c.count, &inPlace);
    EXPECT_EQ(inPlace, c.fields) << "in place: " << c.text;
  }
}

TEST(SplitFieldsTest, SplitAppendsToTheGivenList) {
  Fields out = {"kept"};
  splitFields("a", ',', 0, 2, &out);
  EXPECT_EQ(out, (Fields{"kept", "a", ""}));
}

TEST(SplitFieldsTest, InPlaceSplitCutsTheText) {
  char text[] = "CF,CLIENT,LOGIN,5:,0";
  Fields out;
  splitFieldsInPlace(text, ',', 0, 3, &out);
  EXPECT_EQ(out, (Fields{"CF", "CLIENT", "LOGIN,5:,0"}));
  EXPECT_EQ(text[2], '\0');
  EXPECT_EQ(text[9], '\0');
  EXPECT_STREQ(text + 10, "LOGIN,5:,0");
}

TEST(SplitFieldsTest, InPlaceQuotedSplitCutsClosingQuoteAndSeparators) {
  char text[] = "0,|x,y|,z,w";
  Fields out;
  splitFieldsInPlace(text, ',', '|', 3, &out);
  EXPECT_EQ(out, (Fields{"0", "x,y", "z,w"}));
  // The separators that end fields 0 and 1 and the closing quote become
  // NULs; the comma inside the quotes and the rest of the last field stay.
  const char expected[] = "0\0|x,y\0\0z,w";
  EXPECT_EQ(std::string(text, sizeof text), std::string(expected, sizeof expected));
}

TEST(SplitFieldsTest, InPlaceSplitStopsAtTheFirstNul) {
  char text[] = "a,b\0c,d";
  Fields out;
  splitFieldsInPlace(text, ',', 0, 3, &out);
  EXPECT_EQ(out, (Fields{"a", "b", ""}));
  EXPECT_STREQ(text + 4, "c,d");
}

struct AllCase {
  const char* text;
  char quote;
  Fields fields;
};

TEST(SplitFieldsTest, AllFieldsTable) {
  const AllCase cases[] = {
      {"", 0, {}},
      {"a,,b", 0, {"a", "", "b"}},
      {"a,b,", 0, {"a", "b", ""}},
      {",", 0, {"", ""}},
      {" a ", 0, {"a"}},
      {"1,|x,y|,2", '|', {"1", "x,y", "2"}},
      {"1,|x,y|", '|', {"1", "x,y"}},
      {"1,|x", '|', {"1", "|x"}},
  };
  for (const AllCase& c : cases) {
    Fields out;
    splitAllFields(c.text, ',', c.quote, &out);
    EXPECT_EQ(out, c.fields) << "text: " << c.text;
  }
}

// A text of nothing but empty fields, split with the quote character in
// use, takes work in proportion to its length, whichever split it goes
// through.
TEST(SplitFieldsTest, EmptyFieldsWithQuoteAreSplitInLinearWork) {
  struct Split {
    const char* name;
    void (*split)(std::string& text, Fields* out);
  };
  const Split splits[] = {
      {"all", [](std::string& text, Fields* out) { splitAllFields(text, ',', '|', out); }},
      {"counted",
       [](std::string& text, Fields* out) {
         splitFields(text, ',', '|', static_cast<int>(text.size()) + 1, out);
       }},
      {"in place",
       [](std::string& text, Fields* out) {
         splitFieldsInPlace(&text[0], ',', '|', static_cast<int>(text.size()) + 1, out);
       }},
  };
  for (const Split& s : splits) {
    // The text is made anew for each run: the split in place changes it.
    const auto prepare = [&s](size_t n) -> PreparedStep {
      return [&s, n] {
        std::string text(n, ',');
        Fields fields;
        s.split(text, &fields);
        EXPECT_EQ(fields.size(), n + 1) << s.name;
      };
    };
    EXPECT_TRUE(growsLinearly(prepare, 16384, 8, 24)) << s.name;
  }
}

TEST(TextHelpersTest, TrimSpaces) {
  std::string text = "  a b  ";
  EXPECT_EQ(trimSpaces(text), "a b");
  EXPECT_EQ(text, "a b");
  std::string blanks = "   ";
  EXPECT_EQ(trimSpaces(blanks), "");
  std::string tabs = "\ta\t";
  EXPECT_EQ(trimSpaces(tabs), "\ta\t");
}

TEST(TextHelpersTest, IdentifierHalves) {
  struct Case {
    const char* text;
    const char* after;
    const char* before;
  };
  const Case cases[] = {
      {"201:3001", "3001", "201"},
      {"3001", "3001", "3001"},
      {"201:", "201", "201"},
      {":7", "7", ""},
      {"a:b:c", "b:c", "a"},
      {"201 : 55", "55", "201"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(afterColon(c.text), c.after) << c.text;
    EXPECT_EQ(beforeColon(c.text), c.before) << c.text;
  }
}

TEST(TextHelpersTest, NumberConversions) {
  struct Case {
    const char* text;
    int value;
  };
  const Case cases[] = {
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"  -7", -7},
      {"+5", 5},
      {"\t\n 3", 3},
      {"- 3", 0},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"99999999999999999999999", INT_MAX},
      {"-99999999999999999999999", INT_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(stringToInt(c.text), c.value) << c.text;
  EXPECT_EQ(intToString(-5), "-5");
  EXPECT_EQ(intToString(0), "0");
  EXPECT_EQ(intToString(INT_MIN), "-2147483648");
}

TEST(TextHelpersTest, StatusRule) {
  for (const char* success : {"0", "00", "0 ok"}) EXPECT_TRUE(isSuccessStatus(success)) << success;
  for (const char* failure : {"", "1", " 0", "-1"}) {
    EXPECT_FALSE(isSuccessStatus(failure)) << failure;
  }
}

TEST(TextHelpersTest, LogErrorLine) {
  testing::internal::CaptureStderr();
  logError("bad %s command");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "logerr: bad %s command\n");
}

TEST(EventCauseTest, Names) {
  struct Case {
    int cause;
    const char* name;
  };
  const Case cases[] = {
      {0, "unknown"},         {57, "unknown"},      {-1, "unknown"},
      {1000, "unknown"},      {37, "37"},           {52, "52"},
      {56, "timeout"},        {1, "activeMonitor"}, {22, "newCall"},
      {48, "normalClearing"}, {INT_MIN, "unknown"}, {INT_MAX, "unknown"},
  };
  for (const Case& c : cases) EXPECT_STREQ(eventCauseName(c.cause), c.name) << c.cause;
  EXPECT_STREQ(eventCauseNames[0], "0");
  EXPECT_STREQ(eventCauseNames[57], "unknown");
}

TEST(TextWriterTest, BoundsAndRefusal) {
  char buffer[8];
  TextWriter out(buffer, sizeof buffer);
  out.format("%s,", "ab");
  out.append("cd");
  EXPECT_EQ(out.finish(), 5);
  EXPECT_STREQ(buffer, "ab,cd");

  TextWriter continued(buffer, sizeof buffer, 5);
  continued.format("%d", 12);
  EXPECT_EQ(continued.finish(), 7);
  EXPECT_STREQ(buffer, "ab,cd12");

  TextWriter full(buffer, sizeof buffer, 7);
  full.append("x");
  EXPECT_EQ(full.finish(), -1);
  EXPECT_EQ(buffer[0], '\0');
}

TEST(JsonTextTest, CompactSortedWithLineFeed) {
  Json::Value value;
  EXPECT_EQ(writeJsonText(value), "null\n");
  value["error"] = -1;
  value["details"] = "a\"b\\c\n";
  EXPECT_EQ(writeJsonText(value), "{\"details\":\"a\\\"b\\\\c\\n\",\"error\":-1}\n");
  EXPECT_EQ(writeJsonText(Json::Value(Json::arrayValue)), "[]\n");
}

}  // namespace
