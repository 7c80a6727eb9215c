// The built page host logs in through the whole road to call control
// against a stand-in call server on a loopback address, and logs out.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <json/reader.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/MainLoop.h"
#include "tests/support/CredentialTestSupport.h"
#include "tests/support/PagePostTexts.h"
#include "tests/support/StandInCallServer.h"

namespace {

// The host program as a child process: page messages go to its standard
// input, one JSON line each, and its posts come back on its standard output.
class HostProcess {
 public:
  HostProcess() = default;
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  ~HostProcess() {
    closeInput();
    if (output_ >= 0) close(output_);
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  bool start(const char* binary) {
    int in[2];
    int out[2];
    if (pipe(in) != 0) return false;
    if (pipe(out) != 0) {
      close(in[0]);
      close(in[1]);
      return false;
    }
    pid_ = fork();
    if (pid_ == 0) {
      dup2(in[0], STDIN_FILENO);
      dup2(out[1], STDOUT_FILENO);
      close(in[0]);
      close(in[1]);
      close(out[0]);
      close(out[1]);
      execl(binary, binary, static_cast<char*>(nullptr));
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    input_ = in[1];
    output_ = out[0];
    fcntl(output_, F_SETFL, fcntl(output_, F_GETFL) | O_NONBLOCK);
    return pid_ > 0;
  }

  bool writeLine(const std::string& line) {
    const std::string text = line + "\n";
    return input_ >= 0 &&
           write(input_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }

  void closeInput() {
    if (input_ >= 0) close(input_);
    input_ = -1;
  }

  // Takes what the host has written so far, without waiting, and returns
  // the posts that are not log lines, as (code, text), in order.
  const PostList& posts() {
    char chunk[4096];
    ssize_t n;
    while (output_ >= 0 && (n = read(output_, chunk, sizeof chunk)) > 0) {
      pending_.append(chunk, static_cast<size_t>(n));
    }
    for (size_t end = pending_.find('\n'); end != std::string::npos; end = pending_.find('\n')) {
      addPost(pending_.substr(0, end));
      pending_.erase(0, end + 1);
    }
    return posts_;
  }

  // The exit status once the host has ended, -1 while it runs.
  int exitStatus() {
    if (pid_ <= 0) return status_;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return -1;
    pid_ = -1;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return status_;
  }

 private:
  void addPost(const std::string& line) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value post;
    std::string errors;
    if (!reader->parse(line.data(), line.data() + line.size(), &post, &errors) || !post.isArray() ||
        post.size() != 2 || !post[0].isInt() || !post[1].isString()) {
      posts_.emplace_back(0, "not a post: " + line);
      return;
    }
    if (post[0].asInt() != -99) posts_.emplace_back(post[0].asInt(), post[1].asString());
  }

  pid_t pid_ = -1;
  int status_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string pending_;
  PostList posts_;
};

TEST(HostLoginTest, LogsInToCallControlAndOut) {
  if (access(QEL_HOST_BINARY, X_OK) != 0) GTEST_SKIP() << QEL_HOST_BINARY << " is not built";
  signal(SIGPIPE, SIG_IGN);
  pp::MainLoop loop(pp::MainLoop::Clock::kReal);
  StandInCallServer server(loop);
  ASSERT_TRUE(server.listening());
  HostProcess host;
  ASSERT_TRUE(host.start(QEL_HOST_BINARY));
  const auto postsReach = [&](size_t count) {
    return loop.runUntil([&] { return host.posts().size() >= count; });
  };

  ASSERT_TRUE(host.writeLine(R"([7,0,"login","alice","secret",")" + server.host() + R"(","201"])"));
  ASSERT_TRUE(server.waitForConnection());
  ASSERT_TRUE(server.expectFrame("CLIENT,REQUESTLOGIN,7:"));
  const std::string key = "host-key";
  server.sendFrame("CF,CLIENT,REQUESTLOGIN,7:,0," + scrambleChallenge(key));
  const auto login = server.nextFrame();
  ASSERT_TRUE(login);
  const std::string head = "CLIENT,LOGIN,7:,|alice|,|";
  ASSERT_EQ(login->text.compare(0, head.size(), head), 0) << login->text;
  ASSERT_EQ(login->text.back(), '|');
  const std::string digest = login->text.substr(head.size(), login->text.size() - head.size() - 1);
  EXPECT_EQ(digestMismatch(digest, "secret," + key), "");
  server.sendFrame("CF,CLIENT,LOGIN,7:,0,Welcome");
  ASSERT_TRUE(server.expectFrame("CLIENT,NOTIFY_AVAILABLE_SERVICES,7:"));
  server.sendFrame("AE,CLIENT,AVAILABLE,0:,LVL2OAI");
  ASSERT_TRUE(server.expectFrame("LVL2OAI,LOGIN,7:,,DEZezori"));
  server.sendFrame("CF,LVL2OAI,LOGIN,7:,0,ok");
  ASSERT_TRUE(postsReach(3));
  EXPECT_EQ(host.posts(), (PostList{{0, connectionStateText(true, "NET_SERVER")},
                                    {7, errorText(0, "ok")},
                                    {0, connectionStateText(true, "LVL2OAI_SERVICE")}}));

  ASSERT_TRUE(host.writeLine(R"([8,0,"logout"])"));
  ASSERT_TRUE(postsReach(5));
  EXPECT_EQ(PostList(host.posts().begin() + 3, host.posts().end()),
            (PostList{{8, errorText(0, "")}, {0, connectionStateText(false, "NET_SERVER")}}));
  EXPECT_TRUE(server.waitForPeerClose());
  EXPECT_TRUE(server.expectNoFrame());

  host.closeInput();
  ASSERT_TRUE(loop.runUntil([&] { return host.exitStatus() >= 0; }));
  EXPECT_EQ(host.exitStatus(), 0);
}

}  // namespace
