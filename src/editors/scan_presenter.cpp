#include "editors/scan_presenter.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "editors/channel_choices.h"
#include "i18n/text_keys.h"

namespace hvt {

namespace {

constexpr int kPriorityNone = 0;
constexpr int kPriority1 = 1;
constexpr int kPriority2 = 2;
constexpr int kPriorityBoth = 3;

constexpr int kScanBackMin = 5;  // tenths of a second
constexpr int kResumeMin = 1;
constexpr int kDelayMax = 50;

// The revert entries each priority mode offers, as indexes into the full revert list.
constexpr std::array<std::array<int, 8>, 4> kRevertOffered = {{
    {0, 1, 4, 5, -1, -1, -1, -1},
    {0, 1, 2, 4, 5, 6, -1, -1},
    {0, 1, 3, 4, 5, 7, -1, -1},
    {0, 1, 2, 3, 4, 5, 6, 7},
}};

// What OK stores: the selection, or the first entry's value when nothing is selected, so the
// record never takes a value the list does not offer.
std::uint8_t Stored(const ChoiceList& list) {
  const int fallback = list.Entries.empty() ? 0 : list.Entries.front().Value;
  return static_cast<std::uint8_t>(list.SelectedValue(fallback));
}

std::vector<ListEntry> DelayEntries(int min) {
  std::vector<ListEntry> entries;
  for (int tenths = min; tenths <= kDelayMax; ++tenths) {
    entries.push_back({std::to_string(tenths / 10) + "." + std::to_string(tenths % 10), tenths});
  }
  return entries;
}

// The existing normal channels; a value is the channel number - 1, as the record keeps it.
std::vector<ListEntry> ChannelEntries(const ChannelTable& channels) {
  std::vector<ListEntry> entries = ChannelNumberChoices(channels, kNormalChannelCount).Entries;
  for (ListEntry& entry : entries) --entry.Value;
  return entries;
}

}  // namespace

ScanPresenter::ScanPresenter(ScanSettings& scan, const ChannelTable& channels, const LanguageTexts& texts,
                             Prompter& prompter)
    : DialogPresenter(prompter), scan_(scan), texts_(texts), working_(scan) {
  using namespace text_key;
  const auto text = [&](std::int32_t key) { return texts_.LanguageText(key); };
  state_.Title = text(ScanTitle);
  state_.Caption = {
      .ScanType = text(ScanTypeLabel),
      .PriorityMode = text(ScanPriorityLabel),
      .Priority1Group1 = text(ScanPriority1Group1),
      .Priority1Group2 = text(ScanPriority1Group2),
      .Priority2Group1 = text(ScanPriority2Group1),
      .Priority2Group2 = text(ScanPriority2Group2),
      .Priority1Group3 = text(ScanPriority1Group3),
      .Priority2Group3 = text(ScanPriority2Group3),
      .RevertChannel = text(ScanRevertLabel),
      .ScanBackTimeA = text(ScanBackTimeALabel),
      .ScanBackTimeB = text(ScanBackTimeBLabel),
      .RxResumeDelay = text(ScanRxResumeLabel),
      .TxResumeDelay = text(ScanTxResumeLabel),
      .EntryTone = text(ScanEntryTone),
      .GeneralGroup = text(ScanGeneralGroup),
      .PriorityGroup = text(ScanPriorityGroup),
      .TimeGroup = text(ScanTimeGroup),
      .Ok = text(OkButton),
      .Cancel = text(CancelButton),
  };

  const std::string p1 = text(ScanPriorityLabel) + "1";
  const std::string p2 = text(ScanPriorityLabel) + "2";
  state_.ScanType = ChoiceListOf({{text(ScanTypes[0]), 0}, {text(ScanTypes[1]), 1}}, working_.ScanType);
  state_.PriorityMode = ChoiceListOf({{text(ScanTypes[0]), kPriorityNone},
                                      {p1, kPriority1},
                                      {p2, kPriority2},
                                      {p1 + " + " + p2, kPriorityBoth}},
                                     working_.PriorityMode);

  const std::vector<ListEntry> numbers = ChannelEntries(channels);
  state_.Priority1Group1 = ChoiceListOf(numbers, working_.Priority1Group1);
  state_.Priority1Group2 = ChoiceListOf(numbers, working_.Priority1Group2);
  state_.Priority2Group1 = ChoiceListOf(numbers, working_.Priority2Group1);
  state_.Priority2Group2 = ChoiceListOf(numbers, working_.Priority2Group2);
  state_.Priority1Group3 = ChoiceListOf(numbers, working_.Priority1Group3);
  state_.Priority2Group3 = ChoiceListOf(numbers, working_.Priority2Group3);

  state_.ScanBackTimeA = ChoiceListOf(DelayEntries(kScanBackMin), working_.ScanBackTimeA);
  state_.ScanBackTimeB = ChoiceListOf(DelayEntries(kScanBackMin), working_.ScanBackTimeB);
  state_.RxResumeDelay = ChoiceListOf(DelayEntries(kResumeMin), working_.RxResumeDelay);
  state_.TxResumeDelay = ChoiceListOf(DelayEntries(kResumeMin), working_.TxResumeDelay);

  state_.EntryTone.Checked = working_.ScanEntryTone == 1;
  RebuildRevertList();
  UpdateEnabling();
}

// The revert entries the shown priority mode offers; the working revert channel is selected when
// offered, else the first entry, which it then becomes. The enabling is the caller's to renew.
void ScanPresenter::RebuildRevertList() {
  using namespace text_key;
  const std::string p1 = texts_.LanguageText(ScanPriorityLabel) + "1";
  const std::string p2 = texts_.LanguageText(ScanPriorityLabel) + "2";
  const std::string selected = texts_.LanguageText(RevertSelected);
  const std::string talkback = " + " + texts_.LanguageText(RevertTalkback);
  const std::array<std::string, 8> revertTexts = {
      selected,
      selected + talkback,
      p1,
      p2,
      texts_.LanguageText(RevertLastCalled),
      texts_.LanguageText(RevertLastUsed),
      p1 + talkback,
      p2 + talkback,
  };
  const int mode = state_.PriorityMode.SelectedValue(kPriorityNone);
  std::vector<ListEntry> entries;
  for (const int index : kRevertOffered[static_cast<std::size_t>(mode)]) {
    if (index >= 0) entries.push_back({revertTexts[static_cast<std::size_t>(index)], index});
  }
  state_.RevertChannel = ChoiceListOf(std::move(entries), working_.RevertChannel);
  working_.RevertChannel = Stored(state_.RevertChannel);
}

void ScanPresenter::UpdateEnabling() {
  const bool scanning = state_.ScanType.SelectedValue(0) == 1;
  const int mode = state_.PriorityMode.SelectedValue(kPriorityNone);
  const bool first = scanning && (mode == kPriority1 || mode == kPriorityBoth);
  const bool second = scanning && (mode == kPriority2 || mode == kPriorityBoth);
  for (ChoiceList* list : {&state_.Priority1Group1, &state_.Priority1Group2, &state_.Priority1Group3}) {
    list->Enabled = first;
  }
  for (ChoiceList* list : {&state_.Priority2Group1, &state_.Priority2Group2, &state_.Priority2Group3}) {
    list->Enabled = second;
  }
  for (ChoiceList* list : {&state_.PriorityMode, &state_.RevertChannel, &state_.ScanBackTimeA,
                           &state_.ScanBackTimeB, &state_.RxResumeDelay, &state_.TxResumeDelay}) {
    list->Enabled = scanning;
  }
  state_.EntryTone.Enabled = scanning;
}

ChoiceList& ScanPresenter::List(ScanList list) {
  switch (list) {
    case ScanList::ScanType:
      return state_.ScanType;
    case ScanList::PriorityMode:
      return state_.PriorityMode;
    case ScanList::Priority1Group1:
      return state_.Priority1Group1;
    case ScanList::Priority1Group2:
      return state_.Priority1Group2;
    case ScanList::Priority2Group1:
      return state_.Priority2Group1;
    case ScanList::Priority2Group2:
      return state_.Priority2Group2;
    case ScanList::Priority1Group3:
      return state_.Priority1Group3;
    case ScanList::Priority2Group3:
      return state_.Priority2Group3;
    case ScanList::RevertChannel:
      return state_.RevertChannel;
    case ScanList::ScanBackTimeA:
      return state_.ScanBackTimeA;
    case ScanList::ScanBackTimeB:
      return state_.ScanBackTimeB;
    case ScanList::RxResumeDelay:
      return state_.RxResumeDelay;
    case ScanList::TxResumeDelay:
      return state_.TxResumeDelay;
  }
  return state_.ScanType;
}

void ScanPresenter::SelectEntry(ScanList which, int index) {
  ChoiceList& list = List(which);
  if (!list.Enabled || index < 0 || index >= static_cast<int>(list.Entries.size())) return;
  list.Selected = index;
  switch (which) {
    case ScanList::PriorityMode:
      RebuildRevertList();
      UpdateEnabling();
      break;
    case ScanList::ScanType:
      UpdateEnabling();
      break;
    case ScanList::RevertChannel:
      working_.RevertChannel = Stored(list);
      break;
    default:
      break;
  }
}

void ScanPresenter::SetEntryTone(bool checked) {
  if (state_.EntryTone.Enabled) state_.EntryTone.Checked = checked;
}

bool ScanPresenter::Ok() {
  working_.ScanType = Stored(state_.ScanType);
  working_.PriorityMode = Stored(state_.PriorityMode);
  working_.Priority1Group1 = Stored(state_.Priority1Group1);
  working_.Priority1Group2 = Stored(state_.Priority1Group2);
  working_.Priority2Group1 = Stored(state_.Priority2Group1);
  working_.Priority2Group2 = Stored(state_.Priority2Group2);
  working_.Priority1Group3 = Stored(state_.Priority1Group3);
  working_.Priority2Group3 = Stored(state_.Priority2Group3);
  working_.RevertChannel = Stored(state_.RevertChannel);
  working_.ScanBackTimeA = Stored(state_.ScanBackTimeA);
  working_.ScanBackTimeB = Stored(state_.ScanBackTimeB);
  working_.RxResumeDelay = Stored(state_.RxResumeDelay);
  working_.TxResumeDelay = Stored(state_.TxResumeDelay);
  working_.ScanEntryTone = state_.EntryTone.Checked ? 1 : 0;
  scan_ = working_;
  return true;
}

}  // namespace hvt
