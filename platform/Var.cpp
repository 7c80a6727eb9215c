#include "platform/Var.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <vector>

namespace pp {

struct Var::ArrayData {
  std::vector<Var> elements;
};

struct Var::DictionaryData {
  std::map<std::string, Var> members;
};

Var::Var() = default;

Var::Var(Null) : type_(Type::kNull) {}

Var::Var(bool value) : type_(Type::kBool), bool_(value) {}

Var::Var(int32_t value) : type_(Type::kInt), int_(value) {}

Var::Var(double value) : type_(Type::kDouble), double_(value) {}

Var::Var(const std::string& value) : type_(Type::kString), string_(value) {}

Var::Var(const char* value) : type_(Type::kString), string_(value != nullptr ? value : "") {}

std::string Var::AsString() const {
  return is_string() ? string_ : std::string();
}

bool Var::AsBool() const {
  return is_bool() && bool_;
}

int32_t Var::AsInt() const {
  if (is_int()) return int_;
  if (!is_double() || std::isnan(double_)) return 0;
  if (double_ >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  if (double_ <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(double_);  // truncates toward zero
}

double Var::AsDouble() const {
  if (is_double()) return double_;
  if (is_int()) return int_;
  return 0;
}

VarArray::VarArray() {
  type_ = Type::kArray;
  array_ = std::make_shared<ArrayData>();
}

VarArray::VarArray(const Var& var) : Var(var.is_array() ? var : VarArray()) {}

uint32_t VarArray::GetLength() const {
  return static_cast<uint32_t>(array_->elements.size());
}

Var VarArray::Get(uint32_t index) const {
  return index < array_->elements.size() ? array_->elements[index] : Var();
}

bool VarArray::Set(uint32_t index, const Var& value) {
  if (index >= kMaxLength) return false;
  if (index >= array_->elements.size()) array_->elements.resize(index + 1);
  array_->elements[index] = value;
  return true;
}

bool VarArray::SetLength(uint32_t length) {
  if (length > kMaxLength) return false;
  array_->elements.resize(length);
  return true;
}

VarDictionary::VarDictionary() {
  type_ = Type::kDictionary;
  dictionary_ = std::make_shared<DictionaryData>();
}

VarDictionary::VarDictionary(const Var& var) : Var(var.is_dictionary() ? var : VarDictionary()) {}

Var VarDictionary::Get(const Var& key) const {
  if (!key.is_string()) return Var();
  auto found = dictionary_->members.find(key.AsString());
  return found != dictionary_->members.end() ? found->second : Var();
}

bool VarDictionary::Set(const Var& key, const Var& value) {
  if (!key.is_string()) return false;
  dictionary_->members[key.AsString()] = value;
  return true;
}

void VarDictionary::Delete(const Var& key) {
  if (key.is_string()) dictionary_->members.erase(key.AsString());
}

bool VarDictionary::HasKey(const Var& key) const {
  return key.is_string() && dictionary_->members.count(key.AsString()) != 0;
}

VarArray VarDictionary::GetKeys() const {
  VarArray keys;
  uint32_t index = 0;
  for (const auto& member : dictionary_->members) keys.Set(index++, Var(member.first));
  return keys;
}

}  // namespace pp
