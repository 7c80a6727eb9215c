#ifndef QEL_TESTS_SUPPORT_SESSIONFIXTURE_H_
#define QEL_TESTS_SUPPORT_SESSIONFIXTURE_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/MainLoop.h"
#include "platform/Module.h"
#include "plugin/QelClientInstance.h"
#include "tests/support/PagePostTexts.h"
#include "tests/support/PageRecorder.h"
#include "tests/support/QelSocketTestPeer.h"
#include "tests/support/StandInCallServer.h"

// A module with one instance on a test-clock loop, its page recorded, and a
// stand-in call server of its own. Page commands are given as JSON texts,
// e.g. command(R"([7,0,"login","alice","pw","HOST","201"])"), where the
// host text HOST is replaced by the server's address.
class SessionFixture : public ::testing::Test {
 protected:
  SessionFixture();
  ~SessionFixture() override;

  // Posts one page command (a JSON text) to the instance and runs the loop
  // until idle.
  void command(const std::string& json);
  // Posts a page value (any JSON text) without running the loop.
  void post(const std::string& json);

  // Posts "login" with request id `id` and waits until the server has the
  // challenge request: the session is Connected; leaves the page recorder
  // empty.
  ::testing::AssertionResult connect(int id = 7);

  // Drives the whole log-in road with request id `id` against the server:
  // challenge, "CLIENT" log-in, service list `services` (comma-separated)
  // and, when it names "LVL2OAI", the call-control log-in. Leaves the page
  // recorder and the server's frames empty.
  ::testing::AssertionResult logIn(int id = 7,
                                   const std::string& services = "LVL2OAI,INDSS,N2N,DSS");
  // The same road from the challenge request on, on a connection the server
  // already has.
  ::testing::AssertionResult answerLogIn(int id, const std::string& services);
  // The same road from the service-list request on: the server has the
  // request and answers with `services`.
  ::testing::AssertionResult logInToServices(int id, const std::string& services);

  // Sends one frame from the server and runs the loop until the module has
  // read it (its text, as well-formed UTF-8, is on the page log) and
  // handled it.
  ::testing::AssertionResult deliver(const std::string& text);

  // Takes the next frame and checks that it is the credential log-in
  // "CLIENT,LOGIN,<ids>,|user|,|digest|"; stores the digest when `digest` is
  // given.
  ::testing::AssertionResult expectCredentialLogIn(int id, const std::string& user,
                                                   std::string* digest = nullptr);
  // Takes the next frame and checks that it is the keep-alive frame (length
  // 0, no text).
  ::testing::AssertionResult expectKeepAlive();
  // Checks on the session's side, without waiting for the network, that no
  // keep-alive frame has been written since the page recorder was last
  // cleared: no write is in progress, and the page has no completion line
  // of a 4-byte write (every frame with a text is longer).
  ::testing::AssertionResult expectNoKeepAliveWritten();

  // The posts that are not log lines, as (code, text), in order.
  PostList pagePosts() const;

  // The ids field of a text the module sends under request id `id`: "7:"
  // for 7, empty for an id of 0 or less.
  static std::string ids(int id);

  QelSocket& session() { return instance_->session(); }
  QelSocketTestPeer peer() { return QelSocketTestPeer(instance_->session()); }

  pp::MainLoop loop_{pp::MainLoop::Clock::kTest};
  StandInCallServer server_{loop_};
  std::unique_ptr<pp::Module> module_;
  std::unique_ptr<QelClientInstance> instance_;
  PageRecorder page_;
};

#endif  // QEL_TESTS_SUPPORT_SESSIONFIXTURE_H_
