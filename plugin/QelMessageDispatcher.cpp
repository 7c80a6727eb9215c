#include "plugin/QelMessageDispatcher.h"

#include <json/value.h>

#include "messages/QelMessage.h"
#include "plugin/QelSocket.h"

namespace {

void onServicesAvailable(QelSocket* s, QelMessage* m) {
  s->onServicesAvailable(m);
}
void onServiceUnavailable(QelSocket* s, QelMessage* m) {
  s->onServiceUnavailable(m);
}
void onServiceLogout(QelSocket* s, QelMessage* m) {
  s->onServiceLogout(m);
}
void onRequestLoginRsp(QelSocket* s, QelMessage* m) {
  s->onRequestLoginRsp(m);
}
void onLoginRsp(QelSocket* s, QelMessage* m) {
  s->onLoginRsp(m);
}
void onLogoutRsp(QelSocket* s, QelMessage* m) {
  s->onLogoutRsp(m);
}
// The answer to the service-list request carries nothing the session needs.
void ignoreMessage(QelSocket*, QelMessage*) {}

struct DispatchRow {
  const char* key;
  QelMessageDispatcher::DispatchHandler handler;
};

// clang-format off
const DispatchRow kDispatchTable[] = {
    {"AEAVAILABLE",                 onServicesAvailable},
    {"AEUNAVAILABLE",               onServiceUnavailable},
    {"AELOGOUT",                    onServiceLogout},
    {"CFREQUESTLOGIN",              onRequestLoginRsp},
    {"CFLOGIN",                     onLoginRsp},
    {"CFLOGOUT",                    onLogoutRsp},
    {"CFNOTIFY_AVAILABLE_SERVICES", ignoreMessage},
};
// clang-format on

}  // namespace

QelMessageDispatcher& QelMessageDispatcher::instance() {
  static QelMessageDispatcher dispatcher;
  return dispatcher;
}

QelMessageDispatcher::QelMessageDispatcher() {
  for (const DispatchRow& row : kDispatchTable) handlers_[row.key] = row.handler;
}

void QelMessageDispatcher::dispatch(QelSocket* socket, QelMessage* message) const {
  const auto found = handlers_.find(message->prefix() + message->command());
  if (found != handlers_.end()) {
    found->second(socket, message);
  } else if (message->prefix() == kEventPrefix) {
    onUnhandledEvent(socket, message);
  } else {
    onUnhandledReply(socket, message);
  }
}

void QelMessageDispatcher::onUnhandledEvent(QelSocket* socket, QelMessage* message) {
  postEventToPage(socket, message);
}

void QelMessageDispatcher::onUnhandledReply(QelSocket* socket, QelMessage* message) {
  postReplyToPage(socket, message);
}

void postEventToPage(QelSocket* socket, QelMessage* message) {
  Json::Value value;
  message->toJson(value);
  socket->postToPage(socket->eventCode(), value);
}

void postReplyToPage(QelSocket* socket, QelMessage* message) {
  Json::Value value;
  message->toJson(value);
  socket->postToPage(message->requestId(), value);
}
