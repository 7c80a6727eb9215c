#ifndef QEL_MESSAGES_TEXTHELPERS_H_
#define QEL_MESSAGES_TEXTHELPERS_H_

#include <string>
#include <vector>

// Field splitting of server texts, device-identifier halves, number
// conversions, the standard-error log line and the status rule.
//
// Fields are separated by one character; a field that holds separators may
// be enclosed in a quote character ('|' in message bodies; 0 means none).
// Every field is trimmed of blanks (the space character only).

// Appends exactly `count` fields of `text` to `out` (count >= 1): missing
// fields are empty and the last field keeps the rest of the text,
// separators included.
void splitFields(const std::string& text, char separator, char quote, int count,
                 std::vector<std::string>* out);

// As splitFields, on a writable NUL-terminated text: the separator that ends
// each field and each closing quote are overwritten with NULs.
void splitFieldsInPlace(char* text, char separator, char quote, int count,
                        std::vector<std::string>* out);

// Appends every field the text holds: none for the empty text, and a final
// empty field after a trailing separator. There is no padding: test the
// count before reading a field.
void splitAllFields(const std::string& text, char separator, char quote,
                    std::vector<std::string>* out);

// Removes leading and trailing blanks in place and returns a copy.
std::string trimSpaces(std::string& text);

// The device part of a pdn:device identifier (the pdn when there is no
// device part): "201:3001" gives "3001", "3001" gives "3001".
std::string afterColon(const std::string& text);
// The pdn part of a pdn:device identifier: "201:3001" gives "201".
std::string beforeColon(const std::string& text);

std::string intToString(int value);

// Reads like the C library's atoi (leading white space, optional sign,
// leading digits, 0 when there are none), but a value beyond the 32-bit
// range saturates to INT_MIN or INT_MAX.
int stringToInt(const std::string& text);

// Writes "logerr: <text>" and a line feed to standard error.
void logError(const char* text);

// The status rule of every reply: success when the status text is non-empty
// and begins with '0'.
bool isSuccessStatus(const std::string& status);

#endif  // QEL_MESSAGES_TEXTHELPERS_H_
