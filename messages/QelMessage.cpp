#include "messages/QelMessage.h"

#include "messages/TextWriter.h"

const std::string kReplyPrefix = "CF";
const std::string kEventPrefix = "AE";
const std::string kServiceClient = "CLIENT";
const std::string kServiceDialPlan = "DIALPLAN";
const std::string kServiceLvl2 = "LVL2OAI";
const std::string kServiceDss = "DSS";
const std::string kServiceIndss = "INDSS";
const std::string kServiceN2N = "N2N";
const std::string kServiceAcd = "ACD";
const std::string kDetailsKey = "details";
const std::string kCmdGetDialNum = "GETDIALNUM";
const std::string kCmdMonStart = "MONSTART";
const std::string kCmdGetNodeList = "GETNODELIST";
const std::string kCmdLogin = "LOGIN";
const std::string kCmdUserExist = "USER_EXIST";
const std::string kCmdUserInfo = "USER_INFO";

QelMessage::QelMessage() : requestId_(0), secondId_(0) {}

QelMessage::QelMessage(const std::string& prefix, const std::string& service,
                       const std::string& command, int requestId, int secondId)
    : prefix_(prefix),
      service_(service),
      command_(command),
      requestId_(requestId),
      secondId_(secondId) {}

QelMessage::QelMessage(const std::string& service, const std::string& command, int requestId,
                       int secondId)
    : service_(service), command_(command), requestId_(requestId), secondId_(secondId) {}

QelMessage::QelMessage(const std::string& service, const std::string& command, int secondId)
    : prefix_(kEventPrefix),
      service_(service),
      command_(command),
      requestId_(0),
      secondId_(secondId) {}

QelMessage::~QelMessage() = default;

int QelMessage::serialize(char* buffer, int size) const {
  TextWriter out(buffer, size);
  if (prefix_.empty()) {
    out.format("%s,%s,", service_.c_str(), command_.c_str());
  } else {
    out.format("%s,%s,%s,", prefix_.c_str(), service_.c_str(), command_.c_str());
  }
  if (requestId_ > 0) out.format("%d:", requestId_);
  if (secondId_ > 0) out.format("%d", secondId_);
  return out.finish();
}

void QelMessage::toJson(Json::Value&) const {}
