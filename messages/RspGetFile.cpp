#include "messages/RspGetFile.h"

#include "messages/TextHelpers.h"
#include "messages/Utf8Text.h"

namespace {

// Page error of a file the server could not deliver.
const int kFileError = -18;
// The status character and its separator come before the content; a
// character may be several bytes long.
const size_t kContentStart = 2;

}  // namespace

RspGetFile::RspGetFile(const std::string& service, const std::string& command, int requestId,
                       int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId), body_(body) {}

void RspGetFile::toJson(Json::Value& out) const {
  out["error"] = isSuccessStatus(body_) ? 0 : kFileError;
  out[kDetailsKey] = body_.substr(utf8Offset(body_, kContentStart));
}
