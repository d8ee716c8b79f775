#pragma once

// The user's terminal, when the tool runs on one: where a question's answer is typed.

#include <functional>
#include <optional>
#include <string>

namespace hvt::cli {

class Terminal {
 public:
  virtual ~Terminal() = default;
  // Shows the question through `prompt`, then reads one line without its end; no value at the
  // end of input or on an error. Without echo the typed characters are not shown (a password);
  // the echo is off before the question shows, so nothing typed at once appears.
  virtual std::optional<std::string> ReadLine(bool echo, const std::function<void()>& prompt) = 0;
};

// Standard input when it is a terminal, else nothing.
Terminal* StandardInputTerminal();

}  // namespace hvt::cli
