#pragma once

// The command line's way of asking: messages go to standard error; questions are answered by
// the command's flags (--yes, --retries N, --password P), or on a terminal by the user; without a
// terminal nothing waits for input, an unanswered question counts as Cancel and the message
// names the option that would have answered it.

#include <ostream>
#include <string>

#include "cli/terminal.h"
#include "i18n/prompter.h"

namespace hvt::cli {

// A message as the command line shows it: one line, and a built-in text that exists only in
// Chinese followed by its English.
std::string Readable(std::string_view text);

class CliPrompter : public Prompter {
 public:
  // `errIsTerminal`: standard error is a terminal, so progress is one line that updates itself.
  explicit CliPrompter(std::ostream& err, Terminal* terminal = nullptr, bool errIsTerminal = false)
      : err_(err), terminal_(terminal), errIsTerminal_(errIsTerminal) {}
  ~CliPrompter() override { EndProgressLine(); }
  CliPrompter(const CliPrompter&) = delete;
  CliPrompter& operator=(const CliPrompter&) = delete;

  void SetAssumeYes(bool yes) { assumeYes_ = yes; }
  void SetRetries(int retries) { retriesLeft_ = retries; }
  void SetPassword(std::string password) { password_ = std::move(password); }

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) override;
  // Every line of the report on a line of its own, indented, however many there are.
  PromptAnswer AskWithReport(std::string_view text, std::string_view report, PromptButtons buttons,
                             PromptIcon icon) override;
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
  // The remembered password is not offered: the terminal never echoes one.
  std::optional<std::string> AskPassword(std::string_view remembered) override;

  // On a terminal one bar that updates itself; otherwise a line for each tenth reached.
  void ShowProgress(int percent);
  // Ends an open progress bar with its newline, so the next message starts on a line of its own.
  void EndProgressLine();

  // Messages name this command after the program, as the command's own failures do; empty for
  // none.
  void SetCommandName(std::string name) { commandName_ = std::move(name); }

 private:
  std::ostream& err_;
  Terminal* terminal_;
  bool errIsTerminal_;
  bool assumeYes_ = false;
  int retriesLeft_ = 0;
  std::optional<std::string> password_;
  bool progressLineOpen_ = false;
  int lastProgressTenth_ = -1;
  std::string commandName_;
};

// Names the command in the prompter's messages while it lives.
class CommandNameScope {
 public:
  CommandNameScope(CliPrompter& prompter, std::string name) : prompter_(prompter) {
    prompter_.SetCommandName(std::move(name));
  }
  ~CommandNameScope() { prompter_.SetCommandName({}); }
  CommandNameScope(const CommandNameScope&) = delete;
  CommandNameScope& operator=(const CommandNameScope&) = delete;

 private:
  CliPrompter& prompter_;
};

}  // namespace hvt::cli
