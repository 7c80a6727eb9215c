#include "plugin/QelMessageDispatcher.h"

#include <json/value.h>

#include "messages/QelMessage.h"
#include "plugin/QelSocket.h"

namespace {

// Each session message forwards to the session handler of the same duty.
#define QEL_FORWARD(method) [](QelSocket* socket, QelMessage* message) { socket->method(message); }

// The answer to the service-list request carries nothing the session needs.
void ignoreMessage(QelSocket*, QelMessage*) {}

struct DispatchRow {
  const char* key;
  QelMessageDispatcher::DispatchHandler handler;
};

// clang-format off
const DispatchRow kDispatchTable[] = {
    {"AEAVAILABLE",                 QEL_FORWARD(onServicesAvailable)},
    {"AEUNAVAILABLE",               QEL_FORWARD(onServiceUnavailable)},
    {"AELOGOUT",                    QEL_FORWARD(onServiceLogout)},
    {"CFREQUESTLOGIN",              QEL_FORWARD(onRequestLoginRsp)},
    {"CFLOGIN",                     QEL_FORWARD(onLoginRsp)},
    {"CFLOGOUT",                    QEL_FORWARD(onLogoutRsp)},
    {"CFNOTIFY_AVAILABLE_SERVICES", ignoreMessage},
};
// clang-format on

#undef QEL_FORWARD

}  // namespace

const QelMessageDispatcher& QelMessageDispatcher::instance() {
  static const QelMessageDispatcher dispatcher;
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
