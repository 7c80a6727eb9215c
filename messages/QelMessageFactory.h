#ifndef QEL_MESSAGES_QELMESSAGEFACTORY_H_
#define QEL_MESSAGES_QELMESSAGEFACTORY_H_

#include <map>
#include <string>

class QelMessage;

// The kind of a received text, as the parser passes it to the factory.
enum MessageKind {
  kKindRequest = 0,  // a text without prefix
  kKindReply = 1,    // any two-character prefix but "AE"
  kKindEvent = 2,    // prefix "AE"
};

// Builds one message of a class from the parts of a received text. The
// caller owns the result.
using QelMessageCreator = QelMessage* (*)(const std::string& service, const std::string& command,
                                          int requestId, int secondId, const std::string& body);

// Chooses the class of a received message: the class registered for "CF" or
// "AE" followed by the command (exact, case-sensitive), or the default class
// of the kind (GenericReq, GenericRsp, GenericEvt).
class QelMessageFactory {
 public:
  // The one factory of the module, built on first use.
  static const QelMessageFactory& instance();

  QelMessageFactory(const QelMessageFactory&) = delete;
  QelMessageFactory& operator=(const QelMessageFactory&) = delete;

  // A new message owned by the caller, or null for a kind outside 0 to 2.
  QelMessage* create(int kind, const std::string& service, const std::string& command,
                     int requestId, int secondId, const std::string& body) const;

  // The creator registered for the code, else the default of the kind, else
  // null.
  QelMessageCreator findCreator(const std::string& code, int kind) const;

 private:
  QelMessageFactory();

  std::map<std::string, QelMessageCreator> codes_;
  QelMessageCreator defaults_[3];
};

// Reads a received ids field "requestId:secondId": either half may be
// missing (it reads as 0); without a colon the whole text is the request id.
void parseIdPair(const std::string& ids, int& requestId, int& secondId);

#endif  // QEL_MESSAGES_QELMESSAGEFACTORY_H_
