#ifndef QEL_PLATFORM_NETERRORS_H_
#define QEL_PLATFORM_NETERRORS_H_

#include <cstdint>
#include <system_error>

namespace pp {

// The platform result code of a failed socket or resolver operation: an
// aborted operation is PP_ERROR_ABORTED, the connection and address errors
// their own codes, a resolver error PP_ERROR_NAME_NOT_RESOLVED, and
// anything else PP_ERROR_FAILED. (End of stream is not an error of a read:
// the read completes with 0 bytes.)
int32_t resultFromNetError(const std::error_code& error);

}  // namespace pp

#endif  // QEL_PLATFORM_NETERRORS_H_
