#ifndef QEL_TESTS_HOST_HOSTPROCESS_H_
#define QEL_TESTS_HOST_HOSTPROCESS_H_

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

// The built page host run as a child process, its standard input, output
// and error on pipes. Every wait is bounded by a real-time limit; a host
// still running when the object goes is killed.
class HostProcess {
 public:
  static constexpr std::chrono::milliseconds kWait{10000};

  struct Result {
    bool exited = false;  // ended by exit(), not by a signal or the limit
    int status = -1;      // its exit status
    std::string out;
    std::string err;
  };

  // Starts the host with `arguments`; started() tells whether it runs.
  explicit HostProcess(const std::vector<std::string>& arguments = {});
  ~HostProcess();

  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  bool started() const { return pid_ > 0; }

  // Writes to the host's standard input.
  bool write(const std::string& text);
  void closeInput();
  // Reads the host's output until its standard output holds `lines` lines.
  bool waitForLines(size_t lines, std::chrono::milliseconds limit = kWait);
  // Reads what the host has written so far, without waiting, and returns
  // its standard output up to now.
  const std::string& outputSoFar();
  void signal(int number);

  // Closes the input, reads both outputs to their end and waits for the
  // host to exit.
  Result finish(std::chrono::milliseconds limit = kWait);

  // Runs the host on `input` to its end.
  static Result run(const std::string& input, const std::vector<std::string>& arguments = {});

 private:
  // Reads what is ready on the output pipes, waiting at most `waitMs`;
  // false once both have ended.
  bool readSome(int waitMs);
  void closeFd(int& fd);

  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  int error_ = -1;
  Result result_;
};

#endif  // QEL_TESTS_HOST_HOSTPROCESS_H_
