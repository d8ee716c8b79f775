#include "link/password_check.h"

#include "model/text.h"

namespace hvt {

namespace {

constexpr std::size_t kFirstPasswordByte = 8;
constexpr std::size_t kPasswordLength = 4;

}  // namespace

std::string RadioPassword(std::span<const std::uint8_t, kPasswordBlockSize> block) {
  std::string text;
  for (const std::uint8_t byte : block.subspan(kFirstPasswordByte, kPasswordLength)) {
    if (byte == 0x00 || byte == 0xFF) break;
    text.push_back(static_cast<char>(byte));
  }
  return std::string(TextTrim(text));
}

bool PasswordAccepted(std::string_view radioPassword, std::string_view remembered) {
  return radioPassword.empty() || radioPassword == remembered;
}

PasswordAnswer RememberedPassword::AskFor(std::string_view radioPassword, Prompter& prompter) {
  const auto entry = prompter.AskPassword(text_);
  if (entry) text_ = TextTrim(*entry);
  if (PasswordAccepted(radioPassword, text_)) return PasswordAnswer::Accepted;
  return entry ? PasswordAnswer::Wrong : PasswordAnswer::Cancelled;
}

}  // namespace hvt
