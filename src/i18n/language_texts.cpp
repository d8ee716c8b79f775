#include "i18n/language_texts.h"

#include <fstream>
#include <iterator>

#include "i18n/tone_tip_texts.h"
#include "i18n/utf8.h"

namespace hvt {

namespace {

constexpr std::size_t kLongestText = 254;
constexpr std::uintmax_t kLargestLanguageFile = 4 * 1024 * 1024;

std::optional<std::string> ReadLanguageFile(const std::filesystem::path& file) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  if (error || size > kLargestLanguageFile) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
  if (in.bad()) return std::nullopt;
  return text;
}

}  // namespace

LanguageTexts LanguageTexts::Load(int languageId, const std::filesystem::path& file) {
  return FromText(languageId, ReadLanguageFile(file).value_or(std::string{}));
}

std::optional<LanguageTexts> LanguageTexts::LoadExisting(int languageId, const std::filesystem::path& file) {
  const std::optional<std::string> text = ReadLanguageFile(file);
  if (!text) return std::nullopt;
  LanguageTexts texts = FromText(languageId, *text);
  if (texts.file_.Entries("OTHER").empty()) return std::nullopt;
  return texts;
}

LanguageTexts LanguageTexts::FromText(int languageId, std::string_view fileText) {
  LanguageTexts texts;
  texts.languageId_ = languageId;
  texts.file_ = IniDocument::Parse(SanitizeUtf8(fileText));
  return texts;
}

std::string LanguageTexts::LanguageText(std::int32_t key) const {
  if (key >= kFirstBuiltInTextKey) return std::string(ToneTipText(key, languageId_));
  return SectionText("OTHER", std::to_string(key));
}

std::string LanguageTexts::SectionText(std::string_view section, std::string_view key) const {
  return std::string(FirstCodePoints(file_.Value(section, key), kLongestText));
}

}  // namespace hvt
