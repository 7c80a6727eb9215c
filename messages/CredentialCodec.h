#ifndef QEL_MESSAGES_CREDENTIALCODEC_H_
#define QEL_MESSAGES_CREDENTIALCODEC_H_

#include <string>

// The credential codec of the log-in exchange: the password never travels in
// clear and the challenge key never arrives in clear.
//
// Every byte is written as two base-17 digits (first byte / 17, then
// byte % 17), and every digit can be written by any of three characters: the
// alphabet is read as three rows of 17, and the character in column d of
// any row stands for the digit d. No character of the alphabet is a comma, a
// bar or a blank, so encoded texts pass through the field splitting of
// server texts unchanged.

// The 51 characters, row 0 first.
extern const char scrambleAlphabet[52];

// A character of column `digit` (0 to 16) from a row chosen by the runtime
// library's rand() (never seeded by the module): (next rand()) % 3. A digit
// outside 0 to 16 is first reduced into that range (mod 17).
char scrambleDigitToChar(int digit);

// The row-0 character of column `index` (0 to 16, reduced like above); no
// random choice.
char scrambleAlphabetAt(int index);

// The digit of a character: its column in the alphabet; for an ASCII letter
// that is not in the alphabet but whose other-case form is, that form's
// column; 0 for every other character.
unsigned char scrambleCharToDigit(char c);

// Writes the two characters of `byte` and a NUL into buffer[0..2] and
// returns buffer.
char* scrambleEncodeByte(unsigned char byte, char* buffer);

// The byte that two characters encode: (digit of the first * 17 + digit of
// the second) mod 256.
unsigned char scrambleDecodeByte(const char* pair);

// Replaces `output` by a salted digest of `input`: ten characters of header
// (the five salt bytes, encoded) and a tail of at least 19 digit characters
// computed from salt and input. The salt is drawn afresh for each digest,
// and the rows of the tail's characters vary from call to call; their digits
// do not. Never fails; the empty input gives a digest too.
void digestCredential(const std::string& input, std::string& output);

// The digest with the given salt bytes, as digestCredential computes it once
// it has drawn its salt. For tests and verifiers.
void digestCredentialWithSalt(const std::string& input, const unsigned char salt[5],
                              std::string& output);

// Recovers the text that the server scrambled into `input` (a key header,
// the text's bytes last first, a terminator, padding, two check values and
// noise pairs in between). Returns true and replaces `output` by the text;
// returns false, leaving `output` untouched, when a check value does not
// match or the input ends before the last pair to be read.
bool unscrambleText(const std::string& input, std::string& output);

#endif  // QEL_MESSAGES_CREDENTIALCODEC_H_
