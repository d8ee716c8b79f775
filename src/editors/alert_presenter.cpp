#include "editors/alert_presenter.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "editors/channel_choices.h"
#include "i18n/text_keys.h"

namespace hvt {

namespace {

constexpr int kIdTypeNone = 0;
constexpr int kIdTypeDtmf = 1;
constexpr int kIdTypeFiveTone = kAlertIdFiveTone;
constexpr int kHighestAlertChannel = 199;

// What OK stores: the selection, or the first entry's value when nothing is selected (0 for an
// empty list), so the record never takes a value the list does not offer.
std::uint8_t Stored(const ChoiceList& list) {
  const int fallback = list.Entries.empty() ? 0 : list.Entries.front().Value;
  return static_cast<std::uint8_t>(list.SelectedValue(fallback));
}

std::vector<ListEntry> KeyEntries(std::span<const std::int32_t> keys, const LanguageTexts& texts) {
  std::vector<ListEntry> entries;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    entries.push_back({texts.LanguageText(keys[i]), static_cast<int>(i)});
  }
  return entries;
}

std::vector<ListEntry> NumberEntries(int first, int last) {
  std::vector<ListEntry> entries;
  for (int n = first; n <= last; ++n) entries.push_back({std::to_string(n), n});
  return entries;
}

// The existing channels an alarm may switch to.
std::vector<ListEntry> ChannelEntries(const ChannelTable& channels) {
  return ChannelNumberChoices(channels, kHighestAlertChannel).Entries;
}

bool FiveTonePresent(const FiveToneSettings& fiveTone, int position) {
  return position >= 0 && position < kFiveToneCodeCount &&
         fiveTone.Codes[static_cast<std::size_t>(position)].EmptyFlag == 0;
}

}  // namespace

AlertPresenter::AlertPresenter(AlertSettings& alert, const ChannelTable& channels, const DtmfSettings& dtmf,
                               const FiveToneSettings& fiveTone, const LanguageTexts& texts,
                               Prompter& prompter)
    : DialogPresenter(prompter), alert_(alert), dtmf_(dtmf), fiveTone_(fiveTone) {
  using namespace text_key;
  const auto text = [&](std::int32_t key) { return texts.LanguageText(key); };
  state_.Title = text(AlertTitle);
  state_.Caption = {
      .AlarmType = text(AlertAlarmType),
      .IdCodeType = text(AlertIdCodeType),
      .IdCode = text(AlertIdCode),
      .AlarmTime = text(AlertAlarmTime),
      .TxTime = text(AlertTxTime),
      .RxTime = text(AlertRxTime),
      .ChannelMode = text(AlertChannelMode),
      .Channel = text(AlertChannel),
      .Cycle = text(AlertCycle),
      .LoneWorker = text(AlertLoneWorkerEnable),
      .PreAlertTime = text(AlertPreAlertTime),
      .LoneWorkerTime = text(AlertResponseTime),
      .AlarmGroup = text(AlertAlarmGroup),
      .ChannelGroup = text(AlertChannelGroup),
      .LoneWorkerGroup = text(AlertLoneWorkerGroup),
      .Ok = text(OkButton),
      .Cancel = text(CancelButton),
  };

  const AlertSettings& a = alert_;
  state_.AlarmType = ChoiceListOf(KeyEntries(AlarmTypes, texts), a.AlarmType);
  state_.IdCodeType =
      ChoiceListOf({{text(AlertIdTypeNone), kIdTypeNone}, {"DTMF", kIdTypeDtmf}, {"5Tone", kIdTypeFiveTone}},
                   a.IdCodeType);
  RebuildIdCodes(a.IdCode);
  state_.AlarmTime = ChoiceListOf(NumberEntries(1, 255), a.AlarmTime);
  state_.TxTime = ChoiceListOf(NumberEntries(1, 255), a.TxTime);
  state_.RxTime = ChoiceListOf(NumberEntries(1, 255), a.RxTime);
  state_.ChannelMode = ChoiceListOf(KeyEntries(EmergencyChannelModes, texts), a.EmergencyChannelMode);
  state_.Channel = ChoiceListOf(ChannelEntries(channels), a.EmergencyChannel);
  std::vector<ListEntry> cycles = NumberEntries(1, 255);
  cycles.insert(cycles.begin(), {text(AlertCycleOff), 0});
  state_.Cycle = ChoiceListOf(std::move(cycles), a.Cycle);
  state_.LoneWorker.Checked = a.LoneWorker == 1;
  state_.PreAlertTime = ChoiceListOf(NumberEntries(1, 254), a.PreAlertTime);
  state_.LoneWorkerTime = ChoiceListOf(NumberEntries(5, 255), a.LoneWorkerTime);
  UpdateEnabling();
}

