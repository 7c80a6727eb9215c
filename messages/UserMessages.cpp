#include "messages/UserMessages.h"

#include <utility>
#include <vector>

#include "messages/CredentialCodec.h"
#include "messages/TextHelpers.h"
#include "messages/TextWriter.h"

namespace {

// Field `index` of a split body, when the body holds it.
bool readField(const std::vector<std::string>& fields, size_t index, std::string* out) {
  if (index >= fields.size()) return false;
  *out = fields[index];
  return true;
}

void readNumber(const std::vector<std::string>& fields, size_t index, int* out) {
  if (index < fields.size()) *out = stringToInt(fields[index]);
}

// Splits the body of a user reply (quote '|') and reads its status, and on
// failure its error text. True when the status is a success, whose fields
// the caller then reads.
bool readUserReply(const std::string& body, std::vector<std::string>* fields, std::string* status,
                   std::string* errorText) {
  splitAllFields(body, ',', '|', fields);
  if (!readField(*fields, 0, status)) return false;
  if (isSuccessStatus(*status)) return true;
  readField(*fields, 1, errorText);
  return false;
}

void writeFailure(const std::string& details, Json::Value& out) {
  out["error"] = -1;
  out[kDetailsKey] = details;
}

void writeSuccess(Json::Value details, Json::Value& out) {
  out["error"] = 0;
  out[kDetailsKey] = std::move(details);
}

}  // namespace

QelUserExistReq::QelUserExistReq(int requestId, const std::string& queriedUser,
                                 const std::string& ownUser)
    : QelMessage(kServiceClient, kCmdUserExist, requestId, 0),
      queriedUser_(queriedUser),
      ownUser_(ownUser) {}

int QelUserExistReq::serialize(char* buffer, int size) const {
  const int n = QelMessage::serialize(buffer, size);
  if (n < 0) return -1;
  TextWriter out(buffer, size, n);
  out.format(",|%s|,|%s|", queriedUser_.c_str(), ownUser_.c_str());
  return out.finish();
}

QelUserInfoReq::QelUserInfoReq(int requestId, const std::string& user, const std::string& password)
    : QelMessage(kServiceClient, kCmdUserInfo, requestId, 0), user_(user), password_(password) {}

int QelUserInfoReq::serialize(char* buffer, int size) const {
  const int n = QelMessage::serialize(buffer, size);
  if (n < 0) return -1;
  std::string digest;
  digestCredential(password_, digest);
  TextWriter out(buffer, size, n);
  out.format(",%s,%s", user_.c_str(), digest.c_str());
  return out.finish();
}

QelUserExistRsp::QelUserExistRsp(const std::string& service, const std::string& command,
                                 int requestId, int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId) {
  std::vector<std::string> fields;
  if (!readUserReply(body, &fields, &status_, &errorText_)) return;
  readField(fields, 1, &group_);
  readNumber(fields, 2, &cos_);
  readNumber(fields, 4, &p2_);
  readNumber(fields, 5, &p3_);
  readNumber(fields, 6, &p4_);
}

void QelUserExistRsp::toJson(Json::Value& out) const {
  if (!isSuccessStatus(status_)) {
    writeFailure(errorText_, out);
    return;
  }
  Json::Value details(Json::objectValue);
  details["group"] = group_;
  details["cos"] = cos_;
  details["p2"] = p2_;
  details["p3"] = p3_;
  details["p4"] = p4_;
  writeSuccess(std::move(details), out);
}

QelUserInfoRsp::QelUserInfoRsp(const std::string& service, const std::string& command,
                               int requestId, int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId) {
  std::vector<std::string> fields;
  if (!readUserReply(body, &fields, &status_, &errorText_)) return;
  readField(fields, 2, &username_);
  readField(fields, 4, &ext_);
  readField(fields, 5, &group_);
  changepwd_ = fields.size() > 6 && fields[6] == "Y";
}

void QelUserInfoRsp::toJson(Json::Value& out) const {
  if (!isSuccessStatus(status_)) {
    writeFailure(errorText_, out);
    return;
  }
  Json::Value details(Json::objectValue);
  details["group"] = group_;
  details["ext"] = ext_;
  details["username"] = username_;
  details["changepwd"] = changepwd_;
  writeSuccess(std::move(details), out);
}

QelVersionRsp::QelVersionRsp(const std::string& service, const std::string& command, int requestId,
                             int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId) {
  std::vector<std::string> fields;
  splitFields(body, ',', 0, 4, &fields);
  status_ = fields[0];
  major_ = fields[1];
  minor_ = fields[2];
  patch_ = fields[3];
}

void QelVersionRsp::toJson(Json::Value& out) const {
  if (!isSuccessStatus(status_)) {
    writeFailure(major_, out);
    return;
  }
  Json::Value details(Json::objectValue);
  details["major"] = major_;
  details["minor"] = minor_;
  details["patch"] = patch_;
  writeSuccess(std::move(details), out);
}
