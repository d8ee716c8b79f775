#include "editors/about_presenter.h"

#include "i18n/language.h"
#include "i18n/text_keys.h"

namespace hvt {

AboutPresenter::AboutPresenter(const LanguageTexts& texts, std::string_view version,
                               const std::filesystem::path& dataFolder, Prompter& prompter)
    : DialogPresenter(prompter), languageId_(texts.LanguageId()) {
  state_.Caption = texts.LanguageText(about_text::AboutCaption);
  state_.Title = kApplicationTitle;
  state_.Version = texts.LanguageText(about_text::VersionLabel) + " " + std::string(version);
  state_.Disclaimer = texts.LanguageText(about_text::AboutDisclaimer);
  state_.Description = texts.LanguageText(about_text::AboutDescription);
  state_.Picture = dataFolder / kApplicationPictureFile;
  state_.OkButton = texts.LanguageText(text_key::OkButton);
  state_.SystemInfoButton = texts.LanguageText(about_text::SystemInfoButton);
}

void AboutPresenter::ShowSystemInfo() {
  // An English user reads it in English, like every other message of the program.
  prompter_.Tell(
      languageId_ == kChinese ? "此时系统信息不可用" : "System information is not available at this time.",
      PromptIcon::Information);
}

}  // namespace hvt
