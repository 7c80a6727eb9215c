#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "messages/UserMessages.h"
#include "tests/support/CredentialTestSupport.h"
#include "tests/support/PageText.h"

namespace {

TEST(QelUserExistReqTest, ServerTextTable) {
  const struct {
    int requestId;
    const char* queried;
    const char* own;
    const char* text;
  } cases[] = {
      {7, "agent7", "agent3", "CLIENT,USER_EXIST,7:,|agent7|,|agent3|"},
      {0, "agent7", "agent3", "CLIENT,USER_EXIST,,|agent7|,|agent3|"},
      {-1, "", "", "CLIENT,USER_EXIST,,||,||"},
      {2, "a,b|c", "%s", "CLIENT,USER_EXIST,2:,|a,b|c|,|%s|"},
  };
  for (const auto& c : cases) {
    QelUserExistReq request(c.requestId, c.queried, c.own);
    char buffer[128];
    EXPECT_EQ(request.serialize(buffer, sizeof buffer), static_cast<int>(std::strlen(c.text)));
    EXPECT_STREQ(buffer, c.text);
    EXPECT_EQ(request.queriedUser(), c.queried);
    EXPECT_EQ(request.ownUser(), c.own);
  }
}

TEST(QelUserExistReqTest, TextThatDoesNotFitIsRefusedWhole) {
  QelUserExistReq request(7, "agent7", "agent3");  // 38 characters
  char buffer[64];
  EXPECT_EQ(request.serialize(buffer, 39), 38);
  for (int size : {38, 30, 20, 10}) {
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(request.serialize(buffer, size), -1) << size;
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[size], 'x') << "wrote past the room of " << size;
  }
}

TEST(QelUserInfoReqTest, CarriesUserAndPasswordDigest) {
  const struct {
    int requestId;
    const char* user;
    const char* password;
    const char* head;
  } cases[] = {
      {7, "agent3", "secret", "CLIENT,USER_INFO,7:,agent3,"},
      {0, "agent3", "secret", "CLIENT,USER_INFO,,agent3,"},
      {4, "", "", "CLIENT,USER_INFO,4:,,"},
  };
  for (const auto& c : cases) {
    QelUserInfoReq request(c.requestId, c.user, c.password);
    char buffer[2044];
    const int length = request.serialize(buffer, sizeof buffer);
    const std::string text = buffer;
    EXPECT_EQ(length, static_cast<int>(text.size()));
    ASSERT_EQ(text.compare(0, std::strlen(c.head), c.head), 0) << text;
    EXPECT_EQ(digestMismatch(text.substr(std::strlen(c.head)), c.password), "") << text;
    EXPECT_EQ(request.user(), c.user);
    EXPECT_EQ(request.password(), c.password);
  }
}

TEST(QelUserInfoReqTest, TextThatDoesNotFitIsRefusedWhole) {
  QelUserInfoReq request(7, std::string(2000, 'u'), "secret");
  char buffer[2100];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(request.serialize(buffer, 2044), -1);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[2044], 'x');
  QelUserInfoReq shortRequest(7, "agent3", "secret");
  EXPECT_EQ(shortRequest.serialize(buffer, 40), -1);  // the digest alone is 29 or more
  EXPECT_EQ(buffer[0], '\0');
}

TEST(QelUserExistRspTest, BodyToPageTable) {
  const PageCase cases[] = {
      {"0,sales,3,x,5,6,7",
       "{\"details\":{\"cos\":3,\"group\":\"sales\",\"p2\":5,\"p3\":6,\"p4\":7},\"error\":0}\n"},
      {"0", "{\"details\":{\"cos\":0,\"group\":\"\",\"p2\":0,\"p3\":0,\"p4\":0},\"error\":0}\n"},
      {"0,sales,12abc",
       "{\"details\":{\"cos\":12,\"group\":\"sales\",\"p2\":0,\"p3\":0,\"p4\":0},\"error\":0}\n"},
      {"00,|a,b|,x,,99999999999,-7, 8 ",
       "{\"details\":{\"cos\":0,\"group\":\"a,b\",\"p2\":2147483647,\"p3\":-7,\"p4\":8},"
       "\"error\":0}\n"},
      {" 0,g,1,,2,3,4,extra",
       "{\"details\":{\"cos\":1,\"group\":\"g\",\"p2\":2,\"p3\":3,\"p4\":4},\"error\":0}\n"},
      {"1,|no such user, sorry|", "{\"details\":\"no such user, sorry\",\"error\":-1}\n"},
      {"1", "{\"details\":\"\",\"error\":-1}\n"},
      {"", "{\"details\":\"\",\"error\":-1}\n"},
      {"x0,sales,3", "{\"details\":\"sales\",\"error\":-1}\n"},
  };
  for (const PageCase& c : cases) {
    EXPECT_EQ(pageText(QelUserExistRsp("CLIENT", "USER_EXIST", 5, 0, c.body)), c.page) << c.body;
  }
  QelUserExistRsp reply("CLIENT", "USER_EXIST", 5, 1, "0,sales,3,x,5,6,7");
  EXPECT_EQ(reply.prefix(), "CF");
  EXPECT_EQ(reply.requestId(), 5);
  EXPECT_EQ(reply.status(), "0");
  EXPECT_EQ(reply.errorText(), "");
}

