#ifndef QEL_PLATFORM_TCPSOCKET_H_
#define QEL_PLATFORM_TCPSOCKET_H_

#include <cstdint>
#include <memory>

namespace pp {

class CompletionCallback;
class InstanceHandle;
class NetAddress;

// A TCP connection, created on the current loop for an instance.
//
// A handle: copies refer to the same socket, and the socket is closed when
// the last handle lets go of it (assigning TCPSocket() releases it). A
// default-made socket is null.
//
// Connect, Read and Write return PP_OK_COMPLETIONPENDING and complete
// exactly once through their callback, on the main thread and never inside
// the call, also when they fail at once:
//  - Connect completes with PP_OK or a negative code (refused: -102). A
//    socket connects once; a second Connect fails with PP_ERROR_FAILED.
//  - Read completes with 1 to `bytes` bytes (fewer than asked is normal),
//    0 at end of stream, or a negative code (reset: -101).
//  - Write copies the bytes when called and completes with the count
//    written or a negative code. This socket writes every byte before it
//    completes; callers must still accept a smaller count. A test can make
//    writes short, or their completions late, with the loop's faults
//    writeLimit and writeCompletionDelayMs.
//  - On a null socket each completes with PP_ERROR_BADRESOURCE; Read and
//    Write on a socket that is not connected (or closed) with
//    PP_ERROR_FAILED, as does a second Read or Write while one is pending;
//    a null buffer or a count of 0 or less gives PP_ERROR_BADARGUMENT and a
//    null address PP_ERROR_ADDRESS_INVALID.
//  - Close, and the release of the last handle, completes every pending
//    operation with PP_ERROR_ABORTED; no caller's buffer is written after
//    that.
class TCPSocket {
 public:
  TCPSocket();
  // A new socket; null when there is no current loop, the instance is 0,
  // or the loop's faults say creation fails.
  explicit TCPSocket(const InstanceHandle& instance);

  // Whether the platform offers TCP sockets (a current loop, and its faults
  // do not deny them).
  static bool IsAvailable();

  bool is_null() const { return !state_; }

  int32_t Connect(const NetAddress& address, const CompletionCallback& callback);
  int32_t Read(char* buffer, int32_t bytes, const CompletionCallback& callback);
  int32_t Write(const char* buffer, int32_t bytes, const CompletionCallback& callback);
  void Close();

 private:
  class State;
  std::shared_ptr<State> state_;
};

}  // namespace pp

#endif  // QEL_PLATFORM_TCPSOCKET_H_
