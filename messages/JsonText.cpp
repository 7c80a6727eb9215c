#include "messages/JsonText.h"

#include <json/writer.h>

// The compact writer is what the page expects, byte for byte; the library
// marks it deprecated in favour of its stream builder, whose output differs.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
std::string writeJsonText(const Json::Value& value) {
  Json::FastWriter writer;
  return writer.write(value);
}
#pragma GCC diagnostic pop
