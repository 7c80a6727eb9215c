#include "platform/NetAddress.h"

#include <asio/ip/address.hpp>

#include "platform/Var.h"

namespace pp {

NetAddress::NetAddress(const std::string& ip, uint16_t port) {
  std::error_code error;
  asio::ip::address address = asio::ip::make_address(ip, error);
  if (error) return;
  ip_ = address.to_string();
  port_ = port;
  family_ = address.is_v6() ? PP_NETADDRESS_FAMILY_IPV6 : PP_NETADDRESS_FAMILY_IPV4;
}

Var NetAddress::DescribeAsString(bool include_port) const {
  if (is_null()) return Var();
  if (!include_port) return Var(ip_);
  std::string host = family_ == PP_NETADDRESS_FAMILY_IPV6 ? "[" + ip_ + "]" : ip_;
  return Var(host + ":" + std::to_string(port_));
}

}  // namespace pp
