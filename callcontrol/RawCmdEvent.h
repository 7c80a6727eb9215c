#ifndef QEL_CALLCONTROL_RAWCMDEVENT_H_
#define QEL_CALLCONTROL_RAWCMDEVENT_H_

#include <json/value.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// Base of every level-2 call-control event. An event is built from the
// fields of a "RAWCMD" event payload: fields 0 to 3 are the event header
// (field 1 names the event), the fields from 4 on belong to the event class.
//
// A plain RawCmdEvent stands for an event code that has no class: its
// conversion writes nothing, so the page receives null.
class RawCmdEvent {
 public:
  using Fields = std::vector<std::string>;

  // Keeps fields 0 to 3 as the header; with fewer than 4 fields the header
  // stays empty.
  explicit RawCmdEvent(const Fields& fields);

  RawCmdEvent(const RawCmdEvent&) = delete;
  RawCmdEvent& operator=(const RawCmdEvent&) = delete;
  virtual ~RawCmdEvent();

  // Fills the page object {"type": n, "details": {...}} of the event. The
  // base writes nothing.
  virtual void toJson(Json::Value& out) const;

  const std::array<std::string, 4>& header() const { return header_; }

 protected:
  // Field `index`, or the empty text when the payload is shorter: the split
  // payload is not padded, so every read goes through these two.
  static std::string text(const Fields& fields, size_t index);
  // stringToInt of field `index`, or 0 when the payload is shorter.
  static int number(const Fields& fields, size_t index);

  // Writes a pdn:device identifier as two page keys: its device part under
  // `deviceKey`, its pdn part under `pdnKey`.
  static void putDevice(Json::Value& details, const char* deviceKey, const char* pdnKey,
                        const std::string& id);
  // out["type"] = type; `details` is moved into out["details"].
  static void putEvent(Json::Value& out, int type, Json::Value details);

 private:
  std::array<std::string, 4> header_;
};

// A factory entry: builds the event of one code from the payload fields.
using RawCmdEventCreator = std::unique_ptr<RawCmdEvent> (*)(const RawCmdEvent::Fields& fields);

#endif  // QEL_CALLCONTROL_RAWCMDEVENT_H_
