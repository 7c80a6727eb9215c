// The log-in sequence: the challenge answer, the "CLIENT" log-in, the
// service list and the service log-ins, their loss and log-out.

#include "messages/GenericMessages.h"
#include "messages/LoginMessages.h"
#include "messages/TextHelpers.h"
#include "plugin/QelMessageDispatcher.h"
#include "plugin/QelSocket.h"

void QelSocket::sendServiceLogin(const std::string& service) {
  send(new QelLoginReq(loginRequestId, service, kClientType, ""));
}

void QelSocket::onRequestLoginRsp(QelMessage* message) {
  const auto* answer = dynamic_cast<const QelSecureLoginRsp*>(message);
  if (answer == nullptr) return;
  if (isSuccessStatus(answer->status())) {
    state = Connected;
    send(new QelLoginReq(userName, password, getSecureLoginKey(), loginRequestId));
    return;
  }
  postError(message->requestId(), -1, "connect refused");
  disconnect(true);
}

void QelSocket::onLoginRsp(QelMessage* message) {
  if (message->service() == kServiceClient) {
    onClientLoginRsp(message);
  } else {
    onServiceLoginRsp(message);
  }
}

void QelSocket::onClientLoginRsp(QelMessage* message) {
  const auto* answer = dynamic_cast<const GenericRsp*>(message);
  if (answer == nullptr) return;
  if (isSuccessStatus(answer->outcome())) {
    // An accepted log-in begins a new server session: the service list asked
    // for below logs in again to every service it offers.
    resetServiceStates();
    state = LoggedIn;
    postConnectionState(true, "NET_SERVER");
    send(new GenericReq(kServiceClient, "NOTIFY_AVAILABLE_SERVICES", loginRequestId, 0, ""));
    startKeepAlive();
    return;
  }
  postError(message->requestId(), -10, answer->details());
  disconnect(true);
}

void QelSocket::onServiceLoginRsp(QelMessage* message) {
  const auto* answer = dynamic_cast<const GenericRsp*>(message);
  if (answer == nullptr) return;
  const std::string& service = message->service();
  const int id = message->requestId();
  const bool accepted = isSuccessStatus(answer->outcome());
  if (service == kServiceLvl2) {
    if (!accepted) return;
    lvl2oaiState = ServiceLoggedIn;
    if (id > 0) postReplyToPage(this, message);
    postConnectionState(true, "LVL2OAI_SERVICE");
    state = CallControlReady;
  } else if (service == kServiceIndss) {
    if (!accepted) return;
    indssState = ServiceLoggedIn;
    postConnectionState(true, "DSS_SERVICE");
  } else if (service == kServiceN2N) {
    if (accepted) n2nState = ServiceLoggedIn;
  } else if (service == kServiceDss) {
    if (!accepted) return;
    dssState = ServiceLoggedIn;
    postConnectionState(true, "DSS_SERVICE");
  } else if (service == kServiceAcd) {
    if (!accepted) {
      if (id > 0) postError(id, -1, answer->details());
      return;
    }
    if (id > 0) postError(id, 0, answer->details());
    postConnectionState(true, "ACD_SERVICE");
    acdState = ServiceLoggedIn;
  }
}

void QelSocket::onLogoutRsp(QelMessage* message) {
  const std::string& service = message->service();
  if (service == kServiceClient) {
    onClientLoginRsp(message);
  } else if (service == kServiceAcd && message->requestId() > 0) {
    postError(message->requestId(), 0, "");
    postConnectionState(false, "ACD_SERVICE");
  }
}

void QelSocket::onServicesAvailable(QelMessage* message) {
  const auto* list = dynamic_cast<const AvailableServicesEvt*>(message);
  if (list == nullptr) return;
  if (list->hasService(kServiceLvl2) && lvl2oaiState == ServiceNone) {
    lvl2oaiState = ServicePending;
    sendServiceLogin(kServiceLvl2);
  }
  if (list->hasService(kServiceIndss) && indssState == ServiceNone) {
    indssState = ServicePending;
    sendServiceLogin(kServiceIndss);
  }
  if (list->hasService(kServiceN2N) && n2nState == ServiceNone) {
    n2nState = ServicePending;
    sendServiceLogin(kServiceN2N);
  }
  if (list->hasService(kServiceDss) && dssState == ServiceNone) {
    dssState = ServicePending;
    // "INDSS", when in use, serves device monitoring in place of "DSS".
    if (indssState == ServiceNone) sendServiceLogin(kServiceDss);
  }
  if (list->hasService(kServiceAcd) && acdEnabled && acdState == ServiceNone) {
    acdState = ServicePending;
    sendServiceLogin(kServiceAcd);
  }
}

void QelSocket::onServiceUnavailable(QelMessage* message) {
  const std::string& service = message->service();
  if (service == kServiceLvl2) {
    if (lvl2oaiState == ServiceNone) return;
    lvl2oaiState = ServiceNone;
    postConnectionState(false, "LVL2OAI_SERVICE");
    if (state == CallControlReady) state = LoggedIn;
  } else if (service == kServiceIndss) {
    if (indssState == ServiceNone) return;
    indssState = ServiceNone;
    postConnectionState(false, "DSS_SERVICE");
  } else if (service == kServiceN2N) {
    n2nState = ServiceNone;
  } else if (service == kServiceDss) {
    if (dssState == ServiceNone) return;
    dssState = ServiceNone;
    postConnectionState(false, "DSS_SERVICE");
  } else if (service == kServiceAcd) {
    if (acdState == ServiceNone) return;
    acdState = ServiceNone;
    postConnectionState(false, "ACD_SERVICE");
  }
}

void QelSocket::onServiceLogout(QelMessage* message) {
  const std::string& service = message->service();
  int* serviceState = nullptr;
  if (service == kServiceLvl2) {
    serviceState = &lvl2oaiState;
  } else if (service == kServiceIndss) {
    serviceState = &indssState;
  } else if (service == kServiceN2N) {
    serviceState = &n2nState;
  } else if (service == kServiceDss) {
    serviceState = &dssState;
  }
  if (serviceState != nullptr && *serviceState == ServiceLoggedIn) *serviceState = ServicePending;
}
