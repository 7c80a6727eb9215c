#include "tests/host/HostProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point end) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

}  // namespace

HostProcess::HostProcess(const std::vector<std::string>& arguments) {
  // A host that has ended must fail a write, not end the test.
  ::signal(SIGPIPE, SIG_IGN);
  int in[2];
  int out[2];
  int err[2];
  if (pipe2(in, O_CLOEXEC) != 0) return;
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  std::vector<std::string> words = {QEL_HOST_BINARY};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);
  if (posix_spawn(&pid_, QEL_HOST_BINARY, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  close(err[1]);
  input_ = in[1];
  output_ = out[0];
  error_ = err[0];
}

HostProcess::~HostProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  closeFd(input_);
  closeFd(output_);
  closeFd(error_);
}

void HostProcess::closeFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

bool HostProcess::write(const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(input_, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

void HostProcess::closeInput() {
  closeFd(input_);
}

void HostProcess::signal(int number) {
  if (pid_ > 0) kill(pid_, number);
}

bool HostProcess::readSome(int waitMs) {
  pollfd watched[2] = {{output_, POLLIN, 0}, {error_, POLLIN, 0}};
  if (output_ < 0 && error_ < 0) return false;
  const int ready = poll(watched, 2, waitMs);
  if (ready <= 0) return true;
  std::string* targets[2] = {&result_.out, &result_.err};
  int* fds[2] = {&output_, &error_};
  for (int i = 0; i < 2; ++i) {
    if (watched[i].revents == 0) continue;
    char chunk[4096];
    const ssize_t n = read(*fds[i], chunk, sizeof chunk);
    if (n > 0) {
      targets[i]->append(chunk, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      closeFd(*fds[i]);
    }
  }
  return output_ >= 0 || error_ >= 0;
}

bool HostProcess::waitForLines(size_t lines, std::chrono::milliseconds limit) {
  const Clock::time_point end = Clock::now() + limit;
  while (static_cast<size_t>(std::count(result_.out.begin(), result_.out.end(), '\n')) < lines) {
    const int left = millisecondsLeft(end);
    if (left == 0 || !readSome(left)) return false;
  }
  return true;
}

const std::string& HostProcess::outputSoFar() {
  size_t before = 0;
  do {
    before = result_.out.size() + result_.err.size();
  } while (readSome(0) && result_.out.size() + result_.err.size() != before);
  return result_.out;
}

HostProcess::Result HostProcess::finish(std::chrono::milliseconds limit) {
  closeInput();
  const Clock::time_point end = Clock::now() + limit;
  while (readSome(millisecondsLeft(end)) && millisecondsLeft(end) > 0) {
  }
  if (pid_ > 0) {
    int status = 0;
    pid_t done = 0;
    while ((done = waitpid(pid_, &status, WNOHANG)) == 0 && millisecondsLeft(end) > 0) {
      usleep(1000);
    }
    if (done == pid_) {
      pid_ = -1;
      result_.exited = WIFEXITED(status);
      result_.status = result_.exited ? WEXITSTATUS(status) : -1;
    }
  }
  return result_;
}

HostProcess::Result HostProcess::run(const std::string& input,
                                     const std::vector<std::string>& arguments) {
  HostProcess host(arguments);
  host.write(input);
  return host.finish();
}
