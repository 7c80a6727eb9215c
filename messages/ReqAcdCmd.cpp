#include "messages/ReqAcdCmd.h"

#include <cstdarg>
#include <cstdio>

#include "messages/TextWriter.h"

namespace {

const char kAcdCommand[] = "ACDCMD";

const char* startOrStop(bool start) {
  return start ? "START" : "STOP";
}

}  // namespace

ReqAcdCmd::ReqAcdCmd(const std::string& commandText, int requestId)
    : QelMessage(kServiceAcd, kAcdCommand, requestId, 0), commandText_(commandText) {}

int ReqAcdCmd::serialize(char* buffer, int size) const {
  const int n = QelMessage::serialize(buffer, size);
  if (n < 0) return -1;
  TextWriter out(buffer, size, n);
  out.format(",%s", commandText_.c_str());
  return out.finish();
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::build(int requestId, const char* fmt, ...) {
  char text[kCommandTextSize];
  va_list args;
  va_start(args, fmt);
  const int n = std::vsnprintf(text, sizeof text, fmt, args);
  va_end(args);
  if (n < 0 || n >= kCommandTextSize) return nullptr;
  return std::make_unique<ReqAcdCmd>(std::string(text, static_cast<size_t>(n)), requestId);
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::queryAgents(int requestId, const std::string& agentId) {
  return build(requestId, "QUERY,0,AGENT,%s,3", agentId.c_str());
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::queryGroups(int requestId, const std::string& groupId) {
  return build(requestId, "QUERY,0,GROUP,%s,33", groupId.c_str());
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::queryUnavailCodes(int requestId, const std::string& id) {
  return build(requestId, "QUERY,0,UNAVAIL,%s,1", id.c_str());
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::validateAgent(int requestId, const std::string& agentId,
                                                    const std::string& password) {
  return build(requestId, "VAGTPSWRD,0,%s,%s", agentId.c_str(), password.c_str());
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::loginQueue(int requestId, const std::string& agentId,
                                                 const std::string& extension,
                                                 const std::string& groupId, int takeCall) {
  return build(requestId, "AGTLOGINX,0,%s,%s,%s,%d", agentId.c_str(), extension.c_str(),
               groupId.c_str(), takeCall);
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::logoutQueue(int requestId, const std::string& agentId,
                                                  const std::string& groupId) {
  return build(requestId, "AGTLOGOUTX,0,%s,%s", agentId.c_str(), groupId.c_str());
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::monitorAgent(int requestId, const std::string& agentId,
                                                   bool start) {
  return build(requestId, "MONITOR,0,%s,AGENT,%s", startOrStop(start), agentId.c_str());
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::monitorGroup(int requestId, const std::string& groupId,
                                                   bool start) {
  return build(requestId, "MONITOR,0,%s,GROUP,%s", startOrStop(start), groupId.c_str());
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::setAgentReady(int requestId, const std::string& agentId) {
  return build(requestId, "SETAVAIL,0,%s", agentId.c_str());
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::setAgentNotReady(int requestId, const std::string& agentId,
                                                       int code, const std::string& text) {
  return build(requestId, "SETUNAVAIL,0,%s,%d,%s", agentId.c_str(), code, text.c_str());
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::setAgentWrapup(int requestId, const std::string& agentId,
                                                     int duration) {
  return build(requestId, "SETWNR,0,%s,%d", agentId.c_str(), duration);
}

std::unique_ptr<ReqAcdCmd> ReqAcdCmd::setAgentWorkUnits(int requestId, const std::string& agentId,
                                                        int workUnits, const std::string& callId) {
  return build(requestId, "SETWORKUNITS,0,%s,%d,%s", agentId.c_str(), workUnits, callId.c_str());
}
