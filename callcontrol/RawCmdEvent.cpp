#include "callcontrol/RawCmdEvent.h"

#include <utility>

#include "messages/TextHelpers.h"

RawCmdEvent::RawCmdEvent(const Fields& fields) {
  if (fields.size() < header_.size()) return;
  for (size_t i = 0; i < header_.size(); ++i) header_[i] = fields[i];
}

RawCmdEvent::~RawCmdEvent() = default;

void RawCmdEvent::toJson(Json::Value&) const {}

std::string RawCmdEvent::text(const Fields& fields, size_t index) {
  return index < fields.size() ? fields[index] : std::string();
}

int RawCmdEvent::number(const Fields& fields, size_t index) {
  return index < fields.size() ? stringToInt(fields[index]) : 0;
}

void RawCmdEvent::putDevice(Json::Value& details, const char* deviceKey, const char* pdnKey,
                            const std::string& id) {
  details[deviceKey] = afterColon(id);
  details[pdnKey] = beforeColon(id);
}

void RawCmdEvent::putEvent(Json::Value& out, int type, Json::Value details) {
  out["type"] = type;
  out["details"] = std::move(details);
}
