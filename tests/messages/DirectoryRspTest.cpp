#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "messages/DirectoryRsp.h"
#include "tests/support/PageText.h"

namespace {

const char kNode1001[] =
    "{\"domain\":\"dom1\",\"friendlyname\":\"alpha\",\"ipaddr\":\"10.0.0.1\",\"nodeid\":\"1001\","
    "\"switchaddr\":\"sw1\"}";
const char kNode1002[] =
    "{\"domain\":\"dom2\",\"friendlyname\":\"beta\",\"ipaddr\":\"10.0.0.2\",\"nodeid\":\"1002\","
    "\"switchaddr\":\"sw2\"}";

// The page text of a directory reply.
std::string directoryPage(const std::string& details, const std::string& error = "0",
                          const std::string& reason = "ok") {
  return "{\"details\":" + details + ",\"error\":\"" + error + "\",\"reason\":\"" + reason +
         "\"}\n";
}

TEST(N2NNodeListRspTest, BodyToPageTable) {
  const std::string two = std::string("[") + kNode1001 + "," + kNode1002 + "]";
  const std::string one = std::string("[") + kNode1001 + "]";
  const std::string nodes = "1001,alpha,dom1,10.0.0.1,sw1,1002,beta,dom2,10.0.0.2,sw2";
  const struct {
    std::string body;
    std::string page;
  } cases[] = {
      {"0,ok,2," + nodes, directoryPage(two)},
      // The count caps the nodes, but only the fields present make nodes.
      {"0,ok,3," + nodes, directoryPage(two)},
      {"0,ok,1," + nodes, directoryPage(one)},
      {"0,ok,2147483647," + nodes, directoryPage(two)},
      {"0,ok,99999999999," + nodes, directoryPage(two)},
      {"0,ok,2x," + nodes, directoryPage(two)},
      {"0,ok,0," + nodes, directoryPage("null")},
      {"0,ok,-1," + nodes, directoryPage("null")},
      {"0,ok,x," + nodes, directoryPage("null")},
      // A group of fewer than five trailing fields makes no node.
      {"0,ok,2,1001,alpha,dom1", directoryPage("null")},
      {"0,ok,2,1001,alpha,dom1,10.0.0.1,sw1,1002,beta", directoryPage(one)},
      {"0,ok,2", directoryPage("null")},
      // No status is read: the error and reason texts reach the page as they are.
      {"-5,no nodes", directoryPage("null", "-5", "no nodes")},
      {"E_BUSY,server busy,0", directoryPage("null", "E_BUSY", "server busy")},
      {"0", directoryPage("null", "0", "")},
      {"", directoryPage("null", "", "")},
      {"0,|ok, partly|,1,|1001|,|alpha, beta|,dom1,10.0.0.1,sw1",
       directoryPage(
           "[{\"domain\":\"dom1\",\"friendlyname\":\"alpha, beta\",\"ipaddr\":\"10.0.0.1\","
           "\"nodeid\":\"1001\",\"switchaddr\":\"sw1\"}]",
           "0", "ok, partly")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pageText(N2NNodeListRsp("N2N", "GETNODELIST", 7, 0, c.body)), c.page) << c.body;
  }
}

TEST(N2NNodeListRspTest, MembersAndHeader) {
  N2NNodeListRsp reply("N2N", "GETNODELIST", 7, 0, " 0 , ok , 99999999999 ,1,2,3,4,5");
  EXPECT_EQ(reply.error(), "0");
  EXPECT_EQ(reply.reason(), "ok");
  EXPECT_EQ(reply.count(), INT_MAX);
  ASSERT_EQ(reply.nodes().size(), 1u);
  EXPECT_EQ(reply.nodes()[0].nodeid(), "1");
  EXPECT_EQ(reply.nodes()[0].switchaddr(), "5");
  EXPECT_EQ(reply.prefix(), kReplyPrefix);
  EXPECT_EQ(reply.requestId(), 7);
  char buffer[64];
  reply.serialize(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "CF,N2N,GETNODELIST,7:");
}

TEST(GetS2SWhitelistRspTest, BodyToPageTable) {
  const PageCase cases[] = {
      {"0,ok,4,peer1:zoneA,zoneB,,a:b:c",
       "{\"details\":[{\"domain\":\"zoneA\",\"friendlyname\":\"peer1\"},"
       "{\"domain\":\"zoneB\",\"friendlyname\":\"\"},{\"domain\":\"b\",\"friendlyname\":\"a\"}],"
       "\"error\":\"0\",\"reason\":\"ok\"}\n"},
      {"0,ok,2,peer1:,:dom",
       "{\"details\":[{\"domain\":\"\",\"friendlyname\":\"peer1\"},"
       "{\"domain\":\"dom\",\"friendlyname\":\"\"}],\"error\":\"0\",\"reason\":\"ok\"}\n"},
      {"0,ok,1,|name,with,commas:dom|",
       "{\"details\":[{\"domain\":\"dom\",\"friendlyname\":\"name,with,commas\"}],"
       "\"error\":\"0\",\"reason\":\"ok\"}\n"},
      // An empty field makes no entry but uses up one of the count.
      {"0,ok,1,,a:b", "{\"details\":null,\"error\":\"0\",\"reason\":\"ok\"}\n"},
      {"0,ok,2,,a:b",
       "{\"details\":[{\"domain\":\"b\",\"friendlyname\":\"a\"}],"
       "\"error\":\"0\",\"reason\":\"ok\"}\n"},
      {"0,ok,1,a:b,c:d",
       "{\"details\":[{\"domain\":\"b\",\"friendlyname\":\"a\"}],"
       "\"error\":\"0\",\"reason\":\"ok\"}\n"},
      {"0,ok,2147483647,a:b",
       "{\"details\":[{\"domain\":\"b\",\"friendlyname\":\"a\"}],"
       "\"error\":\"0\",\"reason\":\"ok\"}\n"},
      {"0,ok,-3,a:b", "{\"details\":null,\"error\":\"0\",\"reason\":\"ok\"}\n"},
      {"0,ok,5", "{\"details\":null,\"error\":\"0\",\"reason\":\"ok\"}\n"},
      {"-1,denied", "{\"details\":null,\"error\":\"-1\",\"reason\":\"denied\"}\n"},
      {"", "{\"details\":null,\"error\":\"\",\"reason\":\"\"}\n"},
  };
  for (const PageCase& c : cases) {
    EXPECT_EQ(pageText(GetS2SWhitelistRsp("N2N", "GETS2SWHITELIST", 7, 0, c.body)), c.page)
        << c.body;
  }
  EXPECT_EQ(pageText(GetS2SWhitelistRsp("N2N", "GETS2SWHITELIST", 7, 0, "x,y,1,p:d")),
            directoryPage("[{\"domain\":\"d\",\"friendlyname\":\"p\"}]", "x", "y"));
}

TEST(GetS2SWhitelistRspTest, Members) {
  GetS2SWhitelistRsp reply("N2N", "GETS2SWHITELIST", 3, 0, "0,ok,3,p:d,:e,f");
  EXPECT_EQ(reply.count(), 3);
  ASSERT_EQ(reply.entries().size(), 3u);
  EXPECT_EQ(reply.entries()[0].friendlyname(), "p");
  EXPECT_EQ(reply.entries()[0].domain(), "d");
  EXPECT_EQ(reply.entries()[1].friendlyname(), "");
  EXPECT_EQ(reply.entries()[1].domain(), "e");
  EXPECT_EQ(reply.entries()[2].friendlyname(), "");
  EXPECT_EQ(reply.entries()[2].domain(), "f");
  EXPECT_EQ(reply.requestId(), 3);
}

}  // namespace
