#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "messages/LoginMessages.h"
#include "tests/support/CredentialTestSupport.h"

namespace {

// Splits a credential log-in text into what stands before the digest, the
// digest and what follows it.
struct CredentialText {
  std::string head;
  std::string digest;
  std::string end;
};

CredentialText splitAtDigest(const std::string& text) {
  const size_t close = text.rfind('|');
  const size_t open = close == std::string::npos ? close : text.rfind('|', close - 1);
  if (open == std::string::npos) return {text, "", ""};
  return {text.substr(0, open + 1), text.substr(open + 1, close - open - 1), text.substr(close)};
}

std::string serialized(const QelMessage& message, int* length = nullptr) {
  char buffer[2044];
  const int n = message.serialize(buffer, sizeof buffer);
  if (length != nullptr) *length = n;
  return buffer;
}

TEST(QelLoginReqTest, CredentialFormCarriesUserAndDigest) {
  const struct {
    const char* user;
    const char* password;
    const char* key;
    int requestId;
    const char* head;
    const char* digestInput;
  } cases[] = {
      {"agent3", "secret", "K3y", 7, "CLIENT,LOGIN,7:,|agent3|,|", "secret,K3y"},
      {"agent3", "secret", "K3y", 0, "CLIENT,LOGIN,,|agent3|,|", "secret,K3y"},
      {"agent3", "secret", "K3y", -2, "CLIENT,LOGIN,,|agent3|,|", "secret,K3y"},
      {"", "", "", 9, "CLIENT,LOGIN,9:,||,|", ","},
      // The user name is written unchanged: no escaping, never a format.
      {"a|b,c %s%n", "p,w", "k", 1, "CLIENT,LOGIN,1:,|a|b,c %s%n|,|", "p,w,k"},
  };
  for (const auto& c : cases) {
    QelLoginReq request(c.user, c.password, c.key, c.requestId);
    int length = 0;
    const std::string text = serialized(request, &length);
    EXPECT_EQ(length, static_cast<int>(text.size()));
    const CredentialText parts = splitAtDigest(text);
    EXPECT_EQ(parts.head, c.head);
    EXPECT_EQ(parts.end, "|");
    EXPECT_EQ(digestMismatch(parts.digest, c.digestInput), "") << text;
  }
}

TEST(QelLoginReqTest, CredentialFormMembers) {
  QelLoginReq request("agent3", "secret", "K3y", 7);
  EXPECT_EQ(request.prefix(), "");
  EXPECT_EQ(request.service(), "CLIENT");
  EXPECT_EQ(request.command(), "LOGIN");
  EXPECT_EQ(request.requestId(), 7);
  EXPECT_EQ(request.name(), "agent3");
  EXPECT_EQ(request.credential(), "secret");
  EXPECT_EQ(request.key(), "K3y");
  EXPECT_EQ(request.form(), 0);
}

TEST(QelLoginReqTest, EachSerializationDigestsAnew) {
  QelLoginReq request("agent3", "secret", "K3y", 7);
  const std::string first = splitAtDigest(serialized(request)).digest;
  const std::string second = splitAtDigest(serialized(request)).digest;
  EXPECT_NE(rowZeroSpelling(first).substr(0, 10), rowZeroSpelling(second).substr(0, 10));
  EXPECT_EQ(digestMismatch(first, "secret,K3y"), "");
  EXPECT_EQ(digestMismatch(second, "secret,K3y"), "");
}

TEST(QelLoginReqTest, ServiceFormTable) {
  const struct {
    int requestId;
    const char* service;
    const char* clientType;
    const char* text;
    const char* serverText;
  } cases[] = {
      {7, "LVL2OAI", "DEZezori", "", "LVL2OAI,LOGIN,7:,,DEZezori"},
      {0, "LVL2OAI", "DEZezori", "", "LVL2OAI,LOGIN,,,DEZezori"},
      {12, "ACD", "DEZezori", "", "ACD,LOGIN,12:,,DEZezori"},
      {3, "N2N", "DEZezori", "x %d", "N2N,LOGIN,3:,x %d,DEZezori"},
      {3, "INDSS", "", "", "INDSS,LOGIN,3:,,"},
  };
  for (const auto& c : cases) {
    QelLoginReq request(c.requestId, c.service, c.clientType, c.text);
    int length = 0;
    EXPECT_EQ(serialized(request, &length), c.serverText);
    EXPECT_EQ(length, static_cast<int>(std::strlen(c.serverText)));
    EXPECT_EQ(request.form(), 1);
    EXPECT_EQ(request.name(), c.text);
    EXPECT_EQ(request.credential(), c.clientType);
    EXPECT_EQ(request.key(), "");
  }
}

TEST(QelLoginReqTest, TextThatDoesNotFitIsRefusedWhole) {
  QelLoginReq service(7, "LVL2OAI", "DEZezori", "");  // 26 characters
  char buffer[2100];
  EXPECT_EQ(service.serialize(buffer, 27), 26);
  for (int size : {26, 20, 16, 5}) {
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(service.serialize(buffer, size), -1) << size;
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[size], 'x') << "wrote past the room of " << size;
  }

