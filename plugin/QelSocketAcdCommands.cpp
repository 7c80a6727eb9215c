// The agent-distribution page commands. They are sent in every session
// state; the server's "ACD" service answers each with an "ACDCMD" reply.

#include <memory>

#include "messages/ReqAcdCmd.h"
#include "plugin/PageCommand.h"
#include "plugin/QelSocket.h"

namespace {

// Hands the command to the session, or, when its text did not fit the
// command's room, answers the page with an error instead of sending a cut
// command. The error goes where the server's answer would have gone: under
// the request id when it is above 0, else under 0 (a request without an id
// of its own carries none, and its answer comes back under 0), and so never
// under a negative code such as the log's -99.
void sendAcdCommand(QelSocket* session, int requestId, std::unique_ptr<ReqAcdCmd> command) {
  if (command == nullptr) {
    session->log("agent-distribution command too long: not sent");
    session->postError(requestId > 0 ? requestId : 0, -1, "error:: command too long");
    return;
  }
  session->send(command.release());
}

}  // namespace

void QelSocket::queryAgents(const pp::VarArray& args) {
  const int id = readRequestId(args);
  sendAcdCommand(this, id, ReqAcdCmd::queryAgents(id, readText(args, 3)));
}

void QelSocket::queryGroups(const pp::VarArray& args) {
  const int id = readRequestId(args);
  sendAcdCommand(this, id, ReqAcdCmd::queryGroups(id, readText(args, 3)));
}

void QelSocket::validateAgent(const pp::VarArray& args) {
  const int id = readRequestId(args);
  sendAcdCommand(this, id, ReqAcdCmd::validateAgent(id, readText(args, 3), readText(args, 4)));
}

void QelSocket::queryUnavailCodes(const pp::VarArray& args) {
  const int id = readRequestId(args);
  sendAcdCommand(this, id, ReqAcdCmd::queryUnavailCodes(id, readText(args, 3)));
}

void QelSocket::loginQueue(const pp::VarArray& args) {
  const int id = readRequestId(args);
  sendAcdCommand(this, id,
                 ReqAcdCmd::loginQueue(id, readText(args, 3), readText(args, 4), readText(args, 5),
                                       readInt(args, 6)));
}

void QelSocket::logoutQueue(const pp::VarArray& args) {
  const int id = readRequestId(args);
  sendAcdCommand(this, id, ReqAcdCmd::logoutQueue(id, readText(args, 3), readText(args, 4)));
}

void QelSocket::monitorAgent(const pp::VarArray& args) {
  log("Inside monitorAgent");
  const int id = readRequestId(args);
  sendAcdCommand(this, id, ReqAcdCmd::monitorAgent(id, readText(args, 3), readInt(args, 4) != 0));
}

void QelSocket::monitorGroup(const pp::VarArray& args) {
  log("Inside monitorGroup");
  const int id = readRequestId(args);
  sendAcdCommand(this, id, ReqAcdCmd::monitorGroup(id, readText(args, 3), readInt(args, 4) != 0));
}

void QelSocket::setAgentReady(const pp::VarArray& args) {
  const int id = readRequestId(args);
  sendAcdCommand(this, id, ReqAcdCmd::setAgentReady(id, readText(args, 3)));
}

void QelSocket::setAgentNotReady(const pp::VarArray& args) {
  const int id = readRequestId(args);
  sendAcdCommand(
      this, id,
      ReqAcdCmd::setAgentNotReady(id, readText(args, 3), readInt(args, 4), readText(args, 5)));
}

void QelSocket::setAgentWrapup(const pp::VarArray& args) {
  const int id = readRequestId(args);
  sendAcdCommand(this, id, ReqAcdCmd::setAgentWrapup(id, readText(args, 3), readInt(args, 4)));
}

void QelSocket::setAgentWorkUnits(const pp::VarArray& args) {
  const int id = readRequestId(args);
  sendAcdCommand(
      this, id,
      ReqAcdCmd::setAgentWorkUnits(id, readText(args, 3), readInt(args, 4), readText(args, 5)));
}
