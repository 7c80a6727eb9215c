#ifndef QEL_PLATFORM_PLATFORM_H_
#define QEL_PLATFORM_PLATFORM_H_

// Everything the module uses of the plug-in platform, in one include. The
// loop itself (platform/MainLoop.h) is for hosts and tests.

#include "platform/CompletionCallback.h"
#include "platform/Core.h"
#include "platform/HostResolver.h"
#include "platform/Instance.h"
#include "platform/Module.h"
#include "platform/NetAddress.h"
#include "platform/PlatformTypes.h"
#include "platform/TCPSocket.h"
#include "platform/Var.h"

#endif  // QEL_PLATFORM_PLATFORM_H_
