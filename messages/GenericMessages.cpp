#include "messages/GenericMessages.h"

#include <vector>

#include "messages/TextHelpers.h"
#include "messages/TextWriter.h"

GenericReq::GenericReq(const std::string& service, const std::string& command, int requestId,
                       int secondId, const std::string& body)
    : QelMessage(service, command, requestId, secondId), body_(body) {}

int GenericReq::serialize(char* buffer, int size) const {
  const int n = QelMessage::serialize(buffer, size);
  if (n < 0) return -1;
  TextWriter out(buffer, size, n);
  if (!body_.empty()) out.format(",%s", body_.c_str());
  return out.finish();
}

GenericRsp::GenericRsp(const std::string& service, const std::string& command, int requestId,
                       int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId), errorCode_(-1) {
  std::vector<std::string> fields;
  splitFields(body, ',', 0, 2, &fields);
  outcome_ = fields[0];
  details_ = fields[1];
}

int GenericRsp::serialize(char* buffer, int size) const {
  const int n = QelMessage::serialize(buffer, size);
  if (n < 0) return -1;
  TextWriter out(buffer, size, n);
  out.format(",%s", outcome_.c_str());
  if (!details_.empty()) out.format(",%s", details_.c_str());
  return out.finish();
}

void GenericRsp::toJson(Json::Value& out) const {
  out["error"] = isSuccessStatus(outcome_) ? 0 : errorCode_;
  out[kDetailsKey] = details_;
}

GenericEvt::GenericEvt(const std::string& service, const std::string& command, int /*requestId*/,
                       int secondId, const std::string& body)
    : QelMessage(service, command, secondId), body_(body) {}
