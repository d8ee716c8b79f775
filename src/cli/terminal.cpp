#include "cli/terminal.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace hvt::cli {

namespace {

termios gSavedSettings{};
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// A signal that ends the program while the echo is off gives the terminal its echo back first.
extern "C" void RestoreEchoAndEnd(int signalNumber) {
  tcsetattr(STDIN_FILENO, TCSANOW, &gSavedSettings);
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

// Turns the echo off while it lives and puts the old settings back on every way out.
class EchoOff {
 public:
  EchoOff() {
    if (tcgetattr(STDIN_FILENO, &gSavedSettings) != 0) return;
    struct sigaction action {};
    action.sa_handler = RestoreEchoAndEnd;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
      sigaction(kEndingSignals[i], &action, &old_[i]);
    handling_ = true;
    termios quiet = gSavedSettings;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    active_ = tcsetattr(STDIN_FILENO, TCSANOW, &quiet) == 0;
  }
  ~EchoOff() {
    if (active_) tcsetattr(STDIN_FILENO, TCSANOW, &gSavedSettings);
    if (!handling_) return;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
      sigaction(kEndingSignals[i], &old_[i], nullptr);
  }
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;

 private:
  struct sigaction old_[std::size(kEndingSignals)]{};
  bool handling_ = false;
  bool active_ = false;
};

class StandardInput final : public Terminal {
 public:
  std::optional<std::string> ReadLine(bool echo, const std::function<void()>& prompt) override {
    std::optional<EchoOff> quiet;
    if (!echo) quiet.emplace();
    prompt();
    // Byte by byte from the descriptor, so nothing typed after the line is swallowed by a buffer.
    std::string line;
    for (;;) {
      char c = 0;
      const ssize_t got = read(STDIN_FILENO, &c, 1);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return std::nullopt;
      if (c == '\n') break;
      if (c != '\r') line += c;
    }
    return line;
  }
};

}  // namespace

Terminal* StandardInputTerminal() {
  static StandardInput terminal;
  return isatty(STDIN_FILENO) == 1 ? &terminal : nullptr;
}

}  // namespace hvt::cli
