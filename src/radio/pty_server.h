#pragma once

// The virtual radio on a pseudo-terminal, so a program opens the terminal's path as if it were
// the serial port of a programming cable. Raw mode, so the terminal itself neither echoes nor
// translates: the only echo is the radio's cable echo.

#include <atomic>
#include <string>
#include <vector>

#include "radio/sim_clock.h"
#include "radio/virtual_radio.h"

namespace hvt {

class PtyServer {
 public:
  explicit PtyServer(VirtualRadio& radio) : radio_(radio) {}
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Creates the terminal; false, with the reason in `error`, when the system refuses.
  [[nodiscard]] bool Open(std::string& error);
  // The path a client opens, e.g. "/dev/pts/3".
  const std::string& SlavePath() const { return slavePath_; }

  // Passes bytes between the terminal and the radio, on the real clock, until `stop` is set; a
  // signal handler may set it. Looks at it at least every 50 ms. False, with the reason in
  // `error`, when the terminal fails.
  [[nodiscard]] bool Serve(const std::atomic<bool>& stop, std::string& error);

 private:
  void Flush();

  VirtualRadio& radio_;
  SteadyClock clock_;
  int master_ = -1;
  int slave_ = -1;  // held open so the terminal stays up between clients and keeps its settings
  std::string slavePath_;
  std::vector<std::uint8_t> unsent_;
};

}  // namespace hvt
