#include "platform/NetErrors.h"

#include <asio/error.hpp>

#include "platform/PlatformTypes.h"

namespace pp {

namespace {

struct ErrorRow {
  asio::error::basic_errors error;
  int32_t result;
};

// clang-format off
const ErrorRow kErrorTable[] = {
    {asio::error::operation_aborted,            PP_ERROR_ABORTED},
    {asio::error::connection_refused,           PP_ERROR_CONNECTION_REFUSED},
    {asio::error::connection_reset,             PP_ERROR_CONNECTION_RESET},
    {asio::error::broken_pipe,                  PP_ERROR_CONNECTION_CLOSED},
    {asio::error::shut_down,                    PP_ERROR_CONNECTION_CLOSED},
    {asio::error::connection_aborted,           PP_ERROR_CONNECTION_ABORTED},
    {asio::error::timed_out,                    PP_ERROR_CONNECTION_TIMEDOUT},
    {asio::error::address_family_not_supported, PP_ERROR_ADDRESS_INVALID},
    {asio::error::network_unreachable,          PP_ERROR_ADDRESS_UNREACHABLE},
    {asio::error::host_unreachable,             PP_ERROR_ADDRESS_UNREACHABLE},
    {asio::error::network_down,                 PP_ERROR_CONNECTION_FAILED},
    {asio::error::network_reset,                PP_ERROR_CONNECTION_RESET},
};
// clang-format on

}  // namespace

int32_t resultFromNetError(const std::error_code& error) {
  if (error == std::errc::address_not_available) return PP_ERROR_ADDRESS_INVALID;
  if (error.category() == asio::error::get_netdb_category() ||
      error.category() == asio::error::get_addrinfo_category()) {
    return PP_ERROR_NAME_NOT_RESOLVED;
  }
  if (error == asio::error::eof) return PP_ERROR_CONNECTION_CLOSED;
  for (const ErrorRow& row : kErrorTable) {
    if (error == row.error) return row.result;
  }
  return PP_ERROR_FAILED;
}

}  // namespace pp