TEST(QelUserInfoRspTest, BodyToPageTable) {
  const PageCase cases[] = {
      {"0,x,agent3,y,201,sales,Y",
       "{\"details\":{\"changepwd\":true,\"ext\":\"201\",\"group\":\"sales\",\"username\":"
       "\"agent3\"},"
       "\"error\":0}\n"},
      {"0,x,agent3,y,201,sales,N",
       "{\"details\":{\"changepwd\":false,\"ext\":\"201\",\"group\":\"sales\","
       "\"username\":\"agent3\"},\"error\":0}\n"},
      {"0,x,agent3,y,201,sales,y",
       "{\"details\":{\"changepwd\":false,\"ext\":\"201\",\"group\":\"sales\","
       "\"username\":\"agent3\"},\"error\":0}\n"},
      {"0,x,agent3,y,201,sales",
       "{\"details\":{\"changepwd\":false,\"ext\":\"201\",\"group\":\"sales\","
       "\"username\":\"agent3\"},\"error\":0}\n"},
      {"0,x,agent3,y,201,sales, Y ,more",
       "{\"details\":{\"changepwd\":true,\"ext\":\"201\",\"group\":\"sales\","
       "\"username\":\"agent3\"},\"error\":0}\n"},
      {"0,x,|Doe, J|",
       "{\"details\":{\"changepwd\":false,\"ext\":\"\",\"group\":\"\",\"username\":\"Doe, J\"},"
       "\"error\":0}\n"},
      {"0",
       "{\"details\":{\"changepwd\":false,\"ext\":\"\",\"group\":\"\",\"username\":\"\"},"
       "\"error\":0}\n"},
      {"3,|denied, locked|,agent3", "{\"details\":\"denied, locked\",\"error\":-1}\n"},
      {"3", "{\"details\":\"\",\"error\":-1}\n"},
      {"", "{\"details\":\"\",\"error\":-1}\n"},
  };
  for (const PageCase& c : cases) {
    EXPECT_EQ(pageText(QelUserInfoRsp("CLIENT", "USER_INFO", 5, 0, c.body)), c.page) << c.body;
  }
}

TEST(QelVersionRspTest, BodyToPageTable) {
  const PageCase cases[] = {
      {"0,3,1,7", "{\"details\":{\"major\":\"3\",\"minor\":\"1\",\"patch\":\"7\"},\"error\":0}\n"},
      {"0,3,1,7,beta",
       "{\"details\":{\"major\":\"3\",\"minor\":\"1\",\"patch\":\"7,beta\"},\"error\":0}\n"},
      {"00,3", "{\"details\":{\"major\":\"3\",\"minor\":\"\",\"patch\":\"\"},\"error\":0}\n"},
      {" 0 , 3 ,1,|7|",
       "{\"details\":{\"major\":\"3\",\"minor\":\"1\",\"patch\":\"|7|\"},\"error\":0}\n"},
      {"0", "{\"details\":{\"major\":\"\",\"minor\":\"\",\"patch\":\"\"},\"error\":0}\n"},
      {"2,not ready", "{\"details\":\"not ready\",\"error\":-1}\n"},
      {"2,not ready,later", "{\"details\":\"not ready\",\"error\":-1}\n"},
      {"2", "{\"details\":\"\",\"error\":-1}\n"},
      {"", "{\"details\":\"\",\"error\":-1}\n"},
  };
  for (const PageCase& c : cases) {
    EXPECT_EQ(pageText(QelVersionRsp("CLIENT", "VERSION", 5, 0, c.body)), c.page) << c.body;
  }
  QelVersionRsp reply("CLIENT", "VERSION", 5, 0, "0,3,1,7,beta");
  EXPECT_EQ(reply.status(), "0");
  EXPECT_EQ(reply.patch(), "7,beta");
  EXPECT_EQ(reply.prefix(), "CF");
}

}  // namespace
