#include "editors/splash_presenter.h"

#include <system_error>

#include "editors/about_presenter.h"
#include "i18n/language.h"

namespace hvt {

std::string_view SplashPictureFile(int languageId) {
  return languageId == kChinese ? "StartC.jpg" : "StartE.jpg";
}

SplashPresenter::SplashPresenter(const std::filesystem::path& dataFolder, const LanguageTexts& texts) {
  const std::filesystem::path picture = dataFolder / SplashPictureFile(texts.LanguageId());
  std::error_code error;
  if (std::filesystem::is_regular_file(picture, error)) state_.Picture = picture;
  state_.Title = kApplicationTitle;
  state_.Subtitle = texts.LanguageText(about_text::AboutDescription);
}

bool SplashPresenter::Finish() {
  if (state_.Finished) return false;
  state_.Finished = true;
  return true;
}

}  // namespace hvt
