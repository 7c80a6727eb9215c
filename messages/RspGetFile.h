#ifndef QEL_MESSAGES_RSPGETFILE_H_
#define QEL_MESSAGES_RSPGETFILE_H_

#include <json/value.h>

#include <string>

#include "messages/QelMessage.h"

// Reply "CF" "GET_FILE" of the "CLIENT" service. Body: a status character, a
// separator, then the file's content.
class RspGetFile : public QelMessage {
 public:
  RspGetFile(const std::string& service, const std::string& command, int requestId, int secondId,
             const std::string& body);

  // {"error": 0 on success or -18, "details": the body from its third
  // character on (empty for a body of fewer than 3 characters)}.
  void toJson(Json::Value& out) const override;

  const std::string& body() const { return body_; }

 private:
  std::string body_;
};

#endif  // QEL_MESSAGES_RSPGETFILE_H_
