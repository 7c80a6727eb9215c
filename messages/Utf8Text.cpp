#include "messages/Utf8Text.h"

namespace {

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the multi-byte character that `lead` starts: 1 for ASCII
// and for bytes that start none.
size_t leadLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// The length of the well-formed sequence of two or more bytes at the start
// of `text`, or 0 when none starts there. The second byte's range rules out
// overlong forms (after E0 and F0), surrogates (after ED) and code points
// above U+10FFFF (after F4).
size_t multiByteLength(std::string_view text) {
  const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!isContinuation(byte(i))) return 0;
  }
  return length;
}

void appendLatin1(unsigned char byte, std::string* out) {
  out->push_back(static_cast<char>(0xC0 | (byte >> 6)));
  out->push_back(static_cast<char>(0x80 | (byte & 0x3F)));
}

}  // namespace

size_t validUtf8Length(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size()) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const size_t length = multiByteLength(text.substr(pos));
    if (length == 0) break;
    pos += length;
  }
  return pos;
}

std::string toUtf8Text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  // Well-formed runs are copied whole; only the bytes between them are
  // converted one by one.
  for (;;) {
    const size_t valid = validUtf8Length(text);
    out.append(text.substr(0, valid));
    if (valid == text.size()) return out;
    appendLatin1(static_cast<unsigned char>(text[valid]), &out);
    text.remove_prefix(valid + 1);
  }
}

size_t utf8Offset(std::string_view text, size_t characters) {
  size_t pos = 0;
  for (; characters > 0 && pos < text.size(); --characters) {
    pos += leadLength(static_cast<unsigned char>(text[pos]));
  }
  return pos < text.size() ? pos : text.size();
}

size_t utf8CutLength(std::string_view text) {
  // The last character starts at most three bytes before the end.
  size_t start = text.size();
  while (start > 0 && text.size() - start < 3 && isContinuation(text[start - 1])) --start;
  if (start == 0) return text.size();
  const size_t lead = start - 1;
  const size_t needed = leadLength(static_cast<unsigned char>(text[lead]));
  return text.size() - lead < needed ? lead : text.size();
}

void endCutLineBetweenCharacters(char* line, size_t size, int formatted) {
  if (size == 0 || formatted < static_cast<int>(size)) return;
  line[utf8CutLength({line, size - 1})] = '\0';
}
