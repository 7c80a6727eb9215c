// Server texts reach the page as well-formed UTF-8: a byte outside a UTF-8
// sequence is read as its Latin-1 character, without losing the bytes after
// it, alike in the log line, the parse line and the message; cut log lines
// end between characters.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/PagePostTexts.h"
#include "tests/support/SessionFixture.h"

namespace {

// The post of a log line whose text, as JSON writes it between its quotes,
// is `json`.
std::pair<int32_t, std::string> loggedJson(const std::string& json) {
  return {PageRecorder::kLogCode, "{\"log\":\"" + json + "\"}\n"};
}

class ServerTextUtf8Test : public SessionFixture {
 protected:
  // Sends `text` as one frame and returns every post up to and including
  // the one post that is not a log line (each text gets exactly one).
  PostList receive(const std::string& text) {
    page_.clear();
    EXPECT_TRUE(server_.sendFrame(text));
    EXPECT_TRUE(loop_.runUntil([this] { return !page_.withoutLogs().empty(); }));
    loop_.runUntilIdle();
    return postsOf(page_.posts());
  }
};

TEST_F(ServerTextUtf8Test, LogParseLineAndReplyCarryTheSameCharacters) {
  struct Case {
    const char* what;
    std::string content;  // as the server sends it
    const char* json;     // as the page receives it
  };
  const Case cases[] = {
      {"ASCII", "plain", "plain"},
      {"Latin-1 byte before a comma", "caf\xe9,ab,cd", "caf\\u00e9,ab,cd"},
      {"Latin-1 byte before digits",
       "Ren\xe9"
       "56",
       "Ren\\u00e956"},
      {"valid two-byte character", "caf\xc3\xa9", "caf\\u00e9"},
      {"valid three-byte character",
       "\xe2\x82\xac"
       "5",
       "\\u20ac5"},
      {"valid four-byte character", "\xf0\x9f\x98\x80!", "\\ud83d\\ude00!"},
      {"sequence truncated at the end", "ab\xe2\x82", "ab\\u00e2\\u0082"},
      {"overlong form",
       "\xc0\xaf"
       "x",
       "\\u00c0\\u00afx"},
      {"encoded surrogate",
       "\xed\xa0\x80"
       "x",
       "\\u00ed\\u00a0\\u0080x"},
  };
  ASSERT_TRUE(connect());
  for (const Case& c : cases) {
    const std::string text = "CF,CLIENT,GET_FILE,8:,0," + c.content;
    const std::string json = c.json;
    EXPECT_EQ(receive(text), (PostList{
                                 loggedJson("receive msglen=" + std::to_string(text.size())),
                                 loggedJson("CF,CLIENT,GET_FILE,8:,0," + json),
                                 loggedJson("parse:1, CLIENT, GET_FILE, 8, 0, 0," + json),
                                 {8, "{\"details\":\"" + json + "\",\"error\":0}\n"},
                             }))
        << c.what;
  }
}

TEST_F(ServerTextUtf8Test, LatinOneEventKeepsItsNeighbours) {
  ASSERT_TRUE(connect());
  EXPECT_EQ(receive("AE,CLIENT,X,0:,caf\xe9,ab,cd"),
            (PostList{loggedJson("receive msglen=25"),
                      loggedJson("AE,CLIENT,X,0:,caf\\u00e9,ab,cd"),
                      loggedJson("parse:2, CLIENT, X, 0, 0, caf\\u00e9,ab,cd"),
                      {0, "null\n"}}));
}

TEST_F(ServerTextUtf8Test, TextWithANulIsDecodedThenLoggedUpToIt) {
  ASSERT_TRUE(connect());
  EXPECT_EQ(receive(std::string("AE,CLIENT,NUL,0:,\xe9\0\xfc", 20)),
            (PostList{loggedJson("receive msglen=20"),
                      loggedJson("AE,CLIENT,NUL,0:,\\u00e9"),
                      loggedJson("parse:2, CLIENT, NUL, 0, 0, \\u00e9"),
                      {0, "null\n"}}));
}

TEST_F(ServerTextUtf8Test, CallerNameOfACallEvent) {
  struct Case {
    std::string name;
    const char* json;
  };
  const Case cases[] = {
      {"Ren\xe9"
       "56",
       "Ren\\u00e956"},
      {"M\xfcller", "M\\u00fcller"},
      {"M\xc3\xbcller", "M\\u00fcller"},
  };
  ASSERT_TRUE(connect());
  for (const Case& c : cases) {
    const PostList posts =
        receive("AE,LVL2OAI,RAWCMD,0:,1,DE,2,3,h1,12:201,,,12:301," + c.name + ",5551234");
    ASSERT_FALSE(posts.empty());
    EXPECT_EQ(
        posts.back(),
        (std::pair<int32_t, std::string>{
            0,
            std::string(
                R"({"details":{"AccountCode":"","AlertingDevice":"201","AlertingDeviceType":"","AlertingOutsideNumber":"","AlertingPdnID":"12","CallerName":")") +
                c.json +
                R"(","CallerNumber":"5551234","CallingDeviceID":"301","CallingDeviceType":"","CallingPdnID":"12","LastRedirectionDeviceID":"","LastRedirectionPdnID":"","LocalConnectionState":"","OriginallyCallDeviceID":"","OriginallyCallPdnID":"","TrunkName":"","TrunkNumber":"","eventCause":"unknown","handle":"h1"},"type":2})"
                "\n"}))
        << c.json;
  }
}

