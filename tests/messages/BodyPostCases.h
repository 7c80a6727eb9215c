#ifndef QEL_TESTS_MESSAGES_BODYPOSTCASES_H_
#define QEL_TESTS_MESSAGES_BODYPOSTCASES_H_

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "messages/JsonText.h"

// Tables of received bodies and the exact page text their conversion posts.

struct BodyPostCase {
  const char* body;
  const char* json;  // without the final line feed
};

// The page text of a received message built from `body` the way the message
// factory builds it (service "ACD", command "ACDCMD", request id 7).
template <typename Message>
std::string pageTextOf(const std::string& body) {
  Message message("ACD", "ACDCMD", 7, 0, body);
  Json::Value out;
  message.toJson(out);
  return writeJsonText(out);
}

template <typename Message, size_t N>
void expectPosts(const BodyPostCase (&cases)[N]) {
  for (const BodyPostCase& c : cases) {
    EXPECT_EQ(pageTextOf<Message>(c.body), std::string(c.json) + "\n") << c.body;
  }
}

#endif  // QEL_TESTS_MESSAGES_BODYPOSTCASES_H_
