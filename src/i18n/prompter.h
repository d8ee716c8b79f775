#pragma once

// The one way the layers below the user interface ask or tell the user something. The desktop
// program answers with dialogs, the command-line tool with its flags and the terminal, tests
// with a script that records every message.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace hvt {

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class PromptIcon { None, Information, Warning, Question, Critical };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

class Prompter {
 public:
  virtual ~Prompter() = default;

  virtual PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) = 0;

  // A question with a check box under it; `checked` holds the box's state before and after. A
  // prompter that shows no box leaves it as it is.
  virtual PromptAnswer AskWithCheckBox(std::string_view text, PromptButtons buttons, PromptIcon icon,
                                       std::string_view /*checkBoxText*/, bool& /*checked*/) {
    return Ask(text, buttons, icon);
  }
  void Tell(std::string_view text, PromptIcon icon = PromptIcon::None) {
    static_cast<void>(Ask(text, PromptButtons::Ok, icon));
  }

  // A message with a report of any length under it, one item a line: the desktop program shows
  // the report scrolling and copyable, the command line prints every line.
  virtual PromptAnswer AskWithReport(std::string_view text, std::string_view report, PromptButtons buttons,
                                     PromptIcon icon) {
    return Ask(std::string(text) + "\n" + std::string(report), buttons, icon);
  }
  void TellReport(std::string_view text, std::string_view report, PromptIcon icon = PromptIcon::None) {
    static_cast<void>(AskWithReport(text, report, PromptButtons::Ok, icon));
  }

  // No value when the user cancels. The filter reads like "Data File (*.dat)|*.dat".
  virtual std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view filter) = 0;
  virtual std::optional<std::filesystem::path> ChooseFileToSave(std::string_view filter,
                                                                const std::filesystem::path& suggested) = 0;

  // The radio's password as the user types it, starting from the one remembered during this run;
  // no value when the user cancels.
  virtual std::optional<std::string> AskPassword(std::string_view remembered) = 0;
};

// For presenters only asked what they show: every question is cancelled, nothing is chosen.
class SilentPrompter final : public Prompter {
 public:
  PromptAnswer Ask(std::string_view, PromptButtons, PromptIcon) override { return PromptAnswer::Cancel; }
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskPassword(std::string_view) override { return std::nullopt; }
};

}  // namespace hvt
