#ifndef QEL_PLUGIN_QELSOCKET_H_
#define QEL_PLUGIN_QELSOCKET_H_

#include <json/value.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "platform/Platform.h"

class QelMessage;

// The session of one plug-in element with the call server: credentials,
// device and extension, the session state and the five service log-in
// states, the flags page commands set, and the one TCP connection with its
// buffers, send queue and callbacks. Every page-command handler and every
// session-message handler acts on it, and every post to the page goes
// through it. Used on the module's main thread only.
class QelSocket {
 public:
  // Where the session stands; ordered and compared (there is no 5).
  enum SessionState {
    Idle = 0,              // no connection, none being made
    ReconnectPending = 1,  // a reconnect timer is armed
    Resolving = 2,         // the host name is being resolved
    Connecting = 3,        // the TCP connect is under way
    Connected = 4,         // connected; the log-in exchange is running
    LoggedIn = 6,          // the "CLIENT" log-in has been accepted
    CallControlReady = 7,  // logged in and "LVL2OAI" accepted
  };

  // Log-in state of one server service.
  enum ServiceState {
    ServiceNone = 0,      // not logged in; a service list that offers it logs in
    ServicePending = 1,   // log-in sent and not accepted, or logged out by the server
    ServiceLoggedIn = 2,  // log-in accepted
  };

  QelSocket();
  // Closes the connection without posting anything.
  ~QelSocket();

  QelSocket(const QelSocket&) = delete;
  QelSocket& operator=(const QelSocket&) = delete;

  // The instance that posts to the page and owns the network resources.
  void setInstance(pp::Instance* instance);

  // State is LoggedIn or CallControlReady.
  bool isLoggedIn() const { return state > 5; }
  // State is CallControlReady.
  bool isLvl2LoggedIn() const { return state > 6; }

  // Page posts. Each posts [code, compact JSON text ending in "\n"].
  void postToPage(int code, const Json::Value& value);
  // {"error": error, "details": details} under code.
  void postError(int code, int error, const std::string& details);
  // {"log": text} under -99.
  void log(const std::string& text);
  // {"type": 13, "details": {"connected": connected, "info": info}} under 0.
  void postConnectionState(bool connected, const std::string& info);

  // The code that events and connection states are posted under (0).
  int eventCode() const { return eventCode_; }

  // Connection.

  // Resolves the server host and connects, unless an attempt is under way
  // or the session is connected. The new connection starts with every
  // service log-in state at ServiceNone; a write issued without a connection
  // and the messages queued behind it are dropped, never sent on it. A
  // missing or failing socket or resolver, a failed resolve or a failed
  // connect posts an error under the log-in request id, drops the queued
  // messages and leaves the session Idle.
  void connectToServer();
  // Closes the connection and returns to Idle: every service log-in state
  // to ServiceNone, the log-in request id to 0, the send queue dropped (with
  // a write issued without a connection and still pending), and the
  // completions and reconnect timer of earlier attempts void. Posts the lost
  // connection ("NET_SERVER") first when `notify` is set.
  void disconnect(bool notify);
  // Takes ownership. Writes the message now, or queues it behind a write in
  // progress or a connection being set up. A message whose text does not fit
  // the send buffer is never sent cut: the page receives
  // "error:: command too long" under its request id (0 when it has none).
  void send(QelMessage* message);
  // Abandons the connection or attempt under way and arms a new attempt in
  // 5 seconds (ReconnectPending) under the log-in request id.
  void scheduleReconnect();
  // Arms the keep-alive timer: every 120 seconds while logged in, the
  // keep-alive frame is sent. Arming it again voids the timer armed before.
  void startKeepAlive();
  // Sends the keep-alive frame (length 0, no text) when logged in and no
  // write is in progress; otherwise does nothing.
  void sendHeartbeat();

  // Session messages, routed by the inbound dispatch.
  void onRequestLoginRsp(QelMessage* message);
  void onLoginRsp(QelMessage* message);
  void onClientLoginRsp(QelMessage* message);
  void onServiceLoginRsp(QelMessage* message);
  void onLogoutRsp(QelMessage* message);
  void onServicesAvailable(QelMessage* message);
  void onServiceUnavailable(QelMessage* message);
  void onServiceLogout(QelMessage* message);

  // Session page commands.
  void login(const pp::VarArray& args);
  void logout(const pp::VarArray& args);
  void reconnect(const pp::VarArray& args);
  void checkConnection(const pp::VarArray& args);
  void selectLine(const pp::VarArray& args);
  void setLogging(const pp::VarArray& args);
  void enableAcd(const pp::VarArray& args);

