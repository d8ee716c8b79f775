#include "editors/five_tone_presenter.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "editors/alert_presenter.h"
#include "i18n/built_in_texts.h"
#include "i18n/text_keys.h"
#include "model/channel_table.h"
#include "model/five_tone_code_text.h"
#include "model/tone_set_table.h"
#include "model/two_tone_settings.h"

namespace hvt {

namespace {

namespace keys = text_key::five_tone;

constexpr int kShortestTone = 30;
constexpr int kLongestTone = 120;
constexpr int kKill = 3;
constexpr int kStun = 4;
constexpr int kWake = 5;
constexpr int kIndividualCall = 0;
constexpr int kGroupCall = 1;
constexpr int kAllCall = 2;
constexpr int kStatusCheck = 6;
constexpr int kMessageStart = 8;  // "E1", the called ID, "E"
constexpr std::string_view kAniType = "ANI";
constexpr std::string_view kPttIdType = "PTTID";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool IsToneLength(int ms) { return ms >= kShortestTone && ms <= kLongestTone; }
bool IsToneSet(int standard) { return standard >= 0 && standard < ToneSetTable::kCount; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F'); }

std::string KeepHex(std::string_view typed, std::size_t length) {
  std::string kept;
  for (const char typedChar : typed) {
    const char c = Upper(typedChar);
    if (kept.size() < length && IsHexDigit(c)) kept.push_back(c);
  }
  return kept;
}

// Names are kept as single bytes, so only printable ASCII fits them safely.
std::string KeepName(std::string_view typed) {
  std::string kept;
  for (const char c : typed) {
    if (kept.size() < FiveTonePresenter::kNameLength && c >= ' ' && c <= '~') kept.push_back(c);
  }
  return std::string(TextTrim(kept));
}

// The code as far as its digit count reaches, padded with repeat tones when the count is longer.
std::string CutOrExtend(std::string_view code, std::size_t count) {
  std::string shown(code.substr(0, count));
  shown.resize(count, 'E');
  return shown;
}

int HexValue(char c) {
  const std::size_t at = kHexDigits.find(Upper(c));
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The text a data message carries: one character per pair of hexadecimal digits after the header.
std::string MessageOf(std::string_view code) {
  std::string message;
  for (std::size_t at = kMessageStart; at + 1 < code.size(); at += 2) {
    const int high = HexValue(code[at]);
    const int low = HexValue(code[at + 1]);
    const int value = high < 0 || low < 0 ? '?' : high * 16 + low;
    message.push_back(value >= ' ' && value <= '~' ? static_cast<char>(value) : '?');
  }
  return message;
}

std::vector<ListEntry> ToneSetEntries() {
  std::vector<ListEntry> entries;
  int index = 0;
  for (const ToneSet& set : ToneSetTable::All()) entries.push_back({std::string(set.Name), index++});
  return entries;
}

std::vector<ListEntry> ToneLengthEntries() {
  std::vector<ListEntry> entries;
  for (int ms = kShortestTone; ms <= kLongestTone; ++ms) entries.push_back({std::to_string(ms), ms});
  return entries;
}

// Times in 10 ms units, shown in ms.
std::vector<ListEntry> TenMillisecondEntries(int first) {
  std::vector<ListEntry> entries;
  for (int units = first; units <= 255; ++units) entries.push_back({std::to_string(units * 10), units});
  return entries;
}

std::vector<ListEntry> TenthsEntries() {
  std::vector<ListEntry> entries;
  for (int tenths = 0; tenths <= 250; ++tenths) {
    entries.push_back({std::to_string(tenths / 10) + "." + std::to_string(tenths % 10), tenths});
  }
  return entries;
}

int ToneLengthShown(int ms) { return IsToneLength(ms) ? ms : kDefaultFiveToneLength; }

void RepairEntryOnOpening(FiveToneEntry& entry) {
  if (entry.DigitCount > kFiveToneCodeDigits) entry.DigitCount = 0;
  if (!IsToneSet(entry.Standard)) entry.Standard = 0;
  if (!IsToneLength(entry.ToneLength)) entry.ToneLength = kDefaultFiveToneLength;
}

// An entry that becomes present takes what its row showed while empty.
void MakePresent(FiveToneEntry& entry) {
  if (entry.EmptyFlag == 0) return;
  entry.EmptyFlag = 0;
  entry.Standard = 0;
  entry.ToneLength = kDefaultFiveToneLength;
  entry.Name = "";
}

std::string InfoDigits(const InfoCode& info) {
  return std::string(info.Code.Raw().substr(0, std::min<std::size_t>(info.DigitCount, kInfoCodeDigits)));
}

}  // namespace

FiveTonePresenter::FiveTonePresenter(Configuration& configuration, const LanguageTexts& texts,
                                     Prompter& prompter)
    : DialogPresenter(prompter),
      configuration_(configuration),
      texts_(texts),
      working_(configuration.FiveTone) {
  state_.Title = SectionText(keys::Title);
  state_.OwnIdLabel = SectionText(keys::OwnId);
  state_.ListLabels = {
      SectionText(keys::ToneSet),       SectionText(keys::DecodeResponse),  SectionText(keys::ToneLength),
      SectionText(keys::IntervalA),     SectionText(keys::TenthsTime),      SectionText(keys::IntervalB),
      SectionText(keys::OptionalValue), SectionText(keys::FirstDigitDelay), SectionText(keys::PauseCode),
      SectionText(keys::PauseTime),
  };
  state_.SideToneLabel = SectionText(keys::SideTone);
  state_.CodeLabel = SectionText(keys::Code);
  state_.ToneLengthLabel = SectionText(keys::ToneLengthHeader);
  state_.SpecialCallText = SectionText(keys::SpecialCall);
  state_.DataMessageText = SectionText(keys::DataMessage);
  state_.InfoNumberLabel = SectionText(keys::InfoNumber);
  state_.InfoFunctionLabel = SectionText(keys::InfoFunction);
  state_.InfoResponseLabel = SectionText(keys::DecodeResponse);
  state_.InfoCodeLabel = SectionText(keys::InfoCode);
  state_.InfoNameLabel = SectionText(keys::Name);
  state_.Headers = {
      SectionText(keys::NumberHeader),  SectionText(keys::SpecialCall),      SectionText(keys::Code),
      SectionText(keys::ToneSetHeader), SectionText(keys::ToneLengthHeader), SectionText(keys::Name)};
  state_.Ok = texts_.LanguageText(text_key::OkButton);
  state_.Cancel = texts_.LanguageText(text_key::CancelButton);
  state_.PttIds[0].Caption = SectionText(keys::PttIdBegin);
  state_.PttIds[1].Caption = SectionText(keys::PttIdEnd);

  std::vector<ListEntry> numbers;
  for (int number = 1; number <= kInfoCodeCount; ++number)
    numbers.push_back({std::to_string(number), number});
  state_.InfoNumber = ChoiceListOf(std::move(numbers), 1);
  ShowWorkingCopy();
  DescribeToneSet(List(FiveToneList::Standard).SelectedValue(0));
}

std::string FiveTonePresenter::SectionText(std::string_view key) const {
  return texts_.SectionText(text_key::kOption, key);
}

void FiveTonePresenter::ShowWorkingCopy() {
  FiveToneSettings& w = working_;
  state_.OwnId.Text = w.OwnId.Trimmed();
  if (!IsToneLength(w.ToneLength)) w.ToneLength = kDefaultFiveToneLength;
  if (w.OptionalValue <= 4) w.OptionalValue = 0;

  const std::string off = texts_.LanguageText(keys::Off);
  std::vector<ListEntry> responses;
  for (int i = 0; i < static_cast<int>(keys::Responses.size()); ++i) {
    responses.push_back({SectionText(keys::Responses[static_cast<std::size_t>(i)]), i});
  }
  std::vector<ListEntry> optional = {{off, 0}};
  for (int value = 5; value <= 75; ++value) optional.push_back({std::to_string(value), value});
  std::vector<ListEntry> pauseCodes = {{off, 0}};
  for (const int digit : {0xB, 0xC, 0xD, 0xF}) {
    pauseCodes.push_back({std::string(1, kHexDigits[static_cast<std::size_t>(digit)]), digit});
  }
  std::vector<ListEntry> pauseTimes = TenMillisecondEntries(0);
  pauseTimes.front().Text = "0";

  List(FiveToneList::Standard) = ChoiceListOf(ToneSetEntries(), w.Standard);
  List(FiveToneList::DecodeResponse) = ChoiceListOf(std::move(responses), w.DecodeResponse);
  List(FiveToneList::ToneLength) = ChoiceListOf(ToneLengthEntries(), w.ToneLength);
  List(FiveToneList::IntervalA) = ChoiceListOf(TenMillisecondEntries(1), w.IntervalA);
  List(FiveToneList::TenthsTime) = ChoiceListOf(TenthsEntries(), w.TenthsTime);
  List(FiveToneList::IntervalB) = ChoiceListOf(TenMillisecondEntries(1), w.IntervalB);
  List(FiveToneList::OptionalValue) = ChoiceListOf(std::move(optional), w.OptionalValue);
  List(FiveToneList::FirstDigitDelay) = ChoiceListOf(TenMillisecondEntries(1), w.FirstDigitDelay);
  List(FiveToneList::PauseTime) = ChoiceListOf(std::move(pauseTimes), w.PauseTime);
  List(FiveToneList::PauseCode) = ChoiceListOf(std::move(pauseCodes), w.PauseCode);
  List(FiveToneList::PauseTime).Enabled = List(FiveToneList::PauseCode).Selected != 0;
  state_.SideTone.Checked = w.SideTone != 0;

  for (FiveToneEntry& entry : w.Codes) RepairEntryOnOpening(entry);
  for (int which = 0; which < 2; ++which) {
    FiveToneEntry& code = which == 0 ? w.PttIdBegin : w.PttIdEnd;
    if (code.DigitCount > kFiveToneCodeDigits) code.DigitCount = 0;
    if (!IsToneSet(code.Standard)) code.Standard = 0;
    PttIdState& ptt = state_.PttIds[static_cast<std::size_t>(which)];
    ptt.Code.Text = CutOrExtend(code.Code.Trimmed(), code.DigitCount);
    ptt.Standard = ChoiceListOf(ToneSetEntries(), code.Standard);
    ptt.ToneLength = ChoiceListOf(ToneLengthEntries(), ToneLengthShown(code.ToneLength));
  }

  if (shownInfoCode_ != 0) SaveInfoCode();
  shownInfoCode_ = state_.InfoNumber.SelectedValue(1);
  state_.InfoFrameTitle = texts_.LanguageText(keys::InfoFrame) + std::to_string(shownInfoCode_);
  ShowInfoCode();
}

void FiveTonePresenter::SelectEntry(FiveToneList list, int index) {
  ChoiceList& choices = List(list);
  if (!choices.Enabled || index < 0 || index >= static_cast<int>(choices.Entries.size())) return;
  choices.Selected = index;
  if (list == FiveToneList::Standard) {
    const int standard = choices.SelectedValue(0);
    DescribeToneSet(standard);
    List(FiveToneList::ToneLength).SelectValueOrFirst(ToneSetTable::At(standard)->ToneLength);
  } else if (list == FiveToneList::PauseCode) {
    List(FiveToneList::PauseTime).Enabled = index != 0;
  }
}

void FiveTonePresenter::SetSideTone(bool checked) { state_.SideTone.Checked = checked; }

std::string FiveTonePresenter::TypeOwnId(std::string_view typed) {
  std::string kept;
  for (const char c : typed) {
    if (kept.size() < kOwnIdDigits && IsDigit(c)) kept.push_back(c);
  }
  state_.OwnId.Text = kept;
  return kept;
}

bool FiveTonePresenter::LeaveOwnId() {
  if (state_.OwnId.Text.size() < kOwnIdDigits) {
    prompter_.Tell(texts_.SectionText(text_key::kMsg, text_key::IdTooShort), PromptIcon::Warning);
    return false;
  }
  const std::string previous = working_.OwnId.Trimmed();
  StoreControls();
  ReAddress(previous);
  ShowWorkingCopy();
  return true;
}

// Codes that name this radio follow its own ID: group and PTT ID codes ("E2", "E6") and ANI
// codes that end in the previous own ID.
void FiveTonePresenter::ReAddress(std::string_view previousOwnId) {
  const std::string& ownId = state_.OwnId.Text;
  const auto readdress = [&](FiveToneEntry& entry) {
    std::string code = entry.Code.Trimmed();
    if (code.size() <= 1) return;
    if (code.starts_with("E2") || code.starts_with("E6")) code = code.substr(0, 2) + ownId;
    if (CarriesOwnId(code, previousOwnId)) code = code.substr(0, 6) + ownId;
    code = PrepareFiveToneCode(code, ownId);
    entry.Code = code;
    entry.DigitCount = static_cast<std::uint8_t>(code.size());
  };
  for (FiveToneEntry& entry : working_.Codes) readdress(entry);
  readdress(working_.PttIdBegin);
  readdress(working_.PttIdEnd);
}

void FiveTonePresenter::StoreControls() {
  FiveToneSettings& w = working_;
  const std::string& ownId = state_.OwnId.Text;
  w.OwnId = ownId;
  w.OwnIdLength = static_cast<std::uint8_t>(ownId.size());
  const auto value = [&](FiveToneList list) {
    return List(list).SelectedValue(List(list).Entries.front().Value);
  };
  w.Standard = static_cast<std::uint8_t>(value(FiveToneList::Standard));
  w.DecodeResponse = static_cast<std::uint8_t>(value(FiveToneList::DecodeResponse));
  w.ToneLength = static_cast<std::uint8_t>(value(FiveToneList::ToneLength));
  w.IntervalA = static_cast<std::uint8_t>(value(FiveToneList::IntervalA));
  w.TenthsTime = static_cast<std::uint8_t>(value(FiveToneList::TenthsTime));
  w.IntervalB = static_cast<std::uint8_t>(value(FiveToneList::IntervalB));
  w.OptionalValue = static_cast<std::uint8_t>(value(FiveToneList::OptionalValue));
  w.FirstDigitDelay = static_cast<std::int16_t>(value(FiveToneList::FirstDigitDelay));
  w.PauseCode = static_cast<std::int16_t>(value(FiveToneList::PauseCode));
  w.PauseTime = static_cast<std::int16_t>(value(FiveToneList::PauseTime));
  w.SideTone = state_.SideTone.Checked ? 1 : 0;

  for (int which = 0; which < 2; ++which) {
    FiveToneEntry& code = which == 0 ? w.PttIdBegin : w.PttIdEnd;
    const PttIdState& ptt = state_.PttIds[static_cast<std::size_t>(which)];
    const std::string prepared = PrepareFiveToneCode(ptt.Code.Text, ownId);
    code.Code = prepared;
    code.DigitCount = static_cast<std::uint8_t>(prepared.size());
    code.Standard = static_cast<std::uint8_t>(ptt.Standard.SelectedValue(0));
    code.ToneLength = static_cast<std::uint8_t>(ptt.ToneLength.SelectedValue(kDefaultFiveToneLength));
  }

  for (FiveToneEntry& entry : w.Codes) {
    std::string code = entry.Code.Trimmed();
    if (code.size() > 2) {
      if (code.starts_with("E2") || code.starts_with("E6")) {
        code = code.substr(0, 2) + ownId;
      } else if (CarriesOwnId(code, ownId)) {
        code = code.substr(0, 6) + ownId;
      }
      code = PrepareFiveToneCode(code, ownId);
      entry.Code = code;
    }
    entry.DigitCount = static_cast<std::uint8_t>(std::min<std::size_t>(code.size(), kFiveToneCodeDigits));
    if (!IsToneLength(entry.ToneLength)) entry.ToneLength = kDefaultFiveToneLength;
  }
}

std::string FiveTonePresenter::TypePttIdCode(int which, std::string_view typed) {
  if (which < 0 || which > 1) return {};
  std::string kept = KeepHex(typed, kPttIdCodeDigits);
  state_.PttIds[static_cast<std::size_t>(which)].Code.Text = kept;
  return kept;
}

void FiveTonePresenter::LeavePttIdCode(int which) {
  if (which < 0 || which > 1) return;
  TextField& code = state_.PttIds[static_cast<std::size_t>(which)].Code;
  code.Text = PrepareFiveToneCode(code.Text, state_.OwnId.Text);
}

void FiveTonePresenter::SelectPttIdStandard(int which, int index) {
  if (which < 0 || which > 1) return;
  PttIdState& ptt = state_.PttIds[static_cast<std::size_t>(which)];
  if (index < 0 || index >= static_cast<int>(ptt.Standard.Entries.size())) return;
  ptt.Standard.Selected = index;
  const int standard = ptt.Standard.SelectedValue(0);
  DescribeToneSet(standard);
  ptt.ToneLength.SelectValueOrFirst(ToneSetTable::At(standard)->ToneLength);
}

void FiveTonePresenter::SelectPttIdToneLength(int which, int index) {
  if (which < 0 || which > 1) return;
  ChoiceList& lengths = state_.PttIds[static_cast<std::size_t>(which)].ToneLength;
  if (index >= 0 && index < static_cast<int>(lengths.Entries.size())) lengths.Selected = index;
}

void FiveTonePresenter::SelectInfoNumber(int index) {
  if (index < 0 || index >= static_cast<int>(state_.InfoNumber.Entries.size())) return;
  SaveInfoCode();
  state_.InfoNumber.Selected = index;
  shownInfoCode_ = state_.InfoNumber.SelectedValue(1);
  state_.InfoFrameTitle = texts_.LanguageText(keys::InfoFrame) + std::to_string(shownInfoCode_);
  ShowInfoCode();
}

void FiveTonePresenter::SaveInfoCode() {
  if (shownInfoCode_ < 1 || shownInfoCode_ > kInfoCodeCount) return;
  InfoCode& info = working_.InfoCodes[static_cast<std::size_t>(shownInfoCode_ - 1)];
  info.Function = static_cast<std::uint8_t>(state_.InfoFunction.SelectedValue(kIndividualCall));
  info.Response = static_cast<std::uint8_t>(state_.InfoResponse.SelectedValue(0));
  info.Code = state_.InfoCode.Text;
  info.DigitCount = static_cast<std::uint8_t>(state_.InfoCode.Text.size());
  info.Name = state_.InfoName.Text;
}

void FiveTonePresenter::ShowInfoCode() {
  const InfoCode& info = working_.InfoCodes[static_cast<std::size_t>(shownInfoCode_ - 1)];
  std::vector<ListEntry> functions;
  for (int i = 0; i < static_cast<int>(keys::Functions.size()); ++i) {
    functions.push_back({SectionText(keys::Functions[static_cast<std::size_t>(i)]), i});
  }
  state_.InfoFunction = ChoiceListOf(std::move(functions), info.Function);
  state_.InfoResponse.Selected = info.Response;
  ApplyFunctionRules();
  state_.InfoCode.Text = InfoDigits(info);
  state_.InfoName.Text = state_.InfoName.Enabled ? info.Name.Trimmed() : "";
}

void FiveTonePresenter::SelectInfoFunction(int index) {
  if (index < 0 || index >= static_cast<int>(state_.InfoFunction.Entries.size())) return;
  const bool changed = index != state_.InfoFunction.Selected;
  state_.InfoFunction.Selected = index;
  ApplyFunctionRules();
  if (changed && state_.InfoFunction.SelectedValue(0) == kGroupCall) state_.InfoResponse.Selected = 0;
}

// Which responses the shown function allows: remote kill, stun and wake always answer with the
// alert and transpond, all call and status check never answer, a group call may only alert.
void FiveTonePresenter::ApplyFunctionRules() {
  const int function = state_.InfoFunction.SelectedValue(kIndividualCall);
  const int kept = std::max(state_.InfoResponse.Selected, 0);
  std::vector<ListEntry> responses;
  for (int i = 0; i < static_cast<int>(keys::Responses.size()); ++i) {
    responses.push_back({SectionText(keys::Responses[static_cast<std::size_t>(i)]), i});
  }
  int selected = kept;
  bool enabled = true;
  if (function == kAllCall || function == kStatusCheck) {
    selected = 0;
    enabled = false;
  } else if (function == kGroupCall) {
    responses.pop_back();
    selected = std::min(kept, 1);
  } else if (function == kKill || function == kStun || function == kWake) {
    selected = 2;
    enabled = false;
  }
  selected = std::min(selected, static_cast<int>(responses.size()) - 1);
  state_.InfoResponse.Entries = std::move(responses);
  state_.InfoResponse.Selected = selected;
  state_.InfoResponse.Enabled = enabled;
  const bool named = function != kIndividualCall && function != kStatusCheck;
  state_.InfoName.Enabled = named;
  if (!named) state_.InfoName.Text.clear();
}

void FiveTonePresenter::SelectInfoResponse(int index) {
  if (!state_.InfoResponse.Enabled) return;
  if (index >= 0 && index < static_cast<int>(state_.InfoResponse.Entries.size())) {
    state_.InfoResponse.Selected = index;
  }
}

std::string FiveTonePresenter::TypeInfoCode(std::string_view typed) {
  state_.InfoCode.Text = KeepHex(typed, kInfoCodeDigits);
  return state_.InfoCode.Text;
}

std::string FiveTonePresenter::TypeInfoName(std::string_view typed) {
  if (!state_.InfoName.Enabled) return state_.InfoName.Text;
  std::string kept;
  for (const char c : typed) {
    if (kept.size() < kNameLength && c >= ' ' && c <= '~') kept.push_back(c);
  }
  state_.InfoName.Text = kept;
  return kept;
}

bool FiveTonePresenter::KillStunWakeWork() {
  const auto& infos = working_.InfoCodes;
  const auto remote = [](int function) {
    return function == kKill || function == kStun || function == kWake;
  };
  bool works = true;
  const bool killOrStun = std::ranges::any_of(
      infos, [](const InfoCode& i) { return i.Function == kKill || i.Function == kStun; });
  const bool wake = std::ranges::any_of(infos, [](const InfoCode& i) { return i.Function == kWake; });
  if (killOrStun && !wake) {
    prompter_.Tell(SectionText(keys::KillNeedsWake), PromptIcon::Warning);
    works = false;
  }
  bool shared = false;
  for (const InfoCode& a : infos) {
    for (const InfoCode& b : infos) {
      shared = shared || (remote(a.Function) && a.Function != b.Function && InfoDigits(a) == InfoDigits(b));
    }
  }
  if (shared) {
    prompter_.Tell(SectionText(keys::KillCodeShared), PromptIcon::Warning);
    works = false;
  }
  return works;
}

void FiveTonePresenter::DescribeToneSet(int standard) {
  const std::optional<ToneSet> set = ToneSetTable::At(standard);
  if (!set) return;
  std::string text = std::string(set->Name) + "\n" + SectionText(keys::Frequency) + "(Hz)\n";
  for (std::size_t digit = 0; digit < set->Frequencies.size(); ++digit) {
    text += kHexDigits[digit];
    text += " ";
    text += set->Frequencies[digit];
    text += "\n";
  }
  text += SectionText(keys::DefaultToneLength) + "(ms) " + std::to_string(set->ToneLength) + "\n";
  text += SectionText(keys::GroupTone) + " A";
  if (set->ELine) text += "\n" + SectionText(keys::RepeatTone) + " E";
  state_.ToneSetDescription = std::move(text);
}

std::string FiveTonePresenter::RowType(const FiveToneEntry& entry) const {
  if (entry.EmptyFlag != 0) return {};
  const std::string code = entry.Code.Trimmed();
  if (code.size() <= 1) return {};
  if (CarriesOwnId(code, state_.OwnId.Text)) return std::string(kAniType);
  if (code.starts_with("E1") && code.size() >= kMessageStart) return SectionText(keys::DataMessage);
  if (code.starts_with("E6") && code.size() >= 6) return std::string(kPttIdType);
  return {};
}

std::string FiveTonePresenter::RowCode(const FiveToneEntry& entry) const {
  if (entry.EmptyFlag != 0) return {};
  const std::string code = entry.Code.Trimmed();
  if (code.size() > 1) {
    if (CarriesOwnId(code, state_.OwnId.Text)) return Mid5ToneNoE(code, 1, 5) + code.substr(5, 1);
    if (code.starts_with("E1") && code.size() >= kMessageStart) {
      return Mid5ToneNoE(code, 3, 5) + std::string(8, ' ') + SectionText(keys::MessagePrefix) +
             MessageOf(code);
    }
    if (code.starts_with("E6") && code.size() >= 6) return {};
  }
  return CutOrExtend(code, entry.DigitCount);
}

std::string FiveTonePresenter::CellText(int row, int column) const {
  if (row < 0 || row >= kFiveToneCodeCount) return {};
  const FiveToneEntry& entry = Entry(row);
  const bool empty = entry.EmptyFlag != 0;
  switch (column) {
    case kNumberColumn:
      return std::to_string(row);
    case kTypeColumn:
      return RowType(entry);
    case kCodeColumn:
      return RowCode(entry);
    case kToneSetColumn:
      return std::string(ToneSetTable::At(empty ? 0 : entry.Standard).value_or(ToneSetTable::All()[0]).Name);
    case kToneLengthColumn:
      return std::to_string(empty ? kDefaultFiveToneLength : ToneLengthShown(entry.ToneLength));
    case kNameColumn:
      return empty ? std::string() : entry.Name.Trimmed();
    default:
      return {};
  }
}

bool FiveTonePresenter::IsSpecialCall(int row) const {
  return row >= 0 && row < kFiveToneCodeCount && !RowType(Entry(row)).empty();
}

bool FiveTonePresenter::CanEditCell(int row, int column) const {
  if (row < 0 || row >= kFiveToneCodeCount) return false;
  if (column == kCodeColumn) return !IsSpecialCall(row);
  if (column < kToneSetColumn || column > kNameColumn) return false;
  return !CellText(row, kCodeColumn).empty() || RowType(Entry(row)) == kPttIdType;
}

std::string FiveTonePresenter::FilterCellText(int column, std::string_view typed) const {
  if (column == kCodeColumn) return KeepHex(typed, kListCodeDigits);
  if (column == kNameColumn) {
    std::string kept;
    for (const char c : typed) {
      if (kept.size() < kNameLength && c >= ' ' && c <= '~') kept.push_back(c);
    }
    return kept;
  }
  return {};
}

void FiveTonePresenter::SetCellText(int row, int column, std::string_view text) {
  if (!CanEditCell(row, column)) return;
  FiveToneEntry& entry = Entry(row);
  if (column == kCodeColumn) {
    const std::string code = PrepareFiveToneCode(FilterCellText(kCodeColumn, text), state_.OwnId.Text);
    if (code.empty()) {
      entry.EmptyFlag = 1;
    } else {
      MakePresent(entry);
    }
    entry.Code = code;
    entry.DigitCount = static_cast<std::uint8_t>(code.size());
  } else if (column == kNameColumn) {
    entry.Name = KeepName(text);
  }
}

ChoiceList FiveTonePresenter::CellChoices(int row, int column) const {
  if (row < 0 || row >= kFiveToneCodeCount) return {};
  const FiveToneEntry& entry = Entry(row);
  if (column == kToneSetColumn) return ChoiceListOf(ToneSetEntries(), entry.Standard);
  if (column == kToneLengthColumn)
    return ChoiceListOf(ToneLengthEntries(), ToneLengthShown(entry.ToneLength));
  return {};
}

void FiveTonePresenter::SetCellChoice(int row, int column, int value) {
  if (!CanEditCell(row, column)) return;
  FiveToneEntry& entry = Entry(row);
  if (column == kToneSetColumn && IsToneSet(value)) {
    DescribeToneSet(value);
    if (value == entry.Standard) return;
    entry.Standard = static_cast<std::uint8_t>(value);
    entry.ToneLength = static_cast<std::uint8_t>(ToneSetTable::At(value)->ToneLength);
  } else if (column == kToneLengthColumn && IsToneLength(value)) {
    entry.ToneLength = static_cast<std::uint8_t>(value);
  }
}

bool FiveTonePresenter::ResetSpecialCall(int row) {
  if (!IsSpecialCall(row)) return false;
  const std::string_view question = BuiltInTextOf(BuiltInText::ResetSpecialCall, texts_.LanguageId());
  if (prompter_.Ask(question, PromptButtons::OkCancel, PromptIcon::Question) != PromptAnswer::Ok)
    return false;
  FiveToneEntry& entry = Entry(row);
  entry.DigitCount = 0;
  entry.Code = "";
  return true;
}

void FiveTonePresenter::ApplySpecialCall(SpecialTarget target, int row, std::string_view code,
                                         int separator) {
  const std::string prepared = PrepareFiveToneCode(code, state_.OwnId.Text);
  if (target == SpecialTarget::ListEntry) {
    if (row < 0 || row >= kFiveToneCodeCount) return;
    FiveToneEntry& entry = Entry(row);
    MakePresent(entry);
    entry.Code = prepared;
    entry.DigitCount = static_cast<std::uint8_t>(std::min<std::size_t>(prepared.size(), kFiveToneCodeDigits));
  } else {
    state_.PttIds[target == SpecialTarget::PttIdBegin ? 0 : 1].Code.Text =
        prepared.substr(0, kPttIdCodeDigits);
  }
  if (separator >= 0 && separator <= 15) working_.Separator = static_cast<std::int16_t>(separator);
}

bool FiveTonePresenter::Ok() {
  if (state_.OwnId.Text.size() != kOwnIdDigits) {
    prompter_.Tell(texts_.SectionText(text_key::kMsg, text_key::IdTooShort), PromptIcon::Warning);
    return false;
  }
  StoreControls();
  SaveInfoCode();
  if (!KillStunWakeWork()) return false;

  configuration_.FiveTone = working_;
  const auto twoTone = TwoTonePresence(configuration_.TwoTone);
  const auto fiveTone = FiveTonePresence(configuration_.FiveTone);
  RepairSignallingRefs(configuration_.Channels, {twoTone, fiveTone});
  RepairAlertIdCode(configuration_.Alert, configuration_.FiveTone);
  return true;
}

}  // namespace hvt
