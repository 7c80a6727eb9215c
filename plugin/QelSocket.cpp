#include "plugin/QelSocket.h"

#include "messages/JsonText.h"
#include "messages/QelMessage.h"

QelSocket::QelSocket()
    : owner(nullptr),
      state(Idle),
      lvl2oaiState(ServiceNone),
      indssState(ServiceNone),
      dssState(ServiceNone),
      n2nState(ServiceNone),
      acdState(ServiceNone),
      writeInProgress(false),
      acdEnabled(false),
      callbackFactory(this),
      loginRequestId(0),
      eventCode_(0),
      frameLength(0),
      bytesReceived(0),
      sendCapacity(kSendBufferSize - 4),
      sendBuffer(new char[kSendBufferSize]()),
      receiveCapacity(kReceiveBufferSize - 1),
      receiveBuffer(new char[kReceiveBufferSize]()),
      lastWriteResult(0),
      keepAliveGeneration(0),
      loggingEnabled(false),
      connectionGeneration(0),
      reconnectSerial(0),
      lengthField{0, 0, 0, 0},
      sendOffset(0),
      sendLength(0) {}

void QelSocket::setInstance(pp::Instance* instance) {
  owner = instance;
}

void QelSocket::postToPage(int code, const Json::Value& value) {
  if (owner == nullptr) return;
  pp::VarArray post;
  post.Set(0, pp::Var(static_cast<int32_t>(code)));
  post.Set(1, pp::Var(writeJsonText(value)));
  owner->PostMessage(post);
}

void QelSocket::postError(int code, int error, const std::string& details) {
  Json::Value value;
  value["error"] = error;
  value[kDetailsKey] = details;
  postToPage(code, value);
}

void QelSocket::log(const std::string& text) {
  Json::Value value;
  value["log"] = text;
  postToPage(-99, value);
}

void QelSocket::postConnectionState(bool connected, const std::string& info) {
  Json::Value value;
  value["type"] = 13;
  value[kDetailsKey]["connected"] = connected;
  value[kDetailsKey]["info"] = info;
  postToPage(eventCode_, value);
}
