#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/CompletionCallback.h"
#include "platform/HostResolver.h"
#include "platform/Instance.h"
#include "platform/MainLoop.h"
#include "platform/NetAddress.h"
#include "platform/TCPSocket.h"
#include "platform/Var.h"
#include "tests/support/StandInCallServer.h"

namespace {

constexpr PP_Instance kInstance = 1;
const PP_HostResolver_Hint kAnyFamily = {PP_NETADDRESS_FAMILY_UNSPECIFIED, 0};

// Completion results by operation name, in completion order.
struct Completions {
  std::vector<std::pair<std::string, int32_t>> done;

  void onDone(int32_t result, std::string name) { done.emplace_back(name, result); }

  bool has(const std::string& name) const { return count(name) > 0; }
  int count(const std::string& name) const {
    int n = 0;
    for (const auto& entry : done) n += entry.first == name;
    return n;
  }
  int32_t result(const std::string& name) const {
    for (const auto& entry : done) {
      if (entry.first == name) return entry.second;
    }
    return 1;  // no such completion
  }
};

// Reads length-framed texts the way the session does: a 4-byte length,
// then that many bytes, each assembled from as many reads as it takes.
class FrameReader {
 public:
  explicit FrameReader(pp::TCPSocket socket) : socket_(std::move(socket)) {}

  void start() {
    received_ = 0;
    socket_.Read(header_, 4, factory_.NewCallback(&FrameReader::onHeader));
  }

  std::vector<std::string> texts;
  std::vector<int32_t> readSizes;
  int32_t endResult = 1;  // the read that ended reading

 private:
  bool count(int32_t result) {
    if (result <= 0) {
      endResult = result;
      return false;
    }
    readSizes.push_back(result);
    received_ += result;
    return true;
  }

  void onHeader(int32_t result) {
    if (!count(result)) return;
    if (received_ < 4) {
      socket_.Read(header_ + received_, 4 - received_,
                   factory_.NewCallback(&FrameReader::onHeader));
      return;
    }
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
      length |= static_cast<uint32_t>(static_cast<uint8_t>(header_[i])) << (8 * i);
    length_ = static_cast<int32_t>(length);
    if (length_ <= 0) {
      texts.push_back("");
      start();
      return;
    }
    body_.assign(length_, '\0');
    received_ = 0;
    socket_.Read(&body_[0], length_, factory_.NewCallback(&FrameReader::onBody));
  }

  void onBody(int32_t result) {
    if (!count(result)) return;
    if (received_ < length_) {
      socket_.Read(&body_[received_], length_ - received_,
                   factory_.NewCallback(&FrameReader::onBody));
      return;
    }
    texts.push_back(body_);
    start();
  }

  pp::TCPSocket socket_;
  pp::CompletionCallbackFactory<FrameReader> factory_{this};
  char header_[4];
  std::string body_;
  int32_t length_ = 0;
  int32_t received_ = 0;
};

class TCPSocketTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.listening()); }

  pp::CompletionCallback callback(const std::string& name) {
    return factory_.NewCallback(&Completions::onDone, name);
  }

  bool waitFor(const std::string& name) {
    return loop_.runUntil([&] { return completions_.has(name); });
  }

  // A socket connected to the server's current connection.
  pp::TCPSocket connectedSocket() {
    pp::TCPSocket socket(kInstance);
    socket.Connect(pp::NetAddress(server_.host(), StandInCallServer::kPort), callback("connect"));
    EXPECT_TRUE(waitFor("connect"));
    EXPECT_EQ(PP_OK, completions_.result("connect"));
    EXPECT_TRUE(server_.waitForConnection());
    return socket;
  }

  pp::MainLoop loop_{pp::MainLoop::Clock::kTest};
  StandInCallServer server_{loop_};
  Completions completions_;
  pp::CompletionCallbackFactory<Completions> factory_{&completions_};
};

