#ifndef QEL_TESTS_PLUGIN_PAGECOMMANDFIXTURE_H_
#define QEL_TESTS_PLUGIN_PAGECOMMANDFIXTURE_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/SessionFixture.h"

// A session fixture with checks of what one page command does on the wire:
// the one text the stand-in server receives, or that nothing reaches the
// server and what the page sees instead.
class PageCommandFixture : public SessionFixture {
 public:
  // One page command (a JSON text) and the server text it must produce;
  // a null text means the command is dropped.
  struct WireCase {
    const char* command;
    const char* text;
  };

 protected:
  // Posts `json`; the server receives exactly one frame, `text`, and the
  // page receives log lines only (a handler answers nothing itself).
  ::testing::AssertionResult sends(const std::string& json, const std::string& text);
  // Posts `json`; nothing reaches the server and the page receives only the
  // "CMD(...)" log line of the command.
  ::testing::AssertionResult drops(const std::string& json);
  // Posts `json`; nothing reaches the server and the page receives one
  // answer besides log lines: the refusal "error:: command too long" under
  // `code`.
  ::testing::AssertionResult refusedAsTooLong(const std::string& json, int32_t code);
  // sends() or drops(), as the case says.
  ::testing::AssertionResult check(const WireCase& c);

  // Posts `json` on an empty page recorder; fails when anything reaches the
  // server (taking it, so that the next case starts clean).
  ::testing::AssertionResult sendsNothing(const std::string& json);

  // Logs in (call control included) and selects line 1, so that the device
  // is 201:1 and the extension 201.
  ::testing::AssertionResult logInOnLine1();
};

#endif  // QEL_TESTS_PLUGIN_PAGECOMMANDFIXTURE_H_
