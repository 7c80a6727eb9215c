#include "messages/EvtAcdCmd.h"

#include <utility>

#include "messages/AcdFields.h"
#include "messages/TextHelpers.h"

namespace {

const size_t kEventNameField = 1;
const size_t kReasonField = 6;
const int kNotReadyType = 64;

// The largest details object, "GRP_CALL_SUMMARY", has 11 members.
const size_t kMaxDetails = 11;

struct EventForm {
  const char* name;
  int type;
  AcdDetailField details[kMaxDetails];
};

constexpr AcdPick kDevice = AcdPick::kAfterColon;
constexpr AcdPick kPdn = AcdPick::kBeforeColon;

// Agent events carry the agent's device as pdn:device in field 4, call
// events the group in field 5, callback events in field 6, group events in
// field 2. Type 65 is not used. "ENDRESYNCH" has no fields: its details are
// the empty text.
// clang-format off
const EventForm kEventForms[] = {
  {"LN",                   61, {{"extension", 4, kDevice}, {"pdn", 4, kPdn}, {"agentId", 5},
                                {"agentName", 6}, {"groupId", 7, kDevice}, {"receiveCalls", 8}}},
  {"LF",                   62, {{"extension", 4, kDevice}, {"pdn", 4, kPdn}, {"agentId", 5},
                                {"agentName", 6}, {"groupId", 7, kDevice}}},
  {"RY",                   63, {{"extension", 4, kDevice}, {"pdn", 4, kPdn}, {"agentId", 5}}},
  {"NRY",                  64, {{"extension", 4, kDevice}, {"pdn", 4, kPdn}, {"agentId", 5},
                                {"reason", 6}}},
  {"WNR",                  66, {{"extension", 4, kDevice}, {"pdn", 4, kPdn}, {"agentId", 5},
                                {"duration", 6}}},
  {"ABANDON",              67, {{"callId", 4}, {"groupId", 5, kDevice}, {"duration", 6}}},
  {"WAITING",              68, {{"callId", 4}, {"groupId", 5, kDevice}, {"waiting", 6}}},
  {"NEWCALL",              69, {{"callId", 4}, {"groupId", 5, kDevice}}},
  {"REMOVECALL",           70, {{"callId", 4}, {"groupId", 5}}},
  {"GRP_ENABLE",           71, {{"groupId", 2, kDevice}, {"enabled", 3}, {"schedule", 4}}},
  {"GRP_CALL_SUMMARY",     72, {{"groupId", 2, kDevice}, {"totalCalls", 3}, {"waiting", 4},
                                {"nonWaiting", 5}, {"lcwSeconds", 6}, {"inQueue", 7},
                                {"announcing", 8}, {"alerting", 9}, {"nonAcd", 10},
                                {"callback", 11}, {"inProgress", 12}}},
  {"GRP_AGT_SUMMARY",      73, {{"groupId", 2, kDevice}, {"totalAgents", 3}, {"login", 4},
                                {"logoff", 5}, {"ready", 6}, {"unavailable", 7}, {"wrapup", 8},
                                {"ACD", 9}, {"nonAcd", 10}, {"offline", 11}}},
  {"ENDRESYNCH",           74, {}},
  {"CALLBACK_PENDING",     75, {{"callbackId", 4}, {"callId", 5}, {"groupId", 6}}},
  {"CALLBACK_NOTIFY",      76, {{"callbackId", 4}, {"callId", 5}, {"groupId", 6}}},
  {"CALLBACK_IN_PROGRESS", 77, {{"callbackId", 4}, {"callId", 5}, {"groupId", 6}}},
};

// Added to "NRY" when the agent is unavailable with a code (reason "U").
const AcdDetailField kUnavailDetails[] = {
  {"unavailCode", 7}, {"unavailText", 8}, {"unavailSuppText", 9},
};
// clang-format on

const EventForm* findEventForm(const std::string& name) {
  for (const EventForm& form : kEventForms) {
    if (name == form.name) return &form;
  }
  return nullptr;
}

}  // namespace

EvtAcdCmd::EvtAcdCmd(const std::string& service, const std::string& command, int /*requestId*/,
                     int secondId, const std::string& body)
    : QelMessage(service, command, secondId), body_(body) {
  splitAllFields(body, ',', '|', &fields_);
}

void EvtAcdCmd::toJson(Json::Value& out) const {
  const EventForm* form = findEventForm(acdField(fields_, kEventNameField));
  if (form == nullptr) return;
  out["type"] = form->type;
  if (form->details[0].key == nullptr) {
    out[kDetailsKey] = "";
    return;
  }
  Json::Value details(Json::objectValue);
  writeAcdDetails(fields_, form->details, details);
  if (form->type == kNotReadyType && details["reason"] == "U") {
    writeAcdDetails(fields_, kUnavailDetails, details);
  }
  out[kDetailsKey] = std::move(details);
}
