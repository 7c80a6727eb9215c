#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>
#include <string>

#include "messages/CredentialCodec.h"
#include "tests/support/CredentialTestSupport.h"
#include "tests/support/LinearGrowth.h"

namespace {

bool onlyAlphabet(const std::string& text) {
  return text.find_first_not_of(kScrambleAlphabet) == std::string::npos;
}

TEST(CredentialCodecTest, AlphabetHasThreeRowsOfDistinctSafeCharacters) {
  EXPECT_EQ(std::string(scrambleAlphabet), kScrambleAlphabet);
  EXPECT_EQ(std::set<char>(kScrambleAlphabet.begin(), kScrambleAlphabet.end()).size(), 51u);
  EXPECT_EQ(kScrambleAlphabet.find_first_of(",| "), std::string::npos);
  for (int d = 0; d < 17; ++d) EXPECT_EQ(scrambleAlphabetAt(d), kScrambleAlphabet[d]);
}

TEST(CredentialCodecTest, CharToDigitReadsTheColumnOfAnyRow) {
  for (int i = 0; i < 51; ++i) EXPECT_EQ(scrambleCharToDigit(kScrambleAlphabet[i]), i % 17) << i;
  // Letters outside the table read as their other-case form; letters whose
  // both forms are in the table keep their own column.
  const struct {
    char c;
    int digit;
  } cases[] = {
      {'b', 13}, {'y', 16}, {'k', 8},  {'z', 10}, {'E', 15},   {'T', 0},    {'A', 1},    {'N', 14},
      {'q', 5},  {'Q', 12}, {'g', 10}, {'G', 0},  {'x', 7},    {'X', 4},    {',', 0},    {'|', 0},
      {' ', 0},  {'\0', 0}, {'~', 0},  {'5', 0},  {'\x80', 0}, {'\xe9', 0}, {'\xff', 0},
  };
  for (const auto& c : cases) EXPECT_EQ(scrambleCharToDigit(c.c), c.digit) << c.c;
}

TEST(CredentialCodecTest, DigitToCharPicksEveryRowOfTheColumn) {
  for (int d = 0; d < 17; ++d) {
    std::set<char> seen;
    for (int i = 0; i < 200; ++i) {
      const char c = scrambleDigitToChar(d);
      ASSERT_EQ(scrambleCharToDigit(c), d);
      seen.insert(c);
    }
    EXPECT_EQ(seen, (std::set<char>{kScrambleAlphabet[d], kScrambleAlphabet[17 + d],
                                    kScrambleAlphabet[34 + d]}))
        << d;
  }
  // A digit out of range stays inside the table.
  EXPECT_EQ(scrambleCharToDigit(scrambleDigitToChar(17)), 0);
  EXPECT_EQ(scrambleCharToDigit(scrambleDigitToChar(-1)), 16);
  EXPECT_EQ(scrambleAlphabetAt(18), kScrambleAlphabet[1]);
}

TEST(CredentialCodecTest, BytePairs) {
  char pair[3];
  EXPECT_EQ(scrambleEncodeByte(255, pair), pair);
  EXPECT_EQ(scrambleCharToDigit(pair[0]), 15);
  EXPECT_EQ(scrambleCharToDigit(pair[1]), 0);
  EXPECT_EQ(pair[2], '\0');
  scrambleEncodeByte(16, pair);
  EXPECT_EQ(scrambleCharToDigit(pair[0]), 0);
  EXPECT_EQ(scrambleCharToDigit(pair[1]), 16);

  for (int b = 0; b < 256; ++b) {
    scrambleEncodeByte(static_cast<unsigned char>(b), pair);
    EXPECT_EQ(scrambleDecodeByte(pair), b);
  }
  // Two column-16 characters: 16 * 17 + 16 = 288, which is 32 mod 256.
  EXPECT_EQ(scrambleDecodeByte("YW"), 32);
  EXPECT_EQ(scrambleDecodeByte("99"), 32);
  EXPECT_EQ(scrambleDecodeByte(",|"), 0);
  EXPECT_EQ(scrambleDecodeByte("mG"), 17);
}

// Digests computed independently from the digest's rules, spelled in row 0.
TEST(CredentialCodecTest, DigestDigitsForGivenSalts) {
  const struct {
    const char* input;
    unsigned char salt[5];
    const char* digits;
  } cases[] = {
      // Empty input: seven fillers and twelve padding characters.
      {"", {0, 0, 0, 0, 0}, "GGGGGGGGGG%%X!4wwq2B8r2#wm#%ZZ8%4LLY4!ZLm"},
      {"", {255, 255, 255, 255, 255}, "2G2G2G2G2GZ%rr%GZY%ZGBG%!!44r4Zm84!%!B8%Zq"},
      {"secret,KEY42", {17, 34, 51, 68, 85}, "mG4G%GXGqGBXqZGBmXG!!qwrZ4nGYZ8#rr4GBZmmZ%nZ%rYYL"},
      {",", {1, 2, 3, 4, 5}, "GmG4G%GXGqmqm%mL#8!nrwBX2wwrwZnBrrGZGmL4Z"},
      // 17 and 18 characters get two padding characters, 19 none.
      {"abcdefghijklmnopq", {200, 13, 7, 99, 250}, "rBGBGLqnn!L2LZG%Bwrw!B2G4BrmG2#Y#88LnYLwr8"},
      {"abcdefghijklmnopqr", {9, 8, 7, 6, 5}, "G8GwGLG#GqXZXXY%qm88Y%%mXrBLZq2qnm#rqLY2!XL8"},
      {"abcdefghijklmnopqrs",
       {128, 64, 32, 16, 8},
       "L8%Bm2GYGw%Z4qmXXXrXY8ZGGn#n8!Zq8r8#nXYqnmXnmq"},
      // Bytes of 128 and more count as their unsigned values.
      {"p\xe9ss\xff\x80w0rd",
       {3, 141, 59, 26, 53},
       "G%wq%wm8%4mn#XmB8ZwX!Gqrq#442qYZ!nmnq2nqZXr%Z"},
  };
  for (const auto& c : cases) {
    std::string digest = "old";
    digestCredentialWithSalt(c.input, c.salt, digest);
    EXPECT_EQ(rowZeroSpelling(digest), c.digits) << c.input;
    EXPECT_TRUE(onlyAlphabet(digest)) << digest;
    unsigned char salt[5];
    ASSERT_TRUE(saltOfDigest(digest, salt));
    EXPECT_EQ(std::memcmp(salt, c.salt, 5), 0) << c.input;
  }
}

TEST(CredentialCodecTest, SameSaltGivesSameDigitsInOtherRows) {
  const unsigned char salt[5] = {17, 34, 51, 68, 85};
  std::string first;
  std::string second;
  digestCredentialWithSalt("secret,KEY42", salt, first);
  digestCredentialWithSalt("secret,KEY42", salt, second);
  EXPECT_EQ(rowZeroSpelling(first), rowZeroSpelling(second));
  EXPECT_NE(first, second);  // 49 characters of random rows
}

TEST(CredentialCodecTest, DigestDrawsAFreshSaltEachTime) {
  std::mt19937 rng(7);
  for (size_t length : {0, 1, 5, 17, 18, 19, 40, 1000}) {
    std::string input;
    for (size_t i = 0; i < length; ++i) input += static_cast<char>(rng() & 0xFF);
    std::string first;
    std::string second;
    digestCredential(input, first);
    digestCredential(input, second);
    EXPECT_GE(first.size(), 29u);
    EXPECT_GE(first.size(), 10 + std::max<size_t>(length, 19));
    EXPECT_TRUE(onlyAlphabet(first));
    EXPECT_EQ(digestMismatch(first, input), "") << length;
    EXPECT_EQ(digestMismatch(second, input), "") << length;
    EXPECT_NE(rowZeroSpelling(first).substr(0, 10), rowZeroSpelling(second).substr(0, 10));
  }
}

TEST(CredentialCodecTest, UnscrambleRoundTrips) {
  std::mt19937 rng(11);
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::string text;
    const size_t length = rng() % 41;
    for (size_t i = 0; i < length; ++i) text += static_cast<char>(1 + rng() % 255);
    ScrambleLayout layout;
    layout.b0 = static_cast<int>(rng() & 0xFF);
    layout.k1 = static_cast<int>(rng() & 0xFF);
    layout.pads = static_cast<int>(rng() % 6);
    layout.seed = seed;
    std::string output = "old";
    EXPECT_TRUE(unscrambleText(scrambleChallenge(text, layout), output)) << seed;
    EXPECT_EQ(output, text) << seed;
  }
}

