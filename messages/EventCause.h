#ifndef QEL_MESSAGES_EVENTCAUSE_H_
#define QEL_MESSAGES_EVENTCAUSE_H_

// Names of the call-event causes, indexed by cause number 0 to 57: the
// standard names for 1 to 56 (37 and 52 read as their digits), "0" at 0 and
// "unknown" at 57.
extern const char* const eventCauseNames[58];

// The name of a cause from 1 to 56; "unknown" for every other number.
const char* eventCauseName(int cause);

#endif  // QEL_MESSAGES_EVENTCAUSE_H_
