#ifndef QEL_CALLCONTROL_RAWCMDEVENTFACTORY_H_
#define QEL_CALLCONTROL_RAWCMDEVENTFACTORY_H_

#include <map>
#include <memory>
#include <string>

#include "callcontrol/RawCmdEvent.h"

// The table from call-control event code (payload field 1, compared exactly
// and case-sensitively) to the class that handles the event. One table for
// the module, built on first use and never changed afterwards.
class RawCmdEventFactory {
 public:
  // The one table of the module, built on first use.
  static const RawCmdEventFactory& instance();

  RawCmdEventFactory(const RawCmdEventFactory&) = delete;
  RawCmdEventFactory& operator=(const RawCmdEventFactory&) = delete;

  // The event of `code` built from the payload fields; a plain RawCmdEvent,
  // which posts nothing, for a code without a class. Never null.
  std::unique_ptr<RawCmdEvent> create(const std::string& code,
                                      const RawCmdEvent::Fields& fields) const;

 private:
  RawCmdEventFactory();
  void registerTypes();

  std::map<std::string, RawCmdEventCreator> creators_;
};

#endif  // QEL_CALLCONTROL_RAWCMDEVENTFACTORY_H_
