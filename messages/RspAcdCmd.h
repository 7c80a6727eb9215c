#ifndef QEL_MESSAGES_RSPACDCMD_H_
#define QEL_MESSAGES_RSPACDCMD_H_

#include <string>
#include <vector>

#include "messages/QelMessage.h"

// The server's reply to an agent-distribution command ("CF", "ACD",
// "ACDCMD"). The body names the command word in field 1 and the status in
// field 3; the results follow from field 4 on, laid out per command word.
// Lists ("QUERY" of agents, groups or unavailability reasons, and
// "UNAVAIL") hold their record count in field 8 and the records from field 9
// on; reading stops where the body ends, whatever the count says.
class RspAcdCmd : public QelMessage {
 public:
  // The message factory's creator signature; splits the body at every comma
  // ('|' quotes fields that hold commas).
  RspAcdCmd(const std::string& service, const std::string& command, int requestId, int secondId,
            const std::string& body);

  // On success {"error": 0, "details": ...} by the command word; on failure
  // {"error": -1, "details": status text}, or {"error": -1} alone for
  // "QUERY". An unknown command word, or a "QUERY" of an unknown list kind,
  // writes nothing.
  void toJson(Json::Value& out) const override;

  const std::vector<std::string>& fields() const { return fields_; }
  const std::string& status() const { return status_; }
  const std::string& acdCommand() const { return acdCommand_; }

 private:
  std::vector<std::string> fields_;
  std::string status_;
  std::string acdCommand_;
};

#endif  // QEL_MESSAGES_RSPACDCMD_H_
