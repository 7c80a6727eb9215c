#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/CompletionCallback.h"

namespace {

struct Target {
  std::vector<std::string> calls;

  void onResult(int32_t result) { calls.push_back(std::to_string(result)); }
  void onNamed(int32_t result, const std::string& name) {
    calls.push_back(name + std::to_string(result));
  }
  void onPair(int32_t result, int first, std::string second) {
    calls.push_back(std::to_string(first) + second + std::to_string(result));
  }
};

TEST(CompletionCallbackTest, RunsOnceWhicheverCopyIsRun) {
  Target target;
  pp::CompletionCallbackFactory<Target> factory(&target);
  pp::CompletionCallback callback = factory.NewCallback(&Target::onResult);
  pp::CompletionCallback copy = callback;
  EXPECT_FALSE(callback.is_null());
  copy.Run(4);
  callback.Run(5);
  copy.Run(6);
  EXPECT_EQ(std::vector<std::string>{"4"}, target.calls);
  EXPECT_TRUE(callback.is_null());

  pp::CompletionCallback none;
  EXPECT_TRUE(none.is_null());
  none.Run(1);
}

TEST(CompletionCallbackTest, PassesBoundArguments) {
  Target target;
  pp::CompletionCallbackFactory<Target, pp::ThreadSafeThreadTraits> factory(&target);
  std::string name = "gen";
  pp::CompletionCallback named = factory.NewCallback(&Target::onNamed, name);
  name = "changed";
  pp::CompletionCallback pair = factory.NewCallback(&Target::onPair, 7, std::string("x"));
  named.Run(3);
  pair.Run(-1);
  EXPECT_EQ((std::vector<std::string>{"gen3", "7x-1"}), target.calls);
}

TEST(CompletionCallbackTest, CancelledCallbacksNeverTouchTheObject) {
  auto target = std::make_unique<Target>();
  auto factory = std::make_unique<pp::CompletionCallbackFactory<Target>>(target.get());
  pp::CompletionCallback beforeCancel = factory->NewCallback(&Target::onResult);
  factory->CancelAll();
  pp::CompletionCallback afterCancel = factory->NewCallback(&Target::onResult);
  pp::CompletionCallback orphan = factory->NewCallback(&Target::onNamed, std::string("n"));
  beforeCancel.Run(1);
  afterCancel.Run(2);
  EXPECT_EQ(std::vector<std::string>{"2"}, target->calls);

  // Both gone: a callback that outlives them must not reach the freed object
  // (the sanitized build catches a use after free).
  factory.reset();
  target.reset();
  orphan.Run(3);
}

}  // namespace
