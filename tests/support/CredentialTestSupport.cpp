#include "tests/support/CredentialTestSupport.h"

#include <cstdint>
#include <random>
#include <vector>

#include "messages/CredentialCodec.h"

const std::string kScrambleAlphabet = "Gm4%Xq#Lw8Zr!Bn2Yt*Hc6Vp$Ks0Fd<Je9Ua>Ri3Ox-Mg7Ql1PW";

namespace {

class Scrambler {
 public:
  explicit Scrambler(const ScrambleLayout& layout) : layout_(layout), rng_(layout.seed) {}

  std::string run(const std::string& text) {
    writeKeyHeader();
    for (size_t i = text.size(); i > 0; --i) {
      noiseA(writeValue(static_cast<unsigned char>(text[i - 1])));
    }
    noiseA(writeValue(0));
    noiseA(writeValue(layout_.pads));
    for (int i = 0; i < layout_.pads; ++i) noiseB(writeValue(randomByte()));
    noiseA(writeValue(static_cast<int>(sum_ & 0xFF) + layout_.check1Offset));
    writeValue(((static_cast<int32_t>(sum_) / 256) & 0xFF) + layout_.check2Offset);
    return out_;
  }

 private:
  int randomByte() { return static_cast<int>(rng_() & 0xFF); }

  void writePair(int byte) {
    byte &= 0xFF;
    out_ += kScrambleAlphabet[(rng_() % 3) * 17 + byte / 17];
    out_ += kScrambleAlphabet[(rng_() % 3) * 17 + byte % 17];
  }

  void writeKeyHeader() {
    const int b0 = layout_.b0 & 0xFF;
    const int k1 = layout_.k1 & 0xFF;
    int length = (b0 % 2 == 1) ? (b0 % 16) + 1 : ((k1 / 8) % 16) - 1;
    if (length < 4) length += 6;
    writePair(b0);
    std::vector<int> key = {b0};
    sum_ = static_cast<uint32_t>(b0);
    for (int i = 1; i <= length; ++i) {
      const int k = i == 1 ? k1 : randomByte();
      writePair(k);
      if (i % 3 == 1) writePair(randomByte());
      sum_ += static_cast<uint32_t>(k);
      if (i < length) key.push_back(k);
    }
    for (int j = 0; j < 256; ++j) order_[j] = (b0 + j) & 0xFF;
    for (int m = 1; m <= 128; m <<= 1) {
      int shuffled[256];
      int lo = 0;
      int hi = 255;
      for (int j = 0; j < 256; ++j) {
        shuffled[j] = (key[j % length] & m) != 0 ? order_[lo++] : order_[hi--];
      }
      for (int j = 0; j < 256; ++j) order_[j] = shuffled[j];
    }
  }

  // Writes the pair that the reader turns into `value` at the next position.
  int writeValue(int value) {
    const int pair = order_[(value + position_) & 0xFF];
    ++position_;
    writePair(pair);
    return pair;
  }

  void noise(int pair, int divisor, int offset, int noiseDivisor) {
    const int lowered = pair % divisor == 0 ? pair - offset : pair;
    if ((lowered + 1) % noiseDivisor == 0) {
      const int n = randomByte();
      writePair(n);
      if (n % 3 == 1) writePair(randomByte());
    }
    sum_ += static_cast<uint32_t>(lowered);
  }
  void noiseA(int pair) { noise(pair, 7, 23, 5); }
  void noiseB(int pair) { noise(pair, 6, 27, 9); }

  const ScrambleLayout layout_;
  std::mt19937 rng_;
  std::string out_;
  int order_[256] = {};
  int position_ = 1;
  uint32_t sum_ = 0;
};

}  // namespace

std::string scrambleChallenge(const std::string& text, const ScrambleLayout& layout) {
  return Scrambler(layout).run(text);
}

std::string rowZeroSpelling(const std::string& digits) {
  std::string spelled;
  for (char c : digits) spelled += kScrambleAlphabet[scrambleCharToDigit(c)];
  return spelled;
}

bool saltOfDigest(const std::string& digest, unsigned char salt[5]) {
  if (digest.size() < 10) return false;
  for (int i = 0; i < 5; ++i) salt[i] = scrambleDecodeByte(digest.data() + 2 * i);
  return true;
}

std::string digestMismatch(const std::string& digest, const std::string& input) {
  if (digest.find_first_not_of(kScrambleAlphabet) != std::string::npos) {
    return "not a digit character in " + digest;
  }
  unsigned char salt[5];
  if (!saltOfDigest(digest, salt)) return "digest shorter than its header: " + digest;
  std::string expected;
  digestCredentialWithSalt(input, salt, expected);
  if (rowZeroSpelling(digest) == rowZeroSpelling(expected)) return "";
  return "digits of " + digest + " differ from those of " + expected;
}

::testing::AssertionResult isCredentialLogIn(const std::string& text, const std::string& ids,
                                             const std::string& user, std::string* digest) {
  const std::string head = "CLIENT,LOGIN," + ids + ",|" + user + "|,|";
  if (text.size() <= head.size() || text.compare(0, head.size(), head) != 0 || text.back() != '|') {
    return ::testing::AssertionFailure() << "frame \"" << text << "\" is not " << head << "...|";
  }
  if (digest != nullptr) *digest = text.substr(head.size(), text.size() - head.size() - 1);
  return ::testing::AssertionSuccess();
}
