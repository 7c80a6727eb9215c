#include "tests/plugin/PageCommandFixture.h"

::testing::AssertionResult PageCommandFixture::sends(const std::string& json,
                                                     const std::string& text) {
  page_.clear();
  command(json);
  auto frame = server_.expectFrame(text);
  if (!frame) return frame << " for " << json;
  auto more = server_.expectNoFrame();
  if (!more) return more << " after " << json;
  const auto answers = page_.withoutLogs();
  if (!answers.empty()) {
    return ::testing::AssertionFailure() << json << " posted " << answers.front().text;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult PageCommandFixture::sendsNothing(const std::string& json) {
  page_.clear();
  command(json);
  auto none = server_.expectNoFrame();
  if (!none) {
    // Take what was sent, so that the next case starts clean.
    while (server_.framesWaiting() > 0) server_.nextFrame();
    return none << " for " << json.substr(0, 80);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult PageCommandFixture::drops(const std::string& json) {
  auto none = sendsNothing(json);
  if (!none) return none;
  const auto lines = page_.logLines();
  if (page_.size() != 1 || lines.size() != 1 || lines[0].rfind("CMD(", 0) != 0) {
    auto failure = ::testing::AssertionFailure()
                   << json << " posted " << page_.size() << " post(s)";
    if (page_.size() > 0) failure << ", the last " << page_.posts().back().text;
    return failure;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult PageCommandFixture::refusedAsTooLong(const std::string& json,
                                                                int32_t code) {
  auto none = sendsNothing(json);
  if (!none) return none;
  const PostList expected = {{code, errorText(-1, "error:: command too long")}};
  const PostList answers = pagePosts();
  if (answers != expected) {
    auto failure = ::testing::AssertionFailure()
                   << json.substr(0, 80) << " posted " << answers.size() << " answer(s)";
    if (!answers.empty()) failure << ", the first " << answers[0].first << " " << answers[0].second;
    return failure;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult PageCommandFixture::check(const WireCase& c) {
  return c.text != nullptr ? sends(c.command, c.text) : drops(c.command);
}

::testing::AssertionResult PageCommandFixture::logInOnLine1() {
  auto in = logIn();
  if (!in) return in;
  command(R"([1,0,"selectline","1"])");
  page_.clear();
  if (peer().device() != "201:1") {
    return ::testing::AssertionFailure() << "device " << peer().device();
  }
  return ::testing::AssertionSuccess();
}
