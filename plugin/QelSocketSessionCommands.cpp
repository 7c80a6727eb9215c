// The page commands that run the session itself: log-in, log-out,
// reconnect, connection check, line selection, logging flag and agent
// distribution.

#include <json/value.h>

#include "messages/LoginMessages.h"
#include "messages/QelMessage.h"
#include "plugin/PageCommand.h"
#include "plugin/QelSocket.h"

void QelSocket::login(const pp::VarArray& args) {
  const uint32_t count = args.GetLength();
  if (count < 6) {
    log("login error: not enough argument");
    return;
  }
  const int id = readRequestId(args);
  const std::string user = readText(args, 3);
  const std::string newPassword = readText(args, 4);
  const std::string host = readText(args, 5);
  const std::string newExtension = count > 6 ? readText(args, 6) : std::string();
  bool delayed = false;
  if (state >= Resolving) {
    if (userName == user && serverHost == host) {
      log("login: has been started");
      return;
    }
    disconnect(true);
    delayed = true;
  }
  userName = user;
  password = newPassword;
  serverHost = host;
  extension = newExtension;
  loginRequestId = id;
  if (delayed) {
    scheduleReconnect();
  } else {
    connectToServer();
  }
}

void QelSocket::logout(const pp::VarArray& args) {
  postError(readRequestId(args), 0, "");
  disconnect(true);
}

void QelSocket::reconnect(const pp::VarArray& args) {
  if (isLoggedIn()) return;
  const pp::Var element = args.Get(0);
  const int id = element.is_number() ? element.AsInt() : -1;
  if (id <= 0) return;
  loginRequestId = id;
  scheduleReconnect();
}

void QelSocket::checkConnection(const pp::VarArray& args) {
  const int id = readRequestId(args);
  bool connected = isLoggedIn();
  sendHeartbeat();
  if (lastWriteResult < -1) {
    log("checkConnection result: " + std::to_string(lastWriteResult));
    connected = false;
  }
  Json::Value value;
  value["error"] = connected ? 0 : -2;
  value[kDetailsKey]["connected"] = connected;
  postToPage(id, value);
}

void QelSocket::selectLine(const pp::VarArray& args) {
  const int id = readRequestId(args);
  device = extension + ":" + readText(args, 3);
  Json::Value value;
  value["error"] = 0;
  postToPage(id, value);
}

void QelSocket::setLogging(const pp::VarArray& args) {
  const int id = readRequestId(args);
  loggingEnabled = readText(args, 3) == "Y";
  postError(id, 0, "Updated");
}

void QelSocket::enableAcd(const pp::VarArray& args) {
  acdEnabled = readFlag(args, 3);
  const int id = readRequestId(args);
  if (acdEnabled) {
    send(new QelLoginReq(id, kServiceAcd, kClientType, ""));
  } else {
    send(new QelMessage(kServiceAcd, "LOGOUT", id, 0));
  }
}
