#ifndef QEL_MESSAGES_ACDFIELDS_H_
#define QEL_MESSAGES_ACDFIELDS_H_

#include <json/value.h>

#include <cstddef>
#include <string>
#include <vector>

// Field reading shared by the agent-distribution reply and event: a field of
// a split body by position, and the copy of named fields into the details
// object posted to the page.

// How a copied field is written: as received, or one half of a pdn:device
// text (afterColon / beforeColon).
enum class AcdPick { kAsIs, kAfterColon, kBeforeColon };

// One member of a details object: its key and the body field it comes from.
struct AcdDetailField {
  const char* key;
  size_t index;
  AcdPick pick = AcdPick::kAsIs;
};

// Field `index` of `fields`, or the empty text when the body does not hold it.
const std::string& acdField(const std::vector<std::string>& fields, size_t index);

// Writes details[key] for each entry of table[0, count) up to the first one
// without a key; every value is a JSON string.
void writeAcdDetails(const std::vector<std::string>& fields, const AcdDetailField* table,
                     size_t count, Json::Value& details);

template <size_t N>
void writeAcdDetails(const std::vector<std::string>& fields, const AcdDetailField (&table)[N],
                     Json::Value& details) {
  writeAcdDetails(fields, table, N, details);
}

#endif  // QEL_MESSAGES_ACDFIELDS_H_
