#ifndef QEL_MESSAGES_QELMESSAGE_H_
#define QEL_MESSAGES_QELMESSAGE_H_

#include <json/value.h>

#include <string>

class QelSocket;

// Message-class prefixes, service names, the page key "details" and the
// command codes that the message classes and the session write and compare.
extern const std::string kReplyPrefix;      // "CF"
extern const std::string kEventPrefix;      // "AE"
extern const std::string kServiceClient;    // "CLIENT"
extern const std::string kServiceDialPlan;  // "DIALPLAN"
extern const std::string kServiceLvl2;      // "LVL2OAI"
extern const std::string kServiceDss;       // "DSS"
extern const std::string kServiceIndss;     // "INDSS"
extern const std::string kServiceN2N;       // "N2N"
extern const std::string kServiceAcd;       // "ACD"
extern const std::string kDetailsKey;       // "details"
extern const std::string kCmdGetDialNum;    // "GETDIALNUM"
extern const std::string kCmdMonStart;      // "MONSTART"
extern const std::string kCmdGetNodeList;   // "GETNODELIST"
extern const std::string kCmdLogin;         // "LOGIN"
extern const std::string kCmdUserExist;     // "USER_EXIST"
extern const std::string kCmdUserInfo;      // "USER_INFO"

// Base of every message exchanged with the call server: a prefix ("CF" for
// a reply, "AE" for an event, empty for a request the module sends), the
// service, the command, the page's request id and the second id.
//
// A subclass parses its body in its constructor, writes its body after the
// header in serialize(), and fills the page object in toJson().
class QelMessage {
 public:
  // All fields empty or 0.
  QelMessage();
  // All five fields.
  QelMessage(const std::string& prefix, const std::string& service, const std::string& command,
             int requestId, int secondId);
  // A request: empty prefix.
  QelMessage(const std::string& service, const std::string& command, int requestId, int secondId);
  // An event: prefix "AE", request id 0.
  QelMessage(const std::string& service, const std::string& command, int secondId);

  QelMessage(const QelMessage&) = delete;
  QelMessage& operator=(const QelMessage&) = delete;
  virtual ~QelMessage();

  // Writes the server text into buffer[0, size) and returns its length (the
  // NUL not counted). The base writes the header alone:
  //   [prefix ","] service "," command "," [requestId ":"] [secondId]
  // with each id only when it is greater than 0. When the text does not fit
  // in size - 1 characters nothing is written (the buffer is left empty) and
  // the result is -1.
  virtual int serialize(char* buffer, int size) const;

  // Fills the object posted to the page for a received message. The base
  // writes nothing, so the value stays as it was given.
  virtual void toJson(Json::Value& out) const;

  // Turns one received server text into a message, or null for a text of
  // fewer than 3 characters. `text` is well-formed UTF-8 of `length` bytes
  // and a NUL; it is cut in place and must not be read afterwards. A text
  // with a two-character prefix (its third character is ",") logs a
  // "parse:" line through `socket` (when not null).
  // The caller owns the result.
  static QelMessage* parse(char* text, int length, QelSocket* socket);

  const std::string& prefix() const { return prefix_; }
  const std::string& service() const { return service_; }
  const std::string& command() const { return command_; }
  int requestId() const { return requestId_; }

 private:
  std::string prefix_;
  std::string service_;
  std::string command_;
  int requestId_;
  int secondId_;
};

#endif  // QEL_MESSAGES_QELMESSAGE_H_
