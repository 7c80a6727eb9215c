#include "messages/DirectoryRsp.h"

#include <utility>

#include "messages/TextHelpers.h"

namespace {

// Splits a directory reply's body into all its fields and reads the head
// both replies start with (error, reason, count), each only when the body
// holds it. Returns the index of the first record field.
size_t readHead(const std::string& body, std::vector<std::string>* fields, std::string* error,
                std::string* reason, int* count) {
  splitAllFields(body, ',', '|', fields);
  size_t i = 0;
  if (i < fields->size()) *error = (*fields)[i++];
  if (i < fields->size()) *reason = (*fields)[i++];
  if (i < fields->size()) *count = stringToInt((*fields)[i++]);
  return i;
}

void writePage(const std::string& error, const std::string& reason, Json::Value details,
               Json::Value& out) {
  out["error"] = error;
  out["reason"] = reason;
  out[kDetailsKey] = std::move(details);
}

}  // namespace

N2NNode::N2NNode(const std::string& nodeid, const std::string& friendlyname,
                 const std::string& domain, const std::string& ipaddr,
                 const std::string& switchaddr)
    : nodeid_(nodeid),
      friendlyname_(friendlyname),
      domain_(domain),
      ipaddr_(ipaddr),
      switchaddr_(switchaddr) {}

N2NNodeListRsp::N2NNodeListRsp(const std::string& service, const std::string& command,
                               int requestId, int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId), count_(0) {
  std::vector<std::string> fields;
  size_t i = readHead(body, &fields, &error_, &reason_, &count_);
  for (int made = 0; made < count_ && fields.size() - i >= 5; ++made, i += 5) {
    nodes_.emplace_back(fields[i], fields[i + 1], fields[i + 2], fields[i + 3], fields[i + 4]);
  }
}

void N2NNodeListRsp::toJson(Json::Value& out) const {
  Json::Value details;
  for (const N2NNode& node : nodes_) {
    Json::Value item;
    item["nodeid"] = node.nodeid();
    item["friendlyname"] = node.friendlyname();
    item["domain"] = node.domain();
    item["ipaddr"] = node.ipaddr();
    item["switchaddr"] = node.switchaddr();
    details.append(std::move(item));
  }
  writePage(error_, reason_, std::move(details), out);
}

WhitelistEntry::WhitelistEntry(const std::string& friendlyname, const std::string& domain)
    : friendlyname_(friendlyname), domain_(domain) {}

GetS2SWhitelistRsp::GetS2SWhitelistRsp(const std::string& service, const std::string& command,
                                       int requestId, int secondId, const std::string& body)
    : QelMessage(kReplyPrefix, service, command, requestId, secondId), count_(0) {
  std::vector<std::string> fields;
  size_t i = readHead(body, &fields, &error_, &reason_, &count_);
  for (int taken = 0; taken < count_ && i < fields.size(); ++taken, ++i) {
    std::vector<std::string> parts;
    splitAllFields(fields[i], ':', 0, &parts);
    if (parts.size() >= 2) {
      entries_.emplace_back(parts[0], parts[1]);
    } else if (parts.size() == 1) {
      entries_.emplace_back(std::string(), parts[0]);
    }
  }
}

void GetS2SWhitelistRsp::toJson(Json::Value& out) const {
  Json::Value details;
  for (const WhitelistEntry& entry : entries_) {
    Json::Value item;
    item["friendlyname"] = entry.friendlyname();
    item["domain"] = entry.domain();
    details.append(std::move(item));
  }
  writePage(error_, reason_, std::move(details), out);
}
