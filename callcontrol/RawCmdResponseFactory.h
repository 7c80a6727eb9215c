#ifndef QEL_CALLCONTROL_RAWCMDRESPONSEFACTORY_H_
#define QEL_CALLCONTROL_RAWCMDRESPONSEFACTORY_H_

#include <map>
#include <memory>
#include <string>
#include <vector>

class RawCmdResponse;

// Builds a response from the fields of a "RAWCMD" reply body.
using RawCmdResponseCreator = std::unique_ptr<RawCmdResponse> (*)(const std::vector<std::string>&);

// Chooses the response class of a call-control reply by the command code
// that the reply echoes. One factory exists, built on first use and never
// changed afterwards.
class RawCmdResponseFactory {
 public:
  // The one factory of the module, built on first use.
  static const RawCmdResponseFactory& instance();

  RawCmdResponseFactory(const RawCmdResponseFactory&) = delete;
  RawCmdResponseFactory& operator=(const RawCmdResponseFactory&) = delete;

  // The response of the class registered under exactly `code`
  // (case-sensitive), or a plain RawCmdResponse for any other code.
  std::unique_ptr<RawCmdResponse> create(const std::string& code,
                                         const std::vector<std::string>& fields) const;

 private:
  RawCmdResponseFactory();
  void registerTypes();

  std::map<std::string, RawCmdResponseCreator> creators_;
};

#endif  // QEL_CALLCONTROL_RAWCMDRESPONSEFACTORY_H_
