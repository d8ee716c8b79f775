#pragma once

// The user in a test: records every message and answers from a script. It is strict: a question
// (anything with more than an OK button), a file dialog or a password dialog that the test did not
// script fails the test, so code that starts asking something new cannot pass unnoticed.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/prompter.h"
#include "link/reply_timer.h"

namespace hvt {

// How the password dialog shows among the messages.
inline constexpr std::string_view kPasswordDialog = "<password dialog>";

class ScriptedPrompter : public Prompter {
 public:
  struct Message {
    std::string Text;
    PromptButtons Buttons = PromptButtons::Ok;
    PromptIcon Icon = PromptIcon::None;
    std::string CheckBox{};  // the text of the question's check box, when it had one
  };

  std::vector<Message> Messages;
  std::deque<PromptAnswer> Answers;  // one for every question
  std::deque<std::optional<std::filesystem::path>> Files;
  std::deque<std::optional<std::string>> Passwords;
  // What each password dialog opened with: the password remembered at the time.
  std::vector<std::string> PasswordPrefills;

  // The user acts while a dialog is open (switches the radio on, say).
  std::function<void()> DuringPasswordDialog;
  std::function<void()> DuringRetryQuestion;
  // A dialog must never be open while this timer runs: it would fire behind the dialog.
  const ReplyTimer* StoppedDuringDialogs = nullptr;

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) override {
    Messages.push_back({std::string(text), buttons, icon});
    CheckTimerStopped();
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (buttons == PromptButtons::RetryCancel && DuringRetryQuestion) DuringRetryQuestion();
    if (Answers.empty()) {
      ADD_FAILURE() << "unscripted question: " << text;
      return PromptAnswer::Cancel;
    }
    const PromptAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
  }

  // The user ticks or clears every check box to this; untouched when none.
  std::optional<bool> CheckBoxChoice;

  PromptAnswer AskWithCheckBox(std::string_view text, PromptButtons buttons, PromptIcon icon,
                               std::string_view checkBoxText, bool& checked) override {
    const PromptAnswer answer = Ask(text, buttons, icon);
    Messages.back().CheckBox = checkBoxText;
    if (CheckBoxChoice) checked = *CheckBoxChoice;
    return answer;
  }

  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view filter) override {
    return NextFile("open", filter);
  }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view filter,
                                                        const std::filesystem::path&) override {
    return NextFile("save", filter);
  }

  std::optional<std::string> AskPassword(std::string_view remembered) override {
    Messages.push_back({std::string(kPasswordDialog), PromptButtons::OkCancel, PromptIcon::None});
    PasswordPrefills.emplace_back(remembered);
    CheckTimerStopped();
    if (DuringPasswordDialog) DuringPasswordDialog();
    if (Passwords.empty()) {
      ADD_FAILURE() << "unscripted password dialog";
      return std::nullopt;
    }
    auto password = Passwords.front();
    Passwords.pop_front();
    return password;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& message : Messages) texts.push_back(message.Text);
    return texts;
  }

  // Answers and files the code under test never asked for.
  bool ScriptUsedUp() const { return Answers.empty() && Files.empty() && Passwords.empty(); }

 private:
  std::optional<std::filesystem::path> NextFile(std::string_view dialog, std::string_view filter) {
    if (Files.empty()) {
      ADD_FAILURE() << "unscripted " << dialog << " dialog: " << filter;
      return std::nullopt;
    }
    auto file = Files.front();
    Files.pop_front();
    return file;
  }

  void CheckTimerStopped() const {
    if (StoppedDuringDialogs != nullptr && StoppedDuringDialogs->IsRunning()) {
      ADD_FAILURE() << "reply timer running while showing: " << Messages.back().Text;
    }
  }
};

}  // namespace hvt
