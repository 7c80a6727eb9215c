#include "callcontrol/RawCmd.h"

#include "messages/TextWriter.h"

const std::string RawCmdAnswerCall::CODE = "_AC";
const std::string RawCmdClearConnection::CODE = "_CX";
const std::string RawCmdConference::CODE = "_CN";
const std::string RawCmdConsultationCall::CODE = "_CS";
const std::string RawCmdDeflectCall::CODE = "_DF";
const std::string RawCmdFeatureExtension::CODE = "_EF";
const std::string RawCmdHoldCall::CODE = "_HC";
const std::string RawCmdMakeCall::CODE = "_MC";
const std::string RawCmdMonitorStart::CODE = "_MS";
const std::string RawCmdQueryDevice::CODE = "_QI";
const std::string RawCmdRetrieveCall::CODE = "_RV";
const std::string RawCmdSetForwarding::CODE = "_SF";
const std::string RawCmdSnapshotCall::CODE = "!nSC";
const std::string RawCmdSnapshotDevice::CODE = "_SP";
const std::string RawCmdTransferCall::CODE = "_TR";
const std::string RawCmdTransferCallOneStep::CODE = "_TO";

namespace {
const std::string kFlagOn = "1";
const std::string kFlagOff = "0";
}  // namespace

RawCmd::RawCmd(const std::string& code, int requestId) : code_(code), requestId_(requestId) {}

RawCmd::~RawCmd() = default;

int RawCmd::serialize(char* out, int room) const {
  TextWriter writer(out, room);
  writer.format(",%s,%d", code_.c_str(), requestId_);
  return writer.finish();
}

int RawCmd::appendFields(char* out, int room, int used,
                         std::initializer_list<std::reference_wrapper<const std::string>> texts) {
  if (used < 0) return -1;
  TextWriter writer(out, room, used);
  for (const std::string& text : texts) {
    writer.append(",");
    writer.append(text);
  }
  return writer.finish();
}

RawCmdAnswerCall::RawCmdAnswerCall(const std::string& device, const std::string& call,
                                   int requestId)
    : RawCmd(CODE, requestId), device_(device), call_(call) {}

int RawCmdAnswerCall::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, call_});
}

RawCmdClearConnection::RawCmdClearConnection(const std::string& device, const std::string& call,
                                             int requestId)
    : RawCmd(CODE, requestId), device_(device), call_(call) {}

int RawCmdClearConnection::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, call_});
}

RawCmdConference::RawCmdConference(const std::string& device, const std::string& call1,
                                   const std::string& call2, int requestId)
    : RawCmd(CODE, requestId), device_(device), call1_(call1), call2_(call2) {}

int RawCmdConference::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, call1_, call2_});
}

RawCmdConsultationCall::RawCmdConsultationCall(const std::string& device, const std::string& text1,
                                               const std::string& text2, int requestId,
                                               const std::string& text3)
    : RawCmd(CODE, requestId), device_(device), text1_(text1), text2_(text2), text3_(text3) {}

int RawCmdConsultationCall::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, text1_, text2_, text3_});
}

RawCmdDeflectCall::RawCmdDeflectCall(const std::string& device, const std::string& text1,
                                     const std::string& text2, int requestId,
                                     const std::string& text3)
    : RawCmd(CODE, requestId), device_(device), text1_(text1), text2_(text2), text3_(text3) {}

int RawCmdDeflectCall::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, text1_, text2_, text3_});
}

RawCmdFeatureExtension::RawCmdFeatureExtension(const std::string& device, const std::string& text1,
                                               const std::string& text2, int requestId)
    : RawCmd(CODE, requestId), device_(device), text1_(text1), text2_(text2) {}

int RawCmdFeatureExtension::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, text1_, text2_});
}

RawCmdHoldCall::RawCmdHoldCall(const std::string& device, const std::string& call, int requestId,
                               const std::string& text1, const std::string& text2)
    : RawCmd(CODE, requestId), device_(device), call_(call), text1_(text1), text2_(text2) {}

int RawCmdHoldCall::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, call_, text1_, text2_});
}

RawCmdMakeCall::RawCmdMakeCall(const std::string& device, const std::string& number, int requestId)
    : RawCmd(CODE, requestId), device_(device), number_(number) {}

int RawCmdMakeCall::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, number_});
}

RawCmdMonitorStart::RawCmdMonitorStart(const std::string& device, int requestId,
                                       const std::string& flag)
    : RawCmd(CODE, requestId), device_(device), flag_(flag) {}

int RawCmdMonitorStart::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, flag_});
}

RawCmdQueryDevice::RawCmdQueryDevice(const std::string& device, int requestId)
    : RawCmd(CODE, requestId), device_(device) {}

int RawCmdQueryDevice::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_});
}

RawCmdRetrieveCall::RawCmdRetrieveCall(const std::string& device, const std::string& call,
                                       int requestId)
    : RawCmd(CODE, requestId), device_(device), call_(call) {}

int RawCmdRetrieveCall::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, call_});
}

RawCmdSetForwarding::RawCmdSetForwarding(const std::string& device, const std::string& text1,
                                         const std::string& text2, int requestId)
    : RawCmd(CODE, requestId), device_(device), text1_(text1), text2_(text2) {}

int RawCmdSetForwarding::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, text1_, text2_});
}

RawCmdSnapshotCall::RawCmdSnapshotCall(const std::string& call, int requestId)
    : RawCmd(CODE, requestId), call_(call) {}

int RawCmdSnapshotCall::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {call_});
}

RawCmdSnapshotDevice::RawCmdSnapshotDevice(const std::string& device, int requestId)
    : RawCmd(CODE, requestId), device_(device) {}

int RawCmdSnapshotDevice::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_});
}

RawCmdTransferCall::RawCmdTransferCall(const std::string& device, const std::string& text1,
                                       const std::string& text2, int requestId, bool flag)
    : RawCmd(CODE, requestId), device_(device), text1_(text1), text2_(text2), flag_(flag) {}

int RawCmdTransferCall::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room),
                      {device_, text1_, text2_, flag_ ? kFlagOn : kFlagOff});
}

RawCmdTransferCallOneStep::RawCmdTransferCallOneStep(const std::string& device,
                                                     const std::string& text1,
                                                     const std::string& text2, int requestId,
                                                     const std::string& text3)
    : RawCmd(CODE, requestId), device_(device), text1_(text1), text2_(text2), text3_(text3) {}

int RawCmdTransferCallOneStep::serialize(char* out, int room) const {
  return appendFields(out, room, RawCmd::serialize(out, room), {device_, text1_, text2_});
}
