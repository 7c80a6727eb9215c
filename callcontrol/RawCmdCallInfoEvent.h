#ifndef QEL_CALLCONTROL_RAWCMDCALLINFOEVENT_H_
#define QEL_CALLCONTROL_RAWCMDCALLINFOEVENT_H_

#include <map>
#include <memory>
#include <string>

#include "callcontrol/RawCmdEvent.h"

// "CALLINFO": information items about a call. Field 4 is the call handle;
// field 5 holds items "key=value" separated by tabs. Each item is posted
// under its own key, after "handle" (so an item named "handle" replaces the
// handle). Empty items and items with an empty key are skipped; a later
// item replaces an earlier one of the same key.
class RawCmdCallInfoEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "CALLINFO"
  static constexpr int TYPE = 18;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdCallInfoEvent>(fields);
  }
  explicit RawCmdCallInfoEvent(const Fields& fields);
  ~RawCmdCallInfoEvent() override;
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;                        // field 4
  std::map<std::string, std::string> items_;  // field 5, ordered by key bytes
};

#endif  // QEL_CALLCONTROL_RAWCMDCALLINFOEVENT_H_