TEST(CredentialCodecTest, UnscrambleKeyLengthsAndPadCounts) {
  // b0 odd: length (b0 mod 16) + 1, raised by 6 below 4; b0 even: from k1.
  const struct {
    int b0;
    int k1;
    int pads;
  } cases[] = {
      {1, 0, 0}, {3, 0, 0},  {5, 0, 1},  {15, 0, 0},  {255, 0, 255},
      {0, 0, 0}, {0, 31, 3}, {0, 32, 0}, {2, 255, 0}, {254, 120, 7},
  };
  for (const auto& c : cases) {
    ScrambleLayout layout;
    layout.b0 = c.b0;
    layout.k1 = c.k1;
    layout.pads = c.pads;
    std::string output;
    EXPECT_TRUE(unscrambleText(scrambleChallenge("K3y-of-the-day", layout), output)) << c.b0;
    EXPECT_EQ(output, "K3y-of-the-day") << c.b0 << "/" << c.k1;
  }
}

// Challenges scrambled by hand, apart from the test scrambler, so that the
// reader is not checked against its own mirror alone. Each carries noise
// pairs; they cover an odd and an even first pair, a key of 16 bytes, an
// empty key, bytes of 128 and more, and pad counts 0 to 5.
TEST(CredentialCodecTest, UnscrambleFixedChallenges) {
  const struct {
    const char* scrambled;
    std::string key;
  } cases[] = {
      {"%>%<cs1c#VtJU*-Gcmn8OO4JiG6W8MZcs>8eqlr<V%<>R#%3R<R0QQFelK<B7VJ3", "K3y-of-the-day"},
      {"%B8p3asiO#6l717cwm09FxiYLr%Xn43>0x", ""},
      {"2UaG7HaYJ>LU1>J3XMisULiB8*1i7F7PBp42nelHQFgMQXsiwFieMaa2la!>Rp", "\xe9\x01z"},
      {"GHGUF24!Q*ml0nc%n1$n6911rRgHi8qpwxcrOx3rJ76*q$c44r", "ab"},
  };
  for (const auto& c : cases) {
    std::string output = "previous key";
    EXPECT_TRUE(unscrambleText(c.scrambled, output)) << c.scrambled;
    EXPECT_EQ(output, c.key) << c.scrambled;
  }
}

