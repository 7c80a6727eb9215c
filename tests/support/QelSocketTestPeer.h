#ifndef QEL_TESTS_SUPPORT_QELSOCKETTESTPEER_H_
#define QEL_TESTS_SUPPORT_QELSOCKETTESTPEER_H_

#include <string>

#include "plugin/QelSocket.h"

// Reads (and, where a test must set up a state, writes) the private fields
// of a session.
class QelSocketTestPeer {
 public:
  explicit QelSocketTestPeer(QelSocket& socket) : s_(socket) {}

  int state() const { return s_.state; }
  int lvl2oaiState() const { return s_.lvl2oaiState; }
  int indssState() const { return s_.indssState; }
  int dssState() const { return s_.dssState; }
  int n2nState() const { return s_.n2nState; }
  int acdState() const { return s_.acdState; }
  bool writeInProgress() const { return s_.writeInProgress; }
  bool acdEnabled() const { return s_.acdEnabled; }
  bool loggingEnabled() const { return s_.loggingEnabled; }
  size_t queued() const { return s_.sendQueue.size(); }
  int loginRequestId() const { return s_.loginRequestId; }
  int lastWriteResult() const { return s_.lastWriteResult; }
  int keepAliveGeneration() const { return s_.keepAliveGeneration; }
  int receiveCapacity() const { return s_.receiveCapacity; }
  int sendCapacity() const { return s_.sendCapacity; }
  const std::string& userName() const { return s_.userName; }
  const std::string& password() const { return s_.password; }
  const std::string& extension() const { return s_.extension; }
  const std::string& device() const { return s_.device; }
  const std::string& serverHost() const { return s_.serverHost; }
  bool hasSocket() const { return !s_.tcpSocket.is_null(); }

  void setState(int state) { s_.state = state; }
  void setIndssState(int state) { s_.indssState = state; }
  void setExtension(const std::string& extension) { s_.extension = extension; }
  void setDevice(const std::string& device) { s_.device = device; }

 private:
  QelSocket& s_;
};

#endif  // QEL_TESTS_SUPPORT_QELSOCKETTESTPEER_H_
