#include "messages/DssMonitorEvt.h"

#include <utility>
#include <vector>

#include "messages/TextHelpers.h"

namespace {

// Page event type of a device-state change.
const int kDeviceStateEventType = 50;

}  // namespace

DssMonitorEvt::DssMonitorEvt(const std::string& service, const std::string& command,
                             int /*requestId*/, int secondId, const std::string& body)
    : QelMessage(service, command, secondId) {
  std::vector<std::string> fields;
  splitFields(body, ',', '|', 5, &fields);
  firstField_ = fields[0];
  device_ = fields[1];
  status_ = fields[2];
  extra_ = fields[3];
}

void DssMonitorEvt::toJson(Json::Value& out) const {
  Json::Value details;
  details["device"] = device_;
  details["status"] = status_;
  details["Extra"] = extra_;
  out["type"] = kDeviceStateEventType;
  out[kDetailsKey] = std::move(details);
}
