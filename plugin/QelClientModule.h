#ifndef QEL_PLUGIN_QELCLIENTMODULE_H_
#define QEL_PLUGIN_QELCLIENTMODULE_H_

#include "platform/Platform.h"

// The module object the platform asks for when the module loads; creates one
// QelClientInstance per plug-in element.
class QelClientModule : public pp::Module {
 public:
  pp::Instance* CreateInstance(PP_Instance instance) override;
};

#endif  // QEL_PLUGIN_QELCLIENTMODULE_H_
