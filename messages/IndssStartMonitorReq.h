#ifndef QEL_MESSAGES_INDSSSTARTMONITORREQ_H_
#define QEL_MESSAGES_INDSSSTARTMONITORREQ_H_

#include <string>

#include "messages/QelMessage.h"

// Request "INDSS" "MONSTART": starts monitoring the state of a device.
// Text: INDSS,MONSTART,[requestId:],device,option.
class IndssStartMonitorReq : public QelMessage {
 public:
  IndssStartMonitorReq(const std::string& device, int requestId, int option);

  // Returns the text length, or -1 (empty buffer) when the text does not fit.
  int serialize(char* buffer, int size) const override;

  const std::string& device() const { return device_; }
  int option() const { return option_; }

 private:
  std::string device_;
  int option_;
};

#endif  // QEL_MESSAGES_INDSSSTARTMONITORREQ_H_
