#pragma once

// The texts of the current language: language-file entries by key, and the built-in texts.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "i18n/built_in_texts.h"
#include "i18n/ini_document.h"

namespace hvt {

class LanguageTexts {
 public:
  LanguageTexts() = default;

  // A missing or unreadable file gives empty texts everywhere; nothing is reported.
  static LanguageTexts Load(int languageId, const std::filesystem::path& file);
  // No value when the file is missing, cannot be read or holds no texts at all, so that a switch
  // of language can refuse it instead of blanking every caption.
  static std::optional<LanguageTexts> LoadExisting(int languageId, const std::filesystem::path& file);
  static LanguageTexts FromText(int languageId, std::string_view fileText);

  int LanguageId() const { return languageId_; }

  // Section "OTHER" by decimal key; keys from 10001 on are built into the program.
  std::string LanguageText(std::int32_t key) const;

  // A direct read of another section ("MSG", "OPTION"), by the key as the file spells it.
  std::string SectionText(std::string_view section, std::string_view key) const;

  std::string_view BuiltIn(BuiltInText text) const { return BuiltInTextOf(text, languageId_); }

 private:
  int languageId_ = 1;
  IniDocument file_;
};

}  // namespace hvt
