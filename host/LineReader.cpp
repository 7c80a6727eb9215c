#include "host/LineReader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace {

constexpr size_t kChunkSize = 65536;

}  // namespace

LineReader::LineReader(int fd, LineHandler onLine, EndHandler onEnd)
    : fd_(fd), onLine_(std::move(onLine)), onEnd_(std::move(onEnd)) {}

LineReader::~LineReader() {
  stop();
}

bool LineReader::start() {
  if (thread_.joinable() || pipe(wake_) != 0) return false;
  thread_ = std::thread([this] { readLoop(); });
  return true;
}

void LineReader::stop() {
  if (thread_.joinable()) {
    const char wake = 0;
    while (write(wake_[1], &wake, 1) < 0 && errno == EINTR) {
    }
    thread_.join();
  }
  for (int& end : wake_) {
    if (end >= 0) close(end);
    end = -1;
  }
}

void LineReader::readLoop() {
  char chunk[kChunkSize];
  for (;;) {
    pollfd watched[2] = {{fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    if (poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (watched[1].revents != 0) return;  // stopped: no end is reported
    const ssize_t n = read(fd_, chunk, sizeof chunk);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) break;
    pending_.append(chunk, static_cast<size_t>(n));
    takeLines();
  }
  if (!pending_.empty()) onLine_(++lineNumber_, std::move(pending_));
  pending_.clear();
  searched_ = 0;
  onEnd_();
}

void LineReader::takeLines() {
  // Only the text after what earlier chunks left is searched: a long line
  // that arrives in many chunks is read once, not once per chunk.
  size_t start = 0;
  for (size_t end = pending_.find('\n', searched_); end != std::string::npos;
       end = pending_.find('\n', start)) {
    onLine_(++lineNumber_, pending_.substr(start, end - start));
    start = end + 1;
  }
  pending_.erase(0, start);
  searched_ = pending_.size();
}
