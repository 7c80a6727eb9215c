#ifndef QEL_TESTS_MESSAGES_BODYPOSTCASES_H_
#define QEL_TESTS_MESSAGES_BODYPOSTCASES_H_

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "tests/support/PageText.h"

// Tables of received "ACD" bodies and the exact page text each posts, for
// the agent-distribution replies and events.

// One row: a received body and the page text it posts.
struct BodyPostCase {
  const char* body;
  const char* json;  // without the final line feed
};

// The page text of a received message built from `body` the way the message
// factory builds it (service "ACD", command "ACDCMD", request id 7).
template <typename Message>
std::string pageTextOf(const std::string& body) {
  return pageText(Message("ACD", "ACDCMD", 7, 0, body));
}

// Checks that each case's body, received as a `Message`, posts its text.
template <typename Message, size_t N>
void expectPosts(const BodyPostCase (&cases)[N]) {
  for (const BodyPostCase& c : cases) {
    EXPECT_EQ(pageTextOf<Message>(c.body), std::string(c.json) + "\n") << c.body;
  }
}

#endif  // QEL_TESTS_MESSAGES_BODYPOSTCASES_H_
