#ifndef QEL_PLATFORM_NETADDRESS_H_
#define QEL_PLATFORM_NETADDRESS_H_

#include <cstdint>
#include <string>

#include "platform/PlatformTypes.h"

namespace pp {

class Var;

// A network address with its port, as a resolver gives it and a socket
// connects to. Null by default.
class NetAddress {
 public:
  NetAddress() = default;
  // An address from its numeric text ("127.0.0.1", "::1"); any other text
  // gives a null address.
  NetAddress(const std::string& ip, uint16_t port);

  bool is_null() const { return ip_.empty(); }

  // "127.0.0.1:8767" or "[::1]:8767" with the port, "127.0.0.1" or "::1"
  // without; an undefined Var for a null address.
  Var DescribeAsString(bool include_port) const;

  // The numeric text of the address (empty when null), its port and family
  // (PP_NETADDRESS_FAMILY_UNSPECIFIED when null).
  const std::string& ip() const { return ip_; }
  uint16_t port() const { return port_; }
  int32_t family() const { return family_; }

 private:
  std::string ip_;
  uint16_t port_ = 0;
  int32_t family_ = PP_NETADDRESS_FAMILY_UNSPECIFIED;
};

}  // namespace pp

#endif  // QEL_PLATFORM_NETADDRESS_H_
