#include "messages/TextWriter.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

TextWriter::TextWriter(char* buffer, int size, int used)
    : buffer_(buffer), size_(size), used_(used), overflow_(false) {
  if (buffer_ == nullptr || size_ <= 0 || used_ < 0 || used_ >= size_) {
    overflow_ = true;
  } else {
    buffer_[used_] = '\0';
  }
}

void TextWriter::format(const char* fmt, ...) {
  if (overflow_) return;
  const int room = size_ - used_;
  va_list args;
  va_start(args, fmt);
  const int n = std::vsnprintf(buffer_ + used_, static_cast<size_t>(room), fmt, args);
  va_end(args);
  if (n < 0 || n >= room) {
    overflow_ = true;
    return;
  }
  used_ += n;
}

void TextWriter::append(const std::string& text) {
  if (overflow_) return;
  const size_t room = static_cast<size_t>(size_ - used_);
  if (text.size() >= room) {
    overflow_ = true;
    return;
  }
  std::memcpy(buffer_ + used_, text.data(), text.size());
  used_ += static_cast<int>(text.size());
  buffer_[used_] = '\0';
}

int TextWriter::finish() {
  if (overflow_) {
    if (buffer_ != nullptr && size_ > 0) buffer_[0] = '\0';
    return -1;
  }
  return used_;
}
