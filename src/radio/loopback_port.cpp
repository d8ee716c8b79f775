#include "radio/loopback_port.h"

namespace hvt {

bool LoopbackPort::Open() {
  if (openFails_) return false;
  if (open_) return true;
  (void)radio_.TakeOutput(clock_.Now());  // what arrived while closed went nowhere
  open_ = true;
  return true;
}

void LoopbackPort::Close() {
  open_ = false;
  buffer_.clear();
  (void)radio_.TakeOutput(clock_.Now());
}

bool LoopbackPort::Write(std::span<const std::uint8_t> bytes) {
  if (!open_ || writeFails_) return false;
  writes_.emplace_back(bytes.begin(), bytes.end());
  radio_.Receive(bytes, clock_.Now());
  return true;
}

void LoopbackPort::DiscardBuffers() {
  (void)radio_.TakeOutput(clock_.Now());
  buffer_.clear();
}

bool LoopbackPort::Poll() {
  const std::vector<std::uint8_t> arrived = radio_.TakeOutput(clock_.Now());
  if (!open_) return false;
  buffer_.insert(buffer_.end(), arrived.begin(), arrived.end());
  if (threshold_ == 0 || buffer_.size() < threshold_ || listener_ == nullptr) return false;
  // The listener may write, discard or close from inside OnReceive.
  const std::vector<std::uint8_t> chunk = std::move(buffer_);
  buffer_.clear();
  listener_->OnReceive(chunk);
  return true;
}

}  // namespace hvt
