#include "plugin/QelClientModule.h"

#include "plugin/QelClientInstance.h"

pp::Instance* QelClientModule::CreateInstance(PP_Instance instance) {
  return new QelClientInstance(instance);
}

namespace pp {

Module* CreateModule() {
  return new QelClientModule();
}

}  // namespace pp
