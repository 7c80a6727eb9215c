#ifndef QEL_TESTS_SUPPORT_PAGETEXT_H_
#define QEL_TESTS_SUPPORT_PAGETEXT_H_

#include <json/value.h>

#include <string>

#include "messages/JsonText.h"
#include "messages/QelMessage.h"

// One row of a conversion table: a received body and the exact JSON text
// the page then receives.
struct PageCase {
  const char* body;
  const char* page;
};

// The JSON text the page receives for a received message.
inline std::string pageText(const QelMessage& message) {
  Json::Value out;
  message.toJson(out);
  return writeJsonText(out);
}

#endif  // QEL_TESTS_SUPPORT_PAGETEXT_H_
