#include "tests/support/WorkGrowth.h"

#include <time.h>

#include <algorithm>
#include <limits>

namespace {

constexpr int kRuns = 5;

// CPU time of the calling thread, in nanoseconds.
double threadCpuNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

double cpuTimeOf(const std::function<void(size_t)>& work, size_t n) {
  const double start = threadCpuNanoseconds();
  work(n);
  return threadCpuNanoseconds() - start;
}

}  // namespace

double workGrowth(const std::function<void(size_t)>& work, size_t n) {
  double small = std::numeric_limits<double>::max();
  double large = std::numeric_limits<double>::max();
  for (int run = 0; run < kRuns; ++run) {
    small = std::min(small, cpuTimeOf(work, n));
    large = std::min(large, cpuTimeOf(work, kWorkGrowthStep * n));
  }
  return large / std::max(small, 1.0);
}
