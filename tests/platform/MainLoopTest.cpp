#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/CompletionCallback.h"
#include "platform/Core.h"
#include "platform/Instance.h"
#include "platform/MainLoop.h"
#include "platform/Module.h"

namespace {

using std::chrono::milliseconds;

class TestModule : public pp::Module {
 public:
  pp::Instance* CreateInstance(PP_Instance instance) override { return new pp::Instance(instance); }
};

// Records which timer fired, with the clock reading when it did.
struct Recorder {
  pp::MainLoop* loop = nullptr;
  std::vector<std::string> fired;

  void onTimer(int32_t result, std::string name) {
    fired.push_back(name + "@" + std::to_string(loop->now()) + "=" + std::to_string(result));
  }
};

class MainLoopTest : public ::testing::Test {
 protected:
  MainLoopTest() { recorder_.loop = &loop_; }

  void arm(int32_t delay, const std::string& name, int32_t result = 0) {
    module_.core()->CallOnMainThread(delay, factory_.NewCallback(&Recorder::onTimer, name), result);
  }

  pp::MainLoop loop_{pp::MainLoop::Clock::kTest};
  TestModule module_;
  Recorder recorder_;
  pp::CompletionCallbackFactory<Recorder> factory_{&recorder_};
};

TEST_F(MainLoopTest, ModuleAndLoopAreFoundByThePlatform) {
  EXPECT_EQ(&module_, pp::Module::Get());
  EXPECT_EQ(&loop_, pp::MainLoop::current());
  EXPECT_TRUE(module_.Init());
}

TEST_F(MainLoopTest, CallOnMainThreadNeverRunsInsideTheCall) {
  arm(0, "zero", 9);
  arm(-5, "negative");
  EXPECT_TRUE(recorder_.fired.empty());
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ((std::vector<std::string>{"zero@0=9", "negative@0=0"}), recorder_.fired);
}

TEST_F(MainLoopTest, TestClockFiresTimersInDeadlineThenArmingOrder) {
  arm(120000, "keepalive", 1);
  arm(5000, "reconnect", 7);
  arm(5000, "second", 8);
  arm(60000, "middle");
  ASSERT_TRUE(loop_.runUntilIdle());
  ASSERT_TRUE(loop_.advance(4999));
  EXPECT_TRUE(recorder_.fired.empty());
  EXPECT_EQ(4u, loop_.pendingTimers());
  ASSERT_TRUE(loop_.advance(1));
  EXPECT_EQ((std::vector<std::string>{"reconnect@5000=7", "second@5000=8"}), recorder_.fired);
  ASSERT_TRUE(loop_.advance(200000));
  EXPECT_EQ((std::vector<std::string>{"reconnect@5000=7", "second@5000=8", "middle@60000=0",
                                      "keepalive@120000=1"}),
            recorder_.fired);
  EXPECT_EQ(205000, loop_.now());
  EXPECT_EQ(0u, loop_.pendingTimers());
}

// A keep-alive chain: each tick arms the next one; a single advance over
// several periods fires each tick at its own time.
struct Chain {
  Chain(pp::MainLoop* loop, pp::Core* core) : loop(loop), core(core) {}

  pp::MainLoop* loop;
  pp::Core* core;
  pp::CompletionCallbackFactory<Chain> factory{this};
  std::vector<int64_t> ticks;

  void onTick(int32_t) {
    ticks.push_back(loop->now());
    core->CallOnMainThread(120000, factory.NewCallback(&Chain::onTick));
  }
};

TEST_F(MainLoopTest, TimersArmedByTimersFireWithinOneAdvance) {
  Chain chain(&loop_, module_.core());
  module_.core()->CallOnMainThread(120000, chain.factory.NewCallback(&Chain::onTick));
  ASSERT_TRUE(loop_.advance(360000));
  EXPECT_EQ((std::vector<int64_t>{120000, 240000, 360000}), chain.ticks);
  EXPECT_EQ(1u, loop_.pendingTimers());
}

TEST_F(MainLoopTest, TasksPostedBetweenTimersRunBeforeTheNextTimer) {
  std::vector<std::string> order;
  loop_.callLater(100, [&] {
    order.push_back("first");
    loop_.post([&] { order.push_back("posted by first"); });
  });
  loop_.callLater(100, [&] { order.push_back("second"); });
  ASSERT_TRUE(loop_.advance(100));
  EXPECT_EQ((std::vector<std::string>{"first", "posted by first", "second"}), order);
}

TEST_F(MainLoopTest, CancelledTimerCallbacksRunNothing) {
  arm(10, "cancelled");
  factory_.CancelAll();
  arm(20, "kept");
  ASSERT_TRUE(loop_.advance(20));
  EXPECT_EQ(std::vector<std::string>{"kept@20=0"}, recorder_.fired);
}

TEST_F(MainLoopTest, HelpersFailAtTheirLimitInsteadOfHanging) {
  std::function<void()> forever = [&] { loop_.post(forever); };
  loop_.post(forever);
  EXPECT_FALSE(loop_.runUntilIdle(milliseconds(30)));
  EXPECT_FALSE(loop_.runUntil([] { return false; }, milliseconds(30)));
  EXPECT_FALSE(loop_.advance(10, milliseconds(30)));
  EXPECT_FALSE(loop_.advance(-1));
}

TEST_F(MainLoopTest, RunUntilStopsWhenTheConditionHolds) {
  int count = 0;
  for (int i = 0; i < 3; ++i) loop_.post([&] { ++count; });
  EXPECT_TRUE(loop_.runUntil([&] { return count == 2; }));
  EXPECT_EQ(2, count);
  EXPECT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ(3, count);
}

TEST(MainLoopRealClockTest, RunReturnsOnStopAndTimersFireInRealTime) {
  pp::MainLoop loop;
  std::vector<std::string> order;
  // The earlier deadline is armed second: the loop must wake for it first.
  loop.callLater(100, [&] {
    order.push_back("late");
    loop.callLater(0, [&] {
      order.push_back("stop");
      loop.stop();
    });
  });
  loop.callLater(1, [&] { order.push_back("early"); });
  EXPECT_FALSE(loop.advance(10));
  loop.run();
  EXPECT_EQ((std::vector<std::string>{"early", "late", "stop"}), order);
  EXPECT_GE(loop.now(), 100);

  // After a stop the helpers still run the loop.
  bool posted = false;
  loop.post([&] { posted = true; });
  EXPECT_TRUE(loop.runUntil([&] { return posted; }));
}

TEST(MainLoopLifetimeTest, OnlyALivingLoopIsCurrent) {
  {
    pp::MainLoop loop(pp::MainLoop::Clock::kTest);
    loop.callLater(10, [] { ADD_FAILURE() << "a dropped timer ran"; });
    EXPECT_EQ(&loop, pp::MainLoop::current());
  }
  EXPECT_EQ(nullptr, pp::MainLoop::current());
  // Without a loop nothing is armed and nothing runs.
  pp::Core core;
  pp::CompletionCallback callback([](int32_t) { ADD_FAILURE() << "ran without a loop"; });
  core.CallOnMainThread(0, callback);
}

}  // namespace
