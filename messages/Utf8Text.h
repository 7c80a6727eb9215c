#ifndef QEL_MESSAGES_UTF8TEXT_H_
#define QEL_MESSAGES_UTF8TEXT_H_

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 for the texts the page receives. The JSON writer reads every byte of
// 0x80 or more as the start of a UTF-8 sequence without checking the bytes
// after it, so a text must be well-formed UTF-8 before it reaches the page:
// the server's texts are made so once, where they arrive, and lines cut to
// a bounded length are cut between characters.
//
// Well-formed means RFC 3629: no overlong forms, no encoded surrogates
// (U+D800 to U+DFFF), nothing above U+10FFFF.

// The length of the longest prefix of `text` that is well-formed UTF-8:
// text.size() for a well-formed text.
size_t validUtf8Length(std::string_view text);

// `text` as well-formed UTF-8: every well-formed sequence unchanged, and
// every other byte read as the Latin-1 character of that byte (0xE9 gives
// "é", the two bytes C3 A9), one character per such byte.
std::string toUtf8Text(std::string_view text);

// The byte offset in a well-formed text after its first `characters`
// characters: text.size() when it has fewer.
size_t utf8Offset(std::string_view text, size_t characters);

// The length of a well-formed text cut at an arbitrary byte, without the
// first bytes of a multi-byte character that the cut split: the cut moves
// back to the start of that character.
size_t utf8CutLength(std::string_view text);

// Ends a line that snprintf formatted into `line` (`size` bytes, `formatted`
// its result) between two characters: when the text did not fit, the cut
// moves back to the start of a character it split.
void endCutLineBetweenCharacters(char* line, size_t size, int formatted);

#endif  // QEL_MESSAGES_UTF8TEXT_H_
