#include "messages/IndssStartMonitorReq.h"

#include "messages/TextWriter.h"

IndssStartMonitorReq::IndssStartMonitorReq(const std::string& device, int requestId, int option)
    : QelMessage(kServiceIndss, kCmdMonStart, requestId, 0), device_(device), option_(option) {}

int IndssStartMonitorReq::serialize(char* buffer, int size) const {
  const int n = QelMessage::serialize(buffer, size);
  if (n < 0) return -1;
  TextWriter out(buffer, size, n);
  out.format(",%s,%d", device_.c_str(), option_);
  return out.finish();
}
