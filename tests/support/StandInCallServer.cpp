#include "tests/support/StandInCallServer.h"

#include <unistd.h>

#include <array>
#include <asio/ip/tcp.hpp>
#include <asio/write.hpp>
#include <atomic>
#include <random>
#include <utility>

#include "platform/MainLoop.h"

namespace {

// One accepted connection, shared by the server and its pending handlers.
struct Connection {
  explicit Connection(asio::io_context& context) : socket(context) {}

  asio::ip::tcp::socket socket;
  std::array<char, 4096> chunk;
  std::string inbound;               // bytes not yet parsed into frames
  std::deque<std::string> outbound;  // queued sends, the first being written
  bool writing = false;
  bool endRequested = false;  // close(): end the stream once outbound is written
  bool ended = false;         // our side closed or reset
  bool peerClosed = false;    // the module's end of stream or reset arrived
};

using ConnectionPtr = std::shared_ptr<Connection>;

int32_t readLength(const std::string& bytes) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  return static_cast<int32_t>(value);
}

// The next address to try: 18 bits of the process id and a 6-bit count,
// so servers of processes running at the same time differ; should two
// meet anyway (a larger process id), the bind fails and a random address
// is tried next.
uint32_t candidateAddress(uint32_t attempt) {
  static std::atomic<uint32_t> count{0};
  if (attempt < 64) {
    uint32_t processPart = (static_cast<uint32_t>(getpid()) & 0x3FFFF) << 6;
    return processPart | (count++ & 63);
  }
  static std::mt19937 random{std::random_device{}()};
  return random() & 0xFFFFFF;
}

}  // namespace

// Everything the asio handlers touch; they hold it by a shared pointer, so
// the server may go while handlers are still pending.
struct StandInCallServer::State : public pp::MainLoop::Resource,
                                  public std::enable_shared_from_this<State> {
  explicit State(pp::MainLoop& loop)
      : Resource(&loop), acceptor(std::make_unique<asio::ip::tcp::acceptor>(loop.context())) {}

  void releaseAsio() override {
    stop();
    acceptor.reset();
  }

  void stop() {
    stopped = true;
    std::error_code ignored;
    if (acceptor) acceptor->close(ignored);
    if (current) current->socket.close(ignored);
    current.reset();
  }

  void accept() {
    if (stopped || !acceptor) return;
    auto connection = std::make_shared<Connection>(loop()->context());
    std::shared_ptr<State> self = shared_from_this();
    acceptor->async_accept(connection->socket, [self, connection](const std::error_code& error) {
      if (error || self->stopped) return;
      if (self->current) {
        std::error_code ignored;
        self->current->socket.close(ignored);
      }
      std::error_code ignored;
      connection->socket.set_option(asio::ip::tcp::no_delay(true), ignored);
      self->current = connection;
      ++self->connections;
      self->read(connection);
      self->accept();
    });
  }

  void read(const ConnectionPtr& connection) {
    std::shared_ptr<State> self = shared_from_this();
    connection->socket.async_read_some(
        asio::buffer(connection->chunk),
        [self, connection](const std::error_code& error, size_t count) {
          connection->inbound.append(connection->chunk.data(), count);
          self->parseFrames(connection.get());
          if (error) {
            // An abort is our own close or reset, not the module's.
            if (error != asio::error::operation_aborted) connection->peerClosed = true;
            return;
          }
          self->read(connection);
        });
  }

  void parseFrames(Connection* connection) {
    std::string& bytes = connection->inbound;
    while (bytes.size() >= 4) {
      int32_t length = readLength(bytes);
      size_t textLength = length > 0 ? static_cast<size_t>(length) : 0;
      if (bytes.size() < 4 + textLength) return;
      frames.push_back({length, bytes.substr(4, textLength)});
      bytes.erase(0, 4 + textLength);
    }
  }

  static void write(const ConnectionPtr& connection) {
    if (connection->writing || connection->ended) return;
    if (connection->outbound.empty()) {
      if (connection->endRequested) {
        std::error_code ignored;
        connection->socket.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
        connection->ended = true;
      }
      return;
    }
    connection->writing = true;
    asio::async_write(connection->socket, asio::buffer(connection->outbound.front()),
                      [connection](const std::error_code& error, size_t) {
                        connection->writing = false;
                        if (error) {
                          connection->outbound.clear();
                          return;
                        }
                        connection->outbound.pop_front();
                        write(connection);
                      });
  }

  std::unique_ptr<asio::ip::tcp::acceptor> acceptor;
  ConnectionPtr current;
  int connections = 0;
  std::deque<Frame> frames;
  bool stopped = false;
};

StandInCallServer::StandInCallServer(pp::MainLoop& loop)
    : loop_(loop), state_(std::make_shared<State>(loop)) {
  for (uint32_t attempt = 0; attempt < 256 && !listening(); ++attempt) {
    uint32_t value = candidateAddress(attempt);
    uint32_t last = value & 0xFF;
    if (last == 0 || last == 0xFF || value == 1) continue;  // skip 127.0.0.1 as well
    listenOn(asio::ip::address_v4((127u << 24) | value).to_string());
  }
}

