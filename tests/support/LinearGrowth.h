#ifndef QEL_TESTS_SUPPORT_LINEARGROWTH_H_
#define QEL_TESTS_SUPPORT_LINEARGROWTH_H_

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>

// Checks that a step costs linear time in the size of its input, however
// busy the machine is and without a wall-clock limit: the step is run on an
// input of `size` units and on one of `factor` times as many, and the larger
// may take at most `limit` times the work of the smaller. The work is the
// CPU time of the test's process, which leaves out the time other processes
// hold the processor; each size is run a few times, in turn with the other,
// and its least work counts. A linear step gives about `factor`, a quadratic
// one about `factor` squared; a limit between the two, well above `factor`,
// leaves room for caches and noise.
//
// `prepare` builds the input of the given size, outside the measurement, and
// returns the step to measure.
using PreparedStep = std::function<void()>;
::testing::AssertionResult growsLinearly(const std::function<PreparedStep(size_t)>& prepare,
                                         size_t size, size_t factor, double limit);

#endif  // QEL_TESTS_SUPPORT_LINEARGROWTH_H_
