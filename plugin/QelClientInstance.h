#ifndef QEL_PLUGIN_QELCLIENTINSTANCE_H_
#define QEL_PLUGIN_QELCLIENTINSTANCE_H_

#include <cstdint>
#include <map>
#include <string>

#include "platform/Platform.h"
#include "plugin/QelSocket.h"

// A page-command handler: acts on the session with the whole command array.
using CommandHandler = void (*)(QelSocket* session, const pp::VarArray& args);

// One plug-in element of the page: owns its server session and the page
// command table, checks every message the page posts, logs it, and calls
// the handler bound to its name.
class QelClientInstance : public pp::Instance {
 public:
  explicit QelClientInstance(PP_Instance instance);
  ~QelClientInstance() override;

  // Accepts the element's attributes without reading them.
  bool Init(uint32_t argc, const char* argn[], const char* argv[]) override;

  // A page command: [request id, unused, name, arguments...].
  void HandleMessage(const pp::Var& message) override;

  QelSocket& session() { return socket; }

 private:
  QelSocket socket;
  std::map<std::string, CommandHandler> commandTable;
  char text[1024];  // scratch for the log and standard-error lines
};

// The "sendlog" command: posts element 3 as a log line (empty when it is not
// a string).
void handleSendLog(QelSocket* session, const pp::VarArray& args);

#endif  // QEL_PLUGIN_QELCLIENTINSTANCE_H_
