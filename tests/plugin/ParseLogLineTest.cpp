#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/QelMessage.h"
#include "tests/support/ParseText.h"
#include "tests/support/SessionFixture.h"

namespace {

using ParseLogLineTest = SessionFixture;

TEST_F(ParseLogLineTest, PrefixedTextsLogWhatWasFound) {
  struct Case {
    const char* text;
    const char* line;  // null: nothing is logged
  };
  const Case cases[] = {
      {"", nullptr},
      {"AE", nullptr},
      {"AE,", "parse:2, , , 0, 0, "},
      {"CF,CLIENT,LOGIN,5:,0", "parse:1, CLIENT, LOGIN, 5, 0, 0"},
      {"CF,CLIENT,LOGIN", "parse:1, CLIENT, LOGIN, 0, 0, "},
      {"XY,CLIENT,VERSION,3:,0,1,2,3", "parse:1, CLIENT, VERSION, 3, 0, 0,1,2,3"},
      // An event drops its request id, but the line shows what the text held.
      {"AE,DSS,DSSMON,9:4,a,201,1,x", "parse:2, DSS, DSSMON, 9, 4, a,201,1,x"},
      {"CF, CLIENT , LOGIN ,5:, 0 ", "parse:1, CLIENT, LOGIN, 5, 0, 0"},
      {"CF,CLIENT,LOGIN,12:5:9,|a,b|", "parse:1, CLIENT, LOGIN, 12, 5, |a,b|"},
      {"AE,ACD,ACDCMD,-3,b", "parse:2, ACD, ACDCMD, -3, 0, b"},
      {"CF,CLIENT,LOGIN,x:y,%s%n%d", "parse:1, CLIENT, LOGIN, 0, 0, %s%n%d"},
      // Without a prefix nothing is logged.
      {"ACD,ACDCMD,7:,QUERY", nullptr},
      {"A,CLIENT,LOGIN,5:", nullptr},
  };
  for (const Case& c : cases) {
    page_.clear();
    const auto message = parseText(c.text, &session());
    EXPECT_EQ(message == nullptr, std::string(c.text).size() < 3) << c.text;
    const std::vector<std::string> expected =
        c.line != nullptr ? std::vector<std::string>{c.line} : std::vector<std::string>{};
    EXPECT_EQ(page_.logLines(), expected) << c.text;
    EXPECT_EQ(page_.size(), expected.size()) << c.text;
  }
}

TEST_F(ParseLogLineTest, LongLineIsCutAt511Characters) {
  const std::string head = "parse:1, CLIENT, GET_FILE, 4, 0, ";
  for (const size_t lineLength : {size_t{511}, size_t{512}, size_t{1048575}}) {
    page_.clear();
    const std::string body(lineLength - head.size(), 'b');
    const auto message = parseText("CF,CLIENT,GET_FILE,4:," + body, &session());
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(page_.logLines(), std::vector<std::string>{(head + body).substr(0, 511)})
        << lineLength;
  }
}

}  // namespace
