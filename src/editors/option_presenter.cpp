#include "editors/option_presenter.h"

#include <initializer_list>
#include <utility>
#include <vector>

#include "editors/channel_choices.h"
#include "i18n/text_keys.h"
#include "model/text.h"

namespace hvt {

namespace {

// Entry 1 of the display mode list shows channel numbers; it is the only mode a locked radio has.
constexpr int kDisplayChannelNumber = 1;
constexpr int kLocked = 1;

std::int16_t& FieldOf(OptionSettings& o, OptionList list) {
  switch (list) {
    case OptionList::ChannelLock:
      return o.ChannelLock;
    case OptionList::DisplayModeA:
      return o.DisplayModeA;
    case OptionList::WorkModeA:
      return o.WorkModeA;
    case OptionList::MemoryChannelA:
      return o.MemoryChannelA;
    case OptionList::WorkModeB:
      return o.WorkModeB;
    case OptionList::MemoryChannelB:
      return o.MemoryChannelB;
    case OptionList::BacklightBrightness:
      return o.BacklightBrightness;
    case OptionList::ScreenDirection:
      return o.ScreenDirection;
    case OptionList::MicKeyBrightness:
      return o.MicKeyBrightness;
    case OptionList::KeyBeep:
      return o.KeyBeep;
    case OptionList::SpeakerVolume:
      return o.SpeakerVolume;
    case OptionList::SpeakerSwitch:
      return o.SpeakerSwitch;
    case OptionList::TailEliminationFrequency:
      return o.TailEliminationFrequency;
    case OptionList::TailEliminationMode:
      return o.TailEliminationMode;
    case OptionList::AutoPowerOn:
      return o.AutoPowerOn;
    case OptionList::AutoPowerOff:
      return o.AutoPowerOff;
    case OptionList::PowerOnResetAllowed:
      return o.PowerOnResetAllowed;
    case OptionList::SquelchLevelA:
      return o.SquelchLevelA;
    case OptionList::SquelchLevelB:
      return o.SquelchLevelB;
    case OptionList::ScanMode:
      return o.ScanMode;
    case OptionList::ScanResumeTime:
      return o.ScanResumeTime;
    case OptionList::MainSubDirection:
      return o.MainSubDirection;
    case OptionList::ChannelSelect:
      return o.ChannelSelect;
    case OptionList::TimeOutTimer:
      return o.TimeOutTimer;
    case OptionList::PilotTone:
      return o.PilotTone;
    case OptionList::NormalChannelStorage:
      return o.NormalChannelStorage;
    case OptionList::SqlKeyFunction:
      return o.SqlKeyFunction;
    case OptionList::FrequencyStep:
      return o.FrequencyStep;
    case OptionList::KnobMode:
      return o.KnobMode;
    case OptionList::TrfEnable:
      return o.TrfEnable;
  }
  return o.ChannelLock;
}

// Entries whose values are their indexes.
std::vector<ListEntry> Indexed(std::vector<std::string> texts) {
  std::vector<ListEntry> entries;
  for (std::size_t i = 0; i < texts.size(); ++i)
    entries.push_back({std::move(texts[i]), static_cast<int>(i)});
  return entries;
}

std::vector<std::string> KeyTexts(const LanguageTexts& texts, std::initializer_list<std::int32_t> keys) {
  std::vector<std::string> result;
  for (const std::int32_t key : keys) result.push_back(texts.LanguageText(key));
  return result;
}

// "Off", then 1 to `highest`, each followed by the unit's text when there is one.
std::vector<std::string> OffThenNumbers(const LanguageTexts& texts, int highest, std::int32_t unitKey = 0) {
  std::vector<std::string> result{texts.LanguageText(text_key::OptionOff)};
  const std::string unit = unitKey == 0 ? std::string() : " " + texts.LanguageText(unitKey);
  for (int n = 1; n <= highest; ++n) result.push_back(std::to_string(n) + unit);
  return result;
}

// Lists that store the number itself rather than its index.
std::vector<ListEntry> Numbers(int highest) {
  std::vector<ListEntry> entries;
  for (int n = 1; n <= highest; ++n) entries.push_back({std::to_string(n), n});
  return entries;
}

// The field stores the channel number - 1.
std::vector<ListEntry> MemoryChannels(const ChannelTable& channels) {
  std::vector<ListEntry> entries =
      ChannelNumberChoices(channels, OptionPresenter::kHighestMemoryChannel).Entries;
  for (ListEntry& entry : entries) entry.Value -= 1;
  return entries;
}

std::vector<ListEntry> EntriesOf(OptionList list, const LanguageTexts& t, const ChannelTable& channels) {
  namespace k = text_key;
  switch (list) {
    case OptionList::ChannelLock:
      return Indexed(KeyTexts(t, {k::OptionUnlocked, k::OptionLocked}));
    case OptionList::DisplayModeA:
      return Indexed(
          KeyTexts(t, {k::OptionDisplayFrequency, k::OptionDisplayChannelNumber, k::OptionDisplayName}));
    case OptionList::WorkModeA:
    case OptionList::WorkModeB:
      return Indexed(KeyTexts(t, {k::OptionFrequencyMode, k::OptionMemoryMode}));
    case OptionList::MemoryChannelA:
    case OptionList::MemoryChannelB:
      return MemoryChannels(channels);
    case OptionList::BacklightBrightness:
      return Numbers(3);
    case OptionList::ScreenDirection:
      return Indexed(KeyTexts(t, {k::OptionScreenNormal, k::OptionScreenReversed}));
    case OptionList::MicKeyBrightness:
      return Indexed(OffThenNumbers(t, 31));
    case OptionList::KeyBeep:
      return Indexed(OffThenNumbers(t, 5));
    case OptionList::SpeakerVolume:
      return Numbers(36);
    case OptionList::SpeakerSwitch:
      return Indexed(KeyTexts(t, {k::OptionSpeakerInternal, k::OptionSpeakerExternal, k::OptionSpeakerBoth}));
    case OptionList::TailEliminationFrequency:
      return Indexed(KeyTexts(t, {k::OptionOff, k::OptionTailFrequency1, k::OptionTailFrequency2}));
    case OptionList::TailEliminationMode:
      return Indexed(KeyTexts(
          t, {k::OptionOff, k::OptionTailMode1, k::OptionTailMode2, k::OptionTailMode3, k::OptionTailTone}));
    case OptionList::AutoPowerOn:
    case OptionList::PowerOnResetAllowed:
    case OptionList::NormalChannelStorage:
    case OptionList::TrfEnable:
      return Indexed(KeyTexts(t, {k::OptionOff, k::OptionOn}));
    case OptionList::AutoPowerOff:
      return Indexed(KeyTexts(t, {k::OptionOff, k::OptionPowerOff1, k::OptionPowerOff2, k::OptionPowerOff3}));
    case OptionList::SquelchLevelA:
    case OptionList::SquelchLevelB:
      return Indexed(OffThenNumbers(t, 9));
    case OptionList::ScanMode:
      return Indexed(
          KeyTexts(t, {k::OptionScanTimeOperated, k::OptionScanCarrierOperated, k::OptionScanSearch}));
    case OptionList::ScanResumeTime: {
      const std::string seconds = " " + t.LanguageText(k::OptionSeconds);
      return Indexed({"5" + seconds, "10" + seconds, "15" + seconds});
    }
    case OptionList::MainSubDirection:
      return Indexed(KeyTexts(t, {k::OptionMainUpper, k::OptionMainLower}));
    case OptionList::ChannelSelect:
      return Indexed(KeyTexts(t, {k::OptionAreaA, k::OptionAreaB}));
    case OptionList::TimeOutTimer:
      return Indexed(OffThenNumbers(t, 30, k::OptionMinutes));
    case OptionList::PilotTone:
      return Indexed(
          KeyTexts(t, {k::OptionPilot1750, k::OptionPilot2100, k::OptionPilot1000, k::OptionPilot1450}));
    case OptionList::SqlKeyFunction:
      return Indexed(KeyTexts(t, {k::OptionSqlMomentary, k::OptionSqlToggle}));
    case OptionList::FrequencyStep:
      return Indexed({"2.5K", "5K", "6.25K", "10K", "12.5K", "20K", "25K", "30K", "50K"});
    case OptionList::KnobMode:
      return Indexed(KeyTexts(t, {k::OptionKnobChannel, k::OptionKnobVolume}));
  }
  return {};
}

// The label keys follow the lists' places in the dialog, where display mode B had its place
// after the first work area.
std::int32_t LabelKeyOf(OptionList list) {
  const auto place = static_cast<std::int32_t>(list);
  return text_key::OptionLabelFirst + (list < OptionList::WorkModeB ? place : place + 1);
}

}  // namespace

OptionGroup GroupOf(OptionList list) {
  if (list <= OptionList::MemoryChannelB) return OptionGroup::WorkAreas;
  if (list <= OptionList::MicKeyBrightness) return OptionGroup::Display;
  if (list <= OptionList::SpeakerSwitch) return OptionGroup::Audio;
  if (list <= OptionList::TailEliminationMode) return OptionGroup::TailElimination;
  if (list <= OptionList::PowerOnResetAllowed) return OptionGroup::PowerOnOff;
  return OptionGroup::Other;
}

OptionPresenter::OptionPresenter(OptionSettings& options, const ChannelTable& channels,
                                 const LanguageTexts& texts, Prompter& prompter)
    : DialogPresenter(prompter), options_(options) {
  state_.Title = texts.LanguageText(text_key::OptionTitle);
  for (std::size_t g = 0; g < kOptionGroupCount; ++g) {
    state_.GroupTitles[g] = texts.LanguageText(text_key::OptionGroupFirst + static_cast<std::int32_t>(g));
  }
  for (std::size_t i = 0; i < kOptionListCount; ++i) {
    const auto list = static_cast<OptionList>(i);
    LabelledList& shown = state_.Lists[i];
    shown.Label = texts.LanguageText(LabelKeyOf(list));
    shown.List.Entries = EntriesOf(list, texts, channels);
    // A value outside the list shows the first entry, and OK stores that entry.
    shown.List.SelectValueOrFirst(FieldOf(options_, list));
  }
  state_.PasswordEnabledCaption = texts.LanguageText(text_key::OptionPasswordEnabled);
  state_.PasswordEnabled.Checked = options_.PowerOnPasswordEnabled != 0;
  state_.Password.Text = options_.PowerOnPassword.Trimmed();
  state_.OkText = texts.LanguageText(text_key::OkButton);
  state_.CancelText = texts.LanguageText(text_key::CancelButton);
  ApplyDependencies();
}

void OptionPresenter::SelectEntry(OptionList list, int index) {
  ChoiceList& choices = List(list);
  if (!choices.Enabled || index < 0 || index >= static_cast<int>(choices.Entries.size())) return;
  choices.Selected = index;
  ApplyDependencies();
}

void OptionPresenter::SetPasswordEnabled(bool enabled) {
  state_.PasswordEnabled.Checked = enabled;
  ApplyDependencies();
}

void OptionPresenter::EditPassword(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (kept.size() == kPasswordLength) break;
    if (c >= '0' && c <= '9') kept.push_back(c);
  }
  state_.Password.Text = kept;
}

