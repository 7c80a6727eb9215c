#ifndef QEL_PLATFORM_VARJSON_H_
#define QEL_PLATFORM_VARJSON_H_

#include <json/value.h>

#include <string>

namespace pp {

class Var;

// Conversions between page values and JSON, for a host that carries page
// messages as JSON lines.

// A JSON value as the page would post it: arrays to VarArray and objects to
// VarDictionary (recursively), integral numbers within the 32-bit range to
// int (2.0 included), every other number to double, null to null.
Var varFromJson(const Json::Value& value);

// A page value as JSON: undefined and null to null, a double that is not
// finite to null, arrays and dictionaries recursively.
Json::Value varToJson(const Var& var);

// The compact JSON text of a page value, ending in a line feed: one line of
// a host's output.
std::string varToJsonLine(const Var& var);

}  // namespace pp

#endif  // QEL_PLATFORM_VARJSON_H_
