#ifndef QEL_CALLCONTROL_LVL2RAWCMDEVT_H_
#define QEL_CALLCONTROL_LVL2RAWCMDEVT_H_

#include <memory>
#include <string>

#include "messages/QelMessage.h"

class RawCmdEvent;

// A level-2 call-control event as the server sends it ("AE" "RAWCMD"). The
// payload is split into fields ('|' quotes a field that holds commas);
// field 1 names the event, and RawCmdEventFactory builds the event object
// of that code, which this message owns and converts for the page.
//
// The header is left empty (request id 0), so the event is always posted
// under code 0. A payload of fewer than 4 fields holds no event and, like an
// event code without a class, posts null.
class Lvl2RawCmdEvt : public QelMessage {
 public:
  // The message factory's creator signature; service, command and ids are
  // not kept.
  Lvl2RawCmdEvt(const std::string& service, const std::string& command, int requestId, int secondId,
                const std::string& payload);
  ~Lvl2RawCmdEvt() override;

  // The event's page object; nothing when there is no event.
  void toJson(Json::Value& out) const override;

  // Null for a payload of fewer than 4 fields.
  const RawCmdEvent* event() const { return event_.get(); }

 private:
  std::unique_ptr<RawCmdEvent> event_;
};

#endif  // QEL_CALLCONTROL_LVL2RAWCMDEVT_H_