void OptionPresenter::ApplyDependencies() {
  ChoiceList& displayMode = List(OptionList::DisplayModeA);
  const bool locked = List(OptionList::ChannelLock).SelectedValue(0) == kLocked;
  if (locked) displayMode.SelectValue(kDisplayChannelNumber);
  displayMode.Enabled = !locked;
  const bool showsChannelNumber = displayMode.SelectedValue(0) == kDisplayChannelNumber;
  List(OptionList::WorkModeA).Enabled = !showsChannelNumber;
  List(OptionList::WorkModeB).Enabled = !showsChannelNumber;
  state_.Password.Visible = state_.PasswordEnabled.Checked;
}

bool OptionPresenter::Ok() {
  OptionSettings written = options_;
  for (std::size_t i = 0; i < kOptionListCount; ++i) {
    const ChoiceList& list = state_.Lists[i].List;
    // Every list has a selection from the start; the first entry would be what an empty one shows.
    const int fallback = list.Entries.empty() ? 0 : list.Entries.front().Value;
    FieldOf(written, static_cast<OptionList>(i)) = static_cast<std::int16_t>(list.SelectedValue(fallback));
  }
  written.PowerOnPasswordEnabled = state_.PasswordEnabled.Checked ? 1 : 0;
  written.PowerOnPassword = std::string(TextTrim(state_.Password.Text));
  options_ = written;
  return true;
}

}  // namespace hvt
