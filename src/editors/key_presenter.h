#pragma once

// The key dialog: the functions of the programmable keys P1-P6 in both key modes and of the
// shortcut keys PA-PD. A key whose code has no name shows "NULL"; a shortcut whose code is not
// offered shows the first shortcut function. OK stores what the lists show.

#include <array>
#include <cstddef>
#include <string>

#include "editors/presenter.h"
#include "i18n/language_texts.h"
#include "model/option_settings.h"

namespace hvt {

class KeyPresenter final : public DialogPresenter {
 public:
  static constexpr std::size_t kKeyModes = 2;
  static constexpr std::size_t kKeysPerMode = 6;
  static constexpr std::size_t kKeys = kKeyModes * kKeysPerMode;
  static constexpr std::size_t kShortcuts = 4;

  struct ViewState {
    std::string Title;
    std::array<std::string, kKeyModes> KeyModeTitles;
    std::string ShortcutTitle;
    std::array<std::string, kKeysPerMode> KeyLabels;     // P1 ... P6, the same in both modes
    std::array<std::string, kShortcuts> ShortcutLabels;  // PA ... PD
    std::array<ChoiceList, kKeys> Keys;                  // entry values are key function codes
    std::array<ChoiceList, kShortcuts> Shortcuts;
    std::string OkText;
    std::string CancelText;
  };

  KeyPresenter(OptionSettings& options, const LanguageTexts& texts, Prompter& prompter);

  const ViewState& State() const { return state_; }

  // `key` counts through key mode 1, then key mode 2; out-of-range keys and indexes are ignored.
  void SelectKey(std::size_t key, int index);
  void SelectShortcut(std::size_t shortcut, int index);

  [[nodiscard]] bool Ok() override;

 private:
  OptionSettings& options_;
  ViewState state_;
};

}  // namespace hvt
