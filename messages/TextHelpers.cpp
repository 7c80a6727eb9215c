#include "messages/TextHelpers.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

std::string trimmed(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  return std::string(text.substr(begin, end - begin));
}

// One field of a quoted or plain split, starting at `pos`. Sets `next` to
// the position after the separator that ends the field, or npos when the
// field took the rest of the text. With `takeRest` the field keeps the
// whole rest of the text (the last field of a counted split). Positions
// that the in-place split overwrites with NULs go to `cuts`.
std::string takeField(std::string_view text, size_t pos, char separator, char quote, bool takeRest,
                      size_t* next, std::vector<size_t>* cuts) {
  std::string field;
  size_t sep = text.find(separator, pos);
  if (quote != 0 && sep != std::string_view::npos) {
    // Only a quote before the separator opens a quoted field. The search
    // stops at the separator, so that a split stays linear in the text.
    const size_t quoteAt = text.substr(pos, sep - pos).find(quote);
    if (quoteAt != std::string_view::npos) {
      const size_t open = pos + quoteAt;
      const size_t close = text.find(quote, open + 1);
      if (close != std::string_view::npos) {
        field.assign(text.substr(open + 1, close - open - 1));
        if (cuts != nullptr) cuts->push_back(close);
        pos = close + 1;
        sep = text.find(separator, pos);
      }
    }
  }
  if (sep == std::string_view::npos || takeRest) {
    field.append(text.substr(pos));
    *next = std::string_view::npos;
  } else {
    field.append(text.substr(pos, sep - pos));
    if (cuts != nullptr) cuts->push_back(sep);
    *next = sep + 1;
  }
  return trimmed(field);
}

void splitCounted(std::string_view text, char separator, char quote, int count,
                  std::vector<std::string>* out, std::vector<size_t>* cuts) {
  size_t pos = 0;
  int added = 0;
  while (added < count) {
    size_t next = 0;
    out->push_back(takeField(text, pos, separator, quote, added == count - 1, &next, cuts));
    ++added;
    if (next == std::string_view::npos) break;
    pos = next;
  }
  for (; added < count; ++added) out->emplace_back();
}

}  // namespace

void splitFields(const std::string& text, char separator, char quote, int count,
                 std::vector<std::string>* out) {
  splitCounted(text, separator, quote, count, out, nullptr);
}

void splitFieldsInPlace(char* text, char separator, char quote, int count,
                        std::vector<std::string>* out) {
  std::vector<size_t> cuts;
  splitCounted(std::string_view(text, std::strlen(text)), separator, quote, count, out, &cuts);
  for (size_t cut : cuts) text[cut] = '\0';
}

void splitAllFields(const std::string& text, char separator, char quote,
                    std::vector<std::string>* out) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t next = 0;
    out->push_back(takeField(text, pos, separator, quote, false, &next, nullptr));
    if (next == std::string::npos) break;
    pos = next;
  }
  if (!text.empty() && text.back() == separator) out->emplace_back();
}

std::string trimSpaces(std::string& text) {
  text = trimmed(text);
  return text;
}

std::string afterColon(const std::string& text) {
  std::vector<std::string> halves;
  splitFields(text, ':', 0, 2, &halves);
  return halves[1].empty() ? halves[0] : halves[1];
}

std::string beforeColon(const std::string& text) {
  std::vector<std::string> halves;
  splitFields(text, ':', 0, 2, &halves);
  return halves[0];
}

std::string intToString(int value) {
  return std::to_string(value);
}

int stringToInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<int64_t>(INT_MAX) + 1) break;  // saturated either way
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

void logError(const char* text) {
  std::fprintf(stderr, "logerr: %s\n", text);
}

bool isSuccessStatus(const std::string& status) {
  return !status.empty() && status[0] == '0';
}
