#include "messages/CredentialCodec.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <random>

const char scrambleAlphabet[52] = "Gm4%Xq#Lw8Zr!Bn2Yt*Hc6Vp$Ks0Fd<Je9Ua>Ri3Ox-Mg7Ql1PW";

namespace {

constexpr int kColumns = 17;
constexpr int kSaltBytes = 5;

int column(int digit) {
  const int d = digit % kColumns;
  return d < 0 ? d + kColumns : d;
}

// A character of the text taken as a byte 0 to 255.
int byteAt(const std::string& text, size_t i) {
  return static_cast<unsigned char>(text[i]);
}

// The column a body byte gives to the digest: its unsigned value mod 17.
char digitCharOfByte(const std::string& body, size_t i, bool randomRow) {
  const int digit = byteAt(body, i) % kColumns;
  return randomRow ? scrambleDigitToChar(digit) : scrambleAlphabetAt(digit);
}

std::string encodedByte(int byte) {
  char pair[3];
  return scrambleEncodeByte(static_cast<unsigned char>(byte), pair);
}

uint32_t saltSeed() {
  uint32_t seed =
      static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count() ^
                            std::chrono::steady_clock::now().time_since_epoch().count());
  if (FILE* source = std::fopen("/dev/urandom", "rb")) {
    uint32_t extra = 0;
    if (std::fread(&extra, sizeof extra, 1, source) == 1) seed ^= extra;
    std::fclose(source);
  }
  return seed;
}

// The salt generator is separate from rand(), whose sequence picks the rows.
void chooseSalt(unsigned char salt[kSaltBytes]) {
  static std::mt19937 engine(saltSeed());
  for (int i = 0; i < kSaltBytes; ++i) salt[i] = static_cast<unsigned char>(engine() >> 24);
}

// Reads a scrambled text pair by pair. Sums are 32-bit and wrap as two's
// complement; bytes are 0 to 255.
class Unscrambler {
 public:
  explicit Unscrambler(const std::string& input)
      : input_(input), pairs_(input.size() / 2), next_(0), position_(1), sum_(0) {}

  bool run(std::string* result);

 private:
  bool readPair(int* value) {
    if (next_ >= pairs_) return false;
    *value = scrambleDecodeByte(input_.data() + 2 * next_);
    ++next_;
    return true;
  }
  void skipPair() { ++next_; }

  // Reads b0 and the key bytes, starts the sum and builds the inverse of
  // the permutation that the key selects.
  bool readKeyHeader();
  void buildInverse(const unsigned char key[16], int length, int b0);
  // Reads the value at the next position: *pair is the pair as read, *value
  // the value it stands for there.
  bool readValue(int* pair, int* value) {
    if (!readPair(pair)) return false;
    *value = (inverse_[*pair] - position_) & 0xFF;
    ++position_;
    return true;
  }
  // The noise that may follow a value: the value is lowered by `offset`
  // when divisible by `divisor`, and a noise pair follows when the lowered
  // value plus one is divisible by `noiseDivisor`.
  bool applyNoise(int pair, int divisor, int offset, int noiseDivisor);
  bool noiseA(int pair) { return applyNoise(pair, 7, 23, 5); }
  bool noiseB(int pair) { return applyNoise(pair, 6, 27, 9); }

  const std::string& input_;
  const size_t pairs_;
  size_t next_;
  int position_;
  uint32_t sum_;
  unsigned char inverse_[256];
};

bool Unscrambler::readKeyHeader() {
  int b0 = 0;
  int k1 = 0;
  if (!readPair(&b0) || !readPair(&k1)) return false;
  int n = (b0 % 2 == 1) ? (b0 % 16) + 1 : ((k1 / 8) % 16) - 1;
  if (n < 4) n += 6;
  next_ = 1;
  sum_ = static_cast<uint32_t>(b0);
  unsigned char key[16];
  key[0] = static_cast<unsigned char>(b0);
  for (int i = 1; i <= n; ++i) {
    int k = 0;
    if (!readPair(&k)) return false;
    if (i % 3 == 1) skipPair();
    sum_ += static_cast<uint32_t>(k);
    if (i < n) key[i] = static_cast<unsigned char>(k);
  }
  buildInverse(key, n, b0);
  return true;
}

void Unscrambler::buildInverse(const unsigned char key[16], int length, int b0) {
  unsigned char order[256];
  unsigned char shuffled[256];
  for (int j = 0; j < 256; ++j) order[j] = static_cast<unsigned char>((b0 + j) & 0xFF);
  for (int m = 1; m <= 128; m <<= 1) {
    int lo = 0;
    int hi = 255;
    for (int j = 0; j < 256; ++j) {
      shuffled[j] = (key[j % length] & m) != 0 ? order[lo++] : order[hi--];
    }
    std::memcpy(order, shuffled, sizeof order);
  }
  for (int j = 0; j < 256; ++j) inverse_[order[j]] = static_cast<unsigned char>(j);
}

bool Unscrambler::applyNoise(int pair, int divisor, int offset, int noiseDivisor) {
  const int lowered = pair % divisor == 0 ? pair - offset : pair;
  if ((lowered + 1) % noiseDivisor == 0) {
    int noise = 0;
    if (!readPair(&noise)) return false;
    if (noise % 3 == 1) skipPair();
  }
  sum_ += static_cast<uint32_t>(lowered);
  return true;
}

