#include "callcontrol/Lvl2RawCmdRsp.h"

#include <vector>

#include "callcontrol/RawCmdResponse.h"
#include "callcontrol/RawCmdResponseFactory.h"
#include "messages/TextHelpers.h"

namespace {
constexpr int kBodyFields = 6;
constexpr size_t kCodeField = 2;
}  // namespace

Lvl2RawCmdRsp::Lvl2RawCmdRsp(const std::string& service, const std::string& command, int requestId,
                             int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId) {
  std::vector<std::string> fields;
  splitFields(body, ',', '|', kBodyFields, &fields);
  response_ = RawCmdResponseFactory::instance().create(fields[kCodeField], fields);
}

Lvl2RawCmdRsp::~Lvl2RawCmdRsp() = default;

void Lvl2RawCmdRsp::toJson(Json::Value& out) const {
  response_->toJson(out);
}
