#ifndef QEL_PLATFORM_MODULE_H_
#define QEL_PLATFORM_MODULE_H_

#include "platform/Core.h"
#include "platform/PlatformTypes.h"

namespace pp {

class Instance;

// The loaded module: one per process. The host obtains it from
// pp::CreateModule(), calls Init once, then CreateInstance for every plug-in
// element, and owns both the module and the instances it returns
// (instances are destroyed before the module).
//
// A module registers itself on construction: Module::Get() returns the
// module made last, and null once it is destroyed (or before any exists).
class Module {
 public:
  Module();
  virtual ~Module();

  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // The default succeeds.
  virtual bool Init();
  // A new instance for the element `instance`, owned by the caller.
  virtual Instance* CreateInstance(PP_Instance instance) = 0;

  static Module* Get();
  Core* core() { return &core_; }

 private:
  Core core_;
};

// The module factory. Declared here and defined by the module itself; only
// a host calls it (the platform never does, so programs without a module
// link).
Module* CreateModule();

}  // namespace pp

#endif  // QEL_PLATFORM_MODULE_H_
