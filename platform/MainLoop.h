#ifndef QEL_PLATFORM_MAINLOOP_H_
#define QEL_PLATFORM_MAINLOOP_H_

#include <asio/executor_work_guard.hpp>
#include <asio/io_context.hpp>
#include <asio/steady_timer.hpp>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <utility>

namespace pp {

// The module's main thread: one event loop over an asio::io_context on
// which page messages, completions of sockets and resolvers, and timers all
// run, one at a time, on the thread that drives the loop.
//
// One loop is current at a time (the one made last; cleared when it is
// destroyed). The platform classes find it through MainLoop::current():
// sockets and resolvers are created on it, and Core::CallOnMainThread arms
// its timers. The loop must outlive the sockets, resolvers and instances
// that use it; should one outlive it anyway, its pending operations are
// dropped when the loop goes and it runs nothing afterwards.
//
// Clock: with Clock::kReal, timers fire after their delay in real time.
// With Clock::kTest, time stands still until the test calls advance(), so
// that timers of 5000 ms and 120000 ms fire at once, in deadline order, and
// timers with the same deadline in the order they were armed.
//
// Driving the loop:
//  - run() runs until stop() is called (a host's main loop).
//  - runUntilIdle() runs every handler that is ready (posted tasks,
//    completions whose result is already known, due timers, socket events
//    the system has already delivered) until none is left. It does not wait
//    for network events still under way, nor for a resolve.
//  - runUntil(done) runs and waits for events until done() holds.
//  - advance(ms) moves the test clock forward, firing the timers that fall
//    due in order and running until idle after each.
// Every helper is bounded by a real-time limit and returns false when the
// limit passes first, so a broken test fails instead of hanging.
class MainLoop {
 public:
  enum class Clock { kReal, kTest };

  static constexpr std::chrono::milliseconds kDefaultLimit{10000};

  // Base of what holds asio objects of a loop (a socket, a resolver):
  // registered with the loop while both live. When the loop is destroyed
  // first, releaseAsio() is called while the io_context still exists; the
  // resource then has no loop and runs nothing more.
  class Resource {
   public:
    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;

    // The loop, or null once it is gone.
    MainLoop* loop() const { return loop_; }

   protected:
    explicit Resource(MainLoop* loop);
    virtual ~Resource();

    // Ends pending operations and destroys the asio objects.
    virtual void releaseAsio() = 0;

   private:
    friend class MainLoop;

    MainLoop* loop_;
  };

  // Failures the platform can be told to show, so that the module's
  // handling of a missing or failing interface can be tested.
  struct Faults {
    bool noTcpSocketInterface = false;       // TCPSocket::IsAvailable() false
    bool tcpSocketCreationFails = false;     // TCPSocket(handle) is null
    bool noHostResolverInterface = false;    // HostResolver::IsAvailable() false
    bool hostResolverCreationFails = false;  // HostResolver(handle) is null
    // Test knobs of TCPSocket::Write, read when a write is issued:
    // a write sends at most this many bytes and completes with that count
    // (a short write; 0 or less: no limit) ...
    int32_t writeLimit = 0;
    // ... and its completion arrives this many milliseconds of the loop's
    // clock after its bytes went out, so that it stays in progress while a
    // test moves the clock (0 or less: as soon as the bytes went out).
    int32_t writeCompletionDelayMs = 0;
  };

  explicit MainLoop(Clock clock = Clock::kReal);
  // Drops pending timers and tasks without running them.
  ~MainLoop();

  MainLoop(const MainLoop&) = delete;
  MainLoop& operator=(const MainLoop&) = delete;

  // The current loop, or null when there is none.
  static MainLoop* current();

  // The current loop when it offers the interface whose fault is
  // `missing`; null otherwise.
  static MainLoop* offering(bool Faults::*missing);
  // The current loop when a resource may be made on it for `instance`: the
  // instance is not 0 and the fault `creationFails` is not set.
  static MainLoop* forNewResource(int32_t instance, bool Faults::*creationFails);

  asio::io_context& context() { return context_; }
  Clock clock() const { return clock_; }
  Faults& faults() { return faults_; }

  // Milliseconds since the loop was made (test clock: the sum of advance()).
  int64_t now() const;

  // Runs `task` on the loop, after the handlers already ready. The one
  // operation that may be called from another thread (for instance a host's
  // input reader).
  void post(std::function<void()> task);

  // Runs `task` once `delayMs` milliseconds have passed on the loop's clock.
  // Never inside this call, even for 0 ms (or a negative delay, taken as 0):
  // a due timer runs like a posted task.
  void callLater(int32_t delayMs, std::function<void()> task);

  // Timers armed and not yet fired.
  size_t pendingTimers() const { return timers_.size(); }

  void run();
  void stop();
  bool runUntilIdle(std::chrono::milliseconds limit = kDefaultLimit);
  bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = kDefaultLimit);
  // Test clock only (false with the real clock or a negative step).
  bool advance(int64_t ms, std::chrono::milliseconds limit = kDefaultLimit);

 private:
  using Deadline = std::chrono::steady_clock::time_point;

  // Timers by deadline, then by arming order.
  using TimerKey = std::pair<int64_t, uint64_t>;

  void prepare();
  bool runReady(Deadline end);
  void armTimers();
  void fireDueTimer();

  asio::io_context context_;
  asio::executor_work_guard<asio::io_context::executor_type> work_;
  const Clock clock_;
  const std::chrono::steady_clock::time_point start_;
  int64_t testNow_ = 0;
  Faults faults_;

  std::map<TimerKey, std::function<void()>> timers_;
  uint64_t nextTimerSequence_ = 0;
  // Real clock: one asio timer, armed for the earliest deadline.
  asio::steady_timer wake_;
  bool wakeArmed_ = false;
  int64_t wakeDeadline_ = 0;
  // Test clock: a task that fires the first due timer is posted.
  bool firePosted_ = false;

  std::set<Resource*> resources_;
};

}  // namespace pp

#endif  // QEL_PLATFORM_MAINLOOP_H_
