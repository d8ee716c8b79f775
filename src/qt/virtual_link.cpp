#include "qt/virtual_link.h"

#include <chrono>

namespace hvt {

VirtualLink::VirtualLink(const std::filesystem::path& memoryFile, QObject* parent)
    : QObject(parent), memory_(memoryFile), loopback_(memory_.Radio(), clock_) {
  poll_.setSingleShot(true);
  poll_.setTimerType(Qt::PreciseTimer);
  connect(&poll_, &QTimer::timeout, this, &VirtualLink::PollPort);
}

VirtualLink::~VirtualLink() { static_cast<void>(memory_.Keep()); }

void VirtualLink::ArmPoll() {
  if (!loopback_.IsOpen()) {
    poll_.stop();
    return;
  }
  // A lowered threshold can make what is buffered deliverable at once.
  if (loopback_.Threshold() > 0 && loopback_.BufferedCount() >= loopback_.Threshold()) {
    poll_.start(0);
    return;
  }
  const std::optional<SimTime> next = loopback_.NextArrival();
  if (!next) {
    poll_.stop();
    return;
  }
  // Rounded up, so the poll never comes before the byte it is for.
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - clock_.Now());
  poll_.start(std::max(wait, std::chrono::milliseconds(0)));
}

void VirtualLink::PollPort() {
  static_cast<void>(loopback_.Poll());
  ArmPoll();
}

void VirtualLink::KeepMemory() {
  if (!memory_.Keep()) emit memoryNotKept(QString::fromStdString(memory_.File().string()));
}

bool VirtualLink::ScheduledPort::Open() {
  if (link_.Problem()) return false;
  const bool opened = link_.loopback_.Open();
  link_.ArmPoll();
  return opened;
}

void VirtualLink::ScheduledPort::Close() {
  link_.loopback_.Close();
  link_.loopback_.ForgetWrites();
  link_.ArmPoll();
  link_.KeepMemory();
}

bool VirtualLink::ScheduledPort::Write(std::span<const std::uint8_t> bytes) {
  const bool written = link_.loopback_.Write(bytes);
  link_.ArmPoll();
  return written;
}

void VirtualLink::ScheduledPort::SetReceiveThreshold(std::size_t bytes) {
  link_.loopback_.SetReceiveThreshold(bytes);
  link_.ArmPoll();
}

void VirtualLink::ScheduledPort::DiscardBuffers() {
  link_.loopback_.DiscardBuffers();
  link_.ArmPoll();
}

std::string VirtualLink::ScheduledPort::FailureDetail() const { return link_.Problem().value_or(""); }

}  // namespace hvt
