#include "callcontrol/RawCmdResponse.h"

#include <cstdint>
#include <utility>

#include "messages/QelMessage.h"
#include "messages/TextHelpers.h"

const std::string RawCmdMakeCallResponse::CODE = "_MC";
const std::string RawCmdQueryDeviceResponse::CODE = "_QI";
const std::string RawCmdSnapshotCallResponse::CODE = "!nSC";
const std::string RawCmdSnapshotDeviceResponse::CODE = "_SP";
const std::string RawCmdTransferCallResponse::CODE = "_TR";
const std::string RawCmdListUnifiers::CODE = "_UQC";

namespace {

constexpr size_t kStatusField = 4;
constexpr size_t kDataField = 5;
constexpr char kQuote = '|';

// Keys of the fixed-layout data fields, in the order the server writes them.
const char* const kQueryDeviceKeys[] = {"DeviceID", "DeviceType", "DeviceClass", "Description",
                                        "UserName"};
const char* const kTransferKeys[] = {"NewCallID",  "DestinationDeviceID", "TransferredDeviceID",
                                     "CallerName", "CallerNumber",        "TrunkName",
                                     "TrunkNumber"};

// One value per key, '|' quoting a value that holds commas; the last value
// keeps the rest of the data.
template <size_t N>
std::vector<std::string> splitQuoted(const std::string& data, const char* const (&)[N]) {
  std::vector<std::string> values;
  splitFields(data, ',', kQuote, static_cast<int>(N), &values);
  return values;
}

template <size_t N>
Json::Value keyedObject(const char* const (&keys)[N], const std::vector<std::string>& values) {
  Json::Value object(Json::objectValue);
  for (size_t i = 0; i < N && i < values.size(); ++i) object[keys[i]] = values[i];
  return object;
}

std::vector<std::string> dataItems(const std::string& data) {
  std::vector<std::string> items;
  splitAllFields(data, ',', 0, &items);
  return items;
}

// The number of records that follow the count item at `countIndex`, each
// `width` items long: the count when it is positive and the items hold that
// many whole records, else 0.
size_t recordCount(const std::vector<std::string>& items, size_t countIndex, size_t width) {
  if (items.size() <= countIndex) return 0;
  const int count = stringToInt(items[countIndex]);
  if (count <= 0) return 0;
  const uint64_t needed = static_cast<uint64_t>(count) * width + countIndex + 1;
  return needed <= items.size() ? static_cast<size_t>(count) : 0;
}

}  // namespace

RawCmdResponse::RawCmdResponse(const std::vector<std::string>& fields) {
  if (fields.size() > kStatusField) status_ = fields[kStatusField];
}

RawCmdResponse::~RawCmdResponse() = default;

bool RawCmdResponse::succeeded() const {
  return isSuccessStatus(status_);
}

const std::string& RawCmdResponse::dataField(const std::vector<std::string>& fields) {
  static const std::string kNoData;
  return fields.size() > kDataField ? fields[kDataField] : kNoData;
}

bool RawCmdResponse::writeFailure(Json::Value& out) const {
  if (succeeded()) return false;
  out["error"] = -1;
  out[kDetailsKey] = "command failed";
  return true;
}

void RawCmdResponse::writeSuccess(Json::Value& out, Json::Value details) {
  out["error"] = 0;
  out[kDetailsKey] = std::move(details);
}

void RawCmdResponse::toJson(Json::Value& out) const {
  if (writeFailure(out)) return;
  writeSuccess(out, Json::Value());
}

std::unique_ptr<RawCmdResponse> RawCmdMakeCallResponse::create(
    const std::vector<std::string>& fields) {
  return std::make_unique<RawCmdMakeCallResponse>(fields);
}

RawCmdMakeCallResponse::RawCmdMakeCallResponse(const std::vector<std::string>& fields)
    : RawCmdResponse(fields) {
  std::vector<std::string> halves;
  splitFields(dataField(fields), ',', 0, 2, &halves);
  handle_ = halves[0];
  deviceId_ = halves[1];
}

void RawCmdMakeCallResponse::toJson(Json::Value& out) const {
  if (writeFailure(out)) return;
  Json::Value details(Json::objectValue);
  details["handle"] = handle_;
  details["DeviceID"] = deviceId_;
  writeSuccess(out, std::move(details));
}

std::unique_ptr<RawCmdResponse> RawCmdQueryDeviceResponse::create(
    const std::vector<std::string>& fields) {
  return std::make_unique<RawCmdQueryDeviceResponse>(fields);
}

