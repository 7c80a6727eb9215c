#include <gtest/gtest.h>
#include <json/value.h>

#include <csignal>
#include <sstream>
#include <string>
#include <vector>

#include "messages/JsonText.h"
#include "platform/MainLoop.h"
#include "tests/host/HostProcess.h"
#include "tests/support/PagePostTexts.h"
#include "tests/support/StandInCallServer.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The line the host writes for the post [code, text].
std::string postLine(int code, const std::string& text) {
  Json::Value post(Json::arrayValue);
  post.append(code);
  post.append(text);
  std::string line = writeJsonText(post);
  line.pop_back();
  return line;
}

// The line the host writes for the log line `text`.
std::string logLine(const std::string& text) {
  const auto post = logPost(text);
  return postLine(post.first, post.second);
}

TEST(QelHostTest, MalformedUnknownAndSendLogCommands) {
  const HostProcess::Result result =
      HostProcess::run("\"hello\"\n[5,0,\"nosuch\"]\n[7,0,\"sendlog\",\"hi\"]\n");
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "[0,\"{\\\"details\\\":\\\"error:: non-array command\\\",\\\"error\\\":-1}\\n\"]\n"
            "[-99,\"{\\\"log\\\":\\\"CMD(5,nosuch,3)\\\"}\\n\"]\n"
            "[0,\"{\\\"details\\\":\\\"error:: unknown command\\\",\\\"error\\\":-1}\\n\"]\n"
            "[-99,\"{\\\"log\\\":\\\"CMD(7,sendlog,4)\\\"}\\n\"]\n"
            "[-99,\"{\\\"log\\\":\\\"hi\\\"}\\n\"]\n");
  EXPECT_EQ(result.err, "logerr: non-array command from javascript layer\n");
}

TEST(QelHostTest, EveryInputLineInOrder) {
  const std::string input =
      "\"hello\"\n"                               // 1
      "\n"                                        // 2: blank
      "{bad\n"                                    // 3: not JSON
      "[5,0,\"nosuch\"]\n"                        // 4
      "[2.9,0,\"sendlog\",7]\n"                   // 5: fraction, number argument
      "[\"7\",0,\"sendlog\",\"a\\\"b\"]\n"        // 6: string id, escaped text
      "[1,0,7]\n"                                 // 7: name not a string
      "[1] trailing\n"                            // 8: not JSON
      "[-3,0,\"sendlog\",{\"k\":[1,null]}]\n"     // 9: object argument
      " \t \n"                                    // 10: blank
      "[1,]\n"                                    // 11: not JSON
      "[2.0,0,\"sendlog\",\"crlf\"]\r\n"          // 12: integral double, CR LF
      "[]\n"                                      // 13
      "[8,0,\"sendlog\",\"last\",[true,false]]";  // 14: no line feed at the end
  const HostProcess::Result result = HostProcess::run(input);
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 0);
  const std::vector<std::string> expectedOut = {
      postLine(0, kNonArrayText),
      logLine("CMD(5,nosuch,3)"),
      postLine(0, kUnknownText),
      logLine("CMD(2,sendlog,4)"),
      logLine(""),
      logLine("CMD(0,sendlog,4)"),
      logLine("a\"b"),
      postLine(0, kNonStringText),
      logLine("CMD(-3,sendlog,4)"),
      logLine(""),
      logLine("CMD(2,sendlog,4)"),
      logLine("crlf"),
      postLine(0, kNonStringText),
      logLine("CMD(8,sendlog,5)"),
      logLine("last"),
  };
  EXPECT_EQ(linesOf(result.out), expectedOut);
  const std::vector<std::string> err = linesOf(result.err);
  const std::vector<std::string> expectedErr = {
      "logerr: non-array command from javascript layer",
      "qelhost: line 3: not JSON: ",
      "logerr: command has to be a string argLength(3)",
      "qelhost: line 8: not JSON: ",
      "qelhost: line 11: not JSON: ",
      "logerr: bad command - not enough arguments: 0",
  };
  ASSERT_EQ(err.size(), expectedErr.size()) << result.err;
  for (size_t i = 0; i < err.size(); ++i) {
    const std::string& expected = expectedErr[i];
    if (expected.find("not JSON: ") == std::string::npos) {
      EXPECT_EQ(err[i], expected);
    } else {
      // The reason is the JSON reader's own text; it must be there.
      EXPECT_EQ(err[i].compare(0, expected.size(), expected), 0) << err[i];
      EXPECT_GT(err[i].size(), expected.size()) << err[i];
    }
  }
}

TEST(QelHostTest, DeepNestingIsRefusedNotFatal) {
  const std::string deep = std::string(5000, '[') + std::string(5000, ']');
  const HostProcess::Result result = HostProcess::run(deep + "\n[1,0,\"sendlog\",\"after\"]\n");
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(linesOf(result.err),
            std::vector<std::string>{"qelhost: line 1: not JSON: nested deeper than 256 levels"});
  EXPECT_EQ(linesOf(result.out),
            (std::vector<std::string>{logLine("CMD(1,sendlog,4)"), logLine("after")}));
}

