#include "callcontrol/Lvl2RawCmdEvt.h"

#include <vector>

#include "callcontrol/RawCmdEventFactory.h"
#include "messages/TextHelpers.h"

namespace {

constexpr size_t kHeaderFields = 4;
constexpr size_t kCodeField = 1;

}  // namespace

Lvl2RawCmdEvt::Lvl2RawCmdEvt(const std::string& /*service*/, const std::string& /*command*/,
                             int /*requestId*/, int /*secondId*/, const std::string& payload) {
  RawCmdEvent::Fields fields;
  splitAllFields(payload, ',', '|', &fields);
  if (fields.size() < kHeaderFields) return;
  event_ = RawCmdEventFactory::instance().create(fields[kCodeField], fields);
}

Lvl2RawCmdEvt::~Lvl2RawCmdEvt() = default;

void Lvl2RawCmdEvt::toJson(Json::Value& out) const {
  if (event_) event_->toJson(out);
}