  // A credential log-in whose user name leaves no room for the whole digest.
  QelLoginReq credential(std::string(2000, 'u'), "secret", "K3y", 7);
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(credential.serialize(buffer, 2044), -1);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[2044], 'x');
}

class QelSecureLoginRspTest : public ::testing::Test {
 protected:
  void SetUp() override { getSecureLoginKey() = "former key"; }
  void TearDown() override { getSecureLoginKey().clear(); }
};

TEST_F(QelSecureLoginRspTest, KeyAccessorIsTheModuleWideText) {
  EXPECT_EQ(&getSecureLoginKey(), &secureLoginKey);
}

TEST_F(QelSecureLoginRspTest, UnscramblesTheKeyWhateverTheStatus) {
  const std::string scrambled = scrambleChallenge("K3y-of-the-day");
  for (const char* status : {"0", "1", "", "-5"}) {
    getSecureLoginKey() = "former key";
    QelSecureLoginRsp reply("CLIENT", "REQUESTLOGIN", 7, 2, std::string(status) + "," + scrambled);
    EXPECT_EQ(reply.status(), status);
    EXPECT_EQ(getSecureLoginKey(), "K3y-of-the-day") << status;
    EXPECT_EQ(reply.prefix(), "CF");
    EXPECT_EQ(reply.requestId(), 7);
  }
}

TEST_F(QelSecureLoginRspTest, KeyStaysWhenAbsentOrNotUnscrambled) {
  const struct {
    const char* body;
    const char* status;
  } cases[] = {
      {"", ""}, {"0", "0"}, {"0,", "0"}, {"0,abc,def", "0"}, {"1,xyz", "1"}, {" 0 , ", "0"},
  };
  for (const auto& c : cases) {
    QelSecureLoginRsp reply("CLIENT", "REQUESTLOGIN", 7, 0, c.body);
    EXPECT_EQ(reply.status(), c.status) << c.body;
    EXPECT_EQ(getSecureLoginKey(), "former key") << c.body;
  }
  ScrambleLayout wrongCheck;
  wrongCheck.check2Offset = 1;
  QelSecureLoginRsp reply("CLIENT", "REQUESTLOGIN", 7, 0,
                          "0," + scrambleChallenge("k", wrongCheck));
  EXPECT_EQ(getSecureLoginKey(), "former key");
}

TEST_F(QelSecureLoginRspTest, KeyFieldKeepsFurtherCommas) {
  // A comma reads as digit 0, like a column-0 character: put one in place of
  // such a character, and the key unscrambles only if the field keeps the
  // text after the comma.
  std::string scrambled = scrambleChallenge("K3y-of-the-day");
  const size_t zero = scrambled.find_first_of("GtU", 1);
  ASSERT_NE(zero, std::string::npos);
  scrambled[zero] = ',';
  QelSecureLoginRsp reply("CLIENT", "REQUESTLOGIN", 7, 0, "0," + scrambled);
  EXPECT_EQ(getSecureLoginKey(), "K3y-of-the-day");
}

TEST(AvailableServicesEvtTest, ServiceLookup) {
  AvailableServicesEvt event("CLIENT", "AVAILABLE", 9, 4, "LVL2OAI,INDSS,N2N");
  EXPECT_EQ(event.prefix(), "AE");
  EXPECT_EQ(event.requestId(), 0);
  EXPECT_EQ(event.services(), (std::vector<std::string>{"LVL2OAI", "INDSS", "N2N"}));
  EXPECT_TRUE(event.hasService("N2N"));
  EXPECT_TRUE(event.hasService("LVL2OAI"));
  for (const char* absent : {"n2n", "N2", "N2NX", "DSS", "", "LVL2OAI,INDSS"}) {
    EXPECT_FALSE(event.hasService(absent)) << absent;
  }
}

TEST(AvailableServicesEvtTest, BodyForms) {
  const struct {
    const char* body;
    std::vector<std::string> services;
  } cases[] = {
      {"", {}},
      {"ACD", {"ACD"}},
      {" LVL2OAI , ACD ", {"LVL2OAI", "ACD"}},
      {"DSS,,N2N", {"DSS", "", "N2N"}},
      {"DSS,", {"DSS", ""}},
      {"|A,B|,C", {"|A", "B|", "C"}},  // no quote character here
  };
  for (const auto& c : cases) {
    AvailableServicesEvt event("CLIENT", "AVAILABLE", 0, 0, c.body);
    EXPECT_EQ(event.services(), c.services) << c.body;
    for (const std::string& name : c.services) EXPECT_TRUE(event.hasService(name)) << name;
  }
  EXPECT_FALSE(AvailableServicesEvt("CLIENT", "AVAILABLE", 0, 0, "").hasService(""));
  EXPECT_FALSE(AvailableServicesEvt("CLIENT", "AVAILABLE", 0, 0, "").hasService("N2N"));
}

}  // namespace
