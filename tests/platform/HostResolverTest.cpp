#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/CompletionCallback.h"
#include "platform/HostResolver.h"
#include "platform/Instance.h"
#include "platform/MainLoop.h"
#include "platform/NetAddress.h"
#include "platform/Var.h"

namespace {

constexpr PP_Instance kInstance = 1;

class HostResolverTest : public ::testing::Test {
 protected:
  // Resolves and waits for the completion; returns its result.
  int32_t resolve(pp::HostResolver& resolver, const char* host,
                  int32_t family = PP_NETADDRESS_FAMILY_UNSPECIFIED) {
    bool done = false;
    int32_t result = 1;
    PP_HostResolver_Hint hint = {family, 0};
    EXPECT_EQ(PP_OK_COMPLETIONPENDING,
              resolver.Resolve(host, 8767, hint, pp::CompletionCallback([&](int32_t r) {
                                 done = true;
                                 result = r;
                               })));
    EXPECT_FALSE(done);
    EXPECT_TRUE(loop_.runUntil([&] { return done; }));
    return result;
  }

  pp::MainLoop loop_{pp::MainLoop::Clock::kTest};
  pp::HostResolver resolver_{kInstance};
};

TEST_F(HostResolverTest, NumericAddressesResolveToThemselves) {
  ASSERT_EQ(PP_OK, resolve(resolver_, "127.0.0.1"));
  ASSERT_EQ(1u, resolver_.GetNetAddressCount());
  pp::NetAddress address = resolver_.GetNetAddress(0);
  EXPECT_EQ("127.0.0.1:8767", address.DescribeAsString(true).AsString());
  EXPECT_EQ("127.0.0.1", address.DescribeAsString(false).AsString());
  EXPECT_EQ(PP_NETADDRESS_FAMILY_IPV4, address.family());

  ASSERT_EQ(PP_OK, resolve(resolver_, "::1"));
  ASSERT_EQ(1u, resolver_.GetNetAddressCount());
  EXPECT_EQ("[::1]:8767", resolver_.GetNetAddress(0).DescribeAsString(true).AsString());
  EXPECT_EQ("::1", resolver_.GetNetAddress(0).DescribeAsString(false).AsString());
}

TEST_F(HostResolverTest, LocalhostResolves) {
  ASSERT_EQ(PP_OK, resolve(resolver_, "localhost", PP_NETADDRESS_FAMILY_IPV4));
  ASSERT_GE(resolver_.GetNetAddressCount(), 1u);
  EXPECT_EQ("127.0.0.1:8767", resolver_.GetNetAddress(0).DescribeAsString(true).AsString());
}

TEST_F(HostResolverTest, ANameThatDoesNotResolveLeavesNoAddress) {
  ASSERT_EQ(PP_OK, resolve(resolver_, "127.0.0.1"));
  EXPECT_EQ(PP_ERROR_NAME_NOT_RESOLVED, resolve(resolver_, "no-such-host.invalid"));
  EXPECT_EQ(0u, resolver_.GetNetAddressCount());
  EXPECT_TRUE(resolver_.GetNetAddress(0).is_null());
  EXPECT_TRUE(resolver_.GetNetAddress(0).DescribeAsString(true).is_undefined());
  EXPECT_EQ(PP_ERROR_NAME_NOT_RESOLVED, resolve(resolver_, ""));
  EXPECT_EQ(PP_ERROR_NAME_NOT_RESOLVED, resolve(resolver_, "::1", PP_NETADDRESS_FAMILY_IPV4));
}

TEST_F(HostResolverTest, MisuseCompletesWithACodeLater) {
  std::vector<int32_t> results;
  auto record = [&] { return pp::CompletionCallback([&](int32_t r) { results.push_back(r); }); };
  PP_HostResolver_Hint any = {PP_NETADDRESS_FAMILY_UNSPECIFIED, 0};
  PP_HostResolver_Hint unknown = {9, 0};
  pp::HostResolver null;
  EXPECT_TRUE(null.is_null());
  EXPECT_EQ(0u, null.GetNetAddressCount());
  null.Resolve("127.0.0.1", 1, any, record());
  resolver_.Resolve(nullptr, 1, any, record());
  resolver_.Resolve("127.0.0.1", 1, unknown, record());
  EXPECT_TRUE(results.empty());
  ASSERT_TRUE(loop_.runUntilIdle());
  EXPECT_EQ(
      (std::vector<int32_t>{PP_ERROR_BADRESOURCE, PP_ERROR_BADARGUMENT, PP_ERROR_BADARGUMENT}),
      results);
}

TEST_F(HostResolverTest, ASecondResolveWhilePendingFailsAndReleaseAborts) {
  std::vector<int32_t> results;
  auto record = [&] { return pp::CompletionCallback([&](int32_t r) { results.push_back(r); }); };
  PP_HostResolver_Hint any = {PP_NETADDRESS_FAMILY_UNSPECIFIED, 0};
  resolver_.Resolve("localhost", 1, any, record());
  resolver_.Resolve("localhost", 1, any, record());
  resolver_ = pp::HostResolver();
  ASSERT_TRUE(loop_.runUntil([&] { return results.size() == 2; }));
  EXPECT_EQ((std::vector<int32_t>{PP_ERROR_FAILED, PP_ERROR_ABORTED}), results);
}

TEST_F(HostResolverTest, FaultsDenyTheInterfaceOrTheResolver) {
  EXPECT_TRUE(pp::HostResolver::IsAvailable());
  loop_.faults().noHostResolverInterface = true;
  EXPECT_FALSE(pp::HostResolver::IsAvailable());
  loop_.faults().hostResolverCreationFails = true;
  EXPECT_TRUE(pp::HostResolver(kInstance).is_null());
  EXPECT_TRUE(pp::HostResolver(0).is_null());
}

TEST(NetAddressTest, OnlyNumericAddressesAreAddresses) {
  EXPECT_TRUE(pp::NetAddress().is_null());
  EXPECT_TRUE(pp::NetAddress("localhost", 1).is_null());
  EXPECT_TRUE(pp::NetAddress("127.0.0.256", 1).is_null());
  EXPECT_EQ("[::ffff:127.0.0.1]:80",
            pp::NetAddress("::ffff:127.0.0.1", 80).DescribeAsString(true).AsString());
  EXPECT_EQ("10.1.2.3:0", pp::NetAddress("10.1.2.3", 0).DescribeAsString(true).AsString());
}

}  // namespace