TEST_F(TCPSocketTest, ConnectsThroughTheResolverAndExchangesFrames) {
  ASSERT_TRUE(pp::HostResolver::IsAvailable());
  ASSERT_TRUE(pp::TCPSocket::IsAvailable());
  pp::HostResolver resolver(kInstance);
  ASSERT_FALSE(resolver.is_null());
  EXPECT_EQ(PP_OK_COMPLETIONPENDING,
            resolver.Resolve(server_.host().c_str(), 8767, kAnyFamily, callback("resolve")));
  ASSERT_TRUE(waitFor("resolve"));
  ASSERT_EQ(PP_OK, completions_.result("resolve"));
  ASSERT_EQ(1u, resolver.GetNetAddressCount());
  pp::NetAddress address = resolver.GetNetAddress(0);
  EXPECT_EQ(server_.host() + ":8767", address.DescribeAsString(true).AsString());

  pp::TCPSocket socket(kInstance);
  EXPECT_EQ(PP_OK_COMPLETIONPENDING, socket.Connect(address, callback("connect")));
  ASSERT_TRUE(waitFor("connect"));
  EXPECT_EQ(PP_OK, completions_.result("connect"));
  ASSERT_TRUE(server_.waitForConnection());

  std::string out = StandInCallServer::frame("CLIENT,REQUESTLOGIN,7:");
  EXPECT_EQ(PP_OK_COMPLETIONPENDING,
            socket.Write(out.data(), static_cast<int32_t>(out.size()), callback("write")));
  EXPECT_TRUE(server_.expectFrame("CLIENT,REQUESTLOGIN,7:"));
  ASSERT_TRUE(waitFor("write"));
  EXPECT_EQ(static_cast<int32_t>(out.size()), completions_.result("write"));

  FrameReader reader(socket);
  reader.start();
  server_.sendFrame("CF,CLIENT,REQUESTLOGIN,7:0,0,key");
  server_.sendEmptyFrame();
  server_.sendLength(-3);
  server_.sendFrame("AE,CLIENT,NOTIFY,0:0,x");
  ASSERT_TRUE(loop_.runUntil([&] { return reader.texts.size() == 4; }));
  EXPECT_EQ((std::vector<std::string>{"CF,CLIENT,REQUESTLOGIN,7:0,0,key", "", "",
                                      "AE,CLIENT,NOTIFY,0:0,x"}),
            reader.texts);
}

TEST_F(TCPSocketTest, KeepAliveFrameReachesTheServerAsAnEmptyFrame) {
  pp::TCPSocket socket = connectedSocket();
  const char keepAlive[4] = {0, 0, 0, 0};
  socket.Write(keepAlive, 4, callback("write"));
  std::optional<StandInCallServer::Frame> frame = server_.nextFrame();
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ(0, frame->length);
  EXPECT_EQ("", frame->text);
  EXPECT_TRUE(server_.expectNoFrame());
}

TEST_F(TCPSocketTest, WriteCopiesTheBytesWhenCalled) {
  pp::TCPSocket socket = connectedSocket();
  std::string out = StandInCallServer::frame("first");
  socket.Write(out.data(), static_cast<int32_t>(out.size()), callback("write"));
  out.replace(4, 5, "xxxxx");
  EXPECT_TRUE(server_.expectFrame("first"));
}

TEST_F(TCPSocketTest, FailuresCompleteLaterNeverInsideTheCall) {
  pp::TCPSocket null;
  EXPECT_TRUE(null.is_null());
  char buffer[8] = {};
  EXPECT_EQ(PP_OK_COMPLETIONPENDING,
            null.Connect(pp::NetAddress("127.0.0.1", 1), callback("null connect")));
  EXPECT_EQ(PP_OK_COMPLETIONPENDING, null.Read(buffer, 8, callback("null read")));
  EXPECT_EQ(PP_OK_COMPLETIONPENDING, null.Write(buffer, 8, callback("null write")));

  pp::TCPSocket fresh(kInstance);
  fresh.Read(buffer, 8, callback("unconnected read"));
  fresh.Write(buffer, 8, callback("unconnected write"));
  fresh.Read(nullptr, 8, callback("null buffer"));
  fresh.Write(buffer, 0, callback("zero count"));
  fresh.Connect(pp::NetAddress(), callback("null address"));
  EXPECT_TRUE(completions_.done.empty());

  ASSERT_TRUE(loop_.runUntilIdle());
  using Done = std::vector<std::pair<std::string, int32_t>>;
  EXPECT_EQ((Done{{"null connect", PP_ERROR_BADRESOURCE},
                  {"null read", PP_ERROR_BADRESOURCE},
                  {"null write", PP_ERROR_BADRESOURCE},
                  {"unconnected read", PP_ERROR_FAILED},
                  {"unconnected write", PP_ERROR_FAILED},
                  {"null buffer", PP_ERROR_BADARGUMENT},
                  {"zero count", PP_ERROR_BADARGUMENT},
                  {"null address", PP_ERROR_ADDRESS_INVALID}}),
            completions_.done);
}

