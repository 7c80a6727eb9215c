#include "messages/DialPlanGetDialNumRsp.h"

#include <utility>
#include <vector>

#include "messages/TextHelpers.h"

DialPlanGetDialNumRsp::DialPlanGetDialNumRsp(const std::string& service, const std::string& command,
                                             int requestId, int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId) {
  std::vector<std::string> fields;
  splitFields(body, ',', '|', 3, &fields);
  outcome_ = fields[0];
  reason_ = fields[1];
  response_ = fields[2];
}

void DialPlanGetDialNumRsp::toJson(Json::Value& out) const {
  if (!isSuccessStatus(outcome_)) {
    out["error"] = -1;
    out[kDetailsKey] = reason_;
    return;
  }
  Json::Value details;
  details["outcome"] = outcome_;
  details["reason"] = reason_;
  details["response"] = response_;
  out["error"] = 0;
  out[kDetailsKey] = std::move(details);
}
