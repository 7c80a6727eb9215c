// The call-control page commands: each builds one level-2 command on the
// session's device and sends it inside a "LVL2OAI" "RAWCMD" request. All
// but "getunifiernodes" are accepted only once call control is logged in.

#include <memory>

#include "callcontrol/Lvl2RawCmdReq.h"
#include "callcontrol/RawCmd.h"
#include "plugin/PageCommand.h"
#include "plugin/QelSocket.h"

namespace {

// The gate of the call-control commands: logged in to call control and at
// least `minimum` elements. A command that fails it is dropped silently.
bool acceptsCallControl(const QelSocket& session, const pp::VarArray& args, uint32_t minimum) {
  return session.isLvl2LoggedIn() && args.GetLength() >= minimum;
}

void sendRawCmd(QelSocket* session, std::unique_ptr<RawCmd> command, int requestId) {
  session->send(new Lvl2RawCmdReq(std::move(command), requestId));
}

}  // namespace

void QelSocket::answerCall(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 4)) return;
  const int id = readRequestId(args);
  sendRawCmd(this, std::make_unique<RawCmdAnswerCall>(device, readText(args, 3), id), id);
}

void QelSocket::bTransferCall(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 5)) return;
  const int id = readRequestId(args);
  sendRawCmd(this,
             std::make_unique<RawCmdTransferCallOneStep>(device, readText(args, 3),
                                                         readText(args, 4), id, ""),
             id);
}

void QelSocket::csCall(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 5)) return;
  const int id = readRequestId(args);
  sendRawCmd(this,
             std::make_unique<RawCmdConsultationCall>(device, readText(args, 3), readText(args, 4),
                                                      id, ""),
             id);
}

void QelSocket::dialDigits(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 5)) return;
  const int id = readRequestId(args);
  sendRawCmd(
      this,
      std::make_unique<RawCmdFeatureExtension>(device, readText(args, 3), readText(args, 4), id),
      id);
}

void QelSocket::dialNumber(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 4)) return;
  const int id = readRequestId(args);
  sendRawCmd(this, std::make_unique<RawCmdMakeCall>(device, readText(args, 3), id), id);
}

void QelSocket::divert(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 5)) return;
  const int id = readRequestId(args);
  sendRawCmd(
      this,
      std::make_unique<RawCmdDeflectCall>(device, readText(args, 3), readText(args, 4), id, ""),
      id);
}

void QelSocket::getCallInfo(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 4)) return;
  const int id = readRequestId(args);
  sendRawCmd(this, std::make_unique<RawCmdSnapshotCall>(readText(args, 3), id), id);
}

void QelSocket::getDevSnapshot(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 4)) return;
  const int id = readRequestId(args);
  sendRawCmd(this, std::make_unique<RawCmdSnapshotDevice>(extension + ":" + readText(args, 3), id),
             id);
}

void QelSocket::hangupCall(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 4)) return;
  const int id = readRequestId(args);
  sendRawCmd(this, std::make_unique<RawCmdClearConnection>(device, readText(args, 3), id), id);
}

void QelSocket::holdCall(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 4)) return;
  const int id = readRequestId(args);
  sendRawCmd(this, std::make_unique<RawCmdHoldCall>(device, readText(args, 3), id, "0", "0"), id);
}

void QelSocket::joinConf(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 5)) return;
  const int id = readRequestId(args);
  sendRawCmd(this,
             std::make_unique<RawCmdConference>(device, readText(args, 3), readText(args, 4), id),
             id);
}

void QelSocket::pair(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 4)) return;
  const int id = readRequestId(args);
  extension = readText(args, 3);
  device = extension;
  sendRawCmd(this, std::make_unique<RawCmdMonitorStart>(extension, id, "1"), id);
}

void QelSocket::queryDevice(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 4)) return;
  const int id = readRequestId(args);
  sendRawCmd(this, std::make_unique<RawCmdQueryDevice>(readText(args, 3), id), id);
}

void QelSocket::retrieveCall(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 4)) return;
  const int id = readRequestId(args);
  sendRawCmd(this, std::make_unique<RawCmdRetrieveCall>(device, readText(args, 3), id), id);
}

void QelSocket::setCallFwd(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 5)) return;
  const int id = readRequestId(args);
  sendRawCmd(
      this,
      std::make_unique<RawCmdSetForwarding>(extension, readText(args, 3), readText(args, 4), id),
      id);
}

void QelSocket::transferCall(const pp::VarArray& args) {
  if (!acceptsCallControl(*this, args, 5)) return;
  const int id = readRequestId(args);
  sendRawCmd(
      this,
      std::make_unique<RawCmdTransferCall>(device, readText(args, 3), readText(args, 4), id, false),
      id);
}

void QelSocket::getUnifierList(const pp::VarArray& args) {
  log("enter getUnifierList");
  const int id = readRequestId(args);
  sendRawCmd(this, std::make_unique<RawCmd>("_UQC", id), id);
}
