// Robustness of the session against what it cannot trust: server texts of
// any bytes and shape, frames cut anywhere, and page commands of any element
// types and lengths. Nothing may crash, throw, read out of range or hang;
// every post stays a well-formed [code, JSON text].

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "messages/QelMessage.h"
#include "plugin/QelMessageDispatcher.h"
#include "tests/support/LinearGrowth.h"
#include "tests/support/PageText.h"
#include "tests/support/SessionFixture.h"

namespace {

// Pieces of server texts: every code, service and list word the message
// classes read, numbers at and past the 32-bit range, quotes and colons.
// clang-format off
const char* const kTokens[] = {
    "CF", "AE", "XY", "CLIENT", "LVL2OAI", "INDSS", "DSS", "N2N", "ACD", "DIALPLAN", "LOGIN",
    "LOGOUT", "REQUESTLOGIN", "AVAILABLE", "UNAVAILABLE", "RAWCMD", "ACDCMD", "GETNODELIST",
    "GETS2SWHITELIST", "VERSION", "USER_INFO", "USER_EXIST", "GET_FILE", "GETDIALNUM", "DSSMON",
    "INDSSMON", "NOTIFY_AVAILABLE_SERVICES", "ABANDON", "AGENT", "AGTLOGINX", "AGTLOGOUTX",
    "CALLINFO", "CC", "CO", "DE", "DI", "DND", "ENDRESYNCH", "ES", "FA", "FW", "GROUP",
    "GRP_ENABLE", "HE", "LF", "LN", "ME", "MONITOR", "NEWCALL", "NRY", "NT", "OR", "QU", "QUERY",
    "RE", "REMOVECALL", "RY", "SETAVAIL", "SETUNAVAIL", "SETWNR", "SETWORKUNITS", "SI", "SPCLCALL",
    "TR", "UNAVAIL", "VAGTPSWRD", "WAITING", "WNR", "XC", "_AC", "_CN", "_CS", "_CX", "_DF", "_EF",
    "_HC", "_MC", "_MS", "_QI", "_RV", "_SF", "_SP", "_TO", "_TR", "_UQC", "0", "1", "2", "3", "-1",
    "7:", ":", "2147483647", "-2147483648", "99999999999999", "U", "0|x", "|", "||", " ", "", "a:b",
    "201:1",
};
// clang-format on

// Heads of the texts that reach a class of their own.
// clang-format off
const char* const kHeads[] = {
    "CF,LVL2OAI,RAWCMD,5:,", "AE,LVL2OAI,RAWCMD,0:,", "CF,ACD,ACDCMD,5:,", "AE,ACD,ACDCMD,0:,",
    "AE,CLIENT,AVAILABLE,0:,", "CF,N2N,GETNODELIST,3:,", "CF,N2N,GETS2SWHITELIST,3:,",
    "AE,INDSS,INDSSMON,0:,", "AE,DSS,DSSMON,0:,", "CF,CLIENT,USER_INFO,2:,",
    "CF,CLIENT,USER_EXIST,2:,", "CF,CLIENT,VERSION,2:,", "CF,CLIENT,GET_FILE,2:,",
    "CF,DIALPLAN,GETDIALNUM,2:,", "CF,CLIENT,REQUESTLOGIN,2:,", "CF,LVL2OAI,LOGIN,2:,",
    "CF,ACD,LOGOUT,2:,", "AE,LVL2OAI,UNAVAILABLE,0:,",
};
// clang-format on

template <class T, size_t N>
const T& pick(std::mt19937& rng, const T (&items)[N]) {
  return items[rng() % N];
}

// Up to 40 tokens, raw bytes, quotes and separators.
std::string randomText(std::mt19937& rng) {
  std::string text;
  const int n = static_cast<int>(rng() % 41);
  for (int i = 0; i < n; ++i) {
    const unsigned c = rng() % 10;
    if (c < 6) {
      text += pick(rng, kTokens);
    } else if (c < 7) {
      text += static_cast<char>(rng() % 256);
    } else if (c < 8) {
      text += '|';
    }
    if (rng() % 10 < 7) text += ',';
  }
  return text;
}

// Half the texts start with the head of a class of its own.
std::string randomServerText(std::mt19937& rng) {
  const std::string text = randomText(rng);
  return rng() % 2 == 0 ? pick(rng, kHeads) + text : text;
}

// A challenge answer (of any service) or a "CLIENT" log-in answer: it may
// refuse the log-in and so close the connection under the stand-in
// server's feet.
bool answersTheLogIn(std::string text) {
  const std::unique_ptr<QelMessage> message(
      QelMessage::parse(&text[0], static_cast<int>(text.size()), nullptr));
  if (message == nullptr || message->prefix() != "CF") return false;
  const std::string& command = message->command();
  return command == "REQUESTLOGIN" ||
         (message->service() == "CLIENT" && (command == "LOGIN" || command == "LOGOUT"));
}

using HostileInputTest = SessionFixture;

TEST_F(HostileInputTest, ServerTextsOfAnyShapeInEveryState) {
  std::mt19937 rng(12345);
  const int states[] = {QelSocket::Idle, QelSocket::Connected, QelSocket::LoggedIn,
                        QelSocket::CallControlReady};
  for (int round = 0; round < 40000; ++round) {
    peer().setState(states[round % 4]);
    std::string text = randomServerText(rng);
    const std::unique_ptr<QelMessage> message(
        QelMessage::parse(&text[0], static_cast<int>(text.size()), &session()));
    if (message != nullptr) QelMessageDispatcher::instance().dispatch(&session(), message.get());
    if (page_.size() > 5000) {
      ASSERT_TRUE(page_.allWellFormed());
      page_.clear();
    }
  }
  EXPECT_TRUE(page_.allWellFormed());
}

TEST_F(HostileInputTest, FramesCutAnywhereOnALoggedInConnection) {
  std::mt19937 rng(99);
  ASSERT_TRUE(logIn(7));
  size_t posts = 0;
  for (int round = 0; round < 1000; ++round) {
    std::string bytes;
    const int frames = 1 + static_cast<int>(rng() % 5);
    for (int f = 0; f < frames; ++f) {
      const std::string text = randomServerText(rng);
      if (!answersTheLogIn(text)) bytes += StandInCallServer::frame(text);
    }
    std::vector<size_t> sizes;
    for (size_t left = bytes.size(); left > 0;) {
      sizes.push_back(std::min<size_t>(left, 1 + rng() % 64));
      left -= sizes.back();
    }
    ASSERT_TRUE(server_.sendInPieces(bytes, sizes));
    ASSERT_TRUE(loop_.runUntilIdle());
    ASSERT_TRUE(server_.connected());
    ASSERT_GE(peer().state(), QelSocket::LoggedIn);
    while (server_.nextFrame(std::chrono::milliseconds(0))) {
    }
    ASSERT_TRUE(page_.allWellFormed());
    posts += page_.size();
    page_.clear();
  }
  // Every frame was read: at least its length and text log lines.
  EXPECT_GT(posts, 2000u);
}

// Heads of the texts that reach each class that splits its body with the
// quote character.
const char* const kQuotedBodyHeads[] = {"AE,LVL2OAI,RAWCMD,0:,", "AE,ACD,ACDCMD,0:,",
                                        "CF,ACD,ACDCMD,3:,", "CF,N2N,GETNODELIST,3:,",
                                        "CF,CLIENT,USER_INFO,3:,"};

// A body of nothing but empty fields is parsed and converted for the page
// in work that grows with its length, not with its square, for each class
// that splits its body with the quote character.
TEST_F(HostileInputTest, EmptyFieldsAreParsedAndConvertedInLinearWork) {
  for (const char* head : kQuotedBodyHeads) {
    // The text is made anew for each run: the parser splits it in place.
    const auto prepare = [head](size_t n) -> PreparedStep {
      return [head, n] {
        std::string text = head;
        text.resize(text.size() + n, ',');
        const std::unique_ptr<QelMessage> message(
            QelMessage::parse(&text[0], static_cast<int>(text.size()), nullptr));
        ASSERT_NE(message, nullptr) << head;
        EXPECT_FALSE(pageText(*message).empty()) << head;
      };
    };
    EXPECT_TRUE(growsLinearly(prepare, 16384, 8, 24)) << head;
  }
}

// Frames of the longest accepted length made of nothing but empty fields,
// for each class that splits its body with the quote character: each is
// read, parsed and posted, and the session goes on to answer the next
// frame. The work is linear (above); the limit only guards against a hang,
// and leaves room for a sanitized build on a busy machine, where reading,
// logging and converting five mebibytes takes seconds.
TEST_F(HostileInputTest, MebibyteFramesOfEmptyFieldsAreAllHandled) {
  ASSERT_TRUE(logIn(7));
  for (const char* head : kQuotedBodyHeads) {
    std::string text = head;
    text.resize(1048575, ',');
    ASSERT_TRUE(server_.sendFrame(text));
  }
  ASSERT_TRUE(server_.sendFrame("CF,CLIENT,PING,5:,0,done"));
  const std::string done = "{\"details\":\"done\",\"error\":0}\n";
  ASSERT_TRUE(
      loop_.runUntil([&] { return page_.find(5, done) != nullptr; }, std::chrono::seconds(60)));
  EXPECT_TRUE(page_.allWellFormed());
  EXPECT_EQ(peer().state(), QelSocket::CallControlReady);
}

pp::Var randomElement(std::mt19937& rng) {
  switch (rng() % 9) {
    case 0:
      return pp::Var();
    case 1:
      return pp::Var(pp::Var::Null());
    case 2:
      return pp::Var(rng() % 2 == 0);
    case 3:
      return pp::Var(static_cast<int32_t>(rng()));
    case 4:
      return pp::Var(static_cast<double>(static_cast<int32_t>(rng())) * 1e5 / 7.0);
    case 5:
      return pp::Var(std::string(rng() % 3000, static_cast<char>('a' + rng() % 26)));
    case 6:
      return pp::Var("%s%n%d,|:" + std::to_string(rng()));
    case 7: {
      pp::VarArray nested;
      nested.Set(0, pp::Var(1));
      return nested;
    }
    default:
      return pp::Var(std::string(1, static_cast<char>(rng() % 256)));
  }
}

// Every command but the two that start a connection to a named host.
// clang-format off
const char* const kCommandNames[] = {
    "answercall", "appexist", "btransfercall", "checkconnection", "cscall", "dialdigits",
    "dialnumber", "divert", "getcallinfo", "getdevsnapshot", "getdialnumber", "getversion",
    "getwhitelist", "hangupcall", "holdcall", "joinconf", "listxmppnodes", "pair", "pickupcall",
    "querydevice", "retrievecall", "sendlog", "setcallfwd", "setlogging", "startmonitor",
    "stopmonitor", "transfercall", "unpair", "userexist", "userinfo", "selectline", "getfile",
    "enableacd", "queryagents", "querygroups", "validateagent", "queryunavailcodes", "loginqueue",
    "logoutqueue", "monitoragent", "monitorgroup", "setagentready", "setagentnotready",
    "setagentwrapup", "setagentworkunits", "getunifiernodes", "logout", "reconnect",
};
// clang-format on

TEST_F(HostileInputTest, PageCommandsOfAnyElementsInEveryState) {
  std::mt19937 rng(777);
  const int states[] = {QelSocket::Idle, QelSocket::ReconnectPending, QelSocket::Connected,
                        QelSocket::LoggedIn, QelSocket::CallControlReady};
  for (int round = 0; round < 20000; ++round) {
    peer().setState(states[round % 5]);
    pp::VarArray command;
    const uint32_t count = rng() % 9;
    for (uint32_t i = 0; i < count; ++i) command.Set(i, randomElement(rng));
    if (count > 2 && rng() % 4 != 0) command.Set(2, pp::Var(pick(rng, kCommandNames)));
    instance_->HandleMessage(command);
    // Let writes complete and reconnect timers fire.
    if (round % 1000 == 0) {
      ASSERT_TRUE(loop_.advance(6000));
    }
    if (page_.size() > 5000) {
      ASSERT_TRUE(page_.allWellFormed());
      page_.clear();
    }
  }
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_TRUE(page_.allWellFormed());
}

}  // namespace
