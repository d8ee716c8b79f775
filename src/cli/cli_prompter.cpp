#include "cli/cli_prompter.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "files/epm_export.h"
#include "i18n/built_in_texts.h"
#include "i18n/language.h"

namespace hvt::cli {

std::string Readable(std::string_view text) {
  // Texts from the radio's world use CR LF; a terminal wants one line each.
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;
    line += c == '\n' ? ' ' : c;
  }
  // The texts that exist only in Chinese: the file error of the Chinese language and the
  // production export's write error.
  const std::pair<std::string_view, std::string_view> chineseOnly[] = {
      {BuiltInTextOf(BuiltInText::FileError, kChinese), BuiltInTextOf(BuiltInText::FileError, kEnglish)},
      {kEpmWriteError, "error: the file cannot be written."},
  };
  for (const auto& [chinese, english] : chineseOnly) {
    const auto found = line.find(chinese);
    if (found != std::string::npos && line.find(english) == std::string::npos) {
      line.insert(found + chinese.size(), " (" + std::string(english) + ")");
    }
  }
  return line;
}

PromptAnswer CliPrompter::Ask(std::string_view text, PromptButtons buttons, PromptIcon) {
  EndProgressLine();
  err_ << "hvt7300-cli" << (commandName_.empty() ? "" : " ") << commandName_ << ": " << Readable(text);
  if (buttons == PromptButtons::Ok) {
    err_ << "\n";
    return PromptAnswer::Ok;
  }
  const bool retry = buttons == PromptButtons::RetryCancel;
  const PromptAnswer yes = retry                                ? PromptAnswer::Retry
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
    if (!*decided) {
      err_ << (retry ? " (no terminal to ask: --retries N answers Retry)"
                     : " (no terminal to ask: --yes answers OK)");
    }
    err_ << "\n";
    return answer;
  }
  // Only "y" goes ahead; "n" is No where the question offers No; anything else cancels.
  const bool offersNo = buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel;
  const char* const choices = retry                                   ? " Retry? [y/N] "
                              : buttons == PromptButtons::YesNoCancel ? " [y/n/C] "
                                                                      : " [y/N] ";
  const std::optional<std::string> line =
      terminal_->ReadLine(true, [this, choices] { err_ << choices << std::flush; });
  if (!line) err_ << "\n";
  const char first = line && !line->empty() ? (*line)[0] : '\0';
  if (first == 'y' || first == 'Y') return yes;
  if (offersNo && (first == 'n' || first == 'N' || buttons == PromptButtons::YesNo)) return PromptAnswer::No;
  return PromptAnswer::Cancel;
}

PromptAnswer CliPrompter::AskWithReport(std::string_view text, std::string_view report, PromptButtons buttons,
                                        PromptIcon icon) {
  const auto printReport = [&] {
    std::size_t start = 0;
    while (start <= report.size()) {
      const std::size_t end = std::min(report.find('\n', start), report.size());
      if (end > start) err_ << "  " << Readable(report.substr(start, end - start)) << "\n";
      start = end + 1;
    }
  };
  if (buttons == PromptButtons::Ok) {
    const PromptAnswer answer = Ask(text, buttons, icon);
    printReport();
    return answer;
  }
  EndProgressLine();
  printReport();
  return Ask(text, buttons, icon);
}

std::optional<std::string> CliPrompter::AskPassword(std::string_view /*remembered*/) {
  EndProgressLine();
  std::optional<std::string> password;
  if (password_) {
    password.swap(password_);  // a wrong password is not tried again
  } else if (terminal_ != nullptr) {
    password = terminal_->ReadLine(
        false, [this] { err_ << "hvt7300-cli: the radio has a password. Password: " << std::flush; });
    if (!password) err_ << "\n";
  } else {
    err_ << "hvt7300-cli: the radio has a password (no terminal to ask: --password gives it)\n";
  }
  return password;
}

void CliPrompter::ShowProgress(int percent) {
  if (errIsTerminal_) {
    const int filled = percent * 40 / 100;
    err_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(40 - filled), ' ') << "] " << percent << "%" << std::flush;
    progressLineOpen_ = true;
    return;
  }
  const int tenth = percent / 10;
  if (tenth == lastProgressTenth_) return;
  lastProgressTenth_ = tenth;
  err_ << percent << "%\n";
}

void CliPrompter::EndProgressLine() {
  if (!progressLineOpen_) return;
  err_ << "\n";
  progressLineOpen_ = false;
}

}  // namespace hvt::cli
