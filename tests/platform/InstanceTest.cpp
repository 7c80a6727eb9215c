#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Instance.h"
#include "platform/Module.h"
#include "platform/Var.h"
#include "tests/support/PageRecorder.h"

namespace {

// An instance that answers every page message with two posts.
class EchoInstance : public pp::Instance {
 public:
  explicit EchoInstance(PP_Instance instance) : pp::Instance(instance) {}

  void HandleMessage(const pp::Var& message) override {
    post(-99, "{\"log\":\"got " + message.AsString() + "\"}\n");
    post(pp_instance(), "null\n");
  }

  void post(int32_t code, const std::string& text) {
    pp::VarArray array;
    array.Set(0, pp::Var(code));
    array.Set(1, pp::Var(text));
    PostMessage(array);
  }
};

class EchoModule : public pp::Module {
 public:
  pp::Instance* CreateInstance(PP_Instance instance) override { return new EchoInstance(instance); }
};

TEST(InstanceTest, PostsReachThePageInCallOrder) {
  EchoModule module;
  ASSERT_EQ(&module, pp::Module::Get());
  std::unique_ptr<pp::Instance> instance(pp::Module::Get()->CreateInstance(3));
  EXPECT_EQ(3, instance->pp_instance());
  EXPECT_EQ(3, pp::InstanceHandle(instance.get()).pp_instance());
  EXPECT_TRUE(instance->Init(0, nullptr, nullptr));

  PageRecorder page(*instance);
  instance->HandleMessage(pp::Var("a"));
  instance->HandleMessage(pp::Var("b"));
  ASSERT_EQ(4u, page.size());
  EXPECT_TRUE(page.allWellFormed());
  EXPECT_EQ((std::vector<std::string>{"got a", "got b"}), page.logLines());
  EXPECT_EQ(-99, page.posts()[2].code);
  EXPECT_EQ(3, page.posts()[3].code);
  EXPECT_EQ(2u, page.withCode(3).size());
  EXPECT_EQ(2u, page.withoutLogs().size());
  EXPECT_TRUE(page.hasLog("got b"));
  EXPECT_NE(nullptr, page.find(3, "null\n"));
  EXPECT_EQ(nullptr, page.find(-99, "null\n"));
  EXPECT_EQ(2u, page.indexOf("got b"));
  EXPECT_EQ(4u, page.indexOf("got", 3));
  EXPECT_EQ("got a", page.json(0)["log"].asString());

  PageRecorder::detach(*instance);
  instance->HandleMessage(pp::Var("dropped"));
  EXPECT_EQ(4u, page.size());
}

TEST(InstanceTest, ModuleGetIsNullOnceTheModuleIsGone) {
  { EchoModule module; }
  EXPECT_EQ(nullptr, pp::Module::Get());
}

TEST(PageRecorderTest, PostsOfAnotherShapeAreMarked) {
  pp::Instance instance(1);
  PageRecorder page(instance);
  instance.PostMessage(pp::Var("bare"));
  pp::VarArray swapped;
  swapped.Set(0, pp::Var("text"));
  swapped.Set(1, pp::Var(0));
  instance.PostMessage(swapped);
  ASSERT_EQ(2u, page.size());
  EXPECT_FALSE(page.allWellFormed());
  EXPECT_EQ("\"bare\"\n", page.posts()[0].text);
  EXPECT_EQ("[\"text\",0]\n", page.posts()[1].text);
  EXPECT_TRUE(PageRecorder::decode("{not json").isNull());
  EXPECT_TRUE(page.json(5).isNull());
}

}  // namespace
