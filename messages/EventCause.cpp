#include "messages/EventCause.h"

const char* const eventCauseNames[58] = {
    "0",                             // 0
    "activeMonitor",                 // 1
    "alternate",                     // 2
    "busy",                          // 3
    "callBack",                      // 4
    "callCancelled",                 // 5
    "callForwardImmediate",          // 6
    "callForwardBusy",               // 7
    "callForwardNoAnswer",           // 8
    "callForward",                   // 9
    "callNotAnswered",               // 10
    "callPickup",                    // 11
    "campOn",                        // 12
    "destNotObtainable",             // 13
    "doNotDisturb",                  // 14
    "incompatibleDestination",       // 15
    "invalidAccountCode",            // 16
    "keyOperation",                  // 17
    "lockout",                       // 18
    "maintenance",                   // 19
    "networkCongestion",             // 20
    "networkNotObtainable",          // 21
    "newCall",                       // 22
    "noAvailableAgents",             // 23
    "override",                      // 24
    "park",                          // 25
    "overflow",                      // 26
    "recall",                        // 27
    "redirected",                    // 28
    "reorderTone",                   // 29
    "resourcesNotAvailable",         // 30
    "silentMonitor",                 // 31
    "transfer",                      // 32
    "trunksBusy",                    // 33
    "voiceUnitInitiator",            // 34
    "blocked",                       // 35
    "characterCountReached",         // 36
    "37",                            // 37
    "distributed",                   // 38
    "dtmfToneDetected",              // 39
    "consultation",                  // 40
    "endOfDataDetected",             // 41
    "enteringDistribution",          // 42
    "forcedPause",                   // 43
    "makeCall",                      // 44
    "messageSizeExceeded",           // 45
    "networkSignal",                 // 46
    "nextMessage",                   // 47
    "normalClearing",                // 48
    "noSpeechDetected",              // 49
    "numberChanged",                 // 50
    "singleStepConference",          // 51
    "52",                            // 52
    "singleStepTransfer",            // 53
    "switchTerminated",              // 54
    "terminationCharacterReceived",  // 55
    "timeout",                       // 56
    "unknown",                       // 57
};

const char* eventCauseName(int cause) {
  if (cause >= 1 && cause <= 56) return eventCauseNames[cause];
  return eventCauseNames[57];
}
