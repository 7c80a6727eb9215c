#ifndef QEL_MESSAGES_GENERICMESSAGES_H_
#define QEL_MESSAGES_GENERICMESSAGES_H_

#include <string>

#include "messages/QelMessage.h"

// A request whose body is one text, written after the header: the plain
// requests of the session (log-in challenge, service list, version, node
// list, ...).
class GenericReq : public QelMessage {
 public:
  GenericReq(const std::string& service, const std::string& command, int requestId, int secondId,
             const std::string& body);

  // The header, then "," body when the body is not empty.
  int serialize(char* buffer, int size) const override;

  const std::string& body() const { return body_; }

 private:
  std::string body_;
};

// The default reply. Body: outcome (the status) "," details (the rest of
// the body). Posts {"error": 0 or -1, "details": details}.
class GenericRsp : public QelMessage {
 public:
  GenericRsp(const std::string& service, const std::string& command, int requestId, int secondId,
             const std::string& body);

  // The header, "," outcome, then "," details when they are not empty.
  int serialize(char* buffer, int size) const override;
  // "error" is 0 when the outcome passes the status rule, else -1.
  void toJson(Json::Value& out) const override;

  const std::string& outcome() const { return outcome_; }
  const std::string& details() const { return details_; }
  int errorCode() const { return errorCode_; }

 private:
  std::string outcome_;
  std::string details_;
  int errorCode_;
};

// The default event: keeps its body as received and converts to nothing.
class GenericEvt : public QelMessage {
 public:
  GenericEvt(const std::string& service, const std::string& command, int requestId, int secondId,
             const std::string& body);

  const std::string& body() const { return body_; }

 private:
  std::string body_;
};

#endif  // QEL_MESSAGES_GENERICMESSAGES_H_
