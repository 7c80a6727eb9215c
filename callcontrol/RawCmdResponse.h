#ifndef QEL_CALLCONTROL_RAWCMDRESPONSE_H_
#define QEL_CALLCONTROL_RAWCMDRESPONSE_H_

#include <json/value.h>

#include <memory>
#include <string>
#include <vector>

// The server's answer to one call-control command, built from the fields of
// a "RAWCMD" reply body:
//   0, 1 not read; 2 the echoed command code; 3 the echoed request id (not
//   read: the reply is posted under its header's id); 4 the status; 5 the
//   data, the rest of the body.
//
// The page receives {"error": 0, "details": D} when the status begins with
// '0' and {"error": -1, "details": "command failed"} otherwise. A plain
// RawCmdResponse answers every command without data of its own: D is null.
class RawCmdResponse {
 public:
  explicit RawCmdResponse(const std::vector<std::string>& fields);
  RawCmdResponse(const RawCmdResponse&) = delete;
  RawCmdResponse& operator=(const RawCmdResponse&) = delete;
  virtual ~RawCmdResponse();

  // Fills the page's result object.
  virtual void toJson(Json::Value& out) const;

  const std::string& status() const { return status_; }
  bool succeeded() const;

 protected:
  // The data field, or the empty text when the list holds no data field.
  static const std::string& dataField(const std::vector<std::string>& fields);

  // Writes the failure object and returns true when the command failed; the
  // caller then writes nothing more.
  bool writeFailure(Json::Value& out) const;
  static void writeSuccess(Json::Value& out, Json::Value details);

 private:
  std::string status_;
};

// Answers "_MC": {"handle", "DeviceID"}, the data cut at its first comma.
class RawCmdMakeCallResponse : public RawCmdResponse {
 public:
  static const std::string CODE;
  static std::unique_ptr<RawCmdResponse> create(const std::vector<std::string>& fields);

  explicit RawCmdMakeCallResponse(const std::vector<std::string>& fields);
  void toJson(Json::Value& out) const override;

 private:
  std::string handle_;
  std::string deviceId_;
};

// Answers "_QI": {"DeviceID", "DeviceType", "DeviceClass", "Description",
// "UserName"}; a field holding commas arrives quoted with '|'.
class RawCmdQueryDeviceResponse : public RawCmdResponse {
 public:
  static const std::string CODE;
  static std::unique_ptr<RawCmdResponse> create(const std::vector<std::string>& fields);

  explicit RawCmdQueryDeviceResponse(const std::vector<std::string>& fields);
  void toJson(Json::Value& out) const override;

 private:
  std::vector<std::string> values_;
};

// Answers "_TR": {"NewCallID", "DestinationDeviceID", "TransferredDeviceID",
// "CallerName", "CallerNumber", "TrunkName", "TrunkNumber"}; a name holding
// commas arrives quoted with '|'.
class RawCmdTransferCallResponse : public RawCmdResponse {
 public:
  static const std::string CODE;
  static std::unique_ptr<RawCmdResponse> create(const std::vector<std::string>& fields);

  explicit RawCmdTransferCallResponse(const std::vector<std::string>& fields);
  void toJson(Json::Value& out) const override;

 private:
  std::vector<std::string> values_;
};

// One party of a call snapshot.
struct PartyConnection {
  std::string party;
  std::string connection;

  // Appends {"party", "connection"} to a JSON array (a null value becomes
  // an array).
  void appendTo(Json::Value& array) const;
};

// One call of a device snapshot.
struct CallConnection {
  std::string callID;
  std::string connection;

  // Appends {"callID", "connection"} to a JSON array (a null value becomes
  // an array).
  void appendTo(Json::Value& array) const;
};

// Answers "!nSC". Data: an item not read, a count n, then n pairs (party,
// connection). D is the array of the pairs, or null when the count is not
// positive or announces more pairs than the data holds.
class RawCmdSnapshotCallResponse : public RawCmdResponse {
 public:
  static const std::string CODE;
  static std::unique_ptr<RawCmdResponse> create(const std::vector<std::string>& fields);

  explicit RawCmdSnapshotCallResponse(const std::vector<std::string>& fields);
  ~RawCmdSnapshotCallResponse() override;
  void toJson(Json::Value& out) const override;

  const std::vector<std::unique_ptr<PartyConnection>>& parties() const { return parties_; }

 private:
  std::vector<std::unique_ptr<PartyConnection>> parties_;
};

// Answers "_SP". Data: a count n, then n pairs (callID, connection). D is
// the array of the pairs, or null as for the call snapshot.
class RawCmdSnapshotDeviceResponse : public RawCmdResponse {
 public:
  static const std::string CODE;
  static std::unique_ptr<RawCmdResponse> create(const std::vector<std::string>& fields);

  explicit RawCmdSnapshotDeviceResponse(const std::vector<std::string>& fields);
  ~RawCmdSnapshotDeviceResponse() override;
  void toJson(Json::Value& out) const override;

  const std::vector<std::unique_ptr<CallConnection>>& calls() const { return calls_; }

 private:
  std::vector<std::unique_ptr<CallConnection>> calls_;
};

// Answers "_UQC", the node list. Data: a count n, then n triples (nodeId,
// status, nodeId1). D is the array of {"nodeId", "status", "nodeId1"}, or
// null as for the snapshots; the items are read only on success.
class RawCmdListUnifiers : public RawCmdResponse {
 public:
  static const std::string CODE;
  static std::unique_ptr<RawCmdResponse> create(const std::vector<std::string>& fields);

  explicit RawCmdListUnifiers(const std::vector<std::string>& fields);
  void toJson(Json::Value& out) const override;

  const std::vector<std::string>& items() const { return items_; }

 private:
  std::vector<std::string> items_;
};

#endif  // QEL_CALLCONTROL_RAWCMDRESPONSE_H_
