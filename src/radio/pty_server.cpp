#include "radio/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace hvt {

namespace {

constexpr std::chrono::milliseconds kStopCheck{50};

std::string SystemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

PtyServer::~PtyServer() {
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

bool PtyServer::Open(std::string& error) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) {
    error = SystemError("posix_openpt");
    return false;
  }
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    error = SystemError("grantpt/unlockpt");
    return false;
  }
  const char* name = ::ptsname(master_);
  if (name == nullptr) {
    error = SystemError("ptsname");
    return false;
  }
  slavePath_ = name;
  slave_ = ::open(name, O_RDWR | O_NOCTTY);
  if (slave_ < 0) {
    error = SystemError(name);
    return false;
  }
  termios settings{};
  if (::tcgetattr(slave_, &settings) != 0) {
    error = SystemError("tcgetattr");
    return false;
  }
  ::cfmakeraw(&settings);
  ::cfsetispeed(&settings, B9600);
  ::cfsetospeed(&settings, B9600);
  if (::tcsetattr(slave_, TCSANOW, &settings) != 0) {
    error = SystemError("tcsetattr");
    return false;
  }
  const int flags = ::fcntl(master_, F_GETFL);
  if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
    error = SystemError("fcntl");
    return false;
  }
  return true;
}

bool PtyServer::Serve(const std::atomic<bool>& stop, std::string& error) {
  std::array<std::uint8_t, 4096> bytes{};
  while (!stop.load()) {
    Flush();
    // Paced bytes are due every 1.04 ms: a wait rounded to whole milliseconds would make each
    // reply up to a millisecond late, a few percent of the line time.
    std::chrono::nanoseconds wait = kStopCheck;
    if (const auto next = radio_.NextOutputTime()) {
      wait =
          std::clamp<std::chrono::nanoseconds>(*next - clock_.Now(), std::chrono::nanoseconds{0}, kStopCheck);
    }
    static_assert(kStopCheck < std::chrono::seconds(1));
    const timespec timeout{0, static_cast<long>(wait.count())};
    pollfd watch{master_, static_cast<short>(POLLIN | (unsent_.empty() ? 0 : POLLOUT)), 0};
    const int ready = ::ppoll(&watch, 1, &timeout, nullptr);
    if (ready < 0) {
      if (errno == EINTR) continue;  // a signal, most likely the one that stops us
      error = SystemError("ppoll");
      return false;
    }
    if ((watch.revents & POLLIN) != 0) {
      const ssize_t count = ::read(master_, bytes.data(), bytes.size());
      if (count > 0) {
        radio_.Receive(std::span(bytes.data(), static_cast<std::size_t>(count)), clock_.Now());
      } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
        error = SystemError("read");
        return false;
      }
    }
  }
  return true;
}

void PtyServer::Flush() {
  const std::vector<std::uint8_t> due = radio_.TakeOutput(clock_.Now());
  unsent_.insert(unsent_.end(), due.begin(), due.end());
  if (unsent_.empty()) return;
  const ssize_t written = ::write(master_, unsent_.data(), unsent_.size());
  // When the client does not read, the terminal fills up; the rest waits for POLLOUT.
  if (written > 0) unsent_.erase(unsent_.begin(), unsent_.begin() + written);
}

}  // namespace hvt
