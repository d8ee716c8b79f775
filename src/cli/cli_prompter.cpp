#include "cli/cli_prompter.h"

#include <optional>
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
  if (buttons == PromptButtons::Ok) {
    err_ << "\n";
    return PromptAnswer::Ok;
  }
  const bool retry = buttons == PromptButtons::RetryCancel;
  const PromptAnswer yes = retry                                 ? PromptAnswer::Retry
                           : buttons == PromptButtons::OkCancel ? PromptAnswer::Ok
                                                                 : PromptAnswer::Yes;
  std::optional<bool> decided;
  if (retry && retriesLeft_ > 0) {
    --retriesLeft_;
    decided = true;
  } else if (!retry && assumeYes_) {
    decided = true;
  } else if (terminal_ == nullptr) {
    decided = false;
  }
  if (decided) {
    static constexpr const char* kNames[] = {"OK", "Cancel", "Yes", "No", "Retry"};
    const PromptAnswer answer = *decided ? yes : PromptAnswer::Cancel;
    err_ << " [" << kNames[static_cast<int>(answer)] << "]";
    if (!*decided && !retry) err_ << " (no terminal to ask: --yes answers OK)";
    err_ << "\n";
    return answer;
  }
  err_ << (retry ? " Retry? [y/N] " : " [y/N] ") << std::flush;
  std::string line;
  const bool agreed = std::getline(*terminal_, line) && !line.empty() && (line[0] == 'y' || line[0] == 'Y');
  return agreed ? yes : PromptAnswer::Cancel;
}

std::optional<std::string> CliPrompter::AskPassword() {
  auto password = password_;
  password_.reset();  // a wrong password is not tried again
  return password;
}

}  // namespace hvt::cli
