#ifndef QEL_TESTS_SUPPORT_WORKGROWTH_H_
#define QEL_TESTS_SUPPORT_WORKGROWTH_H_

#include <cstddef>
#include <functional>

// Checks that an operation's work grows in proportion to its input, however
// busy the machine is: the work is the calling thread's own CPU time, which
// leaves out the time other processes hold the processor, for an input of
// size n and of kWorkGrowthStep times n, each the least of a few runs taken
// in turn. A linear operation grows by about kWorkGrowthStep, a quadratic
// one by its square.
constexpr size_t kWorkGrowthStep = 8;
// The most a linear operation may grow by: far above kWorkGrowthStep, for
// caches and noise, and far below the 64 of a quadratic one.
constexpr double kLinearWorkGrowth = 24;

// How many times the work of `work`(kWorkGrowthStep * n) is that of
// `work`(n).
double workGrowth(const std::function<void(size_t n)>& work, size_t n);

#endif  // QEL_TESTS_SUPPORT_WORKGROWTH_H_
