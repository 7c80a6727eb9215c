#ifndef QEL_HOST_LINEREADER_H_
#define QEL_HOST_LINEREADER_H_

#include <functional>
#include <string>
#include <thread>

// Reads a file descriptor line by line on a thread of its own, so that a
// host's loop never blocks on its input. Each line (without its line feed;
// a last line without one counts too) goes to `onLine` with its number,
// counted from 1; the end of the input (or a read error) calls `onEnd` once.
// Both run on the reader's thread: they should only hand the line over,
// e.g. with pp::MainLoop::post.
//
// stop() ends the thread early, even while it waits for input; the
// destructor stops it too. Neither callback runs after stop() returns.
class LineReader {
 public:
  using LineHandler = std::function<void(int number, std::string line)>;
  using EndHandler = std::function<void()>;

  LineReader(int fd, LineHandler onLine, EndHandler onEnd);
  ~LineReader();

  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Starts the thread; false when the thread or its wake-up pipe could not
  // be made.
  bool start();
  void stop();

 private:
  void readLoop();
  // Hands every complete line in pending_ to onLine_.
  void takeLines();

  const int fd_;
  LineHandler onLine_;
  EndHandler onEnd_;
  int wake_[2] = {-1, -1};  // writing to wake_[1] tells the thread to end
  std::thread thread_;
  std::string pending_;  // input read and not yet handed over as a line
  size_t searched_ = 0;  // leading bytes of pending_ known to hold no line feed
  int lineNumber_ = 0;
};

#endif  // QEL_HOST_LINEREADER_H_
