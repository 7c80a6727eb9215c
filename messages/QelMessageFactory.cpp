#include "messages/QelMessageFactory.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "callcontrol/Lvl2RawCmdEvt.h"
#include "callcontrol/Lvl2RawCmdRsp.h"
#include "messages/DialPlanGetDialNumRsp.h"
#include "messages/DirectoryRsp.h"
#include "messages/DssMonitorEvt.h"
#include "messages/EvtAcdCmd.h"
#include "messages/GenericMessages.h"
#include "messages/LoginMessages.h"
#include "messages/RspAcdCmd.h"
#include "messages/RspGetFile.h"
#include "messages/TextHelpers.h"
#include "messages/UserMessages.h"
#include "messages/Utf8Text.h"
#include "plugin/QelSocket.h"

namespace {

template <class T>
QelMessage* createMessage(const std::string& service, const std::string& command, int requestId,
                          int secondId, const std::string& body) {
  return new T(service, command, requestId, secondId, body);
}

struct CodeRow {
  const char* code;
  QelMessageCreator creator;
};

// Received codes with a class of their own; every other code builds the
// default class of its kind.
// clang-format off
const CodeRow kCodeTable[] = {
    {"CFGETDIALNUM",      createMessage<DialPlanGetDialNumRsp>},
    {"CFRAWCMD",          createMessage<Lvl2RawCmdRsp>},
    {"CFGETNODELIST",     createMessage<N2NNodeListRsp>},
    {"CFREQUESTLOGIN",    createMessage<QelSecureLoginRsp>},
    {"CFVERSION",         createMessage<QelVersionRsp>},
    {"CFUSER_INFO",       createMessage<QelUserInfoRsp>},
    {"CFUSER_EXIST",      createMessage<QelUserExistRsp>},
    {"CFGETS2SWHITELIST", createMessage<GetS2SWhitelistRsp>},
    {"CFGET_FILE",        createMessage<RspGetFile>},
    {"CFACDCMD",          createMessage<RspAcdCmd>},
    {"AERAWCMD",          createMessage<Lvl2RawCmdEvt>},
    {"AEAVAILABLE",       createMessage<AvailableServicesEvt>},
    {"AEINDSSMON",        createMessage<DssMonitorEvt>},
    {"AEDSSMON",          createMessage<DssMonitorEvt>},
    {"AEACDCMD",          createMessage<EvtAcdCmd>},
};
// clang-format on

}  // namespace

const QelMessageFactory& QelMessageFactory::instance() {
  static const QelMessageFactory factory;
  return factory;
}

QelMessageFactory::QelMessageFactory()
    : defaults_{createMessage<GenericReq>, createMessage<GenericRsp>, createMessage<GenericEvt>} {
  for (const CodeRow& row : kCodeTable) {
    codes_[row.code] = row.creator;
  }
}

QelMessage* QelMessageFactory::create(int kind, const std::string& service,
                                      const std::string& command, int requestId, int secondId,
                                      const std::string& body) const {
  std::string code;
  if (kind == kKindReply) {
    code = kReplyPrefix + command;
  } else if (kind == kKindEvent) {
    code = kEventPrefix + command;
  } else {
    code = command;
  }
  const QelMessageCreator creator = findCreator(code, kind);
  return creator != nullptr ? creator(service, command, requestId, secondId, body) : nullptr;
}

QelMessageCreator QelMessageFactory::findCreator(const std::string& code, int kind) const {
  const auto found = codes_.find(code);
  if (found != codes_.end()) return found->second;
  if (static_cast<unsigned>(kind) < 3) return defaults_[kind];
  return nullptr;
}

void parseIdPair(const std::string& ids, int& requestId, int& secondId) {
  requestId = 0;
  secondId = 0;
  const size_t colon = ids.find(':');
  if (colon == std::string::npos) {
    requestId = stringToInt(ids);
    return;
  }
  if (colon > 0) requestId = stringToInt(ids.substr(0, colon));
  if (colon + 1 < ids.size()) secondId = stringToInt(ids.substr(colon + 1));
}

QelMessage* QelMessage::parse(char* text, int length, QelSocket* socket) {
  if (text == nullptr || length < 3) return nullptr;
  // The text is well-formed UTF-8: its prefix is told by its third
  // character, wherever that starts.
  const std::string_view whole(text, static_cast<size_t>(length));
  const size_t third = utf8Offset(whole, 2);
  if (third == whole.size()) return nullptr;
  int requestId = 0;
  int secondId = 0;
  if (text[third] == ',') {
    std::vector<std::string> head;
    splitFieldsInPlace(text, ',', 0, 3, &head);
    const int kind = head[0] == kEventPrefix ? kKindEvent : kKindReply;
    std::vector<std::string> rest;
    splitFields(head[2], ',', 0, 3, &rest);
    parseIdPair(rest[1], requestId, secondId);
    if (socket != nullptr) {
      // Bounded: a body may be far longer than the line; the line is cut,
      // between two characters.
      char line[512];
      endCutLineBetweenCharacters(
          line, sizeof line,
          std::snprintf(line, sizeof line, "parse:%d, %s, %s, %d, %d, %s", kind, head[1].c_str(),
                        rest[0].c_str(), requestId, secondId, rest[2].c_str()));
      socket->log(line);
    }
    return QelMessageFactory::instance().create(kind, head[1], rest[0], requestId, secondId,
                                                rest[2]);
  }
  std::vector<std::string> fields;
  splitFieldsInPlace(text, ',', 0, 4, &fields);
  parseIdPair(fields[2], requestId, secondId);
  return QelMessageFactory::instance().create(kKindRequest, fields[0], fields[1], requestId,
                                              secondId, fields[3]);
}
