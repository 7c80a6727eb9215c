#ifndef QEL_PLUGIN_QELMESSAGEDISPATCHER_H_
#define QEL_PLUGIN_QELMESSAGEDISPATCHER_H_

#include <map>
#include <string>

class QelMessage;
class QelSocket;

// Routes every received message: the session messages of the log-in
// sequence go to their QelSocket handler; every other message posts its own
// page object, a reply under its request id, an event under code 0.
class QelMessageDispatcher {
 public:
  using DispatchHandler = void (*)(QelSocket* socket, QelMessage* message);

  // The one table of the module, built on first use.
  static const QelMessageDispatcher& instance();

  QelMessageDispatcher(const QelMessageDispatcher&) = delete;
  QelMessageDispatcher& operator=(const QelMessageDispatcher&) = delete;

  // Handles or posts the message; the caller keeps and destroys it.
  void dispatch(QelSocket* socket, QelMessage* message) const;

  // The routes of a message without a row of its own: postEventToPage and
  // postReplyToPage.
  static void onUnhandledEvent(QelSocket* socket, QelMessage* message);
  static void onUnhandledReply(QelSocket* socket, QelMessage* message);

 private:
  QelMessageDispatcher();

  // Keyed by prefix followed by command, e.g. "CFLOGIN".
  std::map<std::string, DispatchHandler> handlers_;
};

// Posts the message's page object under the event code.
void postEventToPage(QelSocket* socket, QelMessage* message);
// Posts the message's page object under its request id.
void postReplyToPage(QelSocket* socket, QelMessage* message);

#endif  // QEL_PLUGIN_QELMESSAGEDISPATCHER_H_
