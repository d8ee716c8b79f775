#pragma once

// What the tool's serial commands run on: the ports and reply timers they talk through, and the
// loop that waits for them. On Linux that loop is PollLoop, which costs a block's wake-up far
// less than Qt's; elsewhere the ports are Qt's and so is the loop.

#include <functional>
#include <memory>
#include <string>

#include "link/link_port.h"
#include "link/reply_timer.h"

namespace hvt::cli {

class SerialLoop {
 public:
  virtual ~SerialLoop() = default;
  // Ports and timers must not outlive the loop.
  virtual std::unique_ptr<LinkPort> NewPort(const std::string& name) = 0;
  virtual std::unique_ptr<ReplyTimer> NewTimer() = 0;
  // Runs events until `running` turns false; it is asked after every event and on Wake.
  virtual void RunWhile(const std::function<bool()>& running) = 0;
  virtual void Wake() = 0;
  // A descriptor that a signal handler may write 8 bytes to, to wake the loop; -1 when none.
  virtual int WakeHandle() const = 0;
};

std::unique_ptr<SerialLoop> NewSerialLoop();

}  // namespace hvt::cli