// The codes of the shown ID code type, with `code` selected when offered, else the first entry.
// The enabling is the caller's to renew.
void AlertPresenter::RebuildIdCodes(int code) {
  std::vector<ListEntry> entries;
  switch (state_.IdCodeType.SelectedValue(kIdTypeNone)) {
    case kIdTypeDtmf:
      for (int i = 0; i < kDtmfCodeCount; ++i) {
        if (dtmf_.DtmfCodes[static_cast<std::size_t>(i)].DigitCount > 0) {
          entries.push_back({"M" + std::to_string(i + 1), i});
        }
      }
      break;
    case kIdTypeFiveTone:
      for (int i = 0; i < kFiveToneCodeCount; ++i) {
        if (FiveTonePresent(fiveTone_, i)) entries.push_back({std::to_string(i), i});
      }
      if (entries.empty()) entries.push_back({"0", 0});
      break;
    default:
      break;
  }
  state_.IdCode = ChoiceListOf(std::move(entries), code);
}

void AlertPresenter::UpdateEnabling() {
  const bool local = state_.AlarmType.Selected == 0;
  state_.AlarmTime.Enabled = local;
  state_.IdCodeType.Enabled = !local;
  state_.IdCode.Enabled = !local;
  state_.TxTime.Enabled = !local;
  state_.RxTime.Enabled = !local;
  state_.Channel.Enabled = state_.ChannelMode.Selected == 0;
  state_.PreAlertTime.Enabled = state_.LoneWorker.Checked;
  state_.LoneWorkerTime.Enabled = state_.LoneWorker.Checked;
}

ChoiceList& AlertPresenter::List(AlertList list) {
  switch (list) {
    case AlertList::AlarmType:
      return state_.AlarmType;
    case AlertList::IdCodeType:
      return state_.IdCodeType;
    case AlertList::IdCode:
      return state_.IdCode;
    case AlertList::AlarmTime:
      return state_.AlarmTime;
    case AlertList::TxTime:
      return state_.TxTime;
    case AlertList::RxTime:
      return state_.RxTime;
    case AlertList::ChannelMode:
      return state_.ChannelMode;
    case AlertList::Channel:
      return state_.Channel;
    case AlertList::Cycle:
      return state_.Cycle;
    case AlertList::PreAlertTime:
      return state_.PreAlertTime;
    case AlertList::LoneWorkerTime:
      return state_.LoneWorkerTime;
  }
  return state_.AlarmType;
}

void AlertPresenter::SelectEntry(AlertList which, int index) {
  ChoiceList& list = List(which);
  if (!list.Enabled || index < 0 || index >= static_cast<int>(list.Entries.size())) return;
  const bool changed = list.Selected != index;
  list.Selected = index;
  if (which == AlertList::IdCodeType && changed) {
    // The stored code belonged to the other type: the new list starts at its first entry.
    RebuildIdCodes(ChoiceList::kNone);
  }
  UpdateEnabling();
}

void AlertPresenter::SetLoneWorker(bool checked) {
  state_.LoneWorker.Checked = checked;
  UpdateEnabling();
}

bool AlertPresenter::Ok() {
  AlertSettings a = alert_;
  a.AlarmType = Stored(state_.AlarmType);
  a.IdCodeType = Stored(state_.IdCodeType);
  a.IdCode = Stored(state_.IdCode);
  a.AlarmTime = Stored(state_.AlarmTime);
  a.TxTime = Stored(state_.TxTime);
  a.RxTime = Stored(state_.RxTime);
  a.EmergencyChannelMode = Stored(state_.ChannelMode);
  a.EmergencyChannel = Stored(state_.Channel);
  a.Cycle = Stored(state_.Cycle);
  a.LoneWorker = state_.LoneWorker.Checked ? 1 : 0;
  a.PreAlertTime = Stored(state_.PreAlertTime);
  a.LoneWorkerTime = Stored(state_.LoneWorkerTime);
  alert_ = a;
  return true;
}

void RepairAlertIdCode(AlertSettings& alert, const FiveToneSettings& fiveTone) {
  if (alert.IdCodeType != kAlertIdFiveTone || FiveTonePresent(fiveTone, alert.IdCode)) return;
  for (int i = 0; i < kFiveToneCodeCount; ++i) {
    if (FiveTonePresent(fiveTone, i)) {
      alert.IdCode = static_cast<std::uint8_t>(i);
      return;
    }
  }
  alert.IdCode = 0;
}

}  // namespace hvt
