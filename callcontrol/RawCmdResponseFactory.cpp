#include "callcontrol/RawCmdResponseFactory.h"

#include "callcontrol/RawCmdResponse.h"

const RawCmdResponseFactory& RawCmdResponseFactory::instance() {
  static const RawCmdResponseFactory factory;
  return factory;
}

RawCmdResponseFactory::RawCmdResponseFactory() {
  registerTypes();
}

void RawCmdResponseFactory::registerTypes() {
  // clang-format off
  creators_[RawCmdMakeCallResponse::CODE]       = &RawCmdMakeCallResponse::create;
  creators_[RawCmdQueryDeviceResponse::CODE]    = &RawCmdQueryDeviceResponse::create;
  creators_[RawCmdSnapshotCallResponse::CODE]   = &RawCmdSnapshotCallResponse::create;
  creators_[RawCmdSnapshotDeviceResponse::CODE] = &RawCmdSnapshotDeviceResponse::create;
  creators_[RawCmdTransferCallResponse::CODE]   = &RawCmdTransferCallResponse::create;
  creators_[RawCmdListUnifiers::CODE]           = &RawCmdListUnifiers::create;
  // clang-format on
}

std::unique_ptr<RawCmdResponse> RawCmdResponseFactory::create(
    const std::string& code, const std::vector<std::string>& fields) const {
  const auto row = creators_.find(code);
  if (row != creators_.end()) return row->second(fields);
  return std::make_unique<RawCmdResponse>(fields);
}
