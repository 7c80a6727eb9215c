#ifndef QEL_TESTS_SUPPORT_LINEARGROWTH_H_
#define QEL_TESTS_SUPPORT_LINEARGROWTH_H_

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>

// Checks that a step costs linear time in the size of its input, without a
// wall-clock limit: the step is timed on an input of `size` units and on one
// of `factor` times as many, and the larger may take at most `limit` times
// as long as the smaller. A linear step gives about `factor`, a quadratic
// one about `factor` squared; a limit between the two, well above `factor`,
// keeps a shared or slowed machine from failing the check.
//
// `prepare` builds the input of the given size, outside the timing, and
// returns the step to time. Each size is timed three times and the fastest
// run counts, so that a pause of the machine during one run does not.
using PreparedStep = std::function<void()>;
::testing::AssertionResult growsLinearly(const std::function<PreparedStep(size_t)>& prepare,
                                         size_t size, size_t factor, double limit);

#endif  // QEL_TESTS_SUPPORT_LINEARGROWTH_H_
