#pragma once

// A data folder of its own for each test, the tool run in-process on it, and a terminal whose
// answers the test types in advance.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/terminal.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace hvt::cli {

struct Outcome {
  int Exit;
  std::string Out;
  std::string Err;
};

// Answers typed in advance; every line read is recorded with whether it was echoed. A test that
// needs something to happen while the user answers gives it as the answer's action.
class TypedTerminal final : public Terminal {
 public:
  struct Answer {
    std::string Line;
    std::function<void()> WhileAnswering;
  };

  void Push(std::string line, std::function<void()> action = {}) {
    answers_.push_back({std::move(line), std::move(action)});
  }
  std::optional<std::string> ReadLine(bool echo, const std::function<void()>& prompt) override {
    prompt();
    echoes_.push_back(echo);
    if (answers_.empty()) {
      ADD_FAILURE() << "a question nobody expected";
      return std::nullopt;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer.WhileAnswering) answer.WhileAnswering();
    return answer.Line;
  }
  const std::vector<bool>& Echoes() const { return echoes_; }
  bool AllAnswered() const { return answers_.empty(); }

 private:
  std::deque<Answer> answers_;
  std::vector<bool> echoes_;
};

inline Outcome RunCli(const std::vector<std::string>& arguments, Terminal* terminal = nullptr) {
  std::ostringstream out;
  std::ostringstream err;
  const int exit = Run(arguments, {.Out = out, .Err = err, .Input = terminal, .ErrIsTerminal = false});
  return {exit, out.str(), err.str()};
}

// A copy of the shipped data folder, which is also the settings folder.
class CliHome : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(HVT_DATA_DIR, home_.Path(), std::filesystem::copy_options::recursive);
    std::filesystem::remove(home_ / "language/mysetup.ini");
  }

  Outcome Cli(std::vector<std::string> arguments, Terminal* terminal = nullptr) {
    arguments.insert(arguments.begin(), {"--home", home_.Path().string()});
    return RunCli(arguments, terminal);
  }
  std::string At(const std::string& name) const { return (home_ / name).string(); }

  TempFolder home_;
};

}  // namespace hvt::cli
