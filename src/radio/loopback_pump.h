#pragma once

// Drives a protocol engine over a LoopbackPort in simulated time: every step moves the manual
// clock to the next event, bytes reaching the port or the reply timer running out, and delivers
// it. A whole read runs in milliseconds, and every time-out happens at exactly its deadline.
//
//   ManualClock clock;
//   VirtualRadio radio;
//   LoopbackPort port(radio, clock);
//   ManualTimer timer(clock);
//   Engine engine(port, timer);   // sets itself as listener of both
//   engine.Start();
//   LoopbackPump(clock, port, timer).RunUntilIdle();

#include <chrono>
#include <vector>

#include "radio/loopback_port.h"
#include "radio/manual_timer.h"
#include "radio/sim_clock.h"

namespace hvt {

class LoopbackPump {
 public:
  struct Link {
    LoopbackPort* Port;
    ManualTimer* Timer;
  };

  LoopbackPump(ManualClock& clock, LoopbackPort& port, ManualTimer& timer)
      : clock_(clock), links_{{&port, &timer}} {}
  // Several links on one clock, as radios on several ports run side by side.
  LoopbackPump(ManualClock& clock, std::vector<Link> links) : clock_(clock), links_(std::move(links)) {}

  // Delivers what is due now, or else advances to the next event. False when nothing is pending:
  // no byte on its way and the timer stopped. Bytes arriving with a time-out at the same moment
  // are delivered first.
  bool Step();
  // Steps until nothing is pending or `limit` of simulated time has passed; true when idle.
  bool RunUntilIdle(std::chrono::milliseconds limit = std::chrono::minutes(10));

 private:
  ManualClock& clock_;
  std::vector<Link> links_;
};

}  // namespace hvt
