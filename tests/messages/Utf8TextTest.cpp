#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "messages/Utf8Text.h"

namespace {

struct DecodeCase {
  const char* what;
  std::string text;
  std::string utf8;
};

TEST(Utf8TextTest, ValidSequencesPassAndEveryOtherByteIsLatin1) {
  const DecodeCase cases[] = {
      {"empty", "", ""},
      {"ASCII", "AE,CLIENT,X,0:,ab", "AE,CLIENT,X,0:,ab"},
      {"NUL inside", std::string("a\0b", 3), std::string("a\0b", 3)},
      {"Latin-1 byte at the end", "caf\xe9", "caf\xc3\xa9"},
      {"Latin-1 byte before ASCII", "caf\xe9,ab,cd", "caf\xc3\xa9,ab,cd"},
      {"Latin-1 byte before digits",
       "Ren\xe9"
       "56",
       "Ren\xc3\xa9"
       "56"},
      {"Latin-1 byte before a NUL", std::string("\xfc\0x", 3), std::string("\xc3\xbc\0x", 4)},
      {"Latin-1 bytes in a row", "\xff\xfe\x80", "\xc3\xbf\xc3\xbe\xc2\x80"},
      {"two-byte character", "caf\xc3\xa9", "caf\xc3\xa9"},
      {"smallest two-byte character", "\xc2\x80", "\xc2\x80"},
      {"largest two-byte character", "\xdf\xbf", "\xdf\xbf"},
      {"second byte no continuation", "\xc3\xc0", "\xc3\x83\xc3\x80"},
      {"three-byte character", "\xe2\x82\xac", "\xe2\x82\xac"},
      {"three-byte character after E9", "\xe9\xa1\xa2", "\xe9\xa1\xa2"},
      {"smallest three-byte character", "\xe0\xa0\x80", "\xe0\xa0\x80"},
      {"last character before the surrogates", "\xed\x9f\xbf", "\xed\x9f\xbf"},
      {"largest three-byte character", "\xef\xbf\xbf", "\xef\xbf\xbf"},
      {"four-byte character", "\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},
      {"smallest four-byte character", "\xf0\x90\x80\x80", "\xf0\x90\x80\x80"},
      {"largest character", "\xf4\x8f\xbf\xbf", "\xf4\x8f\xbf\xbf"},
      {"truncated at the end", "ab\xe2\x82", "ab\xc3\xa2\xc2\x82"},
      {"truncated before ASCII", "\xf0\x9f\x98z", "\xc3\xb0\xc2\x9f\xc2\x98z"},
      {"truncated before a character", "\xe2\xc3\xa9", "\xc3\xa2\xc3\xa9"},
      {"lone continuation byte", "a\xa9", "a\xc2\xa9"},
      {"overlong two-byte form", "\xc0\xaf", "\xc3\x80\xc2\xaf"},
      {"overlong two-byte form C1", "\xc1\xbf", "\xc3\x81\xc2\xbf"},
      {"overlong three-byte form", "\xe0\x80\xaf", "\xc3\xa0\xc2\x80\xc2\xaf"},
      {"overlong four-byte form", "\xf0\x8f\xbf\xbf", "\xc3\xb0\xc2\x8f\xc2\xbf\xc2\xbf"},
      {"encoded surrogate", "\xed\xa0\x80", "\xc3\xad\xc2\xa0\xc2\x80"},
      {"above U+10FFFF", "\xf4\x90\x80\x80", "\xc3\xb4\xc2\x90\xc2\x80\xc2\x80"},
      {"lead byte F5", "\xf5\x80\x80\x80", "\xc3\xb5\xc2\x80\xc2\x80\xc2\x80"},
  };
  for (const DecodeCase& c : cases) {
    const std::string utf8 = toUtf8Text(c.text);
    EXPECT_EQ(utf8, c.utf8) << c.what;
    EXPECT_EQ(validUtf8Length(utf8), utf8.size()) << c.what;
    // A text is well-formed exactly when it passes unchanged.
    EXPECT_EQ(validUtf8Length(c.text) == c.text.size(), c.text == c.utf8) << c.what;
  }
}

TEST(Utf8TextTest, ValidLengthStopsAtTheFirstByteOutsideASequence) {
  EXPECT_EQ(validUtf8Length("caf\xe9,ab"), 3u);
  EXPECT_EQ(validUtf8Length("\xc3\xa9\xe2\x82\xac\xed\xa0\x80"), 5u);
  EXPECT_EQ(validUtf8Length("ab\xf0\x9f\x98"), 2u);
  // A view ends where its size says, not at a NUL.
  EXPECT_EQ(validUtf8Length(std::string_view("a\xc3\xa9", 2)), 1u);
}

TEST(Utf8TextTest, OffsetCountsWholeCharactersAndStaysInTheText) {
  EXPECT_EQ(utf8Offset("\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80x", 3), 9u);
  EXPECT_EQ(utf8Offset("ab", 5), 2u);
  EXPECT_EQ(utf8Offset("a\xc3", 2), 2u);
}

TEST(Utf8TextTest, CutMovesBackToTheStartOfASplitCharacter) {
  struct Case {
    const char* text;
    size_t length;
  };
  const Case cases[] = {
      {"", 0},
      {"abc", 3},
      {"ab\xc3", 2},
      {"ab\xc3\xa9", 4},
      {"ab\xc2", 2},
      {"a\xe0\xa0", 1},
      {"a\xe2", 1},
      {"a\xe2\x82", 1},
      {"a\xe2\x82\xac", 4},
      {"a\xf0", 1},
      {"a\xf0\x9f", 1},
      {"a\xf0\x9f\x98", 1},
      {"a\xf0\x9f\x98\x80", 5},
      {"\xc3\xa9\xc3", 2},
      {"\xf0\x9f\x98\x80\xe2\x82", 4},
  };
  for (const Case& c : cases) EXPECT_EQ(utf8CutLength(c.text), c.length) << c.text;
}

}  // namespace
