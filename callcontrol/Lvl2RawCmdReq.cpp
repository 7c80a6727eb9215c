#include "callcontrol/Lvl2RawCmdReq.h"

#include <utility>

#include "callcontrol/RawCmd.h"

namespace {
const char kCmdRawCmd[] = "RAWCMD";
}  // namespace

Lvl2RawCmdReq::Lvl2RawCmdReq(std::unique_ptr<RawCmd> command, int requestId)
    : QelMessage(kServiceLvl2, kCmdRawCmd, requestId, 0), command_(std::move(command)) {}

Lvl2RawCmdReq::~Lvl2RawCmdReq() = default;

int Lvl2RawCmdReq::serialize(char* buffer, int size) const {
  const int header = QelMessage::serialize(buffer, size);
  if (header < 0 || command_ == nullptr) return header;
  const int body = command_->serialize(buffer + header, size - header);
  if (body < 0) {
    buffer[0] = '\0';
    return -1;
  }
  return header + body;
}
