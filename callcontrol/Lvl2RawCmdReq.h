#ifndef QEL_CALLCONTROL_LVL2RAWCMDREQ_H_
#define QEL_CALLCONTROL_LVL2RAWCMDREQ_H_

#include <memory>

#include "messages/QelMessage.h"

class RawCmd;

// The "LVL2OAI" "RAWCMD" request that carries one call-control command to
// the server: the header, then the command's own text, for example
//   LVL2OAI,RAWCMD,7:,_MC,7,201,42
// The request owns its command.
class Lvl2RawCmdReq : public QelMessage {
 public:
  Lvl2RawCmdReq(std::unique_ptr<RawCmd> command, int requestId);
  ~Lvl2RawCmdReq() override;

  // Header and command together, or -1 with an empty buffer when they do not
  // fit in size - 1 characters: a header is never sent without its command.
  int serialize(char* buffer, int size) const override;

  // The carried command; null only when the request was built without one.
  const RawCmd* rawCmd() const { return command_.get(); }

 private:
  std::unique_ptr<RawCmd> command_;
};

#endif  // QEL_CALLCONTROL_LVL2RAWCMDREQ_H_
