#include "qt/radio_link.h"

#include <utility>

#include "qt/serial_ports.h"

namespace hvt {

RadioLink::RadioLink(std::filesystem::path virtualMemoryFile, QObject* parent)
    : QObject(parent), virtualMemoryFile_(std::move(virtualMemoryFile)) {
  // Until a port is chosen the link talks to a port that never opens.
  Use(std::string());
}

VirtualLink& RadioLink::Virtual() {
  if (!virtual_) {
    virtual_ = std::make_unique<VirtualLink>(virtualMemoryFile_);
    connect(virtual_.get(), &VirtualLink::memoryNotKept, this, &RadioLink::virtualMemoryNotKept);
  }
  return *virtual_;
}

void RadioLink::Use(const std::string& portName) {
  if (portName == kVirtualPortName) {
    VirtualLink& link = Virtual();
    port_.SetTarget(link.Port());
    timer_.SetTarget(link.Timer());
    return;
  }
  if (!serial_ || serialName_ != portName) {
    if (serial_) {
      port_.Release(*serial_);
      serial_->Close();
    }
    serial_ = std::make_unique<SerialLinkPort>(QString::fromStdString(portName));
    serialName_ = portName;
  }
  port_.SetTarget(*serial_);
  timer_.SetTarget(serialTimer_);
}

void RadioLink::ForwardingPort::SetTarget(LinkPort& target) {
  if (target_ == &target) return;
  if (target_ != nullptr) target_->SetListener(nullptr);
  target_ = &target;
  target_->SetListener(listener_);
}

void RadioLink::ForwardingPort::Release(LinkPort& target) {
  if (target_ != &target) return;
  target_->SetListener(nullptr);
  target_ = nullptr;
}

void RadioLink::ForwardingPort::SetListener(LinkPortListener* listener) {
  listener_ = listener;
  if (target_ != nullptr) target_->SetListener(listener);
}

void RadioLink::ForwardingTimer::SetTarget(ReplyTimer& target) {
  if (target_ == &target) return;
  if (target_ != nullptr) {
    target_->Stop();
    target_->SetListener(nullptr);
  }
  target_ = &target;
  target_->SetListener(listener_);
}

void RadioLink::ForwardingTimer::SetListener(ReplyTimerListener* listener) {
  listener_ = listener;
  if (target_ != nullptr) target_->SetListener(listener);
}

}  // namespace hvt
