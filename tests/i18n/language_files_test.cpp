// The shipped language files hold a text for every key the program looks up.

#include <gtest/gtest.h>

#include <set>

#include "i18n/ini_document.h"
#include "i18n/language.h"
#include "i18n/language_texts.h"
#include "i18n/text_keys.h"
#include "i18n/utf8.h"
#include "support/file_bytes.h"

namespace hvt {
namespace {

std::string ReadLanguageFile(std::string_view name) {
  return FileText(std::string(HVT_DATA_DIR) + "/language/" + std::string(name));
}

class LanguageFiles : public testing::TestWithParam<int> {};

TEST_P(LanguageFiles, HoldEveryKeyTheProgramLooksUp) {
  const std::string file = ReadLanguageFile(LanguageFileName(GetParam()));
  ASSERT_FALSE(file.empty());
  EXPECT_EQ(SanitizeUtf8(file), file) << "not valid UTF-8";
  const LanguageTexts texts = LanguageTexts::FromText(GetParam(), file);
  for (const std::int32_t key : text_key::kLookedUpKeys) {
    EXPECT_FALSE(texts.LanguageText(key).empty()) << "OTHER/" << key;
  }
  for (const text_key::SectionKey& key : text_key::kLookedUpSectionKeys) {
    EXPECT_FALSE(texts.SectionText(key.Section, key.Key).empty()) << key.Section << "/" << key.Key;
  }
  for (const std::string_view key : text_key::five_tone::kAll) {
    EXPECT_FALSE(texts.SectionText(text_key::kOption, key).empty()) << "OPTION/" << key;
  }
  for (const std::string_view key : text_key::two_tone::kAll) {
    EXPECT_FALSE(texts.SectionText(text_key::kOption, key).empty()) << "OPTION/" << key;
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguageFiles, testing::Values(kEnglish, kChinese));

TEST(LanguageFiles, BothLanguagesHaveTheSameKeysAndNoEmptyText) {
  const IniDocument english = IniDocument::Parse(ReadLanguageFile("english.ini"));
  const IniDocument chinese = IniDocument::Parse(ReadLanguageFile("chinese.ini"));
  for (const std::string_view section : {text_key::kOther, text_key::kMsg, text_key::kOption}) {
    std::set<std::string> englishKeys;
    std::set<std::string> chineseKeys;
    for (const auto& [key, value] : english.Entries(section)) {
      EXPECT_TRUE(englishKeys.insert(key).second) << "english.ini repeats " << section << "/" << key;
      EXPECT_FALSE(value.empty()) << "english.ini " << section << "/" << key;
    }
    for (const auto& [key, value] : chinese.Entries(section)) {
      EXPECT_TRUE(chineseKeys.insert(key).second) << "chinese.ini repeats " << section << "/" << key;
      EXPECT_FALSE(value.empty()) << "chinese.ini " << section << "/" << key;
    }
    EXPECT_FALSE(englishKeys.empty()) << section;
    EXPECT_EQ(englishKeys, chineseKeys) << section;
  }
}

}  // namespace
}  // namespace hvt
