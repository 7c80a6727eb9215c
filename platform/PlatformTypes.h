#ifndef QEL_PLATFORM_PLATFORMTYPES_H_
#define QEL_PLATFORM_PLATFORMTYPES_H_

#include <cstdint>

// The plug-in platform's public numbers: the instance handle, the result
// codes every operation completes with, and the address families of the
// host resolver. The result codes reach page texts ("Connection failed:
// -102"), so their values are fixed.

// Identifies one plug-in element of the page.
typedef int32_t PP_Instance;

// Result codes. An operation that completes later returns
// PP_OK_COMPLETIONPENDING from the call and passes one of the others (or a
// byte count) to its callback.
constexpr int32_t PP_OK = 0;
constexpr int32_t PP_OK_COMPLETIONPENDING = -1;
constexpr int32_t PP_ERROR_FAILED = -2;
constexpr int32_t PP_ERROR_ABORTED = -3;
constexpr int32_t PP_ERROR_BADARGUMENT = -4;
constexpr int32_t PP_ERROR_BADRESOURCE = -5;
constexpr int32_t PP_ERROR_NOINTERFACE = -6;
constexpr int32_t PP_ERROR_CONNECTION_CLOSED = -100;
constexpr int32_t PP_ERROR_CONNECTION_RESET = -101;
constexpr int32_t PP_ERROR_CONNECTION_REFUSED = -102;
constexpr int32_t PP_ERROR_CONNECTION_ABORTED = -103;
constexpr int32_t PP_ERROR_CONNECTION_FAILED = -104;
constexpr int32_t PP_ERROR_CONNECTION_TIMEDOUT = -105;
constexpr int32_t PP_ERROR_ADDRESS_INVALID = -106;
constexpr int32_t PP_ERROR_ADDRESS_UNREACHABLE = -107;
constexpr int32_t PP_ERROR_NAME_NOT_RESOLVED = -110;

// Address families a resolve may be limited to.
constexpr int32_t PP_NETADDRESS_FAMILY_UNSPECIFIED = 0;
constexpr int32_t PP_NETADDRESS_FAMILY_IPV4 = 1;
constexpr int32_t PP_NETADDRESS_FAMILY_IPV6 = 2;

#endif  // QEL_PLATFORM_PLATFORMTYPES_H_
