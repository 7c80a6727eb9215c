// The page commands that ask the server's other services for something:
// version, node and white lists, user and application queries, dial-plan
// translation, files and device-state monitoring.

#include "messages/GenericMessages.h"
#include "messages/IndssStartMonitorReq.h"
#include "messages/UserMessages.h"
#include "plugin/PageCommand.h"
#include "plugin/QelSocket.h"

void QelSocket::getVersion(const pp::VarArray& args) {
  send(new GenericReq(kServiceClient, "VERSION", readRequestId(args), 0, ""));
}

void QelSocket::listXmppNodes(const pp::VarArray& args) {
  if (!isLvl2LoggedIn()) return;
  send(new GenericReq(kServiceN2N, kCmdGetNodeList, readRequestId(args), 0, ""));
}

void QelSocket::getWhitelist(const pp::VarArray& args) {
  if (!isLvl2LoggedIn()) return;
  send(new GenericReq(kServiceN2N, "GETS2SWHITELIST", readRequestId(args), 0, ""));
}

void QelSocket::appExist(const pp::VarArray& args) {
  if (!isLvl2LoggedIn()) return;
  send(new GenericReq(kServiceClient, "APP_EXIST", readRequestId(args), 0, readText(args, 3)));
}

void QelSocket::userExist(const pp::VarArray& args) {
  if (!isLvl2LoggedIn()) return;
  send(new QelUserExistReq(readRequestId(args), readText(args, 3), userName));
}

void QelSocket::userInfo(const pp::VarArray& args) {
  if (!isLvl2LoggedIn()) return;
  send(new QelUserInfoReq(readRequestId(args), userName, password));
}

void QelSocket::getDialNumber(const pp::VarArray& args) {
  if (!isLvl2LoggedIn() || args.GetLength() < 4) return;
  send(new GenericReq(kServiceDialPlan, kCmdGetDialNum, readRequestId(args), 0, readText(args, 3)));
}

void QelSocket::getFile(const pp::VarArray& args) {
  // Both texts travel quoted, so that commas inside them stay in their field.
  const std::string body = "|" + readText(args, 3) + "|,|" + readText(args, 4) + "|";
  send(new GenericReq(kServiceClient, "GET_FILE", readRequestId(args), 0, body));
}

// Device-state monitoring goes to "INDSS" once its log-in has been sent or
// accepted, else to "DSS".
void QelSocket::startMonitor(const pp::VarArray& args) {
  if (!isLvl2LoggedIn() || args.GetLength() < 4) return;
  const int id = readRequestId(args);
  if (indssState > ServiceNone) {
    send(new IndssStartMonitorReq(readText(args, 3), id, 3));
  } else {
    send(new GenericReq(kServiceDss, "DSSMON", id, 0, readText(args, 3)));
  }
}

void QelSocket::stopMonitor(const pp::VarArray& args) {
  if (!isLvl2LoggedIn() || args.GetLength() < 4) return;
  const int id = readRequestId(args);
  if (indssState > ServiceNone) {
    send(new GenericReq(kServiceIndss, "MONSTOP", id, 0, readText(args, 3)));
  } else {
    send(new GenericReq(kServiceDss, "DSSMONSTOP", id, 0, readText(args, 3)));
  }
}
