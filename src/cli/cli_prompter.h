#pragma once

// The command line's way of asking: messages go to standard error; questions are answered by
// the command's flags (--yes, --retries N), or on a terminal by the user; without a terminal
// nothing waits for input and an unanswered question counts as Cancel.

#include <istream>
#include <ostream>

#include "i18n/prompter.h"

namespace hvt::cli {

class CliPrompter : public Prompter {
 public:
  CliPrompter(std::ostream& err, std::istream* terminal = nullptr) : err_(err), terminal_(terminal) {}

  void SetAssumeYes(bool yes) { assumeYes_ = yes; }
  void SetRetries(int retries) { retriesLeft_ = retries; }
  void SetPassword(std::string password) { password_ = std::move(password); }

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) override;
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskPassword() override;

 private:
  std::ostream& err_;
  std::istream* terminal_;
  bool assumeYes_ = false;
  int retriesLeft_ = 0;
  std::optional<std::string> password_;
};

}  // namespace hvt::cli
