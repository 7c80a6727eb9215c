#include "plugin/PageCommand.h"

#include "platform/Var.h"

int readRequestId(const pp::VarArray& args) {
  return readInt(args, 0);
}

int readInt(const pp::VarArray& args, uint32_t index) {
  const pp::Var value = args.Get(index);
  return value.is_number() ? value.AsInt() : 0;
}

std::string readText(const pp::VarArray& args, uint32_t index) {
  const pp::Var value = args.Get(index);
  return value.is_string() ? value.AsString() : std::string();
}

bool readFlag(const pp::VarArray& args, uint32_t index) {
  const pp::Var value = args.Get(index);
  return value.is_bool() && value.AsBool();
}
