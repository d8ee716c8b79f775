#include "qt/terminal_link_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "qt/qt_terminal_watch.h"

namespace hvt {

namespace {

constexpr std::size_t kLargestWakeCount = 255;  // VMIN is one byte

void SetRaw9600(termios& settings) {
  ::cfmakeraw(&settings);
  ::cfsetispeed(&settings, B9600);
  ::cfsetospeed(&settings, B9600);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  settings.c_cflag |= CS8 | CLOCAL | CREAD;
  settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  // Never 0: a read of an empty terminal would then return 0, which here means the port is gone.
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
}

}  // namespace

TerminalLinkPort::TerminalLinkPort(const QString& portName, std::unique_ptr<TerminalWatch> watch)
    : name_(portName), watch_(watch != nullptr ? std::move(watch) : std::make_unique<QtTerminalWatch>()) {}

TerminalLinkPort::~TerminalLinkPort() { Close(); }

bool TerminalLinkPort::Open() {
  if (IsOpen()) return true;
  failure_.clear();
  if (!OpenTerminal()) return false;
  received_.clear();
  unsent_.clear();
  sentAt_.reset();
  pace_.Forget();
  watch_->Begin(handle_, *this);
  Watch();
  return true;
}

bool TerminalLinkPort::OpenTerminal() {
  const QByteArray path = name_.toLocal8Bit();
  const int handle = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (handle < 0) {
    failure_ = std::strerror(errno);
    return false;
  }
  int error = 0;
  // Another program writing to the same radio would garble both conversations.
  if (::flock(handle, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    error = EBUSY;
  } else if (::tcgetattr(handle, &found_) != 0) {
    error = errno;
  } else {
    applied_ = found_;
    SetRaw9600(applied_);
    if (::tcsetattr(handle, TCSANOW, &applied_) != 0) error = errno;
  }
  if (error != 0) {
    failure_ = std::strerror(error);
    ::close(handle);
    return false;
  }
  static_cast<void>(::ioctl(handle, TIOCEXCL));
  static_cast<void>(::tcflush(handle, TCIOFLUSH));
  handle_ = handle;
  return true;
}

void TerminalLinkPort::Close() {
  holding_ = false;
  if (handle_ >= 0) {
    watch_->End();
    static_cast<void>(::ioctl(handle_, TIOCNXCL));
    static_cast<void>(::tcsetattr(handle_, TCSANOW, &found_));
    ::close(handle_);
    handle_ = -1;
  }
  received_.clear();
  unsent_.clear();
  sentAt_.reset();
}

bool TerminalLinkPort::Write(std::span<const std::uint8_t> bytes) {
  if (!IsOpen()) return false;
  unsent_.insert(unsent_.end(), bytes.begin(), bytes.end());
  sentAt_ = std::chrono::steady_clock::now();
  if (const int error = WriteUnsent(); error != 0) {
    failure_ = std::strerror(error);
    return false;
  }
  if (unsent_.empty()) {
    Hold();
  } else {
    watch_->WatchWritable(true);  // the terminal's output buffer is full; the rest follows
  }
  return true;
}

int TerminalLinkPort::WriteUnsent() {
  while (!unsent_.empty()) {
    const ssize_t written = ::write(handle_, unsent_.data(), unsent_.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno == EAGAIN ? 0 : errno;
    }
    unsent_.erase(unsent_.begin(), unsent_.begin() + written);
  }
  return 0;
}

void TerminalLinkPort::OnWritable() {
  if (const int error = WriteUnsent(); error != 0) {
    Lose(error);
    return;
  }
  if (!unsent_.empty()) return;
  watch_->WatchWritable(false);
  Hold();
}

void TerminalLinkPort::SetReceiveThreshold(std::size_t bytes) {
  threshold_ = std::max<std::size_t>(bytes, 1);
  if (!IsOpen()) return;
  EndHold();  // held for another threshold
  Watch();
}

void TerminalLinkPort::DiscardBuffers() {
  received_.clear();
  sentAt_.reset();
  if (!IsOpen()) return;
  // A reply being handed over was read until the terminal was empty, moments ago.
  if (!delivering_) static_cast<void>(::tcflush(handle_, TCIOFLUSH));
  unsent_.clear();
  watch_->WatchWritable(false);
  EndHold();
  Watch();
}

std::string TerminalLinkPort::FailureDetail() const {
  if (failure_.empty()) return {};
  return name_.toStdString() + ": " + failure_;
}

std::size_t TerminalLinkPort::Missing() const {
  return received_.size() < threshold_ ? threshold_ - received_.size() : 0;
}

void TerminalLinkPort::Hold() {
  const std::chrono::nanoseconds hold = pace_.Hold(Missing());
  if (hold <= std::chrono::nanoseconds{0} || !watch_->HoldFor(hold)) {
    Watch();
    return;
  }
  holding_ = true;
  watch_->WatchReadable(false);
}

void TerminalLinkPort::EndHold() {
  if (!holding_) return;
  holding_ = false;
  static_cast<void>(watch_->HoldFor(std::chrono::nanoseconds{0}));
}

void TerminalLinkPort::Watch() {
  // While a reply is handed over, the listener usually sends the next packet and holds again:
  // turning the watch on and off meanwhile would wake the event loop twice for nothing.
  if (!IsOpen() || holding_ || delivering_) return;
  SetWakeCount(Missing());
  watch_->WatchReadable(true);
}

void TerminalLinkPort::SetWakeCount(std::size_t bytes) {
  // With VTIME 0, Linux reports a terminal readable only once VMIN bytes wait.
  const auto wanted = static_cast<cc_t>(std::clamp<std::size_t>(bytes, 1, kLargestWakeCount));
  if (applied_.c_cc[VMIN] == wanted) return;
  termios settings = applied_;
  settings.c_cc[VMIN] = wanted;
  if (::tcsetattr(handle_, TCSANOW, &settings) == 0) applied_ = settings;
}

void TerminalLinkPort::OnHoldOver() {
  if (!holding_) return;
  // An alarm that may keep ringing is cleared only when the next packet's hold did not set it.
  holding_ = false;
  const std::weak_ptr<const bool> alive = alive_;
  if (!ReadAvailable()) return;
  if (Missing() > 0) {
    Watch();
  } else {
    if (sentAt_) pace_.WholeAtHoldEnd();
    DeliverWhole();
  }
  if (!alive.expired() && IsOpen() && !holding_)
    static_cast<void>(watch_->HoldFor(std::chrono::nanoseconds{0}));
}

void TerminalLinkPort::OnReadable() {
  if (!IsOpen() || !ReadAvailable()) return;
  if (Missing() > 0) {
    SetWakeCount(Missing());
    return;
  }
  if (sentAt_ && threshold_ > 1) pace_.Arrived(received_.size(), std::chrono::steady_clock::now() - *sentAt_);
  DeliverWhole();
}

bool TerminalLinkPort::ReadAvailable() {
  // Small, as replies are: the buffer is cleared on every call.
  std::array<std::uint8_t, 256> bytes{};
  for (;;) {
    const ssize_t count = ::read(handle_, bytes.data(), bytes.size());
    if (count > 0) {
      received_.insert(received_.end(), bytes.begin(), bytes.begin() + count);
      if (static_cast<std::size_t>(count) < bytes.size()) return true;
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && errno == EAGAIN) return true;
    // End of file is a hang-up: the device is gone.
    Lose(count == 0 ? EIO : errno);
    return false;
  }
}

void TerminalLinkPort::DeliverWhole() {
  sentAt_.reset();
  if (listener_ == nullptr) return;
  const std::vector<std::uint8_t> whole = std::exchange(received_, {});
  const std::weak_ptr<const bool> alive = alive_;
  delivering_ = true;
  listener_->OnReceive(whole);
  if (alive.expired()) return;
  delivering_ = false;
  Watch();
}

void TerminalLinkPort::Lose(int error) {
  failure_ = std::strerror(error);
  Close();
  if (listener_ != nullptr) listener_->OnPortLost();
}

}  // namespace hvt
