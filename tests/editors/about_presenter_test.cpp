#include "editors/about_presenter.h"

#include <gtest/gtest.h>

#include "i18n/language.h"
#include "support/scripted_prompter.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;

LanguageTexts ShippedTexts(int languageId) {
  return LanguageTexts::Load(languageId, fs::path(HVT_DATA_DIR) / "language" / LanguageFileName(languageId));
}

TEST(AboutPresenter, ShowsTitleVersionAndTheLanguageTexts) {
  const LanguageTexts texts = LanguageTexts::FromText(
      kEnglish,
      "[OTHER]\n101=Fine\n2100=Disclaimer text\n2101=Description text\n2102=About us\n"
      "2103=&Sys\n2200=Release\n");
  ScriptedPrompter prompter;
  AboutPresenter presenter(texts, "1.0.0", "/opt/hvt/data", prompter);
  const AboutViewState& state = presenter.State();
  EXPECT_EQ(state.Caption, "About us");
  EXPECT_EQ(state.Title, "HVT7300");
  EXPECT_EQ(state.Version, "Release 1.0.0");
  EXPECT_EQ(state.Disclaimer, "Disclaimer text");
  EXPECT_EQ(state.Description, "Description text");
  EXPECT_EQ(state.OkButton, "Fine");
  EXPECT_EQ(state.SystemInfoButton, "&Sys");
  EXPECT_EQ(state.Picture, fs::path("/opt/hvt/data") / "hvt7300.png");
  EXPECT_TRUE(presenter.Ok());
  EXPECT_TRUE(prompter.Messages.empty());
}

TEST(AboutPresenter, EveryTextOfTheBoxIsInBothShippedLanguages) {
  for (const int language : {kEnglish, kChinese}) {
    SCOPED_TRACE(language);
    ScriptedPrompter prompter;
    const AboutPresenter presenter(ShippedTexts(language), "1.0.0", HVT_DATA_DIR, prompter);
    const AboutViewState& state = presenter.State();
    for (const std::string& text :
         {state.Caption, state.Disclaimer, state.Description, state.OkButton, state.SystemInfoButton}) {
      EXPECT_FALSE(text.empty());
    }
    EXPECT_TRUE(state.Version.ends_with(" 1.0.0")) << state.Version;
    EXPECT_GT(state.Version.size(), std::string(" 1.0.0").size());
    EXPECT_TRUE(fs::is_regular_file(state.Picture)) << state.Picture;
  }
}

TEST(AboutPresenter, SystemInformationIsNotAvailableInTheUsersLanguage) {
  struct Case {
    int Language;
    std::string Message;
  };
  for (const Case& c : {Case{kEnglish, "System information is not available at this time."},
                        Case{kChinese, "此时系统信息不可用"}}) {
    ScriptedPrompter prompter;
    AboutPresenter presenter(LanguageTexts::FromText(c.Language, ""), "1.0.0", "data", prompter);
    presenter.ShowSystemInfo();
    ASSERT_EQ(prompter.Messages.size(), 1U);
    EXPECT_EQ(prompter.Messages[0].Text, c.Message);
    EXPECT_EQ(prompter.Messages[0].Buttons, PromptButtons::Ok);
    EXPECT_EQ(prompter.Messages[0].Icon, PromptIcon::Information);
  }
}

}  // namespace
}  // namespace hvt
