#include "callcontrol/RawCmdCallInfoEvent.h"

#include <utility>
#include <vector>

#include "messages/TextHelpers.h"

const std::string RawCmdCallInfoEvent::CODE = "CALLINFO";

RawCmdCallInfoEvent::RawCmdCallInfoEvent(const Fields& fields)
    : RawCmdEvent(fields), handle_(text(fields, 4)) {
  const std::string list = text(fields, 5);
  if (list.empty()) return;
  std::vector<std::string> parts;
  splitAllFields(list, '\t', 0, &parts);
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    std::vector<std::string> item;  // key, value: always two
    splitFields(part, '=', 0, 2, &item);
    if (!item[0].empty()) items_[item[0]] = item[1];
  }
}

RawCmdCallInfoEvent::~RawCmdCallInfoEvent() = default;

void RawCmdCallInfoEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  for (const auto& [key, value] : items_) details[key] = value;
  putEvent(out, TYPE, std::move(details));
}
