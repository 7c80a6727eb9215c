// The transport of the session: resolve, connect, length-framed reads and
// writes, the send queue, keep-alive, reconnect and disconnect.

#include <cstdint>
#include <new>
#include <string>
#include <string_view>

#include "messages/GenericMessages.h"
#include "messages/QelMessage.h"
#include "messages/Utf8Text.h"
#include "plugin/QelMessageDispatcher.h"
#include "plugin/QelSocket.h"

namespace {

constexpr uint16_t kServerPort = 8767;
constexpr int32_t kReconnectDelayMs = 5000;
constexpr int32_t kKeepAliveDelayMs = 120000;
// A received frame of this length or more is not accepted.
constexpr int32_t kMaxFrameLength = 1048576;

void encodeLength(int32_t length, char* out) {
  const uint32_t value = static_cast<uint32_t>(length);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

int32_t decodeLength(const unsigned char* in) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | in[i];
  return static_cast<int32_t>(value);
}

}  // namespace

QelSocket::~QelSocket() {
  // Nothing may reach the page any more, and no callback the session.
  owner = nullptr;
  callbackFactory.CancelAll();
  disconnect(false);
}

void QelSocket::connectToServer() {
  if (state >= Resolving) return;
  dropIdleWrite();
  // A new attempt: completions of the previous socket or resolver, and a
  // write still pending on them, no longer belong to the session, and the
  // new connection logs in to every service afresh.
  ++connectionGeneration;
  writeInProgress = false;
  resetServiceStates();
  if (!pp::TCPSocket::IsAvailable()) return failSetup("TCPSocket not available");
  tcpSocket = pp::TCPSocket(pp::InstanceHandle(owner));
  if (tcpSocket.is_null()) return failSetup("Error creating TCPSocket.");
  if (!pp::HostResolver::IsAvailable()) return failSetup("HostResolver not available");
  resolver = pp::HostResolver(pp::InstanceHandle(owner));
  if (resolver.is_null()) return failSetup("Error creating HostResolver.");
  PP_HostResolver_Hint hint;
  hint.family = 0;
  hint.flags = 0;
  resolver.Resolve(
      serverHost.c_str(), kServerPort, hint,
      callbackFactory.NewCallback(&QelSocket::OnResolveCompletion, connectionGeneration));
  state = Resolving;
}

void QelSocket::failSetup(const std::string& details) {
  state = Idle;
  postError(loginRequestId, -1, details);
  dropQueue();
}

void QelSocket::OnResolveCompletion(int32_t result, int generation) {
  if (generation != connectionGeneration) return;
  if (result != PP_OK || resolver.GetNetAddressCount() == 0) return failSetup("Resolve failed.");
  state = Connecting;
  const pp::NetAddress address = resolver.GetNetAddress(0);
  log("Resolved: " + address.DescribeAsString(true).AsString());
  tcpSocket.Connect(
      address, callbackFactory.NewCallback(&QelSocket::OnConnectCompletion, connectionGeneration));
}

void QelSocket::OnConnectCompletion(int32_t result, int generation) {
  if (generation != connectionGeneration) return;
  if (result != PP_OK) return failSetup("Connection failed: " + std::to_string(result));
  state = Connected;
  bytesReceived = 0;
  readLengthField();
  // The first message of every connection asks for the log-in challenge;
  // messages sent while the connection was being set up follow it.
  const GenericReq challenge(kServiceClient, "REQUESTLOGIN", loginRequestId, 0, "");
  if (!writeMessage(challenge)) writeNextQueued();
}

void QelSocket::readLengthField() {
  tcpSocket.Read(
      reinterpret_cast<char*>(lengthField) + bytesReceived, 4 - bytesReceived,
      callbackFactory.NewCallback(&QelSocket::OnReceiveHeaderCompletion, connectionGeneration));
}

