#pragma once

// A Prompter that records every message and answers from a script, for tests of code that asks
// the user something.

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "i18n/prompter.h"

namespace hvt {

class ScriptedPrompter : public Prompter {
 public:
  struct Message {
    std::string Text;
    PromptButtons Buttons;
    PromptIcon Icon;
  };

  std::vector<Message> Messages;
  std::deque<PromptAnswer> Answers;  // when empty: Ok, or Yes to a yes/no question
  std::deque<std::optional<std::filesystem::path>> Files;
  std::deque<std::optional<std::string>> Passwords;

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) override {
    Messages.push_back({std::string(text), buttons, icon});
    if (!Answers.empty()) {
      const PromptAnswer answer = Answers.front();
      Answers.pop_front();
      return answer;
    }
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes
                                                                                    : PromptAnswer::Ok;
  }

  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view) override { return NextFile(); }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view,
                                                        const std::filesystem::path&) override {
    return NextFile();
  }

  std::optional<std::string> AskPassword() override {
    if (Passwords.empty()) return std::nullopt;
    auto password = Passwords.front();
    Passwords.pop_front();
    return password;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& message : Messages) texts.push_back(message.Text);
    return texts;
  }

 private:
  std::optional<std::filesystem::path> NextFile() {
    if (Files.empty()) return std::nullopt;
    auto file = Files.front();
    Files.pop_front();
    return file;
  }
};

}  // namespace hvt
