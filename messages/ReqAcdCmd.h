#ifndef QEL_MESSAGES_REQACDCMD_H_
#define QEL_MESSAGES_REQACDCMD_H_

#include <memory>
#include <string>

#include "messages/QelMessage.h"

// An agent-distribution command sent to the server's "ACD" service: every
// command travels under the message code "ACDCMD" as one comma-separated
// command text, e.g. ACD,ACDCMD,7:,QUERY,0,AGENT,1001,3.
//
// The builders below format the command text of each agent-distribution page
// command. Arguments are inserted unchanged (a comma inside one becomes a
// field separator on the server's side). A command text has room for
// kCommandTextSize - 1 characters; a builder whose text would be longer
// returns null, so that no cut command is ever sent.
class ReqAcdCmd : public QelMessage {
 public:
  // Room of a command text, its NUL included.
  static constexpr int kCommandTextSize = 128;

  // Request header "ACD", "ACDCMD", `requestId`, second id 0.
  ReqAcdCmd(const std::string& commandText, int requestId);

  // Writes the header, a comma and the command text; -1 (buffer emptied)
  // when the whole text does not fit.
  int serialize(char* buffer, int size) const override;

  const std::string& commandText() const { return commandText_; }

  // QUERY,0,AGENT,<agentId>,3
  static std::unique_ptr<ReqAcdCmd> queryAgents(int requestId, const std::string& agentId);
  // QUERY,0,GROUP,<groupId>,33
  static std::unique_ptr<ReqAcdCmd> queryGroups(int requestId, const std::string& groupId);
  // QUERY,0,UNAVAIL,<id>,1
  static std::unique_ptr<ReqAcdCmd> queryUnavailCodes(int requestId, const std::string& id);
  // VAGTPSWRD,0,<agentId>,<password>
  static std::unique_ptr<ReqAcdCmd> validateAgent(int requestId, const std::string& agentId,
                                                  const std::string& password);
  // AGTLOGINX,0,<agentId>,<extension>,<groupId>,<takeCall>
  static std::unique_ptr<ReqAcdCmd> loginQueue(int requestId, const std::string& agentId,
                                               const std::string& extension,
                                               const std::string& groupId, int takeCall);
  // AGTLOGOUTX,0,<agentId>,<groupId>
  static std::unique_ptr<ReqAcdCmd> logoutQueue(int requestId, const std::string& agentId,
                                                const std::string& groupId);
  // MONITOR,0,START|STOP,AGENT,<agentId>
  static std::unique_ptr<ReqAcdCmd> monitorAgent(int requestId, const std::string& agentId,
                                                 bool start);
  // MONITOR,0,START|STOP,GROUP,<groupId>
  static std::unique_ptr<ReqAcdCmd> monitorGroup(int requestId, const std::string& groupId,
                                                 bool start);
  // SETAVAIL,0,<agentId>
  static std::unique_ptr<ReqAcdCmd> setAgentReady(int requestId, const std::string& agentId);
  // SETUNAVAIL,0,<agentId>,<code>,<text>
  static std::unique_ptr<ReqAcdCmd> setAgentNotReady(int requestId, const std::string& agentId,
                                                     int code, const std::string& text);
  // SETWNR,0,<agentId>,<duration>
  static std::unique_ptr<ReqAcdCmd> setAgentWrapup(int requestId, const std::string& agentId,
                                                   int duration);
  // SETWORKUNITS,0,<agentId>,<workUnits>,<callId>
  static std::unique_ptr<ReqAcdCmd> setAgentWorkUnits(int requestId, const std::string& agentId,
                                                      int workUnits, const std::string& callId);

 private:
  // The request of the formatted command text, or null when it does not fit.
  static std::unique_ptr<ReqAcdCmd> build(int requestId, const char* fmt, ...)
      __attribute__((format(printf, 2, 3)));

  std::string commandText_;
};

#endif  // QEL_MESSAGES_REQACDCMD_H_
