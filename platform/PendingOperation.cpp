#include "platform/PendingOperation.h"

#include "platform/MainLoop.h"
#include "platform/PlatformTypes.h"

namespace pp {

void PendingOperation::finish(int32_t result) {
  if (finished_) return;
  finished_ = true;
  target = nullptr;
  callback_.Run(result);
}

void PendingOperation::finishLater(MainLoop* loop, int32_t result) {
  if (finished_) return;
  finished_ = true;
  target = nullptr;
  completeLater(loop, callback_, result);
}

int32_t completeLater(MainLoop* loop, const CompletionCallback& callback, int32_t result) {
  if (loop != nullptr) {
    CompletionCallback pending = callback;
    loop->post([pending, result]() mutable { pending.Run(result); });
  }
  return PP_OK_COMPLETIONPENDING;
}

}  // namespace pp
