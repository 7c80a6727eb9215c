#ifndef QEL_MESSAGES_JSONTEXT_H_
#define QEL_MESSAGES_JSONTEXT_H_

#include <json/value.h>

#include <string>

// The compact JSON text of a page object, as every post carries it: no
// blanks or line breaks inside, object members in ascending key order, and a
// line feed at the end ("null\n" for a value nobody wrote into).
std::string writeJsonText(const Json::Value& value);

#endif  // QEL_MESSAGES_JSONTEXT_H_
