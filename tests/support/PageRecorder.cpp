#include "tests/support/PageRecorder.h"

#include <json/reader.h>

#include <algorithm>
#include <iterator>
#include <memory>

#include "platform/Instance.h"
#include "platform/Var.h"
#include "platform/VarJson.h"

void PageRecorder::attach(pp::Instance& instance) {
  instance.setPageHandler([this](PP_Instance, const pp::Var& message) { record(message); });
}

void PageRecorder::detach(pp::Instance& instance) {
  instance.setPageHandler(nullptr);
}

void PageRecorder::record(const pp::Var& message) {
  pp::VarArray array(message);
  bool wellFormed = message.is_array() && array.GetLength() == 2 && array.Get(0).is_int() &&
                    array.Get(1).is_string();
  if (wellFormed) {
    posts_.push_back({array.Get(0).AsInt(), array.Get(1).AsString(), true});
  } else {
    posts_.push_back({0, pp::varToJsonLine(message), false});
  }
}

bool PageRecorder::allWellFormed() const {
  return std::all_of(posts_.begin(), posts_.end(),
                     [](const Post& post) { return post.wellFormed; });
}

std::vector<PageRecorder::Post> PageRecorder::withCode(int32_t code) const {
  std::vector<Post> found;
  std::copy_if(posts_.begin(), posts_.end(), std::back_inserter(found),
               [code](const Post& post) { return post.code == code; });
  return found;
}

std::vector<PageRecorder::Post> PageRecorder::withoutLogs() const {
  std::vector<Post> found;
  std::copy_if(posts_.begin(), posts_.end(), std::back_inserter(found),
               [](const Post& post) { return post.code != kLogCode; });
  return found;
}

const PageRecorder::Post* PageRecorder::find(int32_t code, const std::string& text) const {
  for (const Post& post : posts_) {
    if (post.code == code && post.text == text) return &post;
  }
  return nullptr;
}

size_t PageRecorder::indexOf(const std::string& fragment, size_t from) const {
  for (size_t i = from; i < posts_.size(); ++i) {
    if (posts_[i].text.find(fragment) != std::string::npos) return i;
  }
  return posts_.size();
}

std::vector<std::string> PageRecorder::logLines() const {
  std::vector<std::string> lines;
  for (const Post& post : withCode(kLogCode)) {
    Json::Value value = decode(post.text);
    if (value.isObject() && value["log"].isString()) lines.push_back(value["log"].asString());
  }
  return lines;
}

bool PageRecorder::hasLog(const std::string& line) const {
  std::vector<std::string> lines = logLines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

Json::Value PageRecorder::decode(const std::string& text) {
  Json::CharReaderBuilder builder;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value value;
  std::string errors;
  if (!reader->parse(text.data(), text.data() + text.size(), &value, &errors)) return Json::Value();
  return value;
}

Json::Value PageRecorder::json(size_t index) const {
  return index < posts_.size() ? decode(posts_[index].text) : Json::Value();
}
