// qelhost: runs the module as a program, with standard input and output
// standing in for the page.

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/PageHost.h"

namespace {

const char kUsage[] =
    "usage: qelhost [--linger-ms N] [--help]\n"
    "\n"
    "Runs the module as the browser would (one instance, initialised without\n"
    "attributes) with standard input and output standing in for the page.\n"
    "\n"
    "Standard input: one page message per line, as JSON, for example\n"
    "  [7,0,\"login\",\"alice\",\"secret\",\"callserver.example\",\"201\"]\n"
    "An array becomes a page array (recursively), an object a dictionary; an\n"
    "integral number within the 32-bit range is an integer, any other number a\n"
    "double; strings, true, false and null are taken as they are. A blank line\n"
    "is skipped. A line that is not JSON, or not valid UTF-8, writes\n"
    "  qelhost: line N: not JSON: <reason>\n"
    "to standard error and posts nothing; the host goes on.\n"
    "\n"
    "Standard output: every post of the module, one line each, as the compact\n"
    "JSON of the posted array [code, JSON text], flushed at once, e.g.\n"
    "  [0,\"{\\\"details\\\":\\\"error:: unknown command\\\",\\\"error\\\":-1}\\n\"]\n"
    "Code -99 carries log lines, 0 events and connection states, and any other\n"
    "code the reply to the command with that request id.\n"
    "\n"
    "Standard error: the module's \"logerr: \" lines and the host's own.\n"
    "\n"
    "At the end of standard input the module goes on serving its connection\n"
    "for the linger time, then the instance is destroyed (closing the\n"
    "connection without posting) and the host exits with status 0. SIGINT and\n"
    "SIGTERM end it the same way at once.\n"
    "\n"
    "Options:\n"
    "  --linger-ms N  milliseconds to keep serving after the end of input\n"
    "                 (default 0)\n"
    "  --help         this text\n";

// A decimal count of milliseconds within the 32-bit range.
bool readMilliseconds(const char* text, int32_t* value) {
  if (*text == '\0' || std::strlen(text) > 10) return false;
  long long total = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
    total = total * 10 + (*c - '0');
  }
  if (total > INT32_MAX) return false;
  *value = static_cast<int32_t>(total);
  return true;
}

int usageError(const std::string& message) {
  std::fprintf(stderr, "qelhost: %s\n(qelhost --help tells the usage)\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  int32_t lingerMs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (argument == "--linger-ms") {
      if (i + 1 >= argc) return usageError("--linger-ms needs a number of milliseconds");
      if (!readMilliseconds(argv[++i], &lingerMs)) {
        return usageError(std::string("not a number of milliseconds: ") + argv[i]);
      }
      continue;
    }
    return usageError("unknown argument: " + argument);
  }
  // A page that stops reading must not kill the host: its posts are lost,
  // and the end of its input ends the host as usual.
  std::signal(SIGPIPE, SIG_IGN);
  PageHost host(lingerMs);
  return host.run();
}
