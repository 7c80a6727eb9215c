#ifndef QEL_CALLCONTROL_RAWCMDCALLPROGRESSEVENTS_H_
#define QEL_CALLCONTROL_RAWCMDCALLPROGRESSEVENTS_H_

#include <memory>
#include <string>

#include "callcontrol/RawCmdEvent.h"

// Call-progress events: how a call is delivered, answered, originated,
// queued, routed to the network or fails, and the service and announcement
// notices. Each reads a fixed set of payload fields from field 4 on; an
// absent field leaves its member empty (or 0, whose cause name is
// "unknown"). Device identifiers of the form pdn:device are posted as their
// device and pdn parts. The call-information event is in its own file.

// "FA": a call failed. Posts its cause under "reason".
class RawCmdFailedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "FA"
  static constexpr int TYPE = 1;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdFailedEvent>(fields);
  }
  explicit RawCmdFailedEvent(const Fields& fields);
  ~RawCmdFailedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                // field 4
  std::string calledNumber_;          // field 6
  std::string failedDevice_;          // field 5
  std::string localConnectionState_;  // field 7
  int eventCause_;                    // field 8
};

// "DE": a call delivered to an alerting device.
class RawCmdDeliveredEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "DE"
  static constexpr int TYPE = 2;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdDeliveredEvent>(fields);
  }
  explicit RawCmdDeliveredEvent(const Fields& fields);
  ~RawCmdDeliveredEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                 // field 4
  std::string alertingDevice_;         // field 5
  std::string alertingOutsideNumber_;  // field 6
  std::string alertingDeviceType_;     // field 7
  std::string callingDevice_;          // field 8
  std::string callerName_;             // field 9
  std::string callerNumber_;           // field 10
  std::string trunkName_;              // field 11
  std::string trunkNumber_;            // field 12
  std::string callingDeviceType_;      // field 13
  std::string firstCalledDevice_;      // field 14
  std::string lastRedirectionDevice_;  // field 15
  std::string accountCode_;            // field 16
  std::string localConnectionState_;   // field 17
  int eventCause_;                     // field 18
};

// "ES": a call established at the answering device.
class RawCmdEstablishedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "ES"
  static constexpr int TYPE = 6;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdEstablishedEvent>(fields);
  }
  explicit RawCmdEstablishedEvent(const Fields& fields);
  ~RawCmdEstablishedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                  // field 4
  std::string answeringDevice_;         // field 5
  std::string answeringOutsideNumber_;  // field 6
  std::string answeringDeviceType_;     // field 7
  std::string callingDevice_;           // field 8
  std::string callerNumber_;            // field 9
  std::string trunkNumber_;             // field 10
  std::string callingDeviceType_;       // field 11
  std::string firstCalledDevice_;       // field 12
  std::string lastRedirectionDevice_;   // field 13
  std::string localConnectionState_;    // field 14
  int eventCause_;                      // field 15
};

// "SI": a service initiated at a device.
class RawCmdServiceInitiatedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "SI"
  static constexpr int TYPE = 12;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdServiceInitiatedEvent>(fields);
  }
  explicit RawCmdServiceInitiatedEvent(const Fields& fields);
  ~RawCmdServiceInitiatedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                // field 4
  std::string device_;                // field 5
  std::string localConnectionState_;  // field 6
  int extraNumber_;                   // field 7, kept as received, never posted
};

// "nTVF": a call announcement.
class RawCmdCallAnnounceEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "nTVF"
  static constexpr int TYPE = 14;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdCallAnnounceEvent>(fields);
  }
  explicit RawCmdCallAnnounceEvent(const Fields& fields);
  ~RawCmdCallAnnounceEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;          // field 4
  std::string alertingDevice_;  // field 5
  std::string callingDevice_;   // field 6
  std::string announceType_;    // field 7
};

// "NT": a call reached the network over the trunk it names. Posts its
// cause under "EventCause".
class RawCmdNetworkReachedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "NT"
  static constexpr int TYPE = 15;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdNetworkReachedEvent>(fields);
  }
  explicit RawCmdNetworkReachedEvent(const Fields& fields);
  ~RawCmdNetworkReachedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                // field 4
  std::string trunkUsed_;             // field 5
  std::string dialedNumber_;          // field 6
  std::string localConnectionState_;  // field 7
  int eventCause_;                    // field 8
};

// "OR": a call originated by the calling device.
class RawCmdOriginatedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "OR"
  static constexpr int TYPE = 16;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdOriginatedEvent>(fields);
  }
  explicit RawCmdOriginatedEvent(const Fields& fields);
  ~RawCmdOriginatedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                // field 4
  std::string callingDevice_;         // field 5
  std::string outsideCallerNumber_;   // field 6
  std::string callingDeviceType_;     // field 7
  std::string dialedNumber_;          // field 8
  std::string extraText_;             // field 9, kept as received, never posted
  std::string localConnectionState_;  // field 10
  int eventCause_;                    // field 11
};

// "QU": a call queued at a device. "NumberQueued" is posted as an integer.
class RawCmdQueuedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "QU"
  static constexpr int TYPE = 17;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdQueuedEvent>(fields);
  }
  explicit RawCmdQueuedEvent(const Fields& fields);
  ~RawCmdQueuedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                 // field 4
  std::string queuedDevice_;           // field 5
  std::string callingDevice_;          // field 6
  std::string outsideCallerName_;      // field 7
  std::string outsideCallerNumber_;    // field 8
  std::string trunkName_;              // field 9
  std::string trunkNumber_;            // field 10
  std::string callingDeviceType_;      // field 11
  std::string firstCalledDevice_;      // field 12
  std::string lastRedirectionDevice_;  // field 13
  int numberQueued_;                   // field 14
  std::string accountCode_;            // field 15
  std::string localConnectionState_;   // field 16
  int eventCause_;                     // field 17
};

#endif  // QEL_CALLCONTROL_RAWCMDCALLPROGRESSEVENTS_H_
