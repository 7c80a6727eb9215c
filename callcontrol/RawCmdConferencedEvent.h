#ifndef QEL_CALLCONTROL_RAWCMDCONFERENCEDEVENT_H_
#define QEL_CALLCONTROL_RAWCMDCONFERENCEDEVENT_H_

#include <memory>
#include <string>
#include <vector>

#include "callcontrol/RawCmdEvent.h"

// One party of a conference: its pdn:device identifier and the text that
// follows it in the event (kept as received, never posted).
class ConferenceParty {
 public:
  ConferenceParty() = default;

  void setFirst(const std::string& party) { first_ = party; }
  void setSecond(const std::string& text) { second_ = text; }
  const std::string& first() const { return first_; }
  const std::string& second() const { return second_; }

 private:
  std::string first_;
  std::string second_;
};

// "CO": calls joined into a conference. Field 8 counts the parties that
// follow from field 9 on, two fields each. The list is read only when at
// least one field follows its last party; otherwise (and for a count that
// is not positive) no party is read, and "parties" and "pdns" are posted as
// null. The text and the number after the list are kept, never posted.
class RawCmdConferencedEvent : public RawCmdEvent {
 public:
  static const std::string CODE;  // "CO"
  static constexpr int TYPE = 11;
  static std::unique_ptr<RawCmdEvent> create(const Fields& fields) {
    return std::make_unique<RawCmdConferencedEvent>(fields);
  }
  explicit RawCmdConferencedEvent(const Fields& fields);
  ~RawCmdConferencedEvent() override;
  void toJson(Json::Value& out) const override;

  const std::vector<ConferenceParty>& parties() const { return parties_; }

 private:
  std::string causeDevice_;               // field 4
  std::string primaryCallID_;             // field 5
  std::string secondaryCallID_;           // field 6
  std::string controllingDevice_;         // field 7
  std::vector<ConferenceParty> parties_;  // count in field 8, parties from field 9
  std::string trailingText_;              // after the list, never posted
  int trailingNumber_;                    // after the text, never posted
};

#endif  // QEL_CALLCONTROL_RAWCMDCONFERENCEDEVENT_H_