TEST_F(TCPSocketTest, SuccessfulOperationsCompleteOutsideTheCall) {
  pp::TCPSocket socket(kInstance);
  socket.Connect(pp::NetAddress(server_.host(), StandInCallServer::kPort), callback("connect"));
  EXPECT_FALSE(completions_.has("connect"));
  ASSERT_TRUE(waitFor("connect"));
  ASSERT_TRUE(server_.waitForConnection());

  char out[4] = {0, 0, 0, 0};
  socket.Write(out, 4, callback("write"));
  EXPECT_FALSE(completions_.has("write"));
  server_.sendRaw("a");
  ASSERT_TRUE(server_.flush());
  char in[4];
  socket.Read(in, 4, callback("read"));
  EXPECT_FALSE(completions_.has("read"));
  ASSERT_TRUE(waitFor("read") && waitFor("write"));
  EXPECT_EQ(1, completions_.result("read"));
  EXPECT_EQ(4, completions_.result("write"));
}

TEST_F(TCPSocketTest, ReadsCompleteWithWhatHasArrived) {
  pp::TCPSocket socket = connectedSocket();
  char buffer[100];
  const char* pieces[] = {"a", "bcd", "efghij"};
  for (const char* piece : pieces) {
    server_.sendRaw(piece);
    ASSERT_TRUE(server_.flush());
    completions_.done.clear();
    socket.Read(buffer, sizeof buffer, callback("read"));
    ASSERT_TRUE(waitFor("read"));
    ASSERT_EQ(static_cast<int32_t>(std::strlen(piece)), completions_.result("read"));
    EXPECT_EQ(piece, std::string(buffer, std::strlen(piece)));
  }
}

TEST_F(TCPSocketTest, PartialReadsAreAssembledIntoFrames) {
  FrameReader reader(connectedSocket());
  reader.start();
  std::string bytes = StandInCallServer::frame("CF,CLIENT,LOGIN,7:0,0") +
                      StandInCallServer::lengthField(0) + StandInCallServer::frame("AE,X,Y,0:0,z");
  ASSERT_TRUE(server_.sendInPieces(bytes, {1, 3, 2, 5, 1}));
  ASSERT_TRUE(loop_.runUntil([&] { return reader.texts.size() == 3; }));
  EXPECT_EQ((std::vector<std::string>{"CF,CLIENT,LOGIN,7:0,0", "", "AE,X,Y,0:0,z"}), reader.texts);
  // The pieces arrived one by one: the length field took a read of 1 byte and
  // one of 3.
  ASSERT_GE(reader.readSizes.size(), 2u);
  EXPECT_EQ(1, reader.readSizes[0]);
  EXPECT_EQ(3, reader.readSizes[1]);
}

TEST_F(TCPSocketTest, CloseAbortsPendingOperationsAndLeavesTheBufferAlone) {
  pp::TCPSocket socket = connectedSocket();
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  socket.Read(buffer, sizeof buffer, callback("read"));
  ASSERT_TRUE(loop_.runUntilIdle());
  socket.Close();
  EXPECT_FALSE(completions_.has("read"));
  server_.sendRaw("late bytes");
  ASSERT_TRUE(server_.flush());
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ(1, completions_.count("read"));
  EXPECT_EQ(PP_ERROR_ABORTED, completions_.result("read"));
  EXPECT_EQ(std::string(16, '#'), std::string(buffer, 16));

  socket.Read(buffer, sizeof buffer, callback("read after close"));
  socket.Write(buffer, 4, callback("write after close"));
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ(PP_ERROR_FAILED, completions_.result("read after close"));
  EXPECT_EQ(PP_ERROR_FAILED, completions_.result("write after close"));
  EXPECT_TRUE(server_.waitForPeerClose());
}

