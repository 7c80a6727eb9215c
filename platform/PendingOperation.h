#ifndef QEL_PLATFORM_PENDINGOPERATION_H_
#define QEL_PLATFORM_PENDINGOPERATION_H_

#include <cstdint>
#include <vector>

#include "platform/CompletionCallback.h"

namespace pp {

class MainLoop;

// One asynchronous operation of a socket or resolver, shared by the
// resource that started it and the asio handler that ends it. It finishes
// exactly once: the handler finishes it with the operation's result, or
// the resource aborts it first (Close, destruction), after which the
// handler finds it finished and does nothing.
//
// A read goes into `bytes` and reaches the caller's buffer (`target`) only
// when the read finishes, so an aborted read never writes into the caller's
// buffer; a write sends its own copy of the caller's bytes.
class PendingOperation {
 public:
  explicit PendingOperation(const CompletionCallback& callback) : callback_(callback) {}

  PendingOperation(const PendingOperation&) = delete;
  PendingOperation& operator=(const PendingOperation&) = delete;

  bool finished() const { return finished_; }

  // Runs the callback now with `result`: called from an asio handler, so
  // already outside the call that started the operation.
  void finish(int32_t result);
  // Finishes with `result` on the next turn of `loop` (without a loop the
  // callback is dropped).
  void finishLater(MainLoop* loop, int32_t result);

  char* target = nullptr;
  std::vector<char> bytes;

 private:
  CompletionCallback callback_;
  bool finished_ = false;
};

// Completes an operation that fails at once: `callback` runs with `result`
// on the next turn of `loop`, never inside the call (nothing runs without a
// loop). Returns PP_OK_COMPLETIONPENDING, what the call itself returns.
int32_t completeLater(MainLoop* loop, const CompletionCallback& callback, int32_t result);

}  // namespace pp

#endif  // QEL_PLATFORM_PENDINGOPERATION_H_
