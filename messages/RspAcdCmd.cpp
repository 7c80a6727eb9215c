#include "messages/RspAcdCmd.h"

#include <utility>

#include "messages/AcdFields.h"
#include "messages/TextHelpers.h"
#include "messages/Utf8Text.h"

namespace {

const size_t kCommandWordField = 1;
const size_t kStatusField = 3;
const size_t kListKindField = 4;
const size_t kRecordCountField = 8;
const size_t kFirstRecordField = 9;

// Reads the fields of list records one after the other; past the end of the
// body every field reads as the empty text.
class FieldCursor {
 public:
  FieldCursor(const std::vector<std::string>& fields, size_t index)
      : fields_(fields), index_(index) {}
  bool atEnd() const { return index_ >= fields_.size(); }
  const std::string& next() { return acdField(fields_, index_++); }

 private:
  const std::vector<std::string>& fields_;
  size_t index_;
};

using RecordReader = Json::Value (*)(FieldCursor& in);

// Characters, not bytes: a field may start with a character of several
// bytes, which must not be cut in two.
std::string withoutFirstChar(const std::string& text) {
  return text.substr(utf8Offset(text, 1));
}

std::string firstChar(const std::string& text) {
  return text.substr(0, utf8Offset(text, 1));
}

// Up to `count` records; a record whose first field lies past the end of the
// body is not read, so a count larger than the body ends with the body.
// Null when there is no record (never an empty array).
Json::Value readRecords(FieldCursor& in, int count, RecordReader read) {
  Json::Value list;
  for (int i = 0; i < count && !in.atEnd(); ++i) list.append(read(in));
  return list;
}

Json::Value readGroupAgent(FieldCursor& in) {
  Json::Value agent(Json::objectValue);
  agent["agentId"] = withoutFirstChar(in.next());
  agent["loggedIn"] = in.next();
  agent["takeCall"] = firstChar(in.next());
  return agent;
}

Json::Value readAgentGroup(FieldCursor& in) {
  Json::Value group(Json::objectValue);
  group["groupId"] = afterColon(withoutFirstChar(in.next()));
  group["loggedIn"] = in.next();
  group["takeCall"] = firstChar(in.next());
  return group;
}

Json::Value readGroup(FieldCursor& in) {
  Json::Value group(Json::objectValue);
  group["groupId"] = afterColon(in.next());
  const int agentCount = stringToInt(in.next());
  Json::Value agents = readRecords(in, agentCount, readGroupAgent);
  group["groupName"] = in.next();
  group["enableType"] = in.next();
  group["ssValid"] = in.next();
  group["agents"] = std::move(agents);
  return group;
}

Json::Value readAgent(FieldCursor& in) {
  Json::Value agent(Json::objectValue);
  agent["agentId"] = in.next();
  agent["extension"] = in.next();
  const int groupCount = stringToInt(in.next());
  agent["groups"] = readRecords(in, groupCount, readAgentGroup);
  return agent;
}

Json::Value readUnavailReason(FieldCursor& in) {
  Json::Value reason(Json::objectValue);
  reason["reason"] = in.next();
  reason["description"] = in.next();
  return reason;
}

Json::Value readUnavailEntry(FieldCursor& in) {
  Json::Value entry(Json::objectValue);
  entry["code"] = in.next();
  entry["extension"] = in.next();
  return entry;
}

Json::Value readList(const std::vector<std::string>& fields, RecordReader read) {
  FieldCursor in(fields, kFirstRecordField);
  return readRecords(in, stringToInt(acdField(fields, kRecordCountField)), read);
}

struct ListKind {
  const char* kind;
  RecordReader read;
};

// The list kinds of a "QUERY" reply (field 4).
const ListKind kQueryLists[] = {
    {"GROUP", readGroup},
    {"UNAVAIL", readUnavailReason},
    {"AGENT", readAgent},
};

enum class Success { kQueryList, kDetails, kNoDetails, kUnavailList };
enum class Failure { kErrorOnly, kStatusText };

struct ReplyForm {
  const char* word;
  Success success;
  Failure failure;
  AcdDetailField details[4];
};

constexpr AcdPick kDevice = AcdPick::kAfterColon;

// clang-format off
const ReplyForm kReplyForms[] = {
  {"QUERY",        Success::kQueryList,   Failure::kErrorOnly,  {}},
  {"VAGTPSWRD",    Success::kDetails,     Failure::kStatusText, {{"agentId", 4}, {"valid", 6}}},
  {"AGTLOGINX",    Success::kDetails,     Failure::kStatusText, {{"agentId", 4}, {"extension", 5},
                                                                 {"groupId", 6, kDevice},
                                                                 {"takeCall", 7}}},
  {"AGTLOGOUTX",   Success::kDetails,     Failure::kStatusText, {{"agentId", 4}}},
  {"MONITOR",      Success::kDetails,     Failure::kStatusText, {{"agtgrpId", 6, kDevice}}},
  {"SETAVAIL",     Success::kNoDetails,   Failure::kStatusText, {}},
  {"SETUNAVAIL",   Success::kNoDetails,   Failure::kStatusText, {}},
  {"SETWORKUNITS", Success::kDetails,     Failure::kStatusText, {{"agentId", 4}, {"workUnits", 5},
                                                                 {"callId", 6}}},
  {"SETWNR",       Success::kDetails,     Failure::kStatusText, {{"agentId", 4}, {"duration", 5}}},
  {"UNAVAIL",      Success::kUnavailList, Failure::kStatusText, {}},
};
// clang-format on

const ReplyForm* findReplyForm(const std::string& word) {
  for (const ReplyForm& form : kReplyForms) {
    if (word == form.word) return &form;
  }
  return nullptr;
}

RecordReader findQueryList(const std::string& kind) {
  for (const ListKind& list : kQueryLists) {
    if (kind == list.kind) return list.read;
  }
  return nullptr;
}

}  // namespace

RspAcdCmd::RspAcdCmd(const std::string& service, const std::string& command, int requestId,
                     int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId) {
  splitAllFields(body, ',', '|', &fields_);
  status_ = acdField(fields_, kStatusField);
  acdCommand_ = acdField(fields_, kCommandWordField);
}

void RspAcdCmd::toJson(Json::Value& out) const {
  const ReplyForm* form = findReplyForm(acdCommand_);
  if (form == nullptr) return;
  if (!isSuccessStatus(status_)) {
    out["error"] = -1;
    if (form->failure == Failure::kStatusText) out[kDetailsKey] = status_;
    return;
  }
  switch (form->success) {
    case Success::kQueryList: {
      const RecordReader read = findQueryList(acdField(fields_, kListKindField));
      if (read == nullptr) return;
      out["error"] = 0;
      out[kDetailsKey] = readList(fields_, read);
      break;
    }
    case Success::kDetails: {
      out["error"] = 0;
      Json::Value details(Json::objectValue);
      writeAcdDetails(fields_, form->details, details);
      out[kDetailsKey] = std::move(details);
      break;
    }
    case Success::kNoDetails:
      out["error"] = 0;
      break;
    case Success::kUnavailList:
      out["error"] = 0;
      out[kDetailsKey] = readList(fields_, readUnavailEntry);
      break;
  }
}
