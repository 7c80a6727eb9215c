#ifndef QEL_TESTS_SUPPORT_PAGERECORDER_H_
#define QEL_TESTS_SUPPORT_PAGERECORDER_H_

#include <json/value.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pp {
class Instance;
class Var;
}  // namespace pp

// Stands in for the page: records every post of an instance, in order, as
// (code, text). A post is well formed when it is a two-element array of an
// integer code and a string; anything else is recorded with wellFormed
// false, code 0 and the post's own JSON line as text.
//
// The recorder must outlive the instance it is attached to (or be detached
// first).
class PageRecorder {
 public:
  // The code of log lines.
  static constexpr int32_t kLogCode = -99;

  struct Post {
    int32_t code;
    std::string text;
    bool wellFormed;
  };

  PageRecorder() = default;
  explicit PageRecorder(pp::Instance& instance) { attach(instance); }

  PageRecorder(const PageRecorder&) = delete;
  PageRecorder& operator=(const PageRecorder&) = delete;

  // Records the posts of `instance` from now on.
  void attach(pp::Instance& instance);
  static void detach(pp::Instance& instance);

  void record(const pp::Var& message);

  const std::vector<Post>& posts() const { return posts_; }
  size_t size() const { return posts_.size(); }
  void clear() { posts_.clear(); }
  bool allWellFormed() const;

  // The posts under `code`, in order.
  std::vector<Post> withCode(int32_t code) const;
  // The posts that are not log lines, in order.
  std::vector<Post> withoutLogs() const;
  // The first post with this code and exactly this text, or null.
  const Post* find(int32_t code, const std::string& text) const;
  // Index of the first post at or after `from` whose text contains
  // `fragment`; size() when there is none.
  size_t indexOf(const std::string& fragment, size_t from = 0) const;

  // The texts of the log lines (the "log" member of each -99 post), in
  // order.
  std::vector<std::string> logLines() const;
  bool hasLog(const std::string& line) const;

  // The JSON value of a text, such as a post's (null when it does not
  // parse).
  static Json::Value decode(const std::string& text);
  Json::Value json(size_t index) const;

 private:
  std::vector<Post> posts_;
};

#endif  // QEL_TESTS_SUPPORT_PAGERECORDER_H_
