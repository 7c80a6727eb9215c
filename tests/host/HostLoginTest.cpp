// The built page host logs in through the whole road to call control
// against a stand-in call server on a loopback address, and logs out.

#include <gtest/gtest.h>
#include <json/reader.h>
#include <unistd.h>

#include <cstddef>
#include <memory>
#include <string>

#include "platform/MainLoop.h"
#include "tests/host/HostProcess.h"
#include "tests/support/CredentialTestSupport.h"
#include "tests/support/PagePostTexts.h"
#include "tests/support/StandInCallServer.h"

namespace {

// The posts in the host's standard output that are not log lines, as
// (code, text), in order; a line that is no post is kept as "not a post".
PostList answersIn(const std::string& output) {
  PostList posts;
  Json::CharReaderBuilder builder;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  for (size_t from = 0, end = output.find('\n'); end != std::string::npos;
       from = end + 1, end = output.find('\n', from)) {
    const std::string line = output.substr(from, end - from);
    Json::Value post;
    std::string errors;
    if (!reader->parse(line.data(), line.data() + line.size(), &post, &errors) || !post.isArray() ||
        post.size() != 2 || !post[0].isInt() || !post[1].isString()) {
      posts.emplace_back(0, "not a post: " + line);
    } else if (post[0].asInt() != PageRecorder::kLogCode) {
      posts.emplace_back(post[0].asInt(), post[1].asString());
    }
  }
  return posts;
}

TEST(HostLoginTest, LogsInToCallControlAndOut) {
  if (access(QEL_HOST_BINARY, X_OK) != 0) GTEST_SKIP() << QEL_HOST_BINARY << " is not built";
  pp::MainLoop loop(pp::MainLoop::Clock::kReal);
  StandInCallServer server(loop);
  ASSERT_TRUE(server.listening());
  HostProcess host;
  ASSERT_TRUE(host.started());
  const auto posts = [&host] { return answersIn(host.outputSoFar()); };
  const auto postsReach = [&](size_t count) {
    return loop.runUntil([&] { return posts().size() >= count; });
  };

  ASSERT_TRUE(
      host.write(R"([7,0,"login","alice","secret",")" + server.host() + R"(","201"])" + "\n"));
  ASSERT_TRUE(server.waitForConnection());
  ASSERT_TRUE(server.expectFrame("CLIENT,REQUESTLOGIN,7:"));
  const std::string key = "host-key";
  server.sendFrame("CF,CLIENT,REQUESTLOGIN,7:,0," + scrambleChallenge(key));
  const auto login = server.nextFrame();
  ASSERT_TRUE(login);
  std::string digest;
  ASSERT_TRUE(isCredentialLogIn(login->text, "7:", "alice", &digest));
  EXPECT_EQ(digestMismatch(digest, "secret," + key), "");
  server.sendFrame("CF,CLIENT,LOGIN,7:,0,Welcome");
  ASSERT_TRUE(server.expectFrame("CLIENT,NOTIFY_AVAILABLE_SERVICES,7:"));
  server.sendFrame("AE,CLIENT,AVAILABLE,0:,LVL2OAI");
  ASSERT_TRUE(server.expectFrame("LVL2OAI,LOGIN,7:,,DEZezori"));
  server.sendFrame("CF,LVL2OAI,LOGIN,7:,0,ok");
  ASSERT_TRUE(postsReach(3));
  EXPECT_EQ(posts(), (PostList{{0, connectionStateText(true, "NET_SERVER")},
                               {7, errorText(0, "ok")},
                               {0, connectionStateText(true, "LVL2OAI_SERVICE")}}));

  ASSERT_TRUE(host.write("[8,0,\"logout\"]\n"));
  ASSERT_TRUE(postsReach(5));
  const PostList all = posts();
  EXPECT_EQ(PostList(all.begin() + 3, all.end()),
            (PostList{{8, errorText(0, "")}, {0, connectionStateText(false, "NET_SERVER")}}));
  EXPECT_TRUE(server.waitForPeerClose());
  EXPECT_TRUE(server.expectNoFrame());

  const HostProcess::Result result = host.finish();
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 0);
}

}  // namespace
