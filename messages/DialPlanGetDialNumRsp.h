#ifndef QEL_MESSAGES_DIALPLANGETDIALNUMRSP_H_
#define QEL_MESSAGES_DIALPLANGETDIALNUMRSP_H_

#include <json/value.h>

#include <string>

#include "messages/QelMessage.h"

// Reply "CF" "GETDIALNUM" of the "DIALPLAN" service: how a number is to be
// dialled. Body: outcome "," reason "," response (the translated number, the
// rest of the body); '|' quotes a field that holds commas, and missing
// fields read as empty texts.
class DialPlanGetDialNumRsp : public QelMessage {
 public:
  DialPlanGetDialNumRsp(const std::string& service, const std::string& command, int requestId,
                        int secondId, const std::string& body);

  // On success {"error": 0, "details": {"outcome", "reason", "response"}};
  // otherwise {"error": -1, "details": reason}.
  void toJson(Json::Value& out) const override;

  const std::string& outcome() const { return outcome_; }
  const std::string& reason() const { return reason_; }
  const std::string& response() const { return response_; }

 private:
  std::string outcome_;
  std::string reason_;
  std::string response_;
};

#endif  // QEL_MESSAGES_DIALPLANGETDIALNUMRSP_H_
