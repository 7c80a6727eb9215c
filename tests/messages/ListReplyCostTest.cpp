#include <gtest/gtest.h>

#include <string>

#include "messages/QelMessage.h"
#include "tests/support/LinearGrowth.h"
#include "tests/support/PageText.h"
#include "tests/support/ParseText.h"

namespace {

// A long list reply, from its server text to its page text (split, records,
// page object, JSON text), costs time in proportion to its records.
TEST(ListReplyCostTest, PageTextTakesLinearTime) {
  const struct {
    const char* head;    // the reply up to its record count
    const char* record;  // one record, with the comma before it
  } cases[] = {
      {"CF,N2N,GETNODELIST,7:,0,ok,", ",1001,alpha,dom1,10.0.0.1,sw1"},
      {"CF,N2N,GETS2SWHITELIST,7:,0,ok,", ",peer1:zoneA"},
      {"CF,ACD,ACDCMD,7:,x,QUERY,y,0,AGENT,a,b,c,", ",1001,201,2,P5:300,1,Yes,Q301,0,No"},
  };
  for (const auto& c : cases) {
    const auto prepare = [&c](size_t records) -> PreparedStep {
      std::string text = c.head + std::to_string(records);
      for (size_t i = 0; i < records; ++i) text += c.record;
      return [text] {
        const auto message = parseText(text);
        ASSERT_NE(message, nullptr);
        ASSERT_GT(pageText(*message).size(), text.size());
      };
    };
    EXPECT_TRUE(growsLinearly(prepare, 1024, 8, 24)) << c.head;
  }
}

}  // namespace
