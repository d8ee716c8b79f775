#pragma once

// A link port wired in-process to a virtual radio. Written bytes go straight to the radio; what
// the radio sends reaches the port at the times the radio gives it and is handed to the listener
// from Poll(), never from inside Write(), just as a serial port reports arrivals from the event
// loop. Whoever owns the clock calls Poll() when it moves: LoopbackPump in tests, a timer of the
// event loop in the program.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "link/link_port.h"
#include "radio/sim_clock.h"
#include "radio/virtual_radio.h"

namespace hvt {

class LoopbackPort final : public LinkPort {
 public:
  LoopbackPort(VirtualRadio& radio, const Clock& clock) : radio_(radio), clock_(clock) {}

  void SetListener(LinkPortListener* listener) override { listener_ = listener; }
  [[nodiscard]] bool Open() override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  [[nodiscard]] bool Write(std::span<const std::uint8_t> bytes) override;
  // 0 turns delivery off, as on the serial control the port stands in for.
  void SetReceiveThreshold(std::size_t bytes) override { threshold_ = bytes; }
  // Bytes still on their way on the line arrive afterwards, as they would on a cable.
  void DiscardBuffers() override;

  // Takes in what has reached the port by the clock's time and, once at least the threshold is
  // buffered, hands everything buffered to the listener. True when it delivered. Arrivals at a
  // closed port are lost.
  bool Poll();
  // When the next byte reaches the port; none when nothing is on its way.
  std::optional<SimTime> NextArrival() const { return radio_.NextOutputTime(); }

  std::size_t Threshold() const { return threshold_; }
  std::size_t BufferedCount() const { return buffer_.size(); }
  // Every Write, in order, for checking what the PC sent.
  const std::vector<std::vector<std::uint8_t>>& Writes() const { return writes_; }
  // A port that lives as long as the program keeps no record of past operations.
  void ForgetWrites() { writes_.clear(); }

  // A port that is missing or broken.
  void SetOpenFails(bool fails) { openFails_ = fails; }
  void SetWriteFails(bool fails) { writeFails_ = fails; }

 private:
  VirtualRadio& radio_;
  const Clock& clock_;
  LinkPortListener* listener_ = nullptr;
  bool open_ = false;
  bool openFails_ = false;
  bool writeFails_ = false;
  std::size_t threshold_ = 0;
  std::vector<std::uint8_t> buffer_;
  std::vector<std::vector<std::uint8_t>> writes_;
};

}  // namespace hvt
