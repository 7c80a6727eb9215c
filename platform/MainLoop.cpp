#include "platform/MainLoop.h"

#include <algorithm>
#include <asio/post.hpp>

namespace pp {

namespace {

MainLoop* currentLoop = nullptr;

// The longest a helper waits for one event before it looks at its
// condition and its limit again.
constexpr std::chrono::milliseconds kWaitSlice{20};

}  // namespace

MainLoop::MainLoop(Clock clock)
    : work_(context_.get_executor()),
      clock_(clock),
      start_(std::chrono::steady_clock::now()),
      wake_(context_) {
  currentLoop = this;
}

MainLoop::Resource::Resource(MainLoop* loop) : loop_(loop) {
  loop_->resources_.insert(this);
}

MainLoop::Resource::~Resource() {
  if (loop_ != nullptr) loop_->resources_.erase(this);
}

MainLoop::~MainLoop() {
  std::set<Resource*> resources;
  resources.swap(resources_);
  for (Resource* resource : resources) {
    resource->releaseAsio();
    resource->loop_ = nullptr;
  }
  timers_.clear();
  if (currentLoop == this) currentLoop = nullptr;
}

MainLoop* MainLoop::current() {
  return currentLoop;
}

MainLoop* MainLoop::offering(bool Faults::*missing) {
  return currentLoop != nullptr && !(currentLoop->faults_.*missing) ? currentLoop : nullptr;
}

MainLoop* MainLoop::forNewResource(int32_t instance, bool Faults::*creationFails) {
  return instance != 0 ? offering(creationFails) : nullptr;
}

int64_t MainLoop::now() const {
  if (clock_ == Clock::kTest) return testNow_;
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start_)
      .count();
}

void MainLoop::post(std::function<void()> task) {
  asio::post(context_, std::move(task));
}

void MainLoop::callLater(int32_t delayMs, std::function<void()> task) {
  int64_t deadline = now() + std::max<int32_t>(delayMs, 0);
  timers_.emplace(TimerKey(deadline, nextTimerSequence_++), std::move(task));
  armTimers();
}

void MainLoop::armTimers() {
  if (timers_.empty()) return;
  int64_t first = timers_.begin()->first.first;
  if (clock_ == Clock::kTest) {
    if (first <= testNow_ && !firePosted_) {
      firePosted_ = true;
      asio::post(context_, [this] {
        firePosted_ = false;
        fireDueTimer();
      });
    }
    return;
  }
  if (wakeArmed_ && wakeDeadline_ <= first) return;
  wakeArmed_ = true;
  wakeDeadline_ = first;
  // Re-arming cancels the earlier wait, whose handler then sees an error.
  wake_.expires_at(start_ + std::chrono::milliseconds(first));
  wake_.async_wait([this](const std::error_code& error) {
    if (error) return;
    wakeArmed_ = false;
    fireDueTimer();
  });
}

// Fires one timer at a time, so completions that became ready meanwhile run
// between two timers that fall due together.
void MainLoop::fireDueTimer() {
  if (!timers_.empty() && timers_.begin()->first.first <= now()) {
    std::function<void()> task = std::move(timers_.begin()->second);
    timers_.erase(timers_.begin());
    task();
  }
  armTimers();
}

void MainLoop::prepare() {
  if (context_.stopped()) context_.restart();
}

void MainLoop::run() {
  prepare();
  context_.run();
}

void MainLoop::stop() {
  context_.stop();
}

bool MainLoop::runReady(Deadline end) {
  while (std::chrono::steady_clock::now() < end) {
    if (context_.poll_one() == 0) return true;
  }
  return false;
}

bool MainLoop::runUntilIdle(std::chrono::milliseconds limit) {
  prepare();
  return runReady(std::chrono::steady_clock::now() + limit);
}

bool MainLoop::runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  prepare();
  Deadline end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    auto left = end - std::chrono::steady_clock::now();
    if (left <= Deadline::duration::zero()) return false;
    context_.run_one_for(std::min<Deadline::duration>(left, kWaitSlice));
    prepare();
  }
  return true;
}

bool MainLoop::advance(int64_t ms, std::chrono::milliseconds limit) {
  if (clock_ != Clock::kTest || ms < 0) return false;
  prepare();
  Deadline end = std::chrono::steady_clock::now() + limit;
  int64_t target = testNow_ + ms;
  if (!runReady(end)) return false;
  while (!timers_.empty() && timers_.begin()->first.first <= target) {
    testNow_ = std::max(testNow_, timers_.begin()->first.first);
    armTimers();
    if (!runReady(end)) return false;
  }
  testNow_ = target;
  return runReady(end);
}

}  // namespace pp
