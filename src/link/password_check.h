#pragma once

// The radio's programming password. Before every read or write the radio's password block (16
// bytes at 0x3B10) is fetched; a radio without a password, or whose password the user has
// already typed during this run, lets the operation go on silently.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "i18n/prompter.h"

namespace hvt {

inline constexpr int kPasswordBlockAddress = 0x3B10;
inline constexpr std::size_t kPasswordBlockSize = 16;

// Data bytes 8-11 of the password block, ended by the first 0x00 or 0xFF, trailing blanks
// removed; empty when the radio has no password.
std::string RadioPassword(std::span<const std::uint8_t, kPasswordBlockSize> block);

// Exact, case-sensitive comparison; an empty radio password accepts anything.
bool PasswordAccepted(std::string_view radioPassword, std::string_view remembered);

enum class PasswordAnswer {
  Accepted,   // the radio accepts what is remembered now
  Wrong,      // the user typed a password that is not the radio's
  Cancelled,  // the user typed nothing, and what is remembered is not the radio's
};

// The password typed during this run, kept until the program ends (never on disk).
class RememberedPassword {
 public:
  const std::string& Text() const { return text_; }

  // Asks for the password. OK replaces the remembered one by the entry, trailing blanks removed;
  // Cancel keeps it.
  PasswordAnswer AskFor(std::string_view radioPassword, Prompter& prompter);

 private:
  std::string text_;
};

}  // namespace hvt
