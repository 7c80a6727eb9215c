#ifndef QEL_MESSAGES_TEXTWRITER_H_
#define QEL_MESSAGES_TEXTWRITER_H_

#include <string>

// Writes a server text piece by piece into a caller's fixed buffer, never
// past its end. A text that does not fit is refused whole: finish() then
// empties the buffer and returns -1, so that no cut command (a cut number
// or digest is a different command) can ever be sent.
class TextWriter {
 public:
  // Writes into buffer[0, size), starting at offset `used` (text already
  // written there by a base class's writer is kept).
  TextWriter(char* buffer, int size, int used = 0);

  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  // Appends printf-style formatted text. The format is always a literal of
  // the program; page and server texts are passed only as arguments.
  void format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
  void append(const std::string& text);

  // Characters written so far (the NUL not counted).
  int length() const { return used_; }
  bool overflowed() const { return overflow_; }

  // Returns the text length, or -1 (leaving an empty buffer) when any piece
  // did not fit.
  int finish();

 private:
  char* buffer_;
  int size_;
  int used_;
  bool overflow_;
};

#endif  // QEL_MESSAGES_TEXTWRITER_H_
