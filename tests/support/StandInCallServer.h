#ifndef QEL_TESTS_SUPPORT_STANDINCALLSERVER_H_
#define QEL_TESTS_SUPPORT_STANDINCALLSERVER_H_

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pp {
class MainLoop;
}  // namespace pp

// A stand-in for the call server, for tests: listens on port 8767 of a
// loopback address of its own, accepts the module's connection, and reads
// and writes length-framed texts (a 4-byte little-endian signed length,
// then that many bytes of text; a length of 0 or less carries no text).
//
// It runs on the same loop as the module, so a test drives both on one
// thread: every wait below runs the loop until its condition holds or a
// real-time limit passes, and never moves the loop's test clock. Sends are
// queued and written as the loop runs, in order.
//
// Connections: each accepted connection becomes the current one (an older
// one is closed); sends go to the current connection. Frames received on
// any connection are kept in arrival order until a test takes them.
//
// Every server takes its own address in 127.0.0.0/8, so tests in parallel
// processes never meet, while the module always connects to port 8767 of
// the host the test gives it (host()). It binds only loopback addresses.
class StandInCallServer {
 public:
  static constexpr uint16_t kPort = 8767;
  static constexpr std::chrono::milliseconds kWait{10000};

  struct Frame {
    int32_t length;
    std::string text;
  };

  // Listens on a loopback address chosen for this server.
  explicit StandInCallServer(pp::MainLoop& loop);
  // Listens on `address`, which must be an IPv4 address in 127.0.0.0/8;
  // any other address is refused and the server does not listen.
  StandInCallServer(pp::MainLoop& loop, const std::string& address);
  ~StandInCallServer();

  StandInCallServer(const StandInCallServer&) = delete;
  StandInCallServer& operator=(const StandInCallServer&) = delete;

  bool listening() const;
  // The address the server listens on ("127.a.b.c").
  const std::string& host() const { return host_; }

  // Connections accepted so far.
  int connectionCount() const;
  // The current connection is open: accepted, and neither side has closed
  // or reset it.
  bool connected() const;
  // Runs the loop until `count` connections have been accepted and the
  // last one is open.
  bool waitForConnection(int count = 1, std::chrono::milliseconds limit = kWait);
  // Runs the loop until the module has closed the current connection (its
  // end of stream or reset has arrived).
  bool waitForPeerClose(std::chrono::milliseconds limit = kWait);

  // Runs the loop until a frame has arrived, and takes it (the oldest
  // first); nothing within the limit gives no frame.
  std::optional<Frame> nextFrame(std::chrono::milliseconds limit = kWait);
  // Takes the next frame and checks its text: a keep-alive frame has the
  // empty text.
  ::testing::AssertionResult expectFrame(const std::string& text,
                                         std::chrono::milliseconds limit = kWait);
  // Runs the loop until idle and checks that no frame is waiting.
  ::testing::AssertionResult expectNoFrame();
  // Frames received and not yet taken.
  size_t framesWaiting() const;

  // Queue bytes on the current connection; false when there is none.
  bool sendFrame(const std::string& text);
  bool sendEmptyFrame();
  // A length field alone (the text, if any, to follow by sendRaw).
  bool sendLength(int32_t length);
  bool sendRaw(const std::string& bytes);
  // Sends `bytes` in pieces of the given sizes (the rest, if any, as a last
  // piece); each piece is written and the loop run until idle before the
  // next, so the module normally reads each piece on its own. False when
  // there is no connection or a piece could not be written in time.
  bool sendInPieces(const std::string& bytes, const std::vector<size_t>& sizes);
  // Runs the loop until everything queued has been written.
  bool flush(std::chrono::milliseconds limit = kWait);

  // Ends the stream towards the module (it reads end of stream once the
  // queued bytes are written); what the module still sends is received.
  void close();
  // Resets the connection: the module's next read or write fails with a
  // reset; queued bytes are dropped.
  void reset();

  // The bytes of a frame and of a length field alone.
  static std::string frame(const std::string& text);
  static std::string lengthField(int32_t length);

 private:
  struct State;

  void listenOn(const std::string& address);

  pp::MainLoop& loop_;
  std::string host_;
  std::shared_ptr<State> state_;
};

#endif  // QEL_TESTS_SUPPORT_STANDINCALLSERVER_H_
