#ifndef QEL_MESSAGES_LOGINMESSAGES_H_
#define QEL_MESSAGES_LOGINMESSAGES_H_

#include <string>
#include <vector>

#include "messages/QelMessage.h"

// The messages of the log-in exchange with the call server: the log-in
// request, the answer to the challenge request and the list of services
// the server offers.

// The challenge key of the last answer to "REQUESTLOGIN" that unscrambled:
// empty when the module starts, written only by QelSecureLoginRsp and never
// cleared (it survives log-outs and reconnections).
extern std::string secureLoginKey;
std::string& getSecureLoginKey();

// Request "LOGIN". The credential form (0) logs the user in to "CLIENT"
// with the user name and a digest of password "," key; the service form (1)
// logs in to one of the offered services with a client type.
class QelLoginReq : public QelMessage {
 public:
  enum Form { kCredentialForm = 0, kServiceForm = 1 };

  // Credential form: CLIENT,LOGIN,<id>:,|user|,|digest|
  QelLoginReq(const std::string& user, const std::string& password, const std::string& key,
              int requestId);
  // Service form: <service>,LOGIN,<id>:,text,clientType
  QelLoginReq(int requestId, const std::string& service, const std::string& clientType,
              const std::string& text);

  // The digest of the credential form is computed anew, with a new salt, at
  // every call. Returns -1 (empty buffer) when the text does not fit.
  int serialize(char* buffer, int size) const override;

  const std::string& name() const { return name_; }
  // The password (credential form) or the client type (service form).
  const std::string& credential() const { return credential_; }
  // The challenge key (credential form); empty in the service form.
  const std::string& key() const { return key_; }
  int form() const { return form_; }

 private:
  std::string name_;
  std::string credential_;
  std::string key_;
  int form_;
};

// Reply "CF" "REQUESTLOGIN": status "," scrambled challenge key. The
// constructor unscrambles the key into secureLoginKey, whatever the status;
// a key that is absent or does not unscramble leaves it as it was.
class QelSecureLoginRsp : public QelMessage {
 public:
  QelSecureLoginRsp(const std::string& service, const std::string& command, int requestId,
                    int secondId, const std::string& body);

  const std::string& status() const { return status_; }

 private:
  std::string status_;
};

// Event "AE" "AVAILABLE": the comma-separated names of the services the
// server offers.
class AvailableServicesEvt : public QelMessage {
 public:
  // The request id of a received event is dropped.
  AvailableServicesEvt(const std::string& service, const std::string& command, int requestId,
                       int secondId, const std::string& body);

  // True when a listed name equals `name` exactly (case-sensitive).
  bool hasService(const std::string& name) const;

  const std::vector<std::string>& services() const { return services_; }

 private:
  std::vector<std::string> services_;
};

#endif  // QEL_MESSAGES_LOGINMESSAGES_H_
