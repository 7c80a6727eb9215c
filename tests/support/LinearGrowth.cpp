#include "tests/support/LinearGrowth.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr int kRuns = 3;

double fastestSeconds(const PreparedStep& step) {
  double fastest = 0;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    step();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    fastest = run == 0 ? took.count() : std::min(fastest, took.count());
  }
  return fastest;
}

}  // namespace

::testing::AssertionResult growsLinearly(const std::function<PreparedStep(size_t)>& prepare,
                                         size_t size, size_t factor, double limit) {
  const double small = fastestSeconds(prepare(size));
  const double large = fastestSeconds(prepare(size * factor));
  ::testing::AssertionResult result =
      large <= limit * small ? ::testing::AssertionSuccess() : ::testing::AssertionFailure();
  return result << "size " << size << " took " << small << " s, size " << size * factor << " took "
                << large << " s: " << large / small << " times as long (limit " << limit << ")";
}