RawCmdQueryDeviceResponse::RawCmdQueryDeviceResponse(const std::vector<std::string>& fields)
    : RawCmdResponse(fields), values_(splitQuoted(dataField(fields), kQueryDeviceKeys)) {}

void RawCmdQueryDeviceResponse::toJson(Json::Value& out) const {
  if (writeFailure(out)) return;
  writeSuccess(out, keyedObject(kQueryDeviceKeys, values_));
}

std::unique_ptr<RawCmdResponse> RawCmdTransferCallResponse::create(
    const std::vector<std::string>& fields) {
  return std::make_unique<RawCmdTransferCallResponse>(fields);
}

RawCmdTransferCallResponse::RawCmdTransferCallResponse(const std::vector<std::string>& fields)
    : RawCmdResponse(fields), values_(splitQuoted(dataField(fields), kTransferKeys)) {}

void RawCmdTransferCallResponse::toJson(Json::Value& out) const {
  if (writeFailure(out)) return;
  writeSuccess(out, keyedObject(kTransferKeys, values_));
}

void PartyConnection::appendTo(Json::Value& array) const {
  Json::Value record(Json::objectValue);
  record["party"] = party;
  record["connection"] = connection;
  array.append(std::move(record));
}

void CallConnection::appendTo(Json::Value& array) const {
  Json::Value record(Json::objectValue);
  record["callID"] = callID;
  record["connection"] = connection;
  array.append(std::move(record));
}

std::unique_ptr<RawCmdResponse> RawCmdSnapshotCallResponse::create(
    const std::vector<std::string>& fields) {
  return std::make_unique<RawCmdSnapshotCallResponse>(fields);
}

RawCmdSnapshotCallResponse::RawCmdSnapshotCallResponse(const std::vector<std::string>& fields)
    : RawCmdResponse(fields) {
  // Item 0 is not read; the count is item 1 and the pairs start at item 2.
  const std::vector<std::string> items = dataItems(dataField(fields));
  const size_t count = recordCount(items, 1, 2);
  for (size_t i = 0; i < count; ++i) {
    parties_.push_back(
        std::make_unique<PartyConnection>(PartyConnection{items[2 + 2 * i], items[3 + 2 * i]}));
  }
}

RawCmdSnapshotCallResponse::~RawCmdSnapshotCallResponse() = default;

void RawCmdSnapshotCallResponse::toJson(Json::Value& out) const {
  if (writeFailure(out)) return;
  Json::Value details;
  for (const auto& party : parties_) party->appendTo(details);
  writeSuccess(out, std::move(details));
}

std::unique_ptr<RawCmdResponse> RawCmdSnapshotDeviceResponse::create(
    const std::vector<std::string>& fields) {
  return std::make_unique<RawCmdSnapshotDeviceResponse>(fields);
}

RawCmdSnapshotDeviceResponse::RawCmdSnapshotDeviceResponse(const std::vector<std::string>& fields)
    : RawCmdResponse(fields) {
  // The count is item 0 and the pairs start at item 1.
  const std::vector<std::string> items = dataItems(dataField(fields));
  const size_t count = recordCount(items, 0, 2);
  for (size_t i = 0; i < count; ++i) {
    calls_.push_back(
        std::make_unique<CallConnection>(CallConnection{items[1 + 2 * i], items[2 + 2 * i]}));
  }
}

RawCmdSnapshotDeviceResponse::~RawCmdSnapshotDeviceResponse() = default;

void RawCmdSnapshotDeviceResponse::toJson(Json::Value& out) const {
  if (writeFailure(out)) return;
  Json::Value details;
  for (const auto& call : calls_) call->appendTo(details);
  writeSuccess(out, std::move(details));
}

std::unique_ptr<RawCmdResponse> RawCmdListUnifiers::create(const std::vector<std::string>& fields) {
  return std::make_unique<RawCmdListUnifiers>(fields);
}

RawCmdListUnifiers::RawCmdListUnifiers(const std::vector<std::string>& fields)
    : RawCmdResponse(fields), items_(dataItems(dataField(fields))) {}

void RawCmdListUnifiers::toJson(Json::Value& out) const {
  if (writeFailure(out)) return;
  // The count is item 0 and the triples start at item 1.
  Json::Value details;
  const size_t count = recordCount(items_, 0, 3);
  for (size_t i = 0; i < count; ++i) {
    Json::Value node(Json::objectValue);
    node["nodeId"] = items_[1 + 3 * i];
    node["status"] = items_[2 + 3 * i];
    node["nodeId1"] = items_[3 + 3 * i];
    details.append(std::move(node));
  }
  writeSuccess(out, std::move(details));
}
