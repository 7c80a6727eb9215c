#ifndef QEL_MESSAGES_EVTACDCMD_H_
#define QEL_MESSAGES_EVTACDCMD_H_

#include <string>
#include <vector>

#include "messages/QelMessage.h"

// An agent-distribution event ("AE", "ACD", "ACDCMD"): a change of an agent
// (log-in, log-off, ready, not ready, wrap-up), of a queued call or callback,
// or of a group. Field 1 of the body names the event; the page receives
// {"type": 61..77, "details": {...}} with the event's fields as texts.
class EvtAcdCmd : public QelMessage {
 public:
  // The message factory's creator signature; the request id is not used (an
  // event carries 0). Splits the body at every comma ('|' quotes fields
  // that hold commas).
  EvtAcdCmd(const std::string& service, const std::string& command, int requestId, int secondId,
            const std::string& body);

  // Writes "type" and "details" for a known event name (compared exactly);
  // an unknown name writes nothing. Fields the body lacks read as empty
  // texts.
  void toJson(Json::Value& out) const override;

  const std::vector<std::string>& fields() const { return fields_; }
  const std::string& body() const { return body_; }

 private:
  std::vector<std::string> fields_;
  std::string body_;
};

#endif  // QEL_MESSAGES_EVTACDCMD_H_
