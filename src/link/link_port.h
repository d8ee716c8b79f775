#pragma once

// What the link needs of a serial port: open at 9600 baud 8N1 without handshaking, write,
// discard stale bytes, and deliver received bytes once a threshold is reached. The port's owner
// delivers them by calling the listener; the link itself owns no thread, socket or timer.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace hvt {

class LinkPortListener {
 public:
  virtual ~LinkPortListener() = default;
  // Every byte buffered so far, delivered once at least the threshold's count is buffered.
  virtual void OnReceive(std::span<const std::uint8_t> bytes) = 0;
  // The port failed for good (the cable was unplugged) and has been closed.
  virtual void OnPortLost() = 0;
};

class LinkPort {
 public:
  virtual ~LinkPort() = default;

  virtual void SetListener(LinkPortListener* listener) = 0;
  [[nodiscard]] virtual bool Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  [[nodiscard]] virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  virtual void SetReceiveThreshold(std::size_t bytes) = 0;
  // Drops unsent output and buffered input.
  virtual void DiscardBuffers() = 0;
  // The port's name and the system's reason for its last failure; empty when there is none.
  virtual std::string FailureDetail() const { return {}; }
};

}  // namespace hvt