void QelSocket::OnReceiveHeaderCompletion(int32_t result, int generation) {
  if (generation != connectionGeneration) return;
  // The end of the stream or a read error ends the connection: nothing
  // would read the server's replies any more.
  if (result <= 0) return disconnect(true);
  bytesReceived += result;
  if (bytesReceived < 4) return readLengthField();
  frameLength = decodeLength(lengthField);
  bytesReceived = 0;
  if (frameLength <= 0) return readLengthField();
  log("receive msglen=" + std::to_string(frameLength));
  if (frameLength > receiveCapacity && !growReceiveBuffer(frameLength)) return disconnect(true);
  tcpSocket.Read(
      receiveBuffer.get(), frameLength,
      callbackFactory.NewCallback(&QelSocket::OnReceiveBodyCompletion, connectionGeneration));
}

bool QelSocket::growReceiveBuffer(int n) {
  if (n >= kMaxFrameLength) return false;
  char* larger = new (std::nothrow) char[static_cast<size_t>(n) + 1];
  if (larger == nullptr) return false;
  receiveBuffer.reset(larger);
  receiveCapacity = n;
  return true;
}

void QelSocket::OnReceiveBodyCompletion(int32_t result, int generation) {
  if (generation != connectionGeneration) return;
  if (result <= 0) return disconnect(true);
  bytesReceived += result;
  if (bytesReceived < frameLength) {
    tcpSocket.Read(
        receiveBuffer.get() + bytesReceived, frameLength - bytesReceived,
        callbackFactory.NewCallback(&QelSocket::OnReceiveBodyCompletion, connectionGeneration));
    return;
  }
  char* text = receiveBuffer.get();
  int length = bytesReceived;
  text[length] = '\0';
  // The page receives only well-formed UTF-8: a text that is not is decoded
  // once here, so that its log line, its parse line and its message agree.
  // A well-formed text is parsed in place.
  std::string decoded;
  const std::string_view received(text, static_cast<size_t>(length));
  if (validUtf8Length(received) < received.size()) {
    decoded = toUtf8Text(received);
    text = decoded.data();
    length = static_cast<int>(decoded.size());
  }
  log(text);
  const std::unique_ptr<QelMessage> message(QelMessage::parse(text, length, this));
  if (message != nullptr) QelMessageDispatcher::instance().dispatch(this, message.get());
  // The dispatch may have ended the connection (a refused log-in).
  if (generation != connectionGeneration) return;
  bytesReceived = 0;
  readLengthField();
}

void QelSocket::send(QelMessage* message) {
  std::unique_ptr<QelMessage> owned(message);
  if (owned == nullptr) return;
  // Behind a write in progress, and while a connection is being set up, the
  // message waits its turn.
  const bool settingUp = state >= ReconnectPending && state <= Connecting;
  if (writeInProgress || settingUp) {
    sendQueue.push_back(std::move(owned));
    return;
  }
  writeMessage(*owned);
}

bool QelSocket::writeMessage(const QelMessage& message) {
  const int n = message.serialize(sendBuffer.get() + 4, sendCapacity);
  if (n < 0) {
    // Refused whole: a cut text would be a different command. The page is
    // told under the request id, so that it does not wait for a reply.
    log("message too long to send: " + message.service() + "," + message.command());
    postError(message.requestId() > 0 ? message.requestId() : 0, -1, "error:: command too long");
    return false;
  }
  encodeLength(n, sendBuffer.get());
  writeFrame(n);
  log(sendBuffer.get() + 4);
  return true;
}

void QelSocket::writeFrame(int textLength) {
  writeInProgress = true;
  sendOffset = 0;
  sendLength = textLength + 4;
  tcpSocket.Write(sendBuffer.get(), sendLength,
                  callbackFactory.NewCallback(&QelSocket::OnSendCompletion, connectionGeneration));
}

