#include "messages/AcdFields.h"

#include "messages/TextHelpers.h"

const std::string& acdField(const std::vector<std::string>& fields, size_t index) {
  static const std::string kMissing;
  return index < fields.size() ? fields[index] : kMissing;
}

void writeAcdDetails(const std::vector<std::string>& fields, const AcdDetailField* table,
                     size_t count, Json::Value& details) {
  for (size_t i = 0; i < count && table[i].key != nullptr; ++i) {
    const std::string& field = acdField(fields, table[i].index);
    switch (table[i].pick) {
      case AcdPick::kAsIs:
        details[table[i].key] = field;
        break;
      case AcdPick::kAfterColon:
        details[table[i].key] = afterColon(field);
        break;
      case AcdPick::kBeforeColon:
        details[table[i].key] = beforeColon(field);
        break;
    }
  }
}
