#include "platform/TCPSocket.h"

#include <algorithm>
#include <asio/connect.hpp>
#include <asio/error.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/write.hpp>
#include <cstring>

#include "platform/Instance.h"
#include "platform/MainLoop.h"
#include "platform/NetAddress.h"
#include "platform/NetErrors.h"
#include "platform/PendingOperation.h"
#include "platform/PlatformTypes.h"

namespace pp {

namespace {

// The most one read takes from the stream; a larger request completes with
// fewer bytes, as any read may.
constexpr int32_t kMaxReadChunk = 64 * 1024;

using OperationPtr = std::shared_ptr<PendingOperation>;

}  // namespace

// The socket shared by the handles. Its asio handlers hold only a weak
// reference to it (and the operation they end), so releasing the last
// handle closes the socket even while operations are pending.
class TCPSocket::State : public MainLoop::Resource, public std::enable_shared_from_this<State> {
 public:
  explicit State(MainLoop* loop)
      : Resource(loop), socket_(std::make_unique<asio::ip::tcp::socket>(loop->context())) {}

  ~State() override { close(); }

  void releaseAsio() override {
    close();
    socket_.reset();
  }

  int32_t connect(const NetAddress& address, const CompletionCallback& callback) {
    if (address.is_null()) return completeLater(loop(), callback, PP_ERROR_ADDRESS_INVALID);
    if (phase_ != Phase::kFresh || loop() == nullptr) {
      return completeLater(loop(), callback, PP_ERROR_FAILED);
    }
    std::error_code parseError;
    asio::ip::address ip = asio::ip::make_address(address.ip(), parseError);
    if (parseError) return completeLater(loop(), callback, PP_ERROR_ADDRESS_INVALID);
    phase_ = Phase::kConnecting;
    OperationPtr operation = start(&connecting_, callback);
    std::weak_ptr<State> self = shared_from_this();
    socket_->async_connect(asio::ip::tcp::endpoint(ip, address.port()),
                           [self, operation](const std::error_code& error) {
                             std::shared_ptr<State> state = self.lock();
                             if (operation->finished() || !state) return;
                             state->connecting_.reset();
                             state->phase_ = error ? Phase::kFailed : Phase::kConnected;
                             // Frames are small and answered at once: send
                             // each without waiting to coalesce it.
                             std::error_code ignored;
                             if (!error)
                               state->socket_->set_option(asio::ip::tcp::no_delay(true), ignored);
                             operation->finish(error ? resultFromNetError(error) : PP_OK);
                           });
    return PP_OK_COMPLETIONPENDING;
  }

  int32_t read(char* buffer, int32_t bytes, const CompletionCallback& callback) {
    if (buffer == nullptr || bytes <= 0) {
      return completeLater(loop(), callback, PP_ERROR_BADARGUMENT);
    }
    if (phase_ != Phase::kConnected || reading_) {
      return completeLater(loop(), callback, PP_ERROR_FAILED);
    }
    OperationPtr operation = start(&reading_, callback);
    operation->target = buffer;
    operation->bytes.resize(std::min(bytes, kMaxReadChunk));
    std::weak_ptr<State> self = shared_from_this();
    socket_->async_read_some(asio::buffer(operation->bytes),
                             [self, operation](const std::error_code& error, size_t count) {
                               std::shared_ptr<State> state = self.lock();
                               if (operation->finished() || !state) return;
                               state->reading_.reset();
                               int32_t result = 0;  // end of stream
                               if (count > 0) {
                                 std::memcpy(operation->target, operation->bytes.data(), count);
                                 result = static_cast<int32_t>(count);
                               } else if (error && error != asio::error::eof) {
                                 result = resultFromNetError(error);
                               }
                               operation->finish(result);
                             });
    return PP_OK_COMPLETIONPENDING;
  }

  int32_t write(const char* buffer, int32_t bytes, const CompletionCallback& callback) {
    if (buffer == nullptr || bytes <= 0) {
      return completeLater(loop(), callback, PP_ERROR_BADARGUMENT);
    }
    if (phase_ != Phase::kConnected || writing_) {
      return completeLater(loop(), callback, PP_ERROR_FAILED);
    }
    const MainLoop::Faults& faults = loop()->faults();
    if (faults.writeLimit > 0) bytes = std::min(bytes, faults.writeLimit);
    const int32_t delayMs = faults.writeCompletionDelayMs;
    OperationPtr operation = start(&writing_, callback);
    operation->bytes.assign(buffer, buffer + bytes);
    std::weak_ptr<State> self = shared_from_this();
    asio::async_write(*socket_, asio::buffer(operation->bytes),
                      [self, operation, delayMs](const std::error_code& error, size_t count) {
                        std::shared_ptr<State> state = self.lock();
                        if (operation->finished() || !state) return;
                        int32_t result = count > 0 || !error ? static_cast<int32_t>(count)
                                                             : resultFromNetError(error);
                        if (delayMs <= 0) return state->finishWrite(operation, result);
                        state->loop()->callLater(delayMs, [self, operation, result] {
                          std::shared_ptr<State> later = self.lock();
                          if (!operation->finished() && later)
                            later->finishWrite(operation, result);
                        });
                      });
    return PP_OK_COMPLETIONPENDING;
  }

  // The write stays pending (a second one is refused) until it completes.
  void finishWrite(const OperationPtr& operation, int32_t result) {
    writing_.reset();
    operation->finish(result);
  }

  void close() {
    phase_ = Phase::kClosed;
    for (OperationPtr* slot : {&connecting_, &reading_, &writing_}) {
      if (*slot) (*slot)->finishLater(loop(), PP_ERROR_ABORTED);
      slot->reset();
    }
    if (socket_) {
      std::error_code ignored;
      socket_->close(ignored);
    }
  }

 private:
  enum class Phase { kFresh, kConnecting, kConnected, kFailed, kClosed };

  OperationPtr start(OperationPtr* slot, const CompletionCallback& callback) {
    *slot = std::make_shared<PendingOperation>(callback);
    return *slot;
  }

  std::unique_ptr<asio::ip::tcp::socket> socket_;
  Phase phase_ = Phase::kFresh;
  OperationPtr connecting_;
  OperationPtr reading_;
  OperationPtr writing_;
};

TCPSocket::TCPSocket() = default;

TCPSocket::TCPSocket(const InstanceHandle& instance) {
  MainLoop* loop =
      MainLoop::forNewResource(instance.pp_instance(), &MainLoop::Faults::tcpSocketCreationFails);
  if (loop != nullptr) state_ = std::make_shared<State>(loop);
}

bool TCPSocket::IsAvailable() {
  return MainLoop::offering(&MainLoop::Faults::noTcpSocketInterface) != nullptr;
}

int32_t TCPSocket::Connect(const NetAddress& address, const CompletionCallback& callback) {
  if (!state_) return completeLater(MainLoop::current(), callback, PP_ERROR_BADRESOURCE);
  return state_->connect(address, callback);
}

int32_t TCPSocket::Read(char* buffer, int32_t bytes, const CompletionCallback& callback) {
  if (!state_) return completeLater(MainLoop::current(), callback, PP_ERROR_BADRESOURCE);
  return state_->read(buffer, bytes, callback);
}

int32_t TCPSocket::Write(const char* buffer, int32_t bytes, const CompletionCallback& callback) {
  if (!state_) return completeLater(MainLoop::current(), callback, PP_ERROR_BADRESOURCE);
  return state_->write(buffer, bytes, callback);
}

void TCPSocket::Close() {
  if (state_) state_->close();
}

}  // namespace pp