TEST_F(ServerTextUtf8Test, CallInfoKeysStayDistinct) {
  ASSERT_TRUE(connect());
  // E9 then "ab" is a Latin-1 byte; E9 A1 A2 is the character U+9862.
  const PostList posts = receive(
      "AE,LVL2OAI,RAWCMD,0:,1,CALLINFO,2,3,h8,\xe9"
      "ab=1\t\xe9\xa1\xa2=2");
  ASSERT_FALSE(posts.empty());
  EXPECT_EQ(posts.back(),
            (std::pair<int32_t, std::string>{
                0, R"({"details":{"handle":"h8","\u00e9ab":"1","\u9862":"2"},"type":18})"
                   "\n"}));
}

// The prefix is told by the third character, not the third byte: a text
// whose first characters are not ASCII reads as its ASCII twin.
TEST_F(ServerTextUtf8Test, PrefixIsToldByTheThirdCharacter) {
  struct Case {
    std::string text;
    const char* twin;
  };
  const Case cases[] = {
      {"\xe9,CLIENT,LOGIN,5:", "A,CLIENT,LOGIN,5:"},  // a Latin-1 byte: one character
      {"\xc3\xa9,CLIENT,LOGIN,5:", "A,CLIENT,LOGIN,5:"},
      {"A\xe9,CLIENT,X,0:,b", "AB,CLIENT,X,0:,b"},
      {"\xe2\x82\xac\xe9,CLIENT,X,0:,b", "AB,CLIENT,X,0:,b"},
      {"\xe9,,", "A,,"},
      {"\xe9\xe9,", "AB,"},  // three bytes, decoded to five
      {"\xe9,", "A,"},       // two characters: too short to read
  };
  // The posts that are not log lines, and the parse lines.
  const auto reading = [this](const std::string& text) {
    page_.clear();
    EXPECT_TRUE(deliver(text)) << text;
    std::vector<std::string> parseLines;
    for (const std::string& line : page_.logLines()) {
      if (line.rfind("parse:", 0) == 0) parseLines.push_back(line);
    }
    return std::make_pair(pagePosts(), parseLines);
  };
  ASSERT_TRUE(logIn());
  for (const Case& c : cases) {
    const auto twin = reading(c.twin);
    EXPECT_EQ(reading(c.text), twin) << c.twin;
    ASSERT_EQ(QelSocket::CallControlReady, peer().state()) << c.twin;
  }
}

