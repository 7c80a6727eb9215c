#include "callcontrol/RawCmdCallProgressEvents.h"

#include <utility>

#include "messages/EventCause.h"
#include "messages/TextHelpers.h"

const std::string RawCmdFailedEvent::CODE = "FA";
const std::string RawCmdDeliveredEvent::CODE = "DE";
const std::string RawCmdEstablishedEvent::CODE = "ES";
const std::string RawCmdServiceInitiatedEvent::CODE = "SI";
const std::string RawCmdCallAnnounceEvent::CODE = "nTVF";
const std::string RawCmdNetworkReachedEvent::CODE = "NT";
const std::string RawCmdOriginatedEvent::CODE = "OR";
const std::string RawCmdQueuedEvent::CODE = "QU";

RawCmdFailedEvent::RawCmdFailedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      calledNumber_(text(fields, 6)),
      failedDevice_(text(fields, 5)),
      localConnectionState_(text(fields, 7)),
      eventCause_(number(fields, 8)) {}

RawCmdFailedEvent::~RawCmdFailedEvent() = default;

void RawCmdFailedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putDevice(details, "FailedDeviceID", "FailedPdnID", failedDevice_);
  details["CalledNumber"] = afterColon(calledNumber_);
  details["LocalConnectionState"] = localConnectionState_;
  details["reason"] = eventCauseName(eventCause_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdDeliveredEvent::RawCmdDeliveredEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      alertingDevice_(text(fields, 5)),
      alertingOutsideNumber_(text(fields, 6)),
      alertingDeviceType_(text(fields, 7)),
      callingDevice_(text(fields, 8)),
      callerName_(text(fields, 9)),
      callerNumber_(text(fields, 10)),
      trunkName_(text(fields, 11)),
      trunkNumber_(text(fields, 12)),
      callingDeviceType_(text(fields, 13)),
      firstCalledDevice_(text(fields, 14)),
      lastRedirectionDevice_(text(fields, 15)),
      accountCode_(text(fields, 16)),
      localConnectionState_(text(fields, 17)),
      eventCause_(number(fields, 18)) {}

RawCmdDeliveredEvent::~RawCmdDeliveredEvent() = default;

void RawCmdDeliveredEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putDevice(details, "AlertingDevice", "AlertingPdnID", alertingDevice_);
  details["AlertingOutsideNumber"] = afterColon(alertingOutsideNumber_);
  details["AlertingDeviceType"] = alertingDeviceType_;
  putDevice(details, "CallingDeviceID", "CallingPdnID", callingDevice_);
  details["CallerName"] = callerName_;
  details["CallerNumber"] = callerNumber_;
  details["TrunkName"] = trunkName_;
  details["TrunkNumber"] = trunkNumber_;
  details["CallingDeviceType"] = callingDeviceType_;
  putDevice(details, "OriginallyCallDeviceID", "OriginallyCallPdnID", firstCalledDevice_);
  putDevice(details, "LastRedirectionDeviceID", "LastRedirectionPdnID", lastRedirectionDevice_);
  details["AccountCode"] = accountCode_;
  details["LocalConnectionState"] = localConnectionState_;
  details["eventCause"] = eventCauseName(eventCause_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdEstablishedEvent::RawCmdEstablishedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      answeringDevice_(text(fields, 5)),
      answeringOutsideNumber_(text(fields, 6)),
      answeringDeviceType_(text(fields, 7)),
      callingDevice_(text(fields, 8)),
      callerNumber_(text(fields, 9)),
      trunkNumber_(text(fields, 10)),
      callingDeviceType_(text(fields, 11)),
      firstCalledDevice_(text(fields, 12)),
      lastRedirectionDevice_(text(fields, 13)),
      localConnectionState_(text(fields, 14)),
      eventCause_(number(fields, 15)) {}

RawCmdEstablishedEvent::~RawCmdEstablishedEvent() = default;

void RawCmdEstablishedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putDevice(details, "answeringDeviceID", "answeringPdnID", answeringDevice_);
  details["answeringOutsideNumber"] = afterColon(answeringOutsideNumber_);
  details["answeringDeviceType"] = answeringDeviceType_;
  putDevice(details, "callingDevice", "callingPdnID", callingDevice_);
  details["callerNumber"] = callerNumber_;
  details["trunkNumber"] = trunkNumber_;
  details["callingDeviceType"] = callingDeviceType_;
  putDevice(details, "orginalCalledDeviceID", "orginalCalledPdnID", firstCalledDevice_);
  putDevice(details, "lastRedirectionDevice", "lastRedirectionPdnID", lastRedirectionDevice_);
  details["LocalConnectionState"] = localConnectionState_;
  details["eventCause"] = eventCauseName(eventCause_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdServiceInitiatedEvent::RawCmdServiceInitiatedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      device_(text(fields, 5)),
      localConnectionState_(text(fields, 6)),
      extraNumber_(number(fields, 7)) {}

RawCmdServiceInitiatedEvent::~RawCmdServiceInitiatedEvent() = default;

void RawCmdServiceInitiatedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putDevice(details, "device", "devPdnID", device_);
  details["LocalConnectionState"] = localConnectionState_;
  putEvent(out, TYPE, std::move(details));
}

RawCmdCallAnnounceEvent::RawCmdCallAnnounceEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      alertingDevice_(text(fields, 5)),
      callingDevice_(text(fields, 6)),
      announceType_(text(fields, 7)) {}

RawCmdCallAnnounceEvent::~RawCmdCallAnnounceEvent() = default;

void RawCmdCallAnnounceEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  details["AnnouceType"] = announceType_;
  details["CallingDeviceID"] = afterColon(callingDevice_);
  putDevice(details, "AlertingDevice", "AlertingPdnID", alertingDevice_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdNetworkReachedEvent::RawCmdNetworkReachedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      trunkUsed_(text(fields, 5)),
      dialedNumber_(text(fields, 6)),
      localConnectionState_(text(fields, 7)),
      eventCause_(number(fields, 8)) {}

RawCmdNetworkReachedEvent::~RawCmdNetworkReachedEvent() = default;

void RawCmdNetworkReachedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  details["TrunkUsed"] = trunkUsed_;
  details["DialedNumber"] = dialedNumber_;
  details["LocalConnectionState"] = localConnectionState_;
  details["EventCause"] = eventCauseName(eventCause_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdOriginatedEvent::RawCmdOriginatedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      callingDevice_(text(fields, 5)),
      outsideCallerNumber_(text(fields, 6)),
      callingDeviceType_(text(fields, 7)),
      dialedNumber_(text(fields, 8)),
      extraText_(text(fields, 9)),
      localConnectionState_(text(fields, 10)),
      eventCause_(number(fields, 11)) {}

RawCmdOriginatedEvent::~RawCmdOriginatedEvent() = default;

void RawCmdOriginatedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putDevice(details, "CallingDeviceID", "CallingPdnID", callingDevice_);
  details["OutsideCallerNumber"] = afterColon(outsideCallerNumber_);
  details["CallingDeviceType"] = callingDeviceType_;
  details["DialedNumber"] = dialedNumber_;
  details["LocalConnectionState"] = localConnectionState_;
  details["eventCause"] = eventCauseName(eventCause_);
  putEvent(out, TYPE, std::move(details));
}

RawCmdQueuedEvent::RawCmdQueuedEvent(const Fields& fields)
    : RawCmdEvent(fields),
      handle_(text(fields, 4)),
      queuedDevice_(text(fields, 5)),
      callingDevice_(text(fields, 6)),
      outsideCallerName_(text(fields, 7)),
      outsideCallerNumber_(text(fields, 8)),
      trunkName_(text(fields, 9)),
      trunkNumber_(text(fields, 10)),
      callingDeviceType_(text(fields, 11)),
      firstCalledDevice_(text(fields, 12)),
      lastRedirectionDevice_(text(fields, 13)),
      numberQueued_(number(fields, 14)),
      accountCode_(text(fields, 15)),
      localConnectionState_(text(fields, 16)),
      eventCause_(number(fields, 17)) {}

RawCmdQueuedEvent::~RawCmdQueuedEvent() = default;

void RawCmdQueuedEvent::toJson(Json::Value& out) const {
  Json::Value details;
  details["handle"] = handle_;
  putDevice(details, "QueuedDeviceID", "QueuedPdnID", queuedDevice_);
  putDevice(details, "CallingDeviceID", "CallingPdnID", callingDevice_);
  details["OutsideCallerName"] = outsideCallerName_;
  details["OutsideCallerNumber"] = outsideCallerNumber_;
  details["TrunkName"] = trunkName_;
  details["TrunkNumber"] = trunkNumber_;
  details["CallingDeviceType"] = callingDeviceType_;
  putDevice(details, "OriginallyCalledDevice", "OriginallyCalledPdnID", firstCalledDevice_);
  putDevice(details, "LastRedirectDeviceID", "LastRedirectPdnID", lastRedirectionDevice_);
  details["NumberQueued"] = numberQueued_;
  details["AccountCode"] = accountCode_;
  details["LocalConnectionState"] = localConnectionState_;
  details["eventCause"] = eventCauseName(eventCause_);
  putEvent(out, TYPE, std::move(details));
}
