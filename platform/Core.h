#ifndef QEL_PLATFORM_CORE_H_
#define QEL_PLATFORM_CORE_H_

#include <cstdint>

namespace pp {

class CompletionCallback;

// The platform's core services for the module; reached through
// Module::Get()->core().
class Core {
 public:
  // Runs `callback` with `result` on the main thread once `delay_ms`
  // milliseconds have passed on the current loop's clock. Always
  // asynchronous: never inside this call, even for 0 ms. Without a current
  // loop nothing runs.
  void CallOnMainThread(int32_t delay_ms, const CompletionCallback& callback, int32_t result = 0);
};

}  // namespace pp

#endif  // QEL_PLATFORM_CORE_H_
