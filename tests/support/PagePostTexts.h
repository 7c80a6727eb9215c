#ifndef QEL_TESTS_SUPPORT_PAGEPOSTTEXTS_H_
#define QEL_TESTS_SUPPORT_PAGEPOSTTEXTS_H_

#include <json/value.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "messages/JsonText.h"
#include "tests/support/PageRecorder.h"

// Page posts as (code, exact JSON text) pairs, for comparing whole sequences
// of posts at once, and the exact JSON texts of the session's own posts,
// written out as the page receives them (compact, keys sorted, a line feed at
// the end).

using PostList = std::vector<std::pair<int32_t, std::string>>;

// The (code, text) pairs of recorded posts, in order.
inline PostList postsOf(const std::vector<PageRecorder::Post>& posts) {
  PostList list;
  for (const PageRecorder::Post& post : posts) list.emplace_back(post.code, post.text);
  return list;
}

// The post of the log line `text` (any text: it is escaped as the page
// receives it).
inline std::pair<int32_t, std::string> logPost(const std::string& text) {
  Json::Value value;
  value["log"] = text;
  return {PageRecorder::kLogCode, writeJsonText(value)};
}

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

// The answers to a malformed or unknown page command.
constexpr const char* kNonArrayText = "{\"details\":\"error:: non-array command\",\"error\":-1}\n";
constexpr const char* kNonStringText =
    "{\"details\":\"error:: bad command - non string command\",\"error\":-1}\n";
constexpr const char* kUnknownText = "{\"details\":\"error:: unknown command\",\"error\":-1}\n";

#endif  // QEL_TESTS_SUPPORT_PAGEPOSTTEXTS_H_