  // Service page commands.
  void getVersion(const pp::VarArray& args);
  void listXmppNodes(const pp::VarArray& args);
  void getWhitelist(const pp::VarArray& args);
  void appExist(const pp::VarArray& args);
  void userExist(const pp::VarArray& args);
  void userInfo(const pp::VarArray& args);
  void getDialNumber(const pp::VarArray& args);
  void getFile(const pp::VarArray& args);
  void startMonitor(const pp::VarArray& args);
  void stopMonitor(const pp::VarArray& args);

  // Call-control page commands.
  void answerCall(const pp::VarArray& args);
  void bTransferCall(const pp::VarArray& args);
  void csCall(const pp::VarArray& args);
  void dialDigits(const pp::VarArray& args);
  void dialNumber(const pp::VarArray& args);
  void divert(const pp::VarArray& args);
  void getCallInfo(const pp::VarArray& args);
  void getDevSnapshot(const pp::VarArray& args);
  void hangupCall(const pp::VarArray& args);
  void holdCall(const pp::VarArray& args);
  void joinConf(const pp::VarArray& args);
  void pair(const pp::VarArray& args);
  void queryDevice(const pp::VarArray& args);
  void retrieveCall(const pp::VarArray& args);
  void setCallFwd(const pp::VarArray& args);
  void transferCall(const pp::VarArray& args);
  void getUnifierList(const pp::VarArray& args);

  // Agent-distribution page commands.
  void queryAgents(const pp::VarArray& args);
  void queryGroups(const pp::VarArray& args);
  void validateAgent(const pp::VarArray& args);
  void queryUnavailCodes(const pp::VarArray& args);
  void loginQueue(const pp::VarArray& args);
  void logoutQueue(const pp::VarArray& args);
  void monitorAgent(const pp::VarArray& args);
  void monitorGroup(const pp::VarArray& args);
  void setAgentReady(const pp::VarArray& args);
  void setAgentNotReady(const pp::VarArray& args);
  void setAgentWrapup(const pp::VarArray& args);
  void setAgentWorkUnits(const pp::VarArray& args);

 private:
  friend class QelSocketTestPeer;

  // The client type of every service log-in.
  static constexpr const char* kClientType = "DEZezori";

  // Connection internals. Every completion carries the connection generation
  // it was issued under; a completion of a socket or resolver that has since
  // been closed or replaced finds another generation and does nothing.
  bool writeMessage(const QelMessage& message);
  void writeFrame(int textLength);
  void writeNextQueued();
  // Drops the queued messages, and counts `unsentWrites` more (a write issued
  // without a connection) in its one log line.
  void dropQueue(size_t unsentWrites = 0);
  // A write issued while Idle can only fail, and it and the messages queued
  // behind it were meant for no connection: when one is still pending, all
  // are dropped, with one line that counts the write too.
  void dropIdleWrite();
  // Every service back to ServiceNone: nothing is logged in on a new
  // connection or a new server session.
  void resetServiceStates();
  void failSetup(const std::string& details);
  void readLengthField();
  bool growReceiveBuffer(int n);
  void OnResolveCompletion(int32_t result, int generation);
  void OnConnectCompletion(int32_t result, int generation);
  void OnReceiveHeaderCompletion(int32_t result, int generation);
  void OnReceiveBodyCompletion(int32_t result, int generation);
  void OnSendCompletion(int32_t result, int generation);
  void OnKeepAliveTimer(int32_t generation);
  void OnReconnectTimer(int32_t id, int serial);
  void sendServiceLogin(const std::string& service);

  static constexpr int kSendBufferSize = 2048;
  static constexpr int kReceiveBufferSize = 2048;

  pp::Instance* owner;
  std::string userName;
  std::string password;
  std::string extension;
  std::string device;
  std::string serverHost;
  int state;
  int lvl2oaiState;
  int indssState;
  int dssState;
  int n2nState;
  int acdState;
  bool writeInProgress;
  bool acdEnabled;
  std::list<std::unique_ptr<QelMessage>> sendQueue;
  pp::CompletionCallbackFactory<QelSocket, pp::ThreadSafeThreadTraits> callbackFactory;
  pp::TCPSocket tcpSocket;
  pp::HostResolver resolver;
  pp::NetAddress serverAddress;
  int loginRequestId;
  const int eventCode_;
  int32_t frameLength;
  int bytesReceived;
  int sendCapacity;
  std::unique_ptr<char[]> sendBuffer;
  int receiveCapacity;
  std::unique_ptr<char[]> receiveBuffer;
  int lastWriteResult;
  int keepAliveGeneration;
  bool loggingEnabled;

  int connectionGeneration;      // bumped by every connection attempt and disconnect
  int reconnectSerial;           // bumped by every reconnect timer armed and disconnect
  unsigned char lengthField[4];  // the incoming frame's length, as read
  int sendOffset;                // bytes of the outgoing frame written so far
  int sendLength;                // bytes of the outgoing frame
};

#endif  // QEL_PLUGIN_QELSOCKET_H_
