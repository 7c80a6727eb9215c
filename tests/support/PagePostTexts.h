#ifndef QEL_TESTS_SUPPORT_PAGEPOSTTEXTS_H_
#define QEL_TESTS_SUPPORT_PAGEPOSTTEXTS_H_

#include <string>

// The exact JSON texts of the session's own page posts, written out as the
// page receives them (compact, keys sorted, a line feed at the end).

// {"type": 13, "details": {"connected": connected, "info": info}}
inline std::string connectionStateText(bool connected, const std::string& info) {
  return std::string(R"({"details":{"connected":)") + (connected ? "true" : "false") +
         R"(,"info":")" + info + R"("},"type":13})" + "\n";
}

// {"error": error, "details": details}, details a text without characters
// that need escaping.
inline std::string errorText(int error, const std::string& details) {
  return R"({"details":")" + details + R"(","error":)" + std::to_string(error) + "}\n";
}

#endif  // QEL_TESTS_SUPPORT_PAGEPOSTTEXTS_H_
