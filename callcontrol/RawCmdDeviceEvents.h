#ifndef QEL_CALLCONTROL_RAWCMDDEVICEEVENTS_H_
#define QEL_CALLCONTROL_RAWCMDDEVICEEVENTS_H_

#include <array>
#include <memory>
#include <string>

#include "callcontrol/RawCmdEvent.h"

// Device events: a button pressed, the do-not-disturb state, monitoring
// ended and forwarding set, each on a monitored device. Each
// reads a fixed set of payload fields from field 4 on; an absent field
// leaves its member empty (or 0, whose cause name is "unknown").

// "nBP": a button pressed on the device.
class RawCmdButtonPressedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "nBP"
  static constexpr int TYPE = 22;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdButtonPressedEvent>(fields);
  }
  explicit RawCmdButtonPressedEvent(const Fields& fields);
  ~RawCmdButtonPressedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string device_;                     // field 4
  std::string button_;                     // field 5
  std::array<std::string, 2> extraTexts_;  // fields 6 and 7, never posted
};

// "DND": the device's do-not-disturb state.
class RawCmdDndEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "DND"
  static constexpr int TYPE = 23;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdDndEvent>(fields);
  }
  explicit RawCmdDndEvent(const Fields& fields);
  ~RawCmdDndEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string device_;      // field 4
  std::string dndMessage_;  // field 5
  std::string dndText_;     // field 6
};

// "ME": the monitoring of the device ended. Its cause comes first in the
// payload and is posted under "EventCause"; the device is posted as its
// device part alone.
class RawCmdMonitorEndedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "ME"
  static constexpr int TYPE = 24;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdMonitorEndedEvent>(fields);
  }
  explicit RawCmdMonitorEndedEvent(const Fields& fields);
  ~RawCmdMonitorEndedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  int eventCause_;      // field 4
  std::string device_;  // field 5
};

// "FW": forwarding set on the device.
class RawCmdForwardedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "FW"
  static constexpr int TYPE = 25;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdForwardedEvent>(fields);
  }
  explicit RawCmdForwardedEvent(const Fields& fields);
  ~RawCmdForwardedEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string forwardingDevice_;           // field 4
  std::string destination_;                // field 5
  std::array<std::string, 2> extraTexts_;  // fields 6 and 7, never posted
};

#endif  // QEL_CALLCONTROL_RAWCMDDEVICEEVENTS_H_
