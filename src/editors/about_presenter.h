#pragma once

// The about box: the program's title, version, disclaimer and description, and a button that
// would open the system's information viewer, which this platform does not have.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "editors/presenter.h"
#include "i18n/language_texts.h"

namespace hvt {

inline constexpr std::string_view kApplicationTitle = "HVT7300";
// The program's picture, in the data folder; also its window icon.
inline constexpr std::string_view kApplicationPictureFile = "hvt7300.png";

// Language-file keys of the about box, also read by the splash panel.
namespace about_text {
inline constexpr std::int32_t AboutDisclaimer = 2100;
inline constexpr std::int32_t AboutDescription = 2101;
inline constexpr std::int32_t AboutCaption = 2102;
inline constexpr std::int32_t SystemInfoButton = 2103;
inline constexpr std::int32_t VersionLabel = 2200;
}  // namespace about_text

struct AboutViewState {
  std::string Caption;
  std::string Title;
  std::string Version;
  std::string Disclaimer;
  std::string Description;
  std::filesystem::path Picture;
  std::string OkButton;
  std::string SystemInfoButton;
};

class AboutPresenter final : public DialogPresenter {
 public:
  using ViewState = AboutViewState;

  // `version` reads "1.0.0"; `dataFolder` holds the program's picture.
  AboutPresenter(const LanguageTexts& texts, std::string_view version,
                 const std::filesystem::path& dataFolder, Prompter& prompter);

  const ViewState& State() const { return state_; }

  // There is no system information viewer to start here, so the user is told so.
  void ShowSystemInfo();

  bool Ok() override { return true; }

 private:
  ViewState state_;
  int languageId_;
};

}  // namespace hvt
