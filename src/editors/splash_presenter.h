#pragma once

// The splash screen: the picture of the current language while the program starts, handed over
// to the main window once, on the timer or on a click, whichever comes first.

#include <filesystem>
#include <string>
#include <string_view>

#include "i18n/language_texts.h"

namespace hvt {

struct SplashViewState {
  std::filesystem::path Picture;  // empty: a plain panel with the title shows instead
  std::string Title;
  std::string Subtitle;
  bool Finished = false;
};

class SplashPresenter {
 public:
  using ViewState = SplashViewState;

  SplashPresenter(const std::filesystem::path& dataFolder, const LanguageTexts& texts);

  const ViewState& State() const { return state_; }

  // The view could not decode the picture file: show the panel instead.
  void PictureUnreadable() { state_.Picture.clear(); }

  // Both answer true only the first time: the main window must open once.
  [[nodiscard]] bool TimerElapsed() { return Finish(); }
  [[nodiscard]] bool PictureClicked() { return Finish(); }

 private:
  bool Finish();

  ViewState state_;
};

// "StartC.jpg" for Chinese, "StartE.jpg" for any other language.
std::string_view SplashPictureFile(int languageId);

}  // namespace hvt
