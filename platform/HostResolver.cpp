#include "platform/HostResolver.h"

#include <asio/error.hpp>
#include <asio/ip/tcp.hpp>
#include <string>
#include <utility>
#include <vector>

#include "platform/Instance.h"
#include "platform/MainLoop.h"
#include "platform/NetAddress.h"
#include "platform/PendingOperation.h"

namespace pp {

// The resolver shared by the handles; its asio handler holds only a weak
// reference to it, so releasing the last handle aborts a pending resolve.
class HostResolver::State : public MainLoop::Resource, public std::enable_shared_from_this<State> {
 public:
  explicit State(MainLoop* loop)
      : Resource(loop), resolver_(std::make_unique<asio::ip::tcp::resolver>(loop->context())) {}

  ~State() override { abort(); }

  void releaseAsio() override {
    abort();
    resolver_.reset();
  }

  int32_t resolve(const char* host, uint16_t port, const PP_HostResolver_Hint& hint,
                  const CompletionCallback& callback) {
    bool anyFamily = hint.family == PP_NETADDRESS_FAMILY_UNSPECIFIED;
    bool knownFamily = anyFamily || hint.family == PP_NETADDRESS_FAMILY_IPV4 ||
                       hint.family == PP_NETADDRESS_FAMILY_IPV6;
    if (host == nullptr || !knownFamily) {
      return completeLater(loop(), callback, PP_ERROR_BADARGUMENT);
    }
    if (pending_ || !resolver_) return completeLater(loop(), callback, PP_ERROR_FAILED);
    // The system resolver takes an empty name for the local host.
    if (host[0] == '\0') return completeLater(loop(), callback, PP_ERROR_NAME_NOT_RESOLVED);
    addresses_.clear();
    std::shared_ptr<PendingOperation> operation = std::make_shared<PendingOperation>(callback);
    pending_ = operation;
    std::weak_ptr<State> self = shared_from_this();
    auto done = [self, operation](const std::error_code& error,
                                  asio::ip::tcp::resolver::results_type results) {
      std::shared_ptr<State> state = self.lock();
      if (operation->finished() || !state) return;
      state->pending_.reset();
      if (!error) {
        for (const auto& entry : results) {
          NetAddress address(entry.endpoint().address().to_string(), entry.endpoint().port());
          if (!address.is_null()) state->addresses_.push_back(address);
        }
      }
      bool resolved = !state->addresses_.empty();
      operation->finish(resolved                                  ? PP_OK
                        : error == asio::error::operation_aborted ? PP_ERROR_ABORTED
                                                                  : PP_ERROR_NAME_NOT_RESOLVED);
    };
    std::string service = std::to_string(port);
    auto flags = asio::ip::tcp::resolver::numeric_service;
    if (anyFamily) {
      resolver_->async_resolve(host, service, flags, std::move(done));
    } else {
      asio::ip::tcp protocol =
          hint.family == PP_NETADDRESS_FAMILY_IPV4 ? asio::ip::tcp::v4() : asio::ip::tcp::v6();
      resolver_->async_resolve(protocol, host, service, flags, std::move(done));
    }
    return PP_OK_COMPLETIONPENDING;
  }

  const std::vector<NetAddress>& addresses() const { return addresses_; }

 private:
  void abort() {
    if (pending_) pending_->finishLater(loop(), PP_ERROR_ABORTED);
    pending_.reset();
    if (resolver_) resolver_->cancel();
  }

  std::unique_ptr<asio::ip::tcp::resolver> resolver_;
  std::shared_ptr<PendingOperation> pending_;
  std::vector<NetAddress> addresses_;
};

HostResolver::HostResolver() = default;

HostResolver::HostResolver(const InstanceHandle& instance) {
  MainLoop* loop = MainLoop::forNewResource(instance.pp_instance(),
                                            &MainLoop::Faults::hostResolverCreationFails);
  if (loop != nullptr) state_ = std::make_shared<State>(loop);
}

bool HostResolver::IsAvailable() {
  return MainLoop::offering(&MainLoop::Faults::noHostResolverInterface) != nullptr;
}

int32_t HostResolver::Resolve(const char* host, uint16_t port, const PP_HostResolver_Hint& hint,
                              const CompletionCallback& callback) {
  if (!state_) return completeLater(MainLoop::current(), callback, PP_ERROR_BADRESOURCE);
  return state_->resolve(host, port, hint, callback);
}

uint32_t HostResolver::GetNetAddressCount() const {
  return state_ ? static_cast<uint32_t>(state_->addresses().size()) : 0;
}

NetAddress HostResolver::GetNetAddress(uint32_t index) const {
  if (!state_ || index >= state_->addresses().size()) return NetAddress();
  return state_->addresses()[index];
}

}  // namespace pp
