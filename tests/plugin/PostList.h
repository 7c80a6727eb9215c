#ifndef QEL_TESTS_PLUGIN_POSTLIST_H_
#define QEL_TESTS_PLUGIN_POSTLIST_H_

#include <json/value.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "messages/JsonText.h"
#include "tests/support/PageRecorder.h"

// Page posts as (code, exact JSON text) pairs, for comparing whole
// sequences of posts at once.
using PostList = std::vector<std::pair<int32_t, std::string>>;

inline PostList postsOf(const std::vector<PageRecorder::Post>& posts) {
  PostList list;
  for (const PageRecorder::Post& post : posts) list.emplace_back(post.code, post.text);
  return list;
}

// The post of the log line `text`.
inline std::pair<int32_t, std::string> logPost(const std::string& text) {
  Json::Value value;
  value["log"] = text;
  return {PageRecorder::kLogCode, writeJsonText(value)};
}

// The texts of the standard error answers to a malformed or unknown command.
constexpr const char* kNonArrayText = "{\"details\":\"error:: non-array command\",\"error\":-1}\n";
constexpr const char* kNonStringText =
    "{\"details\":\"error:: bad command - non string command\",\"error\":-1}\n";
constexpr const char* kUnknownText = "{\"details\":\"error:: unknown command\",\"error\":-1}\n";

#endif  // QEL_TESTS_PLUGIN_POSTLIST_H_
