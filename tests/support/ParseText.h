#ifndef QEL_TESTS_SUPPORT_PARSETEXT_H_
#define QEL_TESTS_SUPPORT_PARSETEXT_H_

#include <memory>
#include <string>

#include "messages/QelMessage.h"

// The message that QelMessage::parse builds from a server text, or null;
// its log lines go to `session` when one is given. The text is parsed from
// a copy, as parsing cuts it in place.
inline std::unique_ptr<QelMessage> parseText(const std::string& text,
                                             QelSocket* session = nullptr) {
  std::string writable = text;
  return std::unique_ptr<QelMessage>(
      QelMessage::parse(&writable[0], static_cast<int>(writable.size()), session));
}

#endif  // QEL_TESTS_SUPPORT_PARSETEXT_H_
