#ifndef QEL_MESSAGES_USERMESSAGES_H_
#define QEL_MESSAGES_USERMESSAGES_H_

#include <json/value.h>

#include <string>

#include "messages/QelMessage.h"

// The "CLIENT" service's questions about users and about the server: the
// user-exists and user-information requests and their replies, and the
// reply to the version request.

// Request "USER_EXIST": CLIENT,USER_EXIST,<id>:,|queriedUser|,|ownUser|
class QelUserExistReq : public QelMessage {
 public:
  QelUserExistReq(int requestId, const std::string& queriedUser, const std::string& ownUser);

  int serialize(char* buffer, int size) const override;

  const std::string& queriedUser() const { return queriedUser_; }
  const std::string& ownUser() const { return ownUser_; }

 private:
  std::string queriedUser_;
  std::string ownUser_;
};

// Request "USER_INFO": CLIENT,USER_INFO,<id>:,user,digest. Only a digest of
// the password is sent, computed anew with a new salt at every serialize().
class QelUserInfoReq : public QelMessage {
 public:
  QelUserInfoReq(int requestId, const std::string& user, const std::string& password);

  int serialize(char* buffer, int size) const override;

  const std::string& user() const { return user_; }
  const std::string& password() const { return password_; }

 private:
  std::string user_;
  std::string password_;
};

// Reply "CF" "USER_EXIST". Body (quote '|'): status, then on success group,
// cos, an unused field, p2, p3, p4; on failure an error text.
class QelUserExistRsp : public QelMessage {
 public:
  QelUserExistRsp(const std::string& service, const std::string& command, int requestId,
                  int secondId, const std::string& body);

  // Success: {"error": 0, "details": {"group", "cos", "p2", "p3", "p4"}};
  // otherwise {"error": -1, "details": errorText}.
  void toJson(Json::Value& out) const override;

  const std::string& status() const { return status_; }
  const std::string& group() const { return group_; }
  int cos() const { return cos_; }
  int p2() const { return p2_; }
  int p3() const { return p3_; }
  int p4() const { return p4_; }
  const std::string& errorText() const { return errorText_; }

 private:
  std::string status_;
  std::string group_;
  int cos_ = 0;
  int p2_ = 0;
  int p3_ = 0;
  int p4_ = 0;
  std::string errorText_;
};

// Reply "CF" "USER_INFO". Body (quote '|'): status, then on success an
// unused field, user name, an unused field, extension, group and "Y" when
// the password must be changed; on failure an error text.
class QelUserInfoRsp : public QelMessage {
 public:
  QelUserInfoRsp(const std::string& service, const std::string& command, int requestId,
                 int secondId, const std::string& body);

  // Success: {"error": 0, "details": {"group", "ext", "username",
  // "changepwd"}}; otherwise {"error": -1, "details": errorText}.
  void toJson(Json::Value& out) const override;

  const std::string& status() const { return status_; }
  const std::string& username() const { return username_; }
  const std::string& ext() const { return ext_; }
  const std::string& group() const { return group_; }
  bool changepwd() const { return changepwd_; }
  const std::string& errorText() const { return errorText_; }

 private:
  std::string status_;
  std::string username_;
  std::string ext_;
  std::string group_;
  bool changepwd_ = false;
  std::string errorText_;
};

// Reply "CF" "VERSION": status "," major "," minor "," patch (the patch
// keeps the rest of the body, commas included).
class QelVersionRsp : public QelMessage {
 public:
  QelVersionRsp(const std::string& service, const std::string& command, int requestId, int secondId,
                const std::string& body);

  // Success: {"error": 0, "details": {"major", "minor", "patch"}};
  // otherwise {"error": -1, "details": major} (the server's reason).
  void toJson(Json::Value& out) const override;

  const std::string& status() const { return status_; }
  const std::string& major() const { return major_; }
  const std::string& minor() const { return minor_; }
  const std::string& patch() const { return patch_; }

 private:
  std::string status_;
  std::string major_;
  std::string minor_;
  std::string patch_;
};

#endif  // QEL_MESSAGES_USERMESSAGES_H_
