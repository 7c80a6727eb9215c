#include "plugin/QelClientInstance.h"

#include <cstdio>

#include "messages/TextHelpers.h"
#include "messages/Utf8Text.h"
#include "plugin/PageCommand.h"

namespace {

struct CommandRow {
  const char* name;
  CommandHandler handler;
};

// Each page command forwards to the session method of the same duty.
#define QEL_FORWARD(method) \
  [](QelSocket* session, const pp::VarArray& args) { session->method(args); }

// clang-format off
const CommandRow kCommandTable[] = {
    {"answercall",        QEL_FORWARD(answerCall)},
    {"appexist",          QEL_FORWARD(appExist)},
    {"btransfercall",     QEL_FORWARD(bTransferCall)},
    {"checkconnection",   QEL_FORWARD(checkConnection)},
    {"cscall",            QEL_FORWARD(csCall)},
    {"dialdigits",        QEL_FORWARD(dialDigits)},
    {"dialnumber",        QEL_FORWARD(dialNumber)},
    {"divert",            QEL_FORWARD(divert)},
    {"getcallinfo",       QEL_FORWARD(getCallInfo)},
    {"getdevsnapshot",    QEL_FORWARD(getDevSnapshot)},
    {"getdialnumber",     QEL_FORWARD(getDialNumber)},
    {"getversion",        QEL_FORWARD(getVersion)},
    {"getwhitelist",      QEL_FORWARD(getWhitelist)},
    {"hangupcall",        QEL_FORWARD(hangupCall)},
    {"holdcall",          QEL_FORWARD(holdCall)},
    {"joinconf",          QEL_FORWARD(joinConf)},
    {"listxmppnodes",     QEL_FORWARD(listXmppNodes)},
    {"login",             QEL_FORWARD(login)},
    {"loginwithext",      QEL_FORWARD(login)},
    {"logout",            QEL_FORWARD(logout)},
    {"pair",              QEL_FORWARD(pair)},
    {"pickupcall",        QEL_FORWARD(answerCall)},
    {"querydevice",       QEL_FORWARD(queryDevice)},
    {"reconnect",         QEL_FORWARD(reconnect)},
    {"retrievecall",      QEL_FORWARD(retrieveCall)},
    {"sendlog",           handleSendLog},
    {"setcallfwd",        QEL_FORWARD(setCallFwd)},
    {"setlogging",        QEL_FORWARD(setLogging)},
    {"startmonitor",      QEL_FORWARD(startMonitor)},
    {"stopmonitor",       QEL_FORWARD(stopMonitor)},
    {"transfercall",      QEL_FORWARD(transferCall)},
    {"unpair",            QEL_FORWARD(pair)},
    {"userexist",         QEL_FORWARD(userExist)},
    {"userinfo",          QEL_FORWARD(userInfo)},
    {"selectline",        QEL_FORWARD(selectLine)},
    {"getfile",           QEL_FORWARD(getFile)},
    {"enableacd",         QEL_FORWARD(enableAcd)},
    {"queryagents",       QEL_FORWARD(queryAgents)},
    {"querygroups",       QEL_FORWARD(queryGroups)},
    {"validateagent",     QEL_FORWARD(validateAgent)},
    {"queryunavailcodes", QEL_FORWARD(queryUnavailCodes)},
    {"loginqueue",        QEL_FORWARD(loginQueue)},
    {"logoutqueue",       QEL_FORWARD(logoutQueue)},
    {"monitoragent",      QEL_FORWARD(monitorAgent)},
    {"monitorgroup",      QEL_FORWARD(monitorGroup)},
    {"setagentready",     QEL_FORWARD(setAgentReady)},
    {"setagentnotready",  QEL_FORWARD(setAgentNotReady)},
    {"setagentwrapup",    QEL_FORWARD(setAgentWrapup)},
    {"setagentworkunits", QEL_FORWARD(setAgentWorkUnits)},
    {"getunifiernodes",   QEL_FORWARD(getUnifierList)},
};
// clang-format on

#undef QEL_FORWARD

}  // namespace

QelClientInstance::QelClientInstance(PP_Instance instance) : pp::Instance(instance) {
  socket.setInstance(this);
  for (const CommandRow& row : kCommandTable) commandTable[row.name] = row.handler;
}

// Members go in reverse order: the table, then the session, whose destructor
// closes the connection without posting.
QelClientInstance::~QelClientInstance() = default;

bool QelClientInstance::Init(uint32_t, const char*[], const char*[]) {
  return true;
}

void QelClientInstance::HandleMessage(const pp::Var& message) {
  if (!message.is_array()) {
    logError("non-array command from javascript layer");
    socket.postError(0, -1, "error:: non-array command");
    return;
  }
  const pp::VarArray args(message);
  const uint32_t count = args.GetLength();
  if (count < 3) {
    std::snprintf(text, sizeof text, "bad command - not enough arguments: %u", count);
    logError(text);
    socket.postError(0, -1, "error:: bad command - non string command");
    return;
  }
  if (!args.Get(2).is_string()) {
    std::snprintf(text, sizeof text, "command has to be a string argLength(%u)", count);
    logError(text);
    socket.postError(0, -1, "error:: bad command - non string command");
    return;
  }
  const std::string name = args.Get(2).AsString();
  // Bounded: a longer name is cut in the log line, between two characters,
  // never written past it.
  endCutLineBetweenCharacters(
      text, sizeof text,
      std::snprintf(text, sizeof text, "CMD(%d,%s,%u)", readRequestId(args), name.c_str(), count));
  socket.log(text);
  const auto found = commandTable.find(name);
  if (found == commandTable.end()) {
    socket.postError(0, -1, "error:: unknown command");
    return;
  }
  // Server texts end at a NUL: an argument holding one would reach the
  // server cut short, as a different command. Such a command is refused.
  for (uint32_t i = 3; i < count; ++i) {
    const pp::Var argument = args.Get(i);
    if (argument.is_string() && argument.AsString().find('\0') != std::string::npos) {
      std::snprintf(text, sizeof text, "command argument %u holds a NUL character", i);
      logError(text);
      socket.postError(0, -1, "error:: bad command - NUL character in argument");
      return;
    }
  }
  found->second(&socket, args);
}

void handleSendLog(QelSocket* session, const pp::VarArray& args) {
  const pp::Var text = args.Get(3);
  session->log(text.is_string() ? text.AsString() : std::string());
}
