#include "callcontrol/RawCmdCallChangeEvents.h"

#include <utility>

#include "messages/EventCause.h"
#include "messages/TextHelpers.h"

const std::string RawCmdHeldEvent::CODE = "HE";
const std::string RawCmdRetrievedEvent::CODE = "RE";
const std::string RawCmdTransferredEvent::CODE = "TR";
const std::string RawCmdDivertedEvent::CODE = "DI";
const std::string RawCmdConnectionClearedEvent::CODE = "XC";
const std::string RawCmdCallClearedEvent::CODE = "CC";
const std::string RawCmdSpclCallEvent::CODE = "SPCLCALL";

RawCmdHeldEvent::RawCmdHeldEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      activateDevice_(text(fields, 5)),
      localConnectionState_(text(fields, 6)),
      eventCause_(number(fields, 7)) {}

RawCmdHeldEvent::~RawCmdHeldEvent() = default;

void RawCmdHeldEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putDevice(details, "ActivateDeviceID", "ActivatePdnID", activateDevice_);
  details["LocalConnectionState"] = localConnectionState_;
  details["eventCause"] = eventCauseName(eventCause_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdRetrievedEvent::RawCmdRetrievedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      device_(text(fields, 5)),
      localConnectionState_(text(fields, 6)),
      eventCause_(number(fields, 7)),
      heldDevice_(text(fields, 8)),
      outsideNumber_(text(fields, 9)),
      extraText_(text(fields, 10)),
      deviceType_(text(fields, 11)) {}

RawCmdRetrievedEvent::~RawCmdRetrievedEvent() = default;

void RawCmdRetrievedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putDevice(details, "device", "devPdnID", device_);
  details["LocalConnectionState"] = localConnectionState_;
  details["eventCause"] = eventCauseName(eventCause_);
  putDevice(details, "HeldDeviceID", "HeldPdnID", heldDevice_);
  details["OutsideNumber"] = afterColon(outsideNumber_);
  details["DeviceType"] = deviceType_;
  putEvent(out, TYPE, std::move(details));
}

RawCmdTransferredEvent::RawCmdTransferredEvent(const Fields& fields)
    : RawCmdEvent(fields),
      transferredCallID_(text(fields, 4)),
      transferringDevice_(text(fields, 5)),
      transferredDevice_(text(fields, 6)),
      announcementCallID_(text(fields, 7)),
      receivingDevice_(text(fields, 8)),
      callerName_(text(fields, 9)),
      callerNumber_(text(fields, 10)),
      extraTexts_{text(fields, 11), text(fields, 12), text(fields, 13)},
      extraNumber_(number(fields, 14)) {}

RawCmdTransferredEvent::~RawCmdTransferredEvent() = default;

void RawCmdTransferredEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["transferredCallID"] = transferredCallID_;
  putDevice(details, "transferringDeviceID", "transferringPdnID", transferringDevice_);
  putDevice(details, "transferredDeviceID", "transferredPdnID", transferredDevice_);
  details["announcementCallID"] = afterColon(announcementCallID_);
  putDevice(details, "receivingDeviceID", "receivingPdnID", receivingDevice_);
  details["callerName"] = callerName_;
  details["callerNumber"] = callerNumber_;
  putEvent(out, TYPE, std::move(details));
}

RawCmdDivertedEvent::RawCmdDivertedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      fromDevice_(text(fields, 5)),
      destDevice_(text(fields, 6)),
      outsideNumber_(text(fields, 7)),
      extraText_(text(fields, 8)),
      extraNumber_(number(fields, 9)) {}

RawCmdDivertedEvent::~RawCmdDivertedEvent() = default;

void RawCmdDivertedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putDevice(details, "from", "fromPdnID", fromDevice_);
  putDevice(details, "dest", "destPdnID", destDevice_);
  details["OutsideNumber"] = afterColon(outsideNumber_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdConnectionClearedEvent::RawCmdConnectionClearedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      clearedDevice_(text(fields, 5)),
      terminatingDevice_(text(fields, 6)),
      localConnectionState_(text(fields, 7)),
      eventCause_(number(fields, 8)) {}

RawCmdConnectionClearedEvent::~RawCmdConnectionClearedEvent() = default;

void RawCmdConnectionClearedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putDevice(details, "ClearedDeviceID", "ClearedPdnID", clearedDevice_);
  putDevice(details, "TerminatingDevice", "TerminatingPdnID", terminatingDevice_);
  details["LocalConnectionState"] = beforeColon(localConnectionState_);
  details["eventCause"] = eventCauseName(eventCause_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdCallClearedEvent::RawCmdCallClearedEvent(const Fields& fields)
    : RawCmdEvent(fields), handle_(text(fields, 4)), eventCause_(number(fields, 5)) {}

RawCmdCallClearedEvent::~RawCmdCallClearedEvent() = default;

void RawCmdCallClearedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  details["EventCause"] = eventCauseName(eventCause_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdSpclCallEvent::RawCmdSpclCallEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      extraTexts_{text(fields, 5), text(fields, 6), text(fields, 7)} {}

RawCmdSpclCallEvent::~RawCmdSpclCallEvent() = default;

void RawCmdSpclCallEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putEvent(out, TYPE, std::move(details));
}
