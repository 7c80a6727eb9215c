#include "callcontrol/RawCmdConferencedEvent.h"

#include <cstdint>
#include <utility>

#include "messages/TextHelpers.h"

const std::string RawCmdConferencedEvent::CODE = "CO";

namespace {

constexpr size_t kCountField = 8;
constexpr size_t kFirstPartyField = 9;

}  // namespace

RawCmdConferencedEvent::RawCmdConferencedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      causeDevice_(text(fields, 4)),
      primaryCallID_(text(fields, 5)),
      secondaryCallID_(text(fields, 6)),
      controllingDevice_(text(fields, 7)),
      trailingNumber_(0) {
  if (fields.size() <= kCountField) return;
  const int count = stringToInt(fields[kCountField]);
  size_t next = kFirstPartyField;
  // Made in 64 bits so that no count can overflow the bound and pass it.
  const int64_t end = static_cast<int64_t>(kFirstPartyField) + 2 * static_cast<int64_t>(count);
  if (count > 0 && end < static_cast<int64_t>(fields.size())) {
    parties_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i, next += 2) {
      ConferenceParty party;
      party.setFirst(fields[next]);
      party.setSecond(fields[next + 1]);
      parties_.push_back(party);
    }
  }
  trailingText_ = text(fields, next);
  trailingNumber_ = number(fields, next + 1);
}

RawCmdConferencedEvent::~RawCmdConferencedEvent() {
  parties_.clear();
}

void RawCmdConferencedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  putDevice(details, "CauseDeviceID", "CausePdnID", causeDevice_);
  details["PrimaryCallID"] = primaryCallID_;
  details["SecondaryCallID"] = secondaryCallID_;
  putDevice(details, "ControllingDeviceID", "ControllingPdnID", controllingDevice_);
  Json::Value devices;  // both stay null without parties
  Json::Value pdns;
  for (const ConferenceParty& party : parties_) {
    devices.append(afterColon(party.first()));
    pdns.append(beforeColon(party.first()));
  }
  details["parties"] = std::move(devices);
  details["pdns"] = std::move(pdns);
  putEvent(out, TYPE, std::move(details));
}
