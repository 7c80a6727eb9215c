#ifndef QEL_PLATFORM_HOSTRESOLVER_H_
#define QEL_PLATFORM_HOSTRESOLVER_H_

#include <cstdint>
#include <memory>

#include "platform/PlatformTypes.h"

// What a resolve asks for: an address family (PP_NETADDRESS_FAMILY_*, 0 for
// any) and flags (none are read).
struct PP_HostResolver_Hint {
  int32_t family;
  int32_t flags;
};

namespace pp {

class CompletionCallback;
class InstanceHandle;
class NetAddress;

// Resolves a host name to addresses through the system resolver, created on
// the current loop for an instance. A handle like TCPSocket: copies share
// one resolver, and a default-made one is null.
//
// Resolve returns PP_OK_COMPLETIONPENDING and completes exactly once through
// its callback, never inside the call: PP_OK with at least one address, in
// the order the system resolver gives them, or PP_ERROR_NAME_NOT_RESOLVED
// for a name that does not resolve (the empty name included). On a null
// resolver it completes with PP_ERROR_BADRESOURCE; with a null host or an
// unknown family with PP_ERROR_BADARGUMENT; while another resolve is
// pending with PP_ERROR_FAILED. Releasing the last handle completes a
// pending resolve with PP_ERROR_ABORTED.
//
// The system resolver works on a thread of its own inside the loop; its
// completion runs on the main thread like every other. A resolve is not
// "ready" work for MainLoop::runUntilIdle: wait for it with runUntil.
class HostResolver {
 public:
  HostResolver();
  // A new resolver; null when there is no current loop, the instance is 0,
  // or the loop's faults say creation fails.
  explicit HostResolver(const InstanceHandle& instance);

  // Whether the platform offers host resolvers (a current loop, and its
  // faults do not deny them).
  static bool IsAvailable();

  bool is_null() const { return !state_; }

  int32_t Resolve(const char* host, uint16_t port, const PP_HostResolver_Hint& hint,
                  const CompletionCallback& callback);

  // The addresses of the last successful resolve (none after a failed one),
  // each with the port that was asked for; a null address past the end.
  uint32_t GetNetAddressCount() const;
  NetAddress GetNetAddress(uint32_t index) const;

 private:
  class State;
  std::shared_ptr<State> state_;
};

}  // namespace pp

#endif  // QEL_PLATFORM_HOSTRESOLVER_H_
