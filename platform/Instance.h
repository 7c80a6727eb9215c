#ifndef QEL_PLATFORM_INSTANCE_H_
#define QEL_PLATFORM_INSTANCE_H_

#include <cstdint>
#include <functional>

#include "platform/PlatformTypes.h"

namespace pp {

class Var;

// One plug-in element of the page. The module makes one per element
// (Module::CreateInstance); the host then calls Init once and HandleMessage
// for every message the page posts to the element, on the main thread.
//
// The page side: PostMessage hands each post to the page handler that the
// host (or a test) set with setPageHandler, synchronously, inside the
// PostMessage call, so the page receives posts in call order. A post made
// while no handler is set is dropped. The handler receives the Var itself
// (arrays are shared, not copied): it should convert or copy what it keeps,
// and must not call back into the instance from inside the call; to answer,
// it posts a task to the loop.
class Instance {
 public:
  using PageHandler = std::function<void(PP_Instance instance, const Var& message)>;

  explicit Instance(PP_Instance instance);
  virtual ~Instance();

  Instance(const Instance&) = delete;
  Instance& operator=(const Instance&) = delete;

  // The element's attributes; the default accepts and ignores them.
  virtual bool Init(uint32_t argc, const char* argn[], const char* argv[]);
  // A message from the page; the default ignores it.
  virtual void HandleMessage(const Var& message);

  void PostMessage(const Var& message);
  PP_Instance pp_instance() const { return instance_; }

  // Where posts go; an empty handler drops them.
  void setPageHandler(PageHandler handler);

 private:
  const PP_Instance instance_;
  PageHandler pageHandler_;
};

// Names an instance when a resource (socket, resolver) is created for it.
class InstanceHandle {
 public:
  InstanceHandle(Instance* instance)
      : instance_(instance != nullptr ? instance->pp_instance() : 0) {}
  InstanceHandle(PP_Instance instance) : instance_(instance) {}

  PP_Instance pp_instance() const { return instance_; }

 private:
  PP_Instance instance_;
};

}  // namespace pp

#endif  // QEL_PLATFORM_INSTANCE_H_
