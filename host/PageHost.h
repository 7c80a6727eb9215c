#ifndef QEL_HOST_PAGEHOST_H_
#define QEL_HOST_PAGEHOST_H_

#include <asio/signal_set.hpp>
#include <cstdint>
#include <memory>
#include <string>

#include "host/LineReader.h"
#include "platform/MainLoop.h"

namespace pp {
class Instance;
class Module;
class Var;
}  // namespace pp

// Stands in for the browser page, so that the module runs as a program:
// loads the module as the browser does (pp::CreateModule, Module::Init, one
// instance, Instance::Init without attributes, all on the platform's loop
// with the real clock), turns every line of standard input into one page
// message, and writes every post of the module to standard output as one
// compact JSON line, flushed at once.
//
// Input lines are JSON: arrays become pp::VarArray and objects dictionaries
// (recursively), integral numbers within the 32-bit range int32, other
// numbers doubles. A blank line is skipped; a line that is not JSON, or not
// well-formed UTF-8, writes "qelhost: line N: not JSON: <reason>" to
// standard error and posts nothing.
//
// The end of standard input leaves the module serving its connection for
// the linger time, then the instance is destroyed (which closes the
// connection without posting) and run() returns. SIGINT and SIGTERM end it
// the same way at once.
class PageHost {
 public:
  // Deepest nesting of arrays and objects an input line may have.
  static constexpr int kMaxNesting = 256;

  explicit PageHost(int32_t lingerMs);
  ~PageHost();

  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  // Serves until the end, then returns the exit status (0; 1 when the input
  // could not be read at all).
  int run();

 private:
  void load();
  void handleLine(int number, const std::string& line);
  void endOfInput();
  void writePost(const pp::Var& post);

  const int32_t lingerMs_;
  pp::MainLoop loop_{pp::MainLoop::Clock::kReal};
  asio::signal_set signals_;
  std::unique_ptr<pp::Module> module_;
  std::unique_ptr<pp::Instance> instance_;
  bool inputEnded_ = false;
  // Last member: its thread is stopped before anything it posts to goes.
  LineReader reader_;
};

#endif  // QEL_HOST_PAGEHOST_H_