bool Unscrambler::run(std::string* result) {
  if (!readKeyHeader()) return false;

  // The text arrives last character first: it is collected in reading
  // order and turned round once, which keeps a long challenge linear.
  std::string text;
  int pair = 0;
  int value = 0;
  do {
    if (!readValue(&pair, &value)) return false;
    if (value != 0) text.push_back(static_cast<char>(value));
    if (!noiseA(pair)) return false;
  } while (value != 0);
  std::reverse(text.begin(), text.end());

  int padCount = 0;
  if (!readValue(&pair, &padCount) || !noiseA(pair)) return false;
  for (int i = 0; i < padCount; ++i) {
    if (!readValue(&pair, &value) || !noiseB(pair)) return false;
  }

  if (!readValue(&pair, &value) || value != static_cast<int>(sum_ & 0xFF)) return false;
  if (!noiseA(pair)) return false;
  if (!readValue(&pair, &value)) return false;
  if (value != ((static_cast<int32_t>(sum_) / 256) & 0xFF)) return false;
  result->swap(text);
  return true;
}

}  // namespace

char scrambleDigitToChar(int digit) {
  const int row = std::rand() % 3;
  return scrambleAlphabet[row * kColumns + column(digit)];
}

char scrambleAlphabetAt(int index) {
  return scrambleAlphabet[column(index)];
}

unsigned char scrambleCharToDigit(char c) {
  const char* found = c == '\0' ? nullptr : std::strchr(scrambleAlphabet, c);
  if (found == nullptr) {
    char other = c;
    if (c >= 'a' && c <= 'z') other = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') other = static_cast<char>(c - 'A' + 'a');
    if (other == c) return 0;
    found = std::strchr(scrambleAlphabet, other);
    if (found == nullptr) return 0;
  }
  return static_cast<unsigned char>((found - scrambleAlphabet) % kColumns);
}

char* scrambleEncodeByte(unsigned char byte, char* buffer) {
  buffer[0] = scrambleDigitToChar(byte / kColumns);
  buffer[1] = scrambleDigitToChar(byte % kColumns);
  buffer[2] = '\0';
  return buffer;
}

unsigned char scrambleDecodeByte(const char* pair) {
  return static_cast<unsigned char>(
      (scrambleCharToDigit(pair[0]) * kColumns + scrambleCharToDigit(pair[1])) & 0xFF);
}

void digestCredential(const std::string& input, std::string& output) {
  unsigned char salt[kSaltBytes];
  chooseSalt(salt);
  digestCredentialWithSalt(input, salt, output);
}

void digestCredentialWithSalt(const std::string& input, const unsigned char salt[5],
                              std::string& output) {
  // s[0..3] change as the digest goes on; s4 counts in the header and the
  // first sum only. Every s is a byte and wraps mod 256.
  unsigned char s[4] = {salt[0], salt[1], salt[2], salt[3]};
  auto add = [&s](size_t index, int delta) {
    s[index % 4] = static_cast<unsigned char>(s[index % 4] + delta);
  };

  std::string header;
  uint32_t sum = 0;
  for (int i = 0; i < kSaltBytes; ++i) {
    header += encodedByte(salt[i]);
    sum += salt[i];
  }

  // The body is the input, filled up when empty and padded to at least 19
  // characters with characters fixed by salt and input.
  std::string body = input;
  if (body.empty()) {
    for (size_t k = 1; k <= 7; ++k) {
      body += scrambleAlphabetAt((s[k % 4] + 71) % kColumns);
      add(k, 37);
    }
  }
  while (body.size() <= 18) {
    size_t n = body.size();
    const size_t j = (s[n % 4] + 17) % n;
    body += digitCharOfByte(body, j, false);
    n = body.size();
    add(n, 19);
    body += scrambleAlphabetAt((s[n % 4] + 29) % kColumns);
    add(body.size(), -13);
  }

  const size_t length = body.size();
  // Characters go on both ends of the tail: a deque keeps that linear in
  // the length of the input.
  std::deque<char> tail;
  const auto append = [&tail](const std::string& text) {
    tail.insert(tail.end(), text.begin(), text.end());
  };
  const auto prepend = [&tail](const std::string& text) {
    tail.insert(tail.begin(), text.begin(), text.end());
  };
  int prev = 0;
  for (size_t i = 1; i <= length; ++i) {
    add(i, prev - 1);
    const int c = byteAt(body, length - i);
    prev = c;
    int v = static_cast<int>((static_cast<uint32_t>(c) + sum + s[i % 4]) & 0xFF);
    switch (sum & 3) {
      case 0:
        append(encodedByte(v));
        break;
      case 1:
        tail.push_back(scrambleDigitToChar(v / (static_cast<int>(sum & 15) + 1) % kColumns));
        break;
      case 2:
        tail.push_front(
            scrambleDigitToChar(v / (static_cast<int>((sum & 240) >> 4) + 1) % kColumns));
        break;
      default:
        prepend(encodedByte(v));
        break;
    }
    if (v % 5 == 0) v -= 61;
    if ((v + 1) % 7 == 0) tail.push_back(scrambleDigitToChar(s[length % 4] % kColumns));
    if (v % 11 == 0) {
      const size_t j = (s[length % 4] + 17) % length;
      tail.push_front(digitCharOfByte(body, j, true));
    }
    sum += static_cast<uint32_t>(v);
  }
  output = header;
  output.append(tail.begin(), tail.end());
}

bool unscrambleText(const std::string& input, std::string& output) {
  Unscrambler unscrambler(input);
  return unscrambler.run(&output);
}
