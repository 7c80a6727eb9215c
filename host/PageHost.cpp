#include "host/PageHost.h"

#include <json/reader.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <utility>

#include "messages/Utf8Text.h"
#include "platform/Instance.h"
#include "platform/Module.h"
#include "platform/Var.h"
#include "platform/VarJson.h"

namespace {

// The plug-in element the host gives its one instance.
constexpr PP_Instance kInstanceHandle = 1;

bool isBlank(const std::string& line) {
  return line.find_first_not_of(" \t\r") == std::string::npos;
}

// The deepest nesting of arrays and objects outside strings. The JSON
// reader gives up on deep nesting by throwing, so depth is checked first.
int nestingDepth(const std::string& text) {
  int depth = 0;
  int deepest = 0;
  bool inString = false;
  bool escaped = false;
  for (const char c : text) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > deepest) deepest = depth;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

// The reader's first error on one line: "* Line 1, Column 5\n  Missing ...\n"
// becomes "column 5: Missing ...".
std::string firstError(const std::string& errors) {
  const size_t column = errors.find("Column ");
  const size_t firstEnd = errors.find('\n');
  if (column == std::string::npos || firstEnd == std::string::npos || column > firstEnd) {
    return errors.substr(0, firstEnd);
  }
  const size_t messageStart = errors.find_first_not_of(' ', firstEnd + 1);
  const size_t messageEnd =
      messageStart == std::string::npos ? std::string::npos : errors.find('\n', messageStart);
  std::string message = messageStart == std::string::npos
                            ? std::string()
                            : errors.substr(messageStart, messageEnd - messageStart);
  return "column " + errors.substr(column + 7, firstEnd - column - 7) + ": " + message;
}

// Strict JSON, one value per line, anything at its root, in well-formed
// UTF-8 (as a browser page sends its texts).
bool parseJsonLine(const std::string& line, Json::Value* value, std::string* reason) {
  const size_t valid = validUtf8Length(line);
  if (valid < line.size()) {
    *reason = "column " + std::to_string(valid + 1) + ": not valid UTF-8";
    return false;
  }
  if (nestingDepth(line) > PageHost::kMaxNesting) {
    *reason = "nested deeper than " + std::to_string(PageHost::kMaxNesting) + " levels";
    return false;
  }
  Json::CharReaderBuilder builder;
  builder["allowComments"] = false;
  builder["allowTrailingCommas"] = false;
  builder["allowSingleQuotes"] = false;
  builder["allowSpecialFloats"] = false;
  builder["failIfExtra"] = true;
  const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  std::string errors;
  if (reader->parse(line.data(), line.data() + line.size(), value, &errors)) return true;
  *reason = firstError(errors);
  if (reason->empty()) *reason = "invalid JSON";
  return false;
}

}  // namespace

PageHost::PageHost(int32_t lingerMs)
    : lingerMs_(lingerMs),
      signals_(loop_.context(), SIGINT, SIGTERM),
      reader_(
          STDIN_FILENO,
          [this](int number, std::string line) {
            loop_.post([this, number, line = std::move(line)] { handleLine(number, line); });
          },
          [this] { loop_.post([this] { endOfInput(); }); }) {}

PageHost::~PageHost() {
  reader_.stop();
}

int PageHost::run() {
  signals_.async_wait([this](const std::error_code& error, int) {
    if (!error) loop_.stop();
  });
  loop_.post([this] { load(); });
  if (!reader_.start()) {
    std::fprintf(stderr, "qelhost: cannot read standard input\n");
    return 1;
  }
  loop_.run();
  // The instance goes first: its session closes the connection without
  // posting; then the module.
  instance_.reset();
  module_.reset();
  reader_.stop();
  return 0;
}

void PageHost::load() {
  module_.reset(pp::CreateModule());
  module_->Init();
  instance_.reset(module_->CreateInstance(kInstanceHandle));
  instance_->setPageHandler([this](PP_Instance, const pp::Var& post) { writePost(post); });
  instance_->Init(0, nullptr, nullptr);
}

void PageHost::handleLine(int number, const std::string& line) {
  if (isBlank(line)) return;
  Json::Value value;
  std::string reason;
  if (!parseJsonLine(line, &value, &reason)) {
    std::fprintf(stderr, "qelhost: line %d: not JSON: %s\n", number, reason.c_str());
    std::fflush(stderr);
    return;
  }
  instance_->HandleMessage(pp::varFromJson(value));
}

void PageHost::endOfInput() {
  if (inputEnded_) return;
  inputEnded_ = true;
  loop_.callLater(lingerMs_, [this] { loop_.stop(); });
}

void PageHost::writePost(const pp::Var& post) {
  const std::string line = pp::varToJsonLine(post);
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}