// Fields read from their second character, or only their first, keep a
// character of several bytes whole.
TEST_F(ServerTextUtf8Test, FieldsReadByCharacterKeepTheirCharactersWhole) {
  struct Case {
    std::string text;
    int id;
    const char* json;
  };
  const Case cases[] = {
      {"CF,ACD,ACDCMD,9:,x,QUERY,y,0,GROUP,a,b,c,1,300,1,\xe9"
       "1001,1,\xe9Yes,Sales,E,V",
       9,
       R"({"details":[{"agents":[{"agentId":"1001","loggedIn":"1","takeCall":"\u00e9"}],)"
       R"("enableType":"E","groupId":"300","groupName":"Sales","ssValid":"V"}],"error":0})"},
      {"CF,ACD,ACDCMD,9:,x,QUERY,y,0,AGENT,a,b,c,1,1001,201,1,\xc3\xa9:300,1,\xe2\x82\xacYes", 9,
       R"({"details":[{"agentId":"1001","extension":"201","groups":[)"
       R"({"groupId":"300","loggedIn":"1","takeCall":"\u20ac"}]}],"error":0})"},
      {"CF,CLIENT,GET_FILE,8:,0\xe9"
       "content",
       8, R"({"details":"content","error":0})"},
  };
  ASSERT_TRUE(connect());
  for (const Case& c : cases) {
    const PostList posts = receive(c.text);
    ASSERT_FALSE(posts.empty());
    EXPECT_EQ(posts.back(), (std::pair<int32_t, std::string>{c.id, std::string(c.json) + "\n"}))
        << c.text;
  }
}

// A line of `limit` bytes at most, cut from `filler` bytes of 'b' and then a
// character of `bytes` bytes: the character is kept whole or not at all.
std::string cutLine(const std::string& head, size_t filler, const std::string& character,
                    size_t limit) {
  const size_t start = head.size() + filler;
  const std::string line = head + std::string(filler, 'b') + character;
  return line.substr(0, start + character.size() <= limit ? start + character.size() : start);
}

TEST_F(ServerTextUtf8Test, ParseLineIsCutBetweenCharacters) {
  const std::string head = "parse:1, CLIENT, GET_FILE, 4, 0, ";
  struct Case {
    std::string sent;  // as the server sends the character
    std::string utf8;  // as the line holds it
  };
  const Case cases[] = {
      {"\xe9", "\xc3\xa9"},  // read as Latin-1: two bytes in the line
      {"\xc3\xa9", "\xc3\xa9"},
      {"\xc2\xa9", "\xc2\xa9"},
      {"\xe0\xa0\x80", "\xe0\xa0\x80"},
      {"\xe2\x82\xac", "\xe2\x82\xac"},
      {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},
  };
  ASSERT_TRUE(connect());
  for (const Case& c : cases) {
    // The character ends at byte 511 of the line, or is split by the cut;
    // without a tail the whole line may be exactly the buffer's size.
    for (const std::string tail : {"tail", ""}) {
      for (size_t start = 511 - c.utf8.size(); start < 511; ++start) {
        const size_t filler = start - head.size();
        receive("CF,CLIENT,GET_FILE,4:," + std::string(filler, 'b') + c.sent + tail);
        const std::vector<std::string> lines = page_.logLines();
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[2], cutLine(head, filler, c.utf8, 511))
            << c.utf8.size() << " at " << start << " tail " << tail.size();
      }
    }
  }
}

TEST_F(ServerTextUtf8Test, CommandLineIsCutBetweenCharacters) {
  const std::string head = "CMD(1,";
  for (const std::string character : {"\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x98\x80"}) {
    for (size_t start = 1023 - character.size(); start < 1023; ++start) {
      page_.clear();
      const size_t filler = start - head.size();
      command("[1,0,\"" + std::string(filler, 'b') + character + "tail\"]");
      const std::vector<std::string> lines = page_.logLines();
      ASSERT_EQ(lines.size(), 1u);
      EXPECT_EQ(lines[0], cutLine(head, filler, character, 1023))
          << character.size() << " at " << start;
    }
  }
}

}  // namespace
