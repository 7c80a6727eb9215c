#include "messages/LoginMessages.h"

#include <algorithm>

#include "messages/CredentialCodec.h"
#include "messages/TextHelpers.h"
#include "messages/TextWriter.h"

std::string secureLoginKey;

std::string& getSecureLoginKey() {
  return secureLoginKey;
}

QelLoginReq::QelLoginReq(const std::string& user, const std::string& password,
                         const std::string& key, int requestId)
    : QelMessage(kServiceClient, kCmdLogin, requestId, 0),
      name_(user),
      credential_(password),
      key_(key),
      form_(kCredentialForm) {}

QelLoginReq::QelLoginReq(int requestId, const std::string& service, const std::string& clientType,
                         const std::string& text)
    : QelMessage(service, kCmdLogin, requestId, 0),
      name_(text),
      credential_(clientType),
      form_(kServiceForm) {}

int QelLoginReq::serialize(char* buffer, int size) const {
  const int n = QelMessage::serialize(buffer, size);
  if (n < 0) return -1;
  TextWriter out(buffer, size, n);
  if (form_ == kCredentialForm) {
    std::string digest;
    digestCredential(credential_ + "," + key_, digest);
    out.format(",|%s|,|%s|", name_.c_str(), digest.c_str());
  } else {
    out.format(",%s,%s", name_.c_str(), credential_.c_str());
  }
  return out.finish();
}

QelSecureLoginRsp::QelSecureLoginRsp(const std::string& service, const std::string& command,
                                     int requestId, int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId) {
  std::vector<std::string> fields;
  splitFields(body, ',', 0, 2, &fields);
  status_ = fields[0];
  // The outcome is left to the log-in sequence: on failure the former key
  // stays.
  if (!fields[1].empty()) unscrambleText(fields[1], secureLoginKey);
}

AvailableServicesEvt::AvailableServicesEvt(const std::string& service, const std::string& command,
                                           int, int secondId, const std::string& body)
    : QelMessage(service, command, secondId) {
  splitAllFields(body, ',', 0, &services_);
}

bool AvailableServicesEvt::hasService(const std::string& name) const {
  return std::find(services_.begin(), services_.end(), name) != services_.end();
}
