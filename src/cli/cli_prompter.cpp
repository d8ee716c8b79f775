#include "cli/cli_prompter.h"

#include <string>

namespace hvt::cli {

namespace {

// Texts from the radio's world use CR LF; a terminal wants one line each.
std::string OneLine(std::string_view text) {
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;
    line += c == '\n' ? ' ' : c;
  }
  return line;
}

}  // namespace

PromptAnswer CliPrompter::Ask(std::string_view text, PromptButtons buttons, PromptIcon) {
  err_ << "hvt7300-cli: " << OneLine(text);
  PromptAnswer answer = PromptAnswer::Ok;
  switch (buttons) {
    case PromptButtons::Ok:
      break;
    case PromptButtons::OkCancel:
      answer = assumeYes_ ? PromptAnswer::Ok : PromptAnswer::Cancel;
      break;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
      answer = assumeYes_ ? PromptAnswer::Yes : PromptAnswer::Cancel;
      break;
    case PromptButtons::RetryCancel:
      answer = retriesLeft_ > 0 ? PromptAnswer::Retry : PromptAnswer::Cancel;
      if (retriesLeft_ > 0) --retriesLeft_;
      break;
  }
  if (buttons != PromptButtons::Ok) {
    static constexpr const char* kNames[] = {"OK", "Cancel", "Yes", "No", "Retry"};
    err_ << " [" << kNames[static_cast<int>(answer)] << "]";
  }
  err_ << "\n";
  return answer;
}

std::optional<std::string> CliPrompter::AskPassword() {
  auto password = password_;
  password_.reset();  // a wrong password is not tried again
  return password;
}

}  // namespace hvt::cli