TEST(CredentialCodecTest, UnscrambleEmptyTextReplacesTheOutput) {
  std::string output = "previous key";
  EXPECT_TRUE(unscrambleText(scrambleChallenge(""), output));
  EXPECT_EQ(output, "");
}

TEST(CredentialCodecTest, UnscrambleIgnoresWhatFollowsTheLastPair) {
  const std::string scrambled = scrambleChallenge("abc");
  for (const char* extra : {"G", "Gm4", "GGGGGG", ",x|"}) {
    std::string output;
    EXPECT_TRUE(unscrambleText(scrambled + extra, output)) << extra;
    EXPECT_EQ(output, "abc");
  }
}

TEST(CredentialCodecTest, UnscrambleFailsOnWrongCheckValues) {
  for (int offset : {1, -1, 128}) {
    for (int which = 1; which <= 2; ++which) {
      ScrambleLayout layout;
      (which == 1 ? layout.check1Offset : layout.check2Offset) = offset;
      for (unsigned seed = 1; seed <= 20; ++seed) {
        layout.seed = seed;
        std::string output = "previous key";
        EXPECT_FALSE(unscrambleText(scrambleChallenge("abc", layout), output))
            << which << "/" << offset << "/" << seed;
        EXPECT_EQ(output, "previous key");
      }
    }
  }
}

TEST(CredentialCodecTest, UnscrambleFailsOnTruncatedInput) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    ScrambleLayout layout;
    layout.seed = seed;
    const std::string scrambled = scrambleChallenge("key", layout);
    for (size_t length = 0; length < scrambled.size() - 1; ++length) {
      std::string output = "previous key";
      EXPECT_FALSE(unscrambleText(scrambled.substr(0, length), output)) << length;
      EXPECT_EQ(output, "previous key");
    }
  }
}

// The text comes last character first; a reader that puts each character in
// front of the text it has takes quadratic time and stalls the session on a
// long challenge answer.
TEST(CredentialCodecTest, UnscrambleTakesLinearTime) {
  const auto prepare = [](size_t length) -> PreparedStep {
    std::string text(length, ' ');
    for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i % 26);
    const std::string scrambled = scrambleChallenge(text);
    return [scrambled, length] {
      std::string output;
      ASSERT_TRUE(unscrambleText(scrambled, output));
      ASSERT_EQ(output.size(), length);
    };
  };
  EXPECT_TRUE(growsLinearly(prepare, 131072, 8, 24));
}

}  // namespace
