#include "i18n/language_texts.h"

#include <gtest/gtest.h>

#include "i18n/language.h"
#include "i18n/tone_tip_texts.h"
#include "i18n/utf8.h"

namespace hvt {
namespace {

TEST(LanguageTexts, LooksUpKeysInTheirSections) {
  const LanguageTexts texts = LanguageTexts::FromText(
      kEnglish,
      "[OTHER]\n2001=  Out of range  \n29001=from the file\n10001=from the file\n[MSG]\n900C=Short\n");
  EXPECT_EQ(texts.LanguageText(2001), "Out of range");
  EXPECT_EQ(texts.LanguageText(2002), "");
  EXPECT_EQ(texts.LanguageText(29001), "RB Tone") << "keys from 10001 on are built in";
  EXPECT_EQ(texts.LanguageText(10001), "");
  EXPECT_EQ(texts.SectionText("MSG", "900C"), "Short");
  EXPECT_EQ(texts.SectionText("OPTION", "60043"), "");
}

TEST(LanguageTexts, CutsLongTextsTo254Characters) {
  const std::string ascii(300, 'x');
  std::string chinese;
  for (int i = 0; i < 300; ++i) chinese += "频";
  const LanguageTexts texts =
      LanguageTexts::FromText(kChinese, "[OTHER]\n1=" + ascii + "\n2=" + chinese + "\n");
  EXPECT_EQ(texts.LanguageText(1), std::string(254, 'x'));
  EXPECT_EQ(texts.LanguageText(2).size(), 254U * 3) << "the cut never splits a character";
}

TEST(LanguageTexts, BrokenFilesGiveSafeTexts) {
  const LanguageTexts missing = LanguageTexts::Load(kEnglish, "/nonexistent/english.ini");
  EXPECT_EQ(missing.LanguageText(101), "");
  const LanguageTexts invalid = LanguageTexts::FromText(kEnglish, "[OTHER]\n101=O\xFF\xC3K\n");
  EXPECT_EQ(invalid.LanguageText(101), "O\xEF\xBF\xBD\xEF\xBF\xBDK");
  EXPECT_EQ(SanitizeUtf8(invalid.LanguageText(101)), invalid.LanguageText(101));
}

TEST(LanguageTexts, ToneTipTextsByLanguage) {
  struct Case {
    std::int32_t Key;
    int Language;
    const char* Text;
  };
  for (const Case& c :
       {Case{29001, kEnglish, "RB Tone"}, Case{29001, kChinese, "RB音"}, Case{29000, kChinese, "RB音"},
        Case{12014, kEnglish, "Roger Beep"}, Case{29000, kEnglish, "Roger Beep"},
        Case{10221, kChinese, "RB音(&R)"}, Case{29113, kEnglish, "Fourteenth Tone"},
        Case{29201, kChinese, "无"}, Case{10001, kEnglish, ""}, Case{29114, kChinese, ""},
        Case{29002, 0, "Recycle Times"}, Case{29002, 3, "Recycle Times"}}) {
    EXPECT_EQ(ToneTipText(c.Key, c.Language), c.Text) << c.Key << " in " << c.Language;
  }
}

TEST(LanguageTexts, BuiltInPairsFollowTheLanguage) {
  EXPECT_EQ(BuiltInTextOf(BuiltInText::FileError, kEnglish), "file error.");
  EXPECT_EQ(BuiltInTextOf(BuiltInText::FileError, kChinese), "文件错误。");
  EXPECT_EQ(BuiltInTextOf(BuiltInText::ReadConfirmation, kEnglish),
            "Read data from radio.\r\nDo you wish continue?");
  EXPECT_EQ(BuiltInTextOf(BuiltInText::HelpButton, kChinese), "帮助(&H)");
  EXPECT_EQ(BuiltInTextOf(BuiltInText::BoxTitle, 0), "Warning");
}

TEST(LanguageTexts, LanguageFollowsTheSystemLocale) {
  struct Case {
    const char* Locale;
    int Language;
  };
  for (const Case& c :
       {Case{"zh_CN", kChinese}, Case{"zh-CN", kChinese}, Case{"zh_Hans_CN", kChinese},
        Case{"zh_CN.UTF-8", kChinese}, Case{"zh_TW", kEnglish}, Case{"zh_HK", kEnglish},
        Case{"en_US", kEnglish}, Case{"de_DE", kEnglish}, Case{"C", kEnglish}, Case{"", kEnglish}}) {
    EXPECT_EQ(LanguageIdForLocale(c.Locale), c.Language) << c.Locale;
  }
  EXPECT_EQ(LanguageFileName(kChinese), "chinese.ini");
  EXPECT_EQ(LanguageFileName(kEnglish), "english.ini");
}

}  // namespace
}  // namespace hvt