TEST_F(TCPSocketTest, ReleasingTheLastHandleAbortsAndCopiesShareTheSocket) {
  pp::TCPSocket socket = connectedSocket();
  pp::TCPSocket copy = socket;
  char buffer[16];
  copy.Read(buffer, sizeof buffer, callback("read"));
  socket = pp::TCPSocket();
  EXPECT_TRUE(socket.is_null());
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_FALSE(completions_.has("read"));  // the copy still holds the socket

  copy = pp::TCPSocket();
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ(PP_ERROR_ABORTED, completions_.result("read"));
  EXPECT_TRUE(server_.waitForPeerClose());
}

TEST_F(TCPSocketTest, CallbacksOfADestroyedFactoryNeverRun) {
  auto completions = std::make_unique<Completions>();
  auto factory = std::make_unique<pp::CompletionCallbackFactory<Completions>>(completions.get());
  pp::TCPSocket socket = connectedSocket();
  char buffer[16];
  socket.Read(buffer, sizeof buffer, factory->NewCallback(&Completions::onDone, std::string("r")));
  server_.sendRaw("data");
  ASSERT_TRUE(server_.flush());
  factory.reset();
  completions.reset();
  // The read completes (with data or aborted) into a callback that must not
  // reach the freed object.
  ASSERT_TRUE(loop_.runUntilIdle());
  socket.Close();
  ASSERT_TRUE(loop_.runUntilIdle());
}

TEST_F(TCPSocketTest, EndOfStreamReadsZeroEveryTime) {
  pp::TCPSocket socket = connectedSocket();
  server_.close();
  char buffer[8];
  socket.Read(buffer, sizeof buffer, callback("first"));
  ASSERT_TRUE(waitFor("first"));
  socket.Read(buffer, sizeof buffer, callback("second"));
  ASSERT_TRUE(waitFor("second"));
  EXPECT_EQ(0, completions_.result("first"));
  EXPECT_EQ(0, completions_.result("second"));
}

TEST_F(TCPSocketTest, ServerSendsBeforeClosing) {
  FrameReader reader(connectedSocket());
  reader.start();
  server_.sendFrame("last words");
  server_.close();
  ASSERT_TRUE(loop_.runUntil([&] { return reader.endResult != 1; }));
  EXPECT_EQ(std::vector<std::string>{"last words"}, reader.texts);
  EXPECT_EQ(0, reader.endResult);
}

TEST_F(TCPSocketTest, ResetFailsTheReadWithConnectionReset) {
  pp::TCPSocket socket = connectedSocket();
  char buffer[8];
  socket.Read(buffer, sizeof buffer, callback("read"));
  server_.reset();
  ASSERT_TRUE(waitFor("read"));
  EXPECT_EQ(PP_ERROR_CONNECTION_RESET, completions_.result("read"));
}

TEST_F(TCPSocketTest, ConnectionsAfterTheFirstBecomeCurrent) {
  pp::TCPSocket first = connectedSocket();
  pp::TCPSocket second(kInstance);
  second.Connect(pp::NetAddress(server_.host(), StandInCallServer::kPort), callback("second"));
  ASSERT_TRUE(server_.waitForConnection(2));
  ASSERT_TRUE(waitFor("second"));
  const char keepAlive[4] = {0, 0, 0, 0};
  second.Write(keepAlive, 4, callback("write"));
  EXPECT_TRUE(server_.expectFrame(""));
  // The server closed the older connection.
  char buffer[4];
  first.Read(buffer, 4, callback("first read"));
  ASSERT_TRUE(waitFor("first read"));
  EXPECT_LE(completions_.result("first read"), 0);
}

TEST_F(TCPSocketTest, ConnectToAPortWithoutListenerIsRefused) {
  // A bound socket that does not listen: connecting to it is refused, and
  // nobody else can take the port meanwhile.
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_in bound = {};
  bound.sin_family = AF_INET;
  bound.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof bound;
  ASSERT_EQ(0, ::bind(fd, reinterpret_cast<sockaddr*>(&bound), sizeof bound));
  ASSERT_EQ(0, ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &size));

  pp::TCPSocket socket(kInstance);
  socket.Connect(pp::NetAddress("127.0.0.1", ntohs(bound.sin_port)), callback("connect"));
  ASSERT_TRUE(waitFor("connect"));
  EXPECT_EQ(PP_ERROR_CONNECTION_REFUSED, completions_.result("connect"));
  socket.Connect(pp::NetAddress("127.0.0.1", ntohs(bound.sin_port)), callback("again"));
  char buffer[4];
  socket.Write(buffer, 4, callback("write"));
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ(PP_ERROR_FAILED, completions_.result("again"));
  EXPECT_EQ(PP_ERROR_FAILED, completions_.result("write"));
  ::close(fd);
}