StandInCallServer::StandInCallServer(pp::MainLoop& loop, const std::string& address)
    : loop_(loop), state_(std::make_shared<State>(loop)) {
  listenOn(address);
}

StandInCallServer::~StandInCallServer() {
  state_->stop();
}

void StandInCallServer::listenOn(const std::string& address) {
  std::error_code error;
  asio::ip::address_v4 ip = asio::ip::make_address_v4(address, error);
  if (error || (ip.to_uint() >> 24) != 127 || !state_->acceptor) return;
  asio::ip::tcp::acceptor& acceptor = *state_->acceptor;
  acceptor.open(asio::ip::tcp::v4(), error);
  if (!error) acceptor.set_option(asio::ip::tcp::acceptor::reuse_address(true), error);
  if (!error) acceptor.bind(asio::ip::tcp::endpoint(ip, kPort), error);
  if (!error) acceptor.listen(asio::socket_base::max_listen_connections, error);
  if (error) {
    std::error_code ignored;
    acceptor.close(ignored);
    return;
  }
  host_ = ip.to_string();
  state_->accept();
}

bool StandInCallServer::listening() const {
  return state_->acceptor && state_->acceptor->is_open() && !host_.empty();
}

int StandInCallServer::connectionCount() const {
  return state_->connections;
}

bool StandInCallServer::connected() const {
  const ConnectionPtr& current = state_->current;
  return current && !current->peerClosed && !current->ended && !current->endRequested;
}

bool StandInCallServer::waitForConnection(int count, std::chrono::milliseconds limit) {
  return loop_.runUntil([this, count] { return connectionCount() >= count && connected(); }, limit);
}

bool StandInCallServer::waitForPeerClose(std::chrono::milliseconds limit) {
  return loop_.runUntil([this] { return state_->current && state_->current->peerClosed; }, limit);
}

std::optional<StandInCallServer::Frame> StandInCallServer::nextFrame(
    std::chrono::milliseconds limit) {
  if (!loop_.runUntil([this] { return !state_->frames.empty(); }, limit)) return std::nullopt;
  Frame frame = std::move(state_->frames.front());
  state_->frames.pop_front();
  return frame;
}

::testing::AssertionResult StandInCallServer::expectFrame(const std::string& text,
                                                          std::chrono::milliseconds limit) {
  std::optional<Frame> frame = nextFrame(limit);
  if (!frame) {
    return ::testing::AssertionFailure() << "no frame arrived; expected \"" << text << "\"";
  }
  if (frame->text != text) {
    return ::testing::AssertionFailure() << "frame \"" << frame->text << "\" (length "
                                         << frame->length << "); expected \"" << text << "\"";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult StandInCallServer::expectNoFrame() {
  if (!loop_.runUntilIdle()) return ::testing::AssertionFailure() << "the loop never went idle";
  if (state_->frames.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << state_->frames.size() << " frame(s) waiting, the first \""
                                       << state_->frames.front().text << "\"";
}

size_t StandInCallServer::framesWaiting() const {
  return state_->frames.size();
}

bool StandInCallServer::sendRaw(const std::string& bytes) {
  const ConnectionPtr& current = state_->current;
  if (!current || current->ended || current->endRequested) return false;
  current->outbound.push_back(bytes);
  State::write(current);
  return true;
}

bool StandInCallServer::sendFrame(const std::string& text) {
  return sendRaw(frame(text));
}

bool StandInCallServer::sendEmptyFrame() {
  return sendRaw(lengthField(0));
}

bool StandInCallServer::sendLength(int32_t length) {
  return sendRaw(lengthField(length));
}

bool StandInCallServer::sendInPieces(const std::string& bytes, const std::vector<size_t>& sizes) {
  size_t offset = 0;
  std::vector<std::string> pieces;
  for (size_t size : sizes) {
    if (offset >= bytes.size()) break;
    pieces.push_back(bytes.substr(offset, size));
    offset += pieces.back().size();
  }
  if (offset < bytes.size()) pieces.push_back(bytes.substr(offset));
  for (const std::string& piece : pieces) {
    if (!sendRaw(piece) || !flush() || !loop_.runUntilIdle()) return false;
  }
  return true;
}

bool StandInCallServer::flush(std::chrono::milliseconds limit) {
  return loop_.runUntil(
      [this] {
        const ConnectionPtr& current = state_->current;
        return !current || (current->outbound.empty() && !current->writing);
      },
      limit);
}

void StandInCallServer::close() {
  const ConnectionPtr& current = state_->current;
  if (!current || current->ended) return;
  current->endRequested = true;
  State::write(current);
}

void StandInCallServer::reset() {
  const ConnectionPtr& current = state_->current;
  if (!current || current->ended) return;
  std::error_code ignored;
  current->socket.set_option(asio::socket_base::linger(true, 0), ignored);
  current->socket.close(ignored);
  current->outbound.clear();
  current->ended = true;
}

std::string StandInCallServer::frame(const std::string& text) {
  return lengthField(static_cast<int32_t>(text.size())) + text;
}

std::string StandInCallServer::lengthField(int32_t length) {
  uint32_t value = static_cast<uint32_t>(length);
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}
