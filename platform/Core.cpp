#include "platform/Core.h"

#include "platform/CompletionCallback.h"
#include "platform/MainLoop.h"

namespace pp {

void Core::CallOnMainThread(int32_t delay_ms, const CompletionCallback& callback, int32_t result) {
  MainLoop* loop = MainLoop::current();
  if (loop == nullptr) return;
  CompletionCallback pending = callback;
  loop->callLater(delay_ms, [pending, result]() mutable { pending.Run(result); });
}

}  // namespace pp