TEST_F(TCPSocketTest, FaultsDenyTheInterfaceOrTheSocket) {
  loop_.faults().noTcpSocketInterface = true;
  EXPECT_FALSE(pp::TCPSocket::IsAvailable());
  loop_.faults().tcpSocketCreationFails = true;
  EXPECT_TRUE(pp::TCPSocket(kInstance).is_null());
  loop_.faults() = pp::MainLoop::Faults();
  EXPECT_TRUE(pp::TCPSocket::IsAvailable());
  EXPECT_TRUE(pp::TCPSocket(0).is_null());
  EXPECT_FALSE(pp::TCPSocket(kInstance).is_null());
}

TEST_F(TCPSocketTest, WriteLimitMakesShortWrites) {
  pp::TCPSocket socket = connectedSocket();
  loop_.faults().writeLimit = 3;
  const std::string out = StandInCallServer::frame("abcdef");  // 10 bytes
  std::vector<int32_t> results;
  for (size_t offset = 0; offset < out.size(); offset += results.back()) {
    const std::string name = "write at " + std::to_string(offset);
    socket.Write(out.data() + offset, static_cast<int32_t>(out.size() - offset), callback(name));
    ASSERT_TRUE(waitFor(name));
    results.push_back(completions_.result(name));
    ASSERT_GT(results.back(), 0);
  }
  EXPECT_EQ((std::vector<int32_t>{3, 3, 3, 1}), results);
  EXPECT_TRUE(server_.expectFrame("abcdef"));
}

TEST_F(TCPSocketTest, WriteCompletionDelayKeepsTheWritePendingOnTheClock) {
  pp::TCPSocket socket = connectedSocket();
  loop_.faults().writeCompletionDelayMs = 1000;
  const std::string out = StandInCallServer::frame("late");
  socket.Write(out.data(), static_cast<int32_t>(out.size()), callback("write"));
  // The bytes go out at once; the completion waits for the clock, and the
  // write counts as pending until then.
  EXPECT_TRUE(server_.expectFrame("late"));
  socket.Write(out.data(), static_cast<int32_t>(out.size()), callback("second"));
  ASSERT_TRUE(loop_.advance(999));
  EXPECT_FALSE(completions_.has("write"));
  EXPECT_EQ(PP_ERROR_FAILED, completions_.result("second"));
  ASSERT_TRUE(loop_.advance(1));
  EXPECT_EQ(static_cast<int32_t>(out.size()), completions_.result("write"));

  // A close meanwhile aborts the write; the late completion is dropped.
  socket.Write(out.data(), static_cast<int32_t>(out.size()), callback("closed"));
  ASSERT_TRUE(loop_.runUntilIdle());
  socket.Close();
  ASSERT_TRUE(loop_.advance(1000));
  EXPECT_EQ(1, completions_.count("closed"));
  EXPECT_EQ(PP_ERROR_ABORTED, completions_.result("closed"));
}

TEST(TCPSocketLifetimeTest, ASocketOutlivingItsLoopRunsNothing) {
  auto loop = std::make_unique<pp::MainLoop>(pp::MainLoop::Clock::kTest);
  auto server = std::make_unique<StandInCallServer>(*loop);
  pp::TCPSocket socket(kInstance);
  bool connected = false;
  socket.Connect(pp::NetAddress(server->host(), StandInCallServer::kPort),
                 pp::CompletionCallback([&](int32_t result) { connected = result == PP_OK; }));
  ASSERT_TRUE(loop->runUntil([&] { return connected; }));
  char buffer[8];
  socket.Read(buffer, sizeof buffer,
              pp::CompletionCallback([](int32_t) { ADD_FAILURE() << "ran after the loop"; }));
  loop.reset();
  server.reset();
  socket.Write(buffer, 4,
               pp::CompletionCallback([](int32_t) { ADD_FAILURE() << "ran without a loop"; }));
  socket.Close();
}

}  // namespace
