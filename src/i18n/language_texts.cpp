#include "i18n/language_texts.h"

#include <fstream>
#include <iterator>

#include "i18n/tone_tip_texts.h"
#include "i18n/utf8.h"

namespace hvt {

namespace {

constexpr std::size_t kLongestText = 254;
constexpr std::uintmax_t kLargestLanguageFile = 4 * 1024 * 1024;

}  // namespace

LanguageTexts LanguageTexts::Load(int languageId, const std::filesystem::path& file) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  std::string text;
  if (!error && size <= kLargestLanguageFile) {
    std::ifstream in(file, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return FromText(languageId, text);
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
