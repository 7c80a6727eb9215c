#include "platform/VarJson.h"

#include <json/writer.h>

#include <cmath>
#include <cstdint>

#include "platform/Var.h"

namespace pp {

Var varFromJson(const Json::Value& value) {
  switch (value.type()) {
    case Json::nullValue:
      return Var(Var::Null());
    case Json::booleanValue:
      return Var(value.asBool());
    case Json::intValue:
    case Json::uintValue:
    case Json::realValue:
      // isInt() holds for any integral number within the 32-bit range, a
      // real one (2.0) included.
      if (value.isInt()) return Var(static_cast<int32_t>(value.asInt()));
      return Var(value.asDouble());
    case Json::stringValue:
      return Var(value.asString());
    case Json::arrayValue: {
      VarArray array;
      for (Json::ArrayIndex i = 0; i < value.size(); ++i) array.Set(i, varFromJson(value[i]));
      return array;
    }
    case Json::objectValue: {
      VarDictionary dictionary;
      for (const std::string& key : value.getMemberNames()) {
        dictionary.Set(Var(key), varFromJson(value[key]));
      }
      return dictionary;
    }
  }
  return Var();
}

Json::Value varToJson(const Var& var) {
  if (var.is_bool()) return Json::Value(var.AsBool());
  if (var.is_int()) return Json::Value(var.AsInt());
  if (var.is_double()) {
    return std::isfinite(var.AsDouble()) ? Json::Value(var.AsDouble()) : Json::Value();
  }
  if (var.is_string()) return Json::Value(var.AsString());
  if (var.is_array()) {
    VarArray array(var);
    Json::Value out(Json::arrayValue);
    for (uint32_t i = 0; i < array.GetLength(); ++i) out.append(varToJson(array.Get(i)));
    return out;
  }
  if (var.is_dictionary()) {
    VarDictionary dictionary(var);
    VarArray keys = dictionary.GetKeys();
    Json::Value out(Json::objectValue);
    for (uint32_t i = 0; i < keys.GetLength(); ++i) {
      out[keys.Get(i).AsString()] = varToJson(dictionary.Get(keys.Get(i)));
    }
    return out;
  }
  return Json::Value();
}

// The compact writer gives the page's line format byte for byte; the library
// marks it deprecated in favour of its stream builder, whose output differs.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
std::string varToJsonLine(const Var& var) {
  Json::FastWriter writer;
  return writer.write(varToJson(var));
}
#pragma GCC diagnostic pop

}  // namespace pp
