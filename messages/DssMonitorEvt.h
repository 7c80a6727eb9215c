#ifndef QEL_MESSAGES_DSSMONITOREVT_H_
#define QEL_MESSAGES_DSSMONITOREVT_H_

#include <json/value.h>

#include <string>

#include "messages/QelMessage.h"

// Device-state event of either monitoring service ("AE" "DSSMON" and "AE"
// "INDSSMON"), posted to the page as event type 50. Body: a first field
// (kept, not posted) "," device "," status "," extra [",", anything further,
// which is not kept]; '|' quotes a field that holds commas, and missing
// fields read as empty texts.
class DssMonitorEvt : public QelMessage {
 public:
  // Event form: the request id is not used, the second id is kept.
  DssMonitorEvt(const std::string& service, const std::string& command, int requestId, int secondId,
                const std::string& body);

  // {"type": 50, "details": {"device", "status", "Extra"}}.
  void toJson(Json::Value& out) const override;

  const std::string& firstField() const { return firstField_; }
  const std::string& device() const { return device_; }
  const std::string& status() const { return status_; }
  const std::string& extra() const { return extra_; }

 private:
  std::string firstField_;
  std::string device_;
  std::string status_;
  std::string extra_;
};

#endif  // QEL_MESSAGES_DSSMONITOREVT_H_
