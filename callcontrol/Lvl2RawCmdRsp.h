#ifndef QEL_CALLCONTROL_LVL2RAWCMDRSP_H_
#define QEL_CALLCONTROL_LVL2RAWCMDRSP_H_

#include <memory>
#include <string>

#include "messages/QelMessage.h"

class RawCmdResponse;

// A "RAWCMD" reply of the call server: the answer to one call-control
// command, posted to the page under the request id of its header. The body
// is split into six fields ('|' quoting) and the response class is chosen
// by the echoed command code (field 2). The reply owns its response.
class Lvl2RawCmdRsp : public QelMessage {
 public:
  // The message factory's creator form. The prefix is "CF" whatever two
  // characters the received text began with.
  Lvl2RawCmdRsp(const std::string& service, const std::string& command, int requestId, int secondId,
                const std::string& body);
  ~Lvl2RawCmdRsp() override;

  // The response's page object.
  void toJson(Json::Value& out) const override;

  // Never null.
  const RawCmdResponse& response() const { return *response_; }

 private:
  std::unique_ptr<RawCmdResponse> response_;
};

#endif  // QEL_CALLCONTROL_LVL2RAWCMDRSP_H_
