#include "tests/support/SessionFixture.h"

#include <algorithm>
#include <vector>

#include "messages/TextHelpers.h"
#include "messages/Utf8Text.h"
#include "platform/VarJson.h"
#include "tests/support/CredentialTestSupport.h"

namespace {

std::string withHost(std::string json, const std::string& host) {
  for (size_t at = json.find("HOST"); at != std::string::npos; at = json.find("HOST", at)) {
    json.replace(at, 4, host);
    at += host.size();
  }
  return json;
}

}  // namespace

SessionFixture::SessionFixture() : module_(pp::CreateModule()) {
  instance_.reset(static_cast<QelClientInstance*>(module_->CreateInstance(1)));
  instance_->Init(0, nullptr, nullptr);
  page_.attach(*instance_);
}

SessionFixture::~SessionFixture() {
  instance_.reset();
  loop_.runUntilIdle();
}

void SessionFixture::post(const std::string& json) {
  instance_->HandleMessage(pp::varFromJson(PageRecorder::decode(withHost(json, server_.host()))));
}

void SessionFixture::command(const std::string& json) {
  post(json);
  loop_.runUntilIdle();
}

::testing::AssertionResult SessionFixture::connect(int id) {
  command("[" + std::to_string(id) + R"(,0,"login","alice","secret","HOST","201"])");
  if (!server_.waitForConnection()) return ::testing::AssertionFailure() << "no connection";
  auto challenge = server_.expectFrame("CLIENT,REQUESTLOGIN," + ids(id));
  if (challenge) page_.clear();
  return challenge;
}

::testing::AssertionResult SessionFixture::logIn(int id, const std::string& services) {
  auto connected = connect(id);
  if (!connected) return connected;
  return answerLogIn(id, services);
}

::testing::AssertionResult SessionFixture::answerLogIn(int id, const std::string& services) {
  server_.sendFrame("CF,CLIENT,REQUESTLOGIN," + ids(id) + ",0");
  auto login = expectCredentialLogIn(id, "alice");
  if (!login) return login;
  server_.sendFrame("CF,CLIENT,LOGIN," + ids(id) + ",0,Welcome");
  return logInToServices(id, services);
}

::testing::AssertionResult SessionFixture::logInToServices(int id, const std::string& services) {
  auto list = server_.expectFrame("CLIENT,NOTIFY_AVAILABLE_SERVICES," + ids(id));
  if (!list) return list;
  server_.sendFrame("AE,CLIENT,AVAILABLE,0:," + services);
  // One service log-in for each offered service the session logs in to.
  std::vector<std::string> offered;
  splitAllFields(services, ',', 0, &offered);
  const auto has = [&offered](const char* name) {
    return std::find(offered.begin(), offered.end(), name) != offered.end();
  };
  int expected = 0;
  for (const char* name : {"LVL2OAI", "INDSS", "N2N"}) expected += has(name) ? 1 : 0;
  if (has("DSS") && !has("INDSS")) ++expected;
  if (has("ACD") && peer().acdEnabled()) ++expected;
  std::vector<std::string> answered;
  for (int i = 0; i < expected; ++i) {
    const auto serviceLogin = server_.nextFrame();
    if (!serviceLogin) return ::testing::AssertionFailure() << "service log-in " << i << " missing";
    answered.push_back(serviceLogin->text.substr(0, serviceLogin->text.find(',')));
    server_.sendFrame("CF," + answered.back() + ",LOGIN," + ids(id) + ",0,ok");
  }
  server_.flush();
  // Loopback delivery takes its time: wait until every answer has been read.
  const auto serviceState = [this](const std::string& service) {
    QelSocketTestPeer s = peer();
    if (service == "LVL2OAI") return s.lvl2oaiState();
    if (service == "INDSS") return s.indssState();
    if (service == "N2N") return s.n2nState();
    if (service == "DSS") return s.dssState();
    return s.acdState();
  };
  const auto allAnswered = [&] {
    return std::all_of(answered.begin(), answered.end(), [&](const std::string& service) {
      return serviceState(service) == QelSocket::ServiceLoggedIn;
    });
  };
  if (!loop_.runUntil(allAnswered)) {
    return ::testing::AssertionFailure() << "service log-ins not all answered";
  }
  loop_.runUntilIdle();
  page_.clear();
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult SessionFixture::deliver(const std::string& text) {
  const size_t from = page_.size();
  if (!server_.sendFrame(text)) return ::testing::AssertionFailure() << "no connection";
  // The module logs a received text as well-formed UTF-8.
  const std::string logged = toUtf8Text(text);
  const auto received = [this, from, &logged] {
    for (size_t i = from; i < page_.size(); ++i) {
      const PageRecorder::Post& post = page_.posts()[i];
      if (post.code != PageRecorder::kLogCode) continue;
      const Json::Value value = PageRecorder::decode(post.text);
      if (value.isObject() && value["log"].isString() && value["log"].asString() == logged) {
        return true;
      }
    }
    return false;
  };
  if (!loop_.runUntil(received)) {
    return ::testing::AssertionFailure() << "the module never read \"" << text << "\"";
  }
  loop_.runUntilIdle();
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult SessionFixture::expectCredentialLogIn(int id, const std::string& user,
                                                                 std::string* digest) {
  const auto frame = server_.nextFrame();
  if (!frame) return ::testing::AssertionFailure() << "no credential log-in arrived";
  return isCredentialLogIn(frame->text, ids(id), user, digest);
}

::testing::AssertionResult SessionFixture::expectKeepAlive() {
  const auto frame = server_.nextFrame();
  if (!frame) return ::testing::AssertionFailure() << "no keep-alive frame arrived";
  if (frame->length != 0 || !frame->text.empty()) {
    return ::testing::AssertionFailure()
           << "frame \"" << frame->text << "\" (length " << frame->length << ") is no keep-alive";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult SessionFixture::expectNoKeepAliveWritten() {
  if (peer().writeInProgress()) return ::testing::AssertionFailure() << "a write is in progress";
  if (page_.hasLog("OnSendCompletion result: 4")) {
    return ::testing::AssertionFailure() << "a keep-alive frame was written";
  }
  return ::testing::AssertionSuccess();
}

PostList SessionFixture::pagePosts() const {
  return postsOf(page_.withoutLogs());
}

std::string SessionFixture::ids(int id) {
  return id > 0 ? std::to_string(id) + ":" : std::string();
}
