#include "callcontrol/RawCmdDeviceEvents.h"

#include <utility>

#include "messages/EventCause.h"
#include "messages/TextHelpers.h"

const std::string RawCmdButtonPressedEvent::CODE = "nBP";
const std::string RawCmdDndEvent::CODE = "DND";
const std::string RawCmdMonitorEndedEvent::CODE = "ME";
const std::string RawCmdForwardedEvent::CODE = "FW";

RawCmdButtonPressedEvent::RawCmdButtonPressedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      device_(text(fields, 4)),
      button_(text(fields, 5)),
      extraTexts_{text(fields, 6), text(fields, 7)} {}

RawCmdButtonPressedEvent::~RawCmdButtonPressedEvent() = default;

void RawCmdButtonPressedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  putDevice(details, "DeviceID", "DevPdnID", device_);
  details["Button"] = button_;
  putEvent(out, TYPE, std::move(details));
}

RawCmdDndEvent::RawCmdDndEvent(const Fields& fields)
    : RawCmdEvent(fields),
      device_(text(fields, 4)),
      dndMessage_(text(fields, 5)),
      dndText_(text(fields, 6)) {}

RawCmdDndEvent::~RawCmdDndEvent() = default;

void RawCmdDndEvent::toJson(Json::Value& out) const {
  Json::Value details;
  putDevice(details, "device", "devicePdnID", device_);
  details["dndmessage"] = dndMessage_;
  details["dndtext"] = dndText_;
  putEvent(out, TYPE, std::move(details));
}

RawCmdMonitorEndedEvent::RawCmdMonitorEndedEvent(const Fields& fields)
    : RawCmdEvent(fields), eventCause_(number(fields, 4)), device_(text(fields, 5)) {}

RawCmdMonitorEndedEvent::~RawCmdMonitorEndedEvent() = default;

void RawCmdMonitorEndedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["device"] = afterColon(device_);
  details["EventCause"] = eventCauseName(eventCause_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdForwardedEvent::RawCmdForwardedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      forwardingDevice_(text(fields, 4)),
      destination_(text(fields, 5)),
      extraTexts_{text(fields, 6), text(fields, 7)} {}

RawCmdForwardedEvent::~RawCmdForwardedEvent() = default;

void RawCmdForwardedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  putDevice(details, "forwardingdevice", "forwardingPdnID", forwardingDevice_);
  putDevice(details, "destination", "destPdnID", destination_);
  putEvent(out, TYPE, std::move(details));
}
