#pragma once

// The option dialog: the radio's function options on a working copy.
//
// Every list shows the value the radio gets: a stored value outside its list shows the list's
// first entry, and OK stores what each list shows, disabled lists included. The power-on display
// text and display mode B are not offered and keep what they hold; so do the programmable keys,
// which have a dialog of their own.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "editors/presenter.h"
#include "i18n/language_texts.h"
#include "model/channel_table.h"
#include "model/option_settings.h"

namespace hvt {

enum class OptionList {
  ChannelLock,
  DisplayModeA,
  WorkModeA,
  MemoryChannelA,
  WorkModeB,
  MemoryChannelB,
  BacklightBrightness,
  ScreenDirection,
  MicKeyBrightness,
  KeyBeep,
  SpeakerVolume,
  SpeakerSwitch,
  TailEliminationFrequency,
  TailEliminationMode,
  AutoPowerOn,
  AutoPowerOff,
  PowerOnResetAllowed,
  SquelchLevelA,
  SquelchLevelB,
  ScanMode,
  ScanResumeTime,
  MainSubDirection,
  ChannelSelect,
  TimeOutTimer,
  PilotTone,
  NormalChannelStorage,
  SqlKeyFunction,
  FrequencyStep,
  KnobMode,
  TrfEnable,
};

inline constexpr std::size_t kOptionListCount = static_cast<std::size_t>(OptionList::TrfEnable) + 1;

// The frames the dialog groups its controls in.
enum class OptionGroup { TailElimination, WorkAreas, PowerOnOff, Display, Audio, Other };

inline constexpr std::size_t kOptionGroupCount = static_cast<std::size_t>(OptionGroup::Other) + 1;

OptionGroup GroupOf(OptionList list);

class OptionPresenter final : public DialogPresenter {
 public:
  static constexpr std::size_t kPasswordLength = 6;
  // The work areas point at normal channels only.
  static constexpr int kHighestMemoryChannel = 200;

  struct LabelledList {
    std::string Label;
    ChoiceList List;
  };

  struct ViewState {
    std::string Title;
    std::array<std::string, kOptionGroupCount> GroupTitles;
    std::array<LabelledList, kOptionListCount> Lists;  // by OptionList
    std::string PasswordEnabledCaption;
    CheckField PasswordEnabled;
    TextField Password;  // shown only while the password is enabled
    std::string OkText;
    std::string CancelText;

    const LabelledList& operator[](OptionList list) const { return Lists[static_cast<std::size_t>(list)]; }
  };

  OptionPresenter(OptionSettings& options, const ChannelTable& channels, const LanguageTexts& texts,
                  Prompter& prompter);

  const ViewState& State() const { return state_; }

  // Ignored on a disabled list and for an index outside the list.
  void SelectEntry(OptionList list, int index);
  void SetPasswordEnabled(bool enabled);
  // Keeps the digits of `text`, at most six: what the password box accepts.
  void EditPassword(std::string_view text);

  [[nodiscard]] bool Ok() override;

 private:
  ChoiceList& List(OptionList list) { return state_.Lists[static_cast<std::size_t>(list)].List; }
  void ApplyDependencies();

  OptionSettings& options_;
  ViewState state_;
};

}  // namespace hvt
