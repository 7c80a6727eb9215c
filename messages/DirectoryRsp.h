#ifndef QEL_MESSAGES_DIRECTORYRSP_H_
#define QEL_MESSAGES_DIRECTORYRSP_H_

#include <json/value.h>

#include <string>
#include <vector>

#include "messages/QelMessage.h"

// The two directory replies of the "N2N" service: the node list and the
// white list of peer servers. Neither interprets a status: the page receives
// the reply's first field as the text "error", its second as "reason", and
// the records under "details" (null when the reply holds none).
//
// Both bodies read: error "," reason "," count "," records..., with '|'
// quoting a field that holds commas. The count only caps the number of
// records; records are made from the fields the body holds and no more.

// One node of the server network.
class N2NNode {
 public:
  N2NNode(const std::string& nodeid, const std::string& friendlyname, const std::string& domain,
          const std::string& ipaddr, const std::string& switchaddr);

  const std::string& nodeid() const { return nodeid_; }
  const std::string& friendlyname() const { return friendlyname_; }
  const std::string& domain() const { return domain_; }
  const std::string& ipaddr() const { return ipaddr_; }
  const std::string& switchaddr() const { return switchaddr_; }

 private:
  std::string nodeid_;
  std::string friendlyname_;
  std::string domain_;
  std::string ipaddr_;
  std::string switchaddr_;
};

// Reply "CF" "GETNODELIST": five fields per node after the count; a group of
// fewer than five trailing fields makes no node.
class N2NNodeListRsp : public QelMessage {
 public:
  N2NNodeListRsp(const std::string& service, const std::string& command, int requestId,
                 int secondId, const std::string& body);

  // {"error": text, "reason": text, "details": [{"nodeid", "friendlyname",
  // "domain", "ipaddr", "switchaddr"}, ...] or null}.
  void toJson(Json::Value& out) const override;

  const std::string& error() const { return error_; }
  const std::string& reason() const { return reason_; }
  int count() const { return count_; }
  const std::vector<N2NNode>& nodes() const { return nodes_; }

 private:
  std::string error_;
  std::string reason_;
  int count_;
  std::vector<N2NNode> nodes_;
};

// One peer server of the white list.
class WhitelistEntry {
 public:
  WhitelistEntry(const std::string& friendlyname, const std::string& domain);

  const std::string& friendlyname() const { return friendlyname_; }
  const std::string& domain() const { return domain_; }

 private:
  std::string friendlyname_;
  std::string domain_;
};

// Reply "CF" "GETS2SWHITELIST": one field per entry after the count, written
// friendlyname ":" domain. A field without a colon is a domain alone; an
// empty field makes no entry but still counts.
class GetS2SWhitelistRsp : public QelMessage {
 public:
  GetS2SWhitelistRsp(const std::string& service, const std::string& command, int requestId,
                     int secondId, const std::string& body);

  // {"error": text, "reason": text, "details": [{"friendlyname", "domain"},
  // ...] or null}.
  void toJson(Json::Value& out) const override;

  const std::string& error() const { return error_; }
  const std::string& reason() const { return reason_; }
  int count() const { return count_; }
  const std::vector<WhitelistEntry>& entries() const { return entries_; }

 private:
  std::string error_;
  std::string reason_;
  int count_;
  std::vector<WhitelistEntry> entries_;
};

#endif  // QEL_MESSAGES_DIRECTORYRSP_H_