TEST(QelHostTest, LineNotValidUtf8IsRefusedLikeOneNotJson) {
  const HostProcess::Result result = HostProcess::run(
      "[1,0,\"sendlog\",\"caf\xe9\"]\n"                                      // Latin-1 byte
      "[2,0,\"sendlog\",\"\xed\xa0\x80\"]\n"                                 // encoded surrogate
      "[3,0,\"sendlog\",\"\xc0\xaf\"]\n"                                     // overlong form
      "[4,0,\"sendlog\",\"ab\xe2\x82\"]\n"                                   // truncated sequence
      "[5,0,\"sendlog\"]\xff\n"                                              // outside a string
      "[6,0,\"sendlog\",\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\"]\n");  // valid
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(linesOf(result.err), (std::vector<std::string>{
                                     "qelhost: line 1: not JSON: column 20: not valid UTF-8",
                                     "qelhost: line 2: not JSON: column 17: not valid UTF-8",
                                     "qelhost: line 3: not JSON: column 17: not valid UTF-8",
                                     "qelhost: line 4: not JSON: column 19: not valid UTF-8",
                                     "qelhost: line 5: not JSON: column 16: not valid UTF-8",
                                 }));
  EXPECT_EQ(linesOf(result.out),
            (std::vector<std::string>{logLine("CMD(6,sendlog,4)"),
                                      logLine("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80")}));
}

TEST(QelHostTest, EmptyInputExitsAtOnce) {
  const HostProcess::Result result = HostProcess::run("");
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
}

TEST(QelHostTest, Arguments) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    const char* outFragment;
    const char* errFragment;
  };
  const Case cases[] = {
      {{"--help"}, 0, "--linger-ms N", ""},
      {{"--linger-ms", "0"}, 0, "", ""},
      {{"--linger-ms", "20"}, 0, "", ""},
      {{"--linger-ms"}, 2, "", "--linger-ms needs a number"},
      {{"--linger-ms", "-5"}, 2, "", "not a number of milliseconds: -5"},
      {{"--linger-ms", "99999999999"}, 2, "", "not a number of milliseconds"},
      {{"--verbose"}, 2, "", "unknown argument: --verbose"},
  };
  for (const Case& c : cases) {
    const std::string what = c.arguments.empty() ? "" : c.arguments[0];
    const HostProcess::Result result = HostProcess::run("", c.arguments);
    EXPECT_TRUE(result.exited) << what;
    EXPECT_EQ(result.status, c.status) << what;
    EXPECT_NE(result.out.find(c.outFragment), std::string::npos) << result.out;
    EXPECT_NE(result.err.find(c.errFragment), std::string::npos) << result.err;
  }
  const std::string help = HostProcess::run("", {"--help"}).out;
  for (const char* topic : {"not JSON", "SIGTERM", "logerr", "flushed", "standard input"}) {
    EXPECT_NE(help.find(topic), std::string::npos) << topic;
  }
}

TEST(QelHostTest, SignalsEndTheHostAtOnce) {
  struct Case {
    int signal;
    bool inputEnded;  // signalled while lingering after the end of input
  };
  for (const Case c :
       {Case{SIGTERM, false}, Case{SIGINT, false}, Case{SIGTERM, true}, Case{SIGINT, true}}) {
    HostProcess host({"--linger-ms", "600000"});
    ASSERT_TRUE(host.started());
    ASSERT_TRUE(host.write("[1,0,\"sendlog\",\"ready\"]\n"));
    // Once the host has answered, its loop runs and its signal handling is
    // in place.
    ASSERT_TRUE(host.waitForLines(2));
    if (c.inputEnded) host.closeInput();
    host.signal(c.signal);
    const HostProcess::Result result = host.finish();
    EXPECT_TRUE(result.exited) << c.signal;
    EXPECT_EQ(result.status, 0) << c.signal;
    EXPECT_EQ(linesOf(result.out),
              (std::vector<std::string>{logLine("CMD(1,sendlog,4)"), logLine("ready")}));
  }
}

TEST(QelHostTest, LingersServingTheConnectionThenClosesItWithoutPosting) {
  pp::MainLoop loop(pp::MainLoop::Clock::kTest);
  StandInCallServer server(loop);
  ASSERT_TRUE(server.listening());
  HostProcess host({"--linger-ms", "2000"});
  ASSERT_TRUE(
      host.write("[7,0,\"login\",\"alice\",\"secret\",\"" + server.host() + "\",\"201\"]\n"));
  ASSERT_TRUE(server.waitForConnection());
  ASSERT_TRUE(server.expectFrame("CLIENT,REQUESTLOGIN,7:"));
  host.closeInput();
  // After the end of input the host still reads and posts what the server
  // sends; when the linger time is over it closes the connection.
  ASSERT_TRUE(server.sendFrame("CF,CLIENT,PING,7:,0,still here"));
  ASSERT_TRUE(server.waitForPeerClose());
  const HostProcess::Result result = host.finish();
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 0);
  const std::vector<std::string> out = linesOf(result.out);
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out.back(), postLine(7, errorText(0, "still here"))) << result.out;
  EXPECT_EQ(result.out.find("NET_SERVER"), std::string::npos) << result.out;
  EXPECT_EQ(result.err, "");
}

}  // namespace
