#include "tests/support/LinearGrowth.h"

#include <time.h>

#include <algorithm>
#include <limits>

namespace {

constexpr int kRuns = 5;

// CPU time of the whole process (the step may run threads), in seconds.
double processCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double cpuSecondsOf(const PreparedStep& step) {
  const double start = processCpuSeconds();
  step();
  return processCpuSeconds() - start;
}

}  // namespace

::testing::AssertionResult growsLinearly(const std::function<PreparedStep(size_t)>& prepare,
                                         size_t size, size_t factor, double limit) {
  const PreparedStep smallStep = prepare(size);
  const PreparedStep largeStep = prepare(size * factor);
  double small = std::numeric_limits<double>::max();
  double large = std::numeric_limits<double>::max();
  for (int run = 0; run < kRuns; ++run) {
    small = std::min(small, cpuSecondsOf(smallStep));
    large = std::min(large, cpuSecondsOf(largeStep));
  }
  small = std::max(small, 1e-6);
  ::testing::AssertionResult result =
      large <= limit * small ? ::testing::AssertionSuccess() : ::testing::AssertionFailure();
  return result << "size " << size << " took " << small << " s of CPU, size " << size * factor
                << " took " << large << " s: " << large / small << " times as much (limit " << limit
                << ")";
}
