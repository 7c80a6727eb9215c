#ifndef QEL_CALLCONTROL_RAWCMDCALLCHANGEEVENTS_H_
#define QEL_CALLCONTROL_RAWCMDCALLCHANGEEVENTS_H_

#include <array>
#include <memory>
#include <string>

#include "callcontrol/RawCmdEvent.h"

// Call-change events: a call held, retrieved, transferred or diverted, one
// connection or the whole call cleared, and the special-call notice. Each
// reads a fixed set of payload fields from field 4 on; an absent field
// leaves its member empty (or 0, whose cause name is "unknown"). Device
// identifiers of the form pdn:device are posted as their device and pdn
// parts. The conference event is in its own file.

// "HE": a party put the call on hold.
class RawCmdHeldEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "HE"
  static constexpr int TYPE = 7;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdHeldEvent>(fields);
  }
  explicit RawCmdHeldEvent(const Fields& fields);
  ~RawCmdHeldEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                // field 4
  std::string activateDevice_;        // field 5
  std::string localConnectionState_;  // field 6
  int eventCause_;                    // field 7
};

// "RE": a held call taken back.
class RawCmdRetrievedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "RE"
  static constexpr int TYPE = 8;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdRetrievedEvent>(fields);
  }
  explicit RawCmdRetrievedEvent(const Fields& fields);
  ~RawCmdRetrievedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                // field 4
  std::string device_;                // field 5
  std::string localConnectionState_;  // field 6
  int eventCause_;                    // field 7
  std::string heldDevice_;            // field 8
  std::string outsideNumber_;         // field 9
  std::string extraText_;             // field 10, kept as received, never posted
  std::string deviceType_;            // field 11
};

// "TR": a call transferred.
class RawCmdTransferredEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "TR"
  static constexpr int TYPE = 9;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdTransferredEvent>(fields);
  }
  explicit RawCmdTransferredEvent(const Fields& fields);
  ~RawCmdTransferredEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string transferredCallID_;          // field 4
  std::string transferringDevice_;         // field 5
  std::string transferredDevice_;          // field 6
  std::string announcementCallID_;         // field 7
  std::string receivingDevice_;            // field 8
  std::string callerName_;                 // field 9
  std::string callerNumber_;               // field 10
  std::array<std::string, 3> extraTexts_;  // fields 11 to 13, never posted
  int extraNumber_;                        // field 14, never posted
};

// "DI": a call diverted from one device to another.
class RawCmdDivertedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "DI"
  static constexpr int TYPE = 10;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdDivertedEvent>(fields);
  }
  explicit RawCmdDivertedEvent(const Fields& fields);
  ~RawCmdDivertedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;         // field 4
  std::string fromDevice_;     // field 5
  std::string destDevice_;     // field 6
  std::string outsideNumber_;  // field 7
  std::string extraText_;      // field 8, kept as received, never posted
  int extraNumber_;            // field 9, kept as received, never posted
};

// "XC": one connection of a call cleared. "LocalConnectionState" is posted
// as the pdn part of its field.
class RawCmdConnectionClearedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "XC"
  static constexpr int TYPE = 3;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdConnectionClearedEvent>(fields);
  }
  explicit RawCmdConnectionClearedEvent(const Fields& fields);
  ~RawCmdConnectionClearedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                // field 4
  std::string clearedDevice_;         // field 5
  std::string terminatingDevice_;     // field 6
  std::string localConnectionState_;  // field 7
  int eventCause_;                    // field 8
};

// "CC": the whole call cleared. Posts its cause under "EventCause".
class RawCmdCallClearedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "CC"
  static constexpr int TYPE = 21;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdCallClearedEvent>(fields);
  }
  explicit RawCmdCallClearedEvent(const Fields& fields);
  ~RawCmdCallClearedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;  // field 4
  int eventCause_;      // field 5
};

// "SPCLCALL": the special-call notice; only its call handle is posted.
class RawCmdSpclCallEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "SPCLCALL"
  static constexpr int TYPE = 20;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdSpclCallEvent>(fields);
  }
  explicit RawCmdSpclCallEvent(const Fields& fields);
  ~RawCmdSpclCallEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                     // field 4
  std::array<std::string, 3> extraTexts_;  // fields 5 to 7, never posted
};

#endif  // QEL_CALLCONTROL_RAWCMDCALLCHANGEEVENTS_H_