void QelSocket::OnSendCompletion(int32_t result, int generation) {
  if (generation != connectionGeneration) return;
  if (result > 0 && sendOffset + result < sendLength) {
    // A short write: the rest of the frame goes before the next frame.
    sendOffset += result;
    tcpSocket.Write(
        sendBuffer.get() + sendOffset, sendLength - sendOffset,
        callbackFactory.NewCallback(&QelSocket::OnSendCompletion, connectionGeneration));
    return;
  }
  const int total = result > 0 ? sendOffset + result : result;
  lastWriteResult = total;
  log("OnSendCompletion result: " + std::to_string(total));
  // The write has its line; the disconnect below must not count it again.
  writeInProgress = false;
  if (result < -1 || result == 0) return disconnect(true);
  writeNextQueued();
}

void QelSocket::writeNextQueued() {
  writeInProgress = false;
  while (!sendQueue.empty()) {
    const std::unique_ptr<QelMessage> next = std::move(sendQueue.front());
    sendQueue.pop_front();
    if (writeMessage(*next)) return;
  }
}

void QelSocket::dropQueue(size_t unsentWrites) {
  const size_t count = sendQueue.size() + unsentWrites;
  if (count == 0) return;
  sendQueue.clear();
  log("dropped " + std::to_string(count) + " queued message(s): no connection");
}

void QelSocket::dropIdleWrite() {
  if (state != Idle || !writeInProgress) return;
  writeInProgress = false;
  dropQueue(1);
}

void QelSocket::startKeepAlive() {
  ++keepAliveGeneration;
  pp::Module::Get()->core()->CallOnMainThread(
      kKeepAliveDelayMs, callbackFactory.NewCallback(&QelSocket::OnKeepAliveTimer),
      keepAliveGeneration);
}

void QelSocket::OnKeepAliveTimer(int32_t generation) {
  if (generation != keepAliveGeneration || !isLoggedIn()) return;
  sendHeartbeat();
  pp::Module::Get()->core()->CallOnMainThread(
      kKeepAliveDelayMs, callbackFactory.NewCallback(&QelSocket::OnKeepAliveTimer),
      keepAliveGeneration);
}

void QelSocket::sendHeartbeat() {
  if (!isLoggedIn() || writeInProgress) return;
  encodeLength(0, sendBuffer.get());
  writeFrame(0);
}

void QelSocket::scheduleReconnect() {
  // A new attempt starts here: an attempt under way is abandoned, and no
  // completion of it (nor of a write issued without a connection) may end
  // the new one. Messages queued behind a write on an abandoned connection
  // go with it, as do a write issued without a connection and those queued
  // behind it; those waiting for a connection being set up wait on.
  if (state >= Connected) {
    dropQueue();
  } else {
    dropIdleWrite();
  }
  tcpSocket.Close();
  tcpSocket = pp::TCPSocket();
  ++connectionGeneration;
  writeInProgress = false;
  state = ReconnectPending;
  ++reconnectSerial;
  pp::Module::Get()->core()->CallOnMainThread(
      kReconnectDelayMs, callbackFactory.NewCallback(&QelSocket::OnReconnectTimer, reconnectSerial),
      loginRequestId);
}

void QelSocket::OnReconnectTimer(int32_t id, int serial) {
  if (serial != reconnectSerial || state != ReconnectPending || id != loginRequestId) return;
  connectToServer();
}

void QelSocket::disconnect(bool notify) {
  if (notify) postConnectionState(false, "NET_SERVER");
  // The completion of a write issued without a connection is void from here
  // on; a write on a connection has been handed to the socket.
  dropIdleWrite();
  tcpSocket.Close();
  tcpSocket = pp::TCPSocket();
  resetServiceStates();
  loginRequestId = 0;
  writeInProgress = false;
  state = Idle;
  ++connectionGeneration;
  ++reconnectSerial;
  dropQueue();
}

void QelSocket::resetServiceStates() {
  lvl2oaiState = ServiceNone;
  indssState = ServiceNone;
  dssState = ServiceNone;
  n2nState = ServiceNone;
  acdState = ServiceNone;
}
