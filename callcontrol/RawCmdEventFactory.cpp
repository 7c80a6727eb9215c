#include "callcontrol/RawCmdEventFactory.h"

#include "callcontrol/RawCmdCallChangeEvents.h"
#include "callcontrol/RawCmdCallInfoEvent.h"
#include "callcontrol/RawCmdCallProgressEvents.h"
#include "callcontrol/RawCmdConferencedEvent.h"
#include "callcontrol/RawCmdDeviceEvents.h"

const RawCmdEventFactory& RawCmdEventFactory::instance() {
  static const RawCmdEventFactory factory;
  return factory;
}

RawCmdEventFactory::RawCmdEventFactory() {
  registerTypes();
}

void RawCmdEventFactory::registerTypes() {
  // clang-format off
  creators_[RawCmdButtonPressedEvent::CODE]     = &RawCmdButtonPressedEvent::create;      // 22
  creators_[RawCmdCallClearedEvent::CODE]       = &RawCmdCallClearedEvent::create;        // 21
  creators_[RawCmdCallInfoEvent::CODE]          = &RawCmdCallInfoEvent::create;           // 18
  creators_[RawCmdConferencedEvent::CODE]       = &RawCmdConferencedEvent::create;        // 11
  creators_[RawCmdConnectionClearedEvent::CODE] = &RawCmdConnectionClearedEvent::create;  //  3
  creators_[RawCmdDeliveredEvent::CODE]         = &RawCmdDeliveredEvent::create;          //  2
  creators_[RawCmdDivertedEvent::CODE]          = &RawCmdDivertedEvent::create;           // 10
  creators_[RawCmdDndEvent::CODE]               = &RawCmdDndEvent::create;                // 23
  creators_[RawCmdEstablishedEvent::CODE]       = &RawCmdEstablishedEvent::create;        //  6
  creators_[RawCmdFailedEvent::CODE]            = &RawCmdFailedEvent::create;             //  1
  creators_[RawCmdForwardedEvent::CODE]         = &RawCmdForwardedEvent::create;          // 25
  creators_[RawCmdHeldEvent::CODE]              = &RawCmdHeldEvent::create;               //  7
  creators_[RawCmdMonitorEndedEvent::CODE]      = &RawCmdMonitorEndedEvent::create;       // 24
  creators_[RawCmdNetworkReachedEvent::CODE]    = &RawCmdNetworkReachedEvent::create;     // 15
  creators_[RawCmdOriginatedEvent::CODE]        = &RawCmdOriginatedEvent::create;         // 16
  creators_[RawCmdQueuedEvent::CODE]            = &RawCmdQueuedEvent::create;             // 17
  creators_[RawCmdRetrievedEvent::CODE]         = &RawCmdRetrievedEvent::create;          //  8
  creators_[RawCmdServiceInitiatedEvent::CODE]  = &RawCmdServiceInitiatedEvent::create;   // 12
  creators_[RawCmdSpclCallEvent::CODE]          = &RawCmdSpclCallEvent::create;           // 20
  creators_[RawCmdTransferredEvent::CODE]       = &RawCmdTransferredEvent::create;        //  9
  creators_[RawCmdCallAnnounceEvent::CODE]      = &RawCmdCallAnnounceEvent::create;       // 14
  // clang-format on
}

std::unique_ptr<RawCmdEvent> RawCmdEventFactory::create(const std::string& code,
                                                        const RawCmdEvent::Fields& fields) const {
  const auto row = creators_.find(code);
  if (row == creators_.end()) return std::make_unique<RawCmdEvent>(fields);
  return row->second(fields);
}
