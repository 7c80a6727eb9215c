#ifndef QEL_CALLCONTROL_RAWCMD_H_
#define QEL_CALLCONTROL_RAWCMD_H_

#include <functional>
#include <initializer_list>
#include <string>

// A level-2 call-control command of the "LVL2OAI" service, carried to the
// server inside a "RAWCMD" request (Lvl2RawCmdReq). It is written as
//   "," code "," requestId ["," member]...
// with the request id always written, whatever its sign, and every member
// text exactly as stored (nothing is quoted: a comma in a text gives more
// fields on the wire).
//
// A plain RawCmd is a complete command without arguments ("_UQC"); each
// subclass is one command code with its own members.
class RawCmd {
 public:
  RawCmd(const std::string& code, int requestId);
  RawCmd(const RawCmd&) = delete;
  RawCmd& operator=(const RawCmd&) = delete;
  virtual ~RawCmd();

  // Writes the command text into out[0, room) and returns its length (the
  // NUL not counted). A text that does not fit in room - 1 characters is
  // refused whole: the result is -1 and out is left empty.
  virtual int serialize(char* out, int room) const;

  const std::string& code() const { return code_; }
  int requestId() const { return requestId_; }

 protected:
  // Appends "," and each text to the `used` characters that the base writer
  // put at out. Returns the total length, or -1 with out emptied when used
  // is -1 or the texts do not fit.
  static int appendFields(char* out, int room, int used,
                          std::initializer_list<std::reference_wrapper<const std::string>> texts);

 private:
  std::string code_;
  int requestId_;
};

// "_AC": answers (or picks up) a call at a device.
class RawCmdAnswerCall : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdAnswerCall(const std::string& device, const std::string& call, int requestId);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string call_;
};

// "_CX": clears a device's connection to a call (hang up).
class RawCmdClearConnection : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdClearConnection(const std::string& device, const std::string& call, int requestId);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string call_;
};

// "_CN": joins two calls of a device into a conference.
class RawCmdConference : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdConference(const std::string& device, const std::string& call1, const std::string& call2,
                   int requestId);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string call1_;
  std::string call2_;
};

// "_CS": places a consultation call.
class RawCmdConsultationCall : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdConsultationCall(const std::string& device, const std::string& text1,
                         const std::string& text2, int requestId, const std::string& text3);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string text1_;
  std::string text2_;
  std::string text3_;
};

// "_DF": deflects (diverts) a call.
class RawCmdDeflectCall : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdDeflectCall(const std::string& device, const std::string& text1, const std::string& text2,
                    int requestId, const std::string& text3);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string text1_;
  std::string text2_;
  std::string text3_;
};

// "_EF": sends feature digits on a call.
class RawCmdFeatureExtension : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdFeatureExtension(const std::string& device, const std::string& text1,
                         const std::string& text2, int requestId);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string text1_;
  std::string text2_;
};

// "_HC": puts a call on hold.
class RawCmdHoldCall : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdHoldCall(const std::string& device, const std::string& call, int requestId,
                 const std::string& text1, const std::string& text2);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string call_;
  std::string text1_;
  std::string text2_;
};

// "_MC": makes a call from a device to a number.
class RawCmdMakeCall : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdMakeCall(const std::string& device, const std::string& number, int requestId);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string number_;
};

// "_MS": starts monitoring a device.
class RawCmdMonitorStart : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdMonitorStart(const std::string& device, int requestId, const std::string& flag);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string flag_;
};

// "_QI": asks for a device's description.
class RawCmdQueryDevice : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdQueryDevice(const std::string& device, int requestId);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
};

// "_RV": retrieves a held call.
class RawCmdRetrieveCall : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdRetrieveCall(const std::string& device, const std::string& call, int requestId);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string call_;
};

// "_SF": sets call forwarding of a device.
class RawCmdSetForwarding : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdSetForwarding(const std::string& device, const std::string& text1, const std::string& text2,
                      int requestId);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string text1_;
  std::string text2_;
};

// "!nSC": asks for the parties of a call.
class RawCmdSnapshotCall : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdSnapshotCall(const std::string& call, int requestId);
  int serialize(char* out, int room) const override;

 private:
  std::string call_;
};

// "_SP": asks for the calls of a device.
class RawCmdSnapshotDevice : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdSnapshotDevice(const std::string& device, int requestId);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
};

// "_TR": transfers a call; the flag is written as "1" or "0".
class RawCmdTransferCall : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdTransferCall(const std::string& device, const std::string& text1, const std::string& text2,
                     int requestId, bool flag);
  int serialize(char* out, int room) const override;

 private:
  std::string device_;
  std::string text1_;
  std::string text2_;
  bool flag_;
};

// "_TO": transfers a call in one step (blind transfer). Text 3 is kept but
// not written.
class RawCmdTransferCallOneStep : public RawCmd {
 public:
  static const std::string CODE;
  RawCmdTransferCallOneStep(const std::string& device, const std::string& text1,
                            const std::string& text2, int requestId, const std::string& text3);
  int serialize(char* out, int room) const override;

  const std::string& text3() const { return text3_; }

 private:
  std::string device_;
  std::string text1_;
  std::string text2_;
  std::string text3_;
};

#endif  // QEL_CALLCONTROL_RAWCMD_H_
