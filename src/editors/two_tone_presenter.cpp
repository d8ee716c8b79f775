#include "editors/two_tone_presenter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "i18n/text_keys.h"
#include "model/channel_table.h"
#include "model/five_tone_settings.h"

namespace hvt {

namespace {

namespace keys = text_key::two_tone;

constexpr double kLowestTone = 288.0;
constexpr double kHighestTone = 3106.0;
constexpr double kLowestStoredTone = 280.0;  // what OK lets through; the boxes hold 288 already
constexpr double kUnreadableTone = 2000.0;
constexpr int kLongA = 12;
constexpr std::array<std::string_view, 15> kPairs = {"A-B", "A-C", "A-D",    "B-A",    "B-C",
                                                     "B-D", "C-A", "C-B",    "C-D",    "D-A",
                                                     "D-B", "D-C", "Long A", "Long B", "Long C"};
// Default tones A-D in tenths of Hz, shown when the stored tone is 0.
constexpr std::array<int, 4> kDefaultTones = {3217, 9281, 6265, 20438};

// A plain decimal number: digits with at most one point.
std::optional<double> NumberOf(std::string_view text) {
  if (text.empty() || std::ranges::count(text, '.') > 1 || text == ".") return std::nullopt;
  if (!std::ranges::all_of(text, [](char c) { return (c >= '0' && c <= '9') || c == '.'; }))
    return std::nullopt;
  return std::stod(std::string(text));
}

int Tenths(double hertz) { return static_cast<int>(std::lround(hertz * 10)); }

std::string TenthsText(int tenths) { return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10); }

// As a user writes a number: no trailing ".0".
std::string PlainText(int tenths) {
  return tenths % 10 == 0 ? std::to_string(tenths / 10) : TenthsText(tenths);
}

// The pair's first and second tone (A=0 .. D=3); the second is -1 for a long tone.
std::pair<int, int> PairTones(int order) {
  if (order >= kLongA) return {order - kLongA, -1};
  const std::string_view pair = kPairs[static_cast<std::size_t>(std::clamp(order, 0, kLongA - 1))];
  return {pair[0] - 'A', pair[2] - 'A'};
}

BigEndianWord Word(int value) { return BigEndianWord::Of(static_cast<std::uint16_t>(value)); }

std::vector<ListEntry> TenthsEntries(int first, int last) {
  std::vector<ListEntry> entries;
  for (int tenths = first; tenths <= last; ++tenths) entries.push_back({TenthsText(tenths), tenths});
  return entries;
}

}  // namespace

TwoTonePresenter::TwoTonePresenter(Configuration& configuration, const LanguageTexts& texts,
                                   Prompter& prompter)
    : DialogPresenter(prompter), configuration_(configuration), working_(configuration.TwoTone) {
  const auto text = [&texts](std::string_view key) { return texts.SectionText(text_key::kOption, key); };
  state_.Title = text(keys::Title);
  state_.SettingsTab = text(keys::SettingsTab);
  state_.ListTab = text(keys::ListTab);
  state_.ListLabels = {text(keys::FirstToneTime),
                       text(keys::SecondToneTime),
                       text(keys::LongToneTime),
                       text(keys::Interval),
                       text(text_key::five_tone::TenthsTime),
                       text(keys::TonePair),
                       text(keys::DecodeResponse)};
  state_.SideToneLabel = text(text_key::five_tone::SideTone);
  for (int tone = 0; tone < kToneCount; ++tone) {
    state_.ToneLabels[static_cast<std::size_t>(tone)] = text(keys::ToneLabel) + static_cast<char>('A' + tone);
  }
  state_.Headers = {text(keys::NumberHeader), text(keys::FirstTone), text(keys::SecondTone),
                    text(keys::Name)};
  state_.Ok = texts.LanguageText(text_key::OkButton);
  state_.Cancel = texts.LanguageText(text_key::CancelButton);

  std::vector<ListEntry> hundreds;
  for (int step = 0; step <= 20; ++step) hundreds.push_back({std::to_string(step * 100), step});
  std::vector<ListEntry> pairs;
  for (std::size_t i = 0; i < kPairs.size(); ++i)
    pairs.push_back({std::string(kPairs[i]), static_cast<int>(i)});
  std::vector<ListEntry> responses;
  for (std::size_t i = 0; i < text_key::five_tone::Responses.size(); ++i) {
    responses.push_back({text(text_key::five_tone::Responses[i]), static_cast<int>(i)});
  }
  const TwoToneSettings& w = working_;
  List(TwoToneList::FirstToneTime) = ChoiceListOf(TenthsEntries(5, 100), w.ToneTime1);
  List(TwoToneList::SecondToneTime) = ChoiceListOf(TenthsEntries(5, 100), w.ToneTime2);
  List(TwoToneList::LongToneTime) = ChoiceListOf(TenthsEntries(5, 100), w.ToneTime3);
  List(TwoToneList::Interval) = ChoiceListOf(std::move(hundreds), w.HundredsTime);
  List(TwoToneList::TenthsTime) = ChoiceListOf(TenthsEntries(0, 250), w.TenthsTime);
  List(TwoToneList::TonePair) = ChoiceListOf(std::move(pairs), w.ToneOrder);
  List(TwoToneList::DecodeResponse) = ChoiceListOf(std::move(responses), w.DecodeResponse);
  state_.SideTone.Checked = w.SideTone == 1;
  for (std::size_t tone = 0; tone < state_.Tones.size(); ++tone) {
    const int stored = w.ToneFrequencies[tone];
    state_.Tones[tone].Text = TenthsText(stored == 0 ? kDefaultTones[tone] : stored);
  }
  EnablePairTones();
}

void TwoTonePresenter::EnablePairTones() {
  const auto [first, second] = PairTones(List(TwoToneList::TonePair).SelectedValue(0));
  for (int tone = 0; tone < kToneCount; ++tone) {
    state_.Tones[static_cast<std::size_t>(tone)].Enabled = tone == first || tone == second;
  }
}

void TwoTonePresenter::SelectEntry(TwoToneList list, int index) {
  ChoiceList& choices = List(list);
  if (index < 0 || index >= static_cast<int>(choices.Entries.size())) return;
  choices.Selected = index;
  listTouched_[static_cast<std::size_t>(list)] = true;
  if (list == TwoToneList::TonePair) EnablePairTones();
}

void TwoTonePresenter::SetSideTone(bool checked) {
  state_.SideTone.Checked = checked;
  sideToneTouched_ = true;
}

std::string TwoTonePresenter::TypeTone(int tone, std::string_view typed) {
  if (tone < 0 || tone >= kToneCount || !state_.Tones[static_cast<std::size_t>(tone)].Enabled) return {};
  TextField& box = state_.Tones[static_cast<std::size_t>(tone)];
  box.Text = FilterCellText(kFirstToneColumn, typed);
  toneTouched_[static_cast<std::size_t>(tone)] = true;
  return box.Text;
}

void TwoTonePresenter::LeaveTone(int tone) {
  if (tone < 0 || tone >= kToneCount || !toneTouched_[static_cast<std::size_t>(tone)]) return;
  TextField& box = state_.Tones[static_cast<std::size_t>(tone)];
  const double hertz = std::clamp(NumberOf(box.Text).value_or(0.0), kLowestTone, kHighestTone);
  box.Text = PlainText(Tenths(hertz));
}

std::string TwoTonePresenter::CellText(int row, int column) const {
  if (row < 0 || row >= kTwoToneEntryCount) return {};
  if (column == kNumberColumn) return std::to_string(row + 1);
  const TwoToneEntry& entry = working_.TwoToneEntries[static_cast<std::size_t>(row)];
  if (entry.EmptyFlag != 0 || entry.FirstTone.Value() == 0) return {};
  switch (column) {
    case kFirstToneColumn:
      return TenthsText(entry.FirstTone.Value());
    case kSecondToneColumn:
      return entry.SecondTone.Value() == 0 ? std::string() : TenthsText(entry.SecondTone.Value());
    case kNameColumn:
      return entry.Name.Trimmed();
    default:
      return {};
  }
}

bool TwoTonePresenter::CanEditCell(int row, int column) const {
  if (row < 0 || row >= kTwoToneEntryCount) return false;
  if (column == kFirstToneColumn) return true;
  return (column == kSecondToneColumn || column == kNameColumn) && !CellText(row, kFirstToneColumn).empty();
}

std::string TwoTonePresenter::FilterCellText(int column, std::string_view typed) const {
  std::string kept;
  const bool tone = column == kFirstToneColumn || column == kSecondToneColumn;
  const std::size_t length = tone ? kFrequencyLength : kNameLength;
  for (const char c : typed) {
    const bool accepted = tone ? (c >= '0' && c <= '9') || c == '.' : c >= ' ' && c <= '~';
    if (kept.size() < length && accepted) kept.push_back(c);
  }
  return kept;
}

void TwoTonePresenter::SetCellText(int row, int column, std::string_view text) {
  if (!CanEditCell(row, column)) return;
  TwoToneEntry& entry = working_.TwoToneEntries[static_cast<std::size_t>(row)];
  const std::string kept = FilterCellText(column, text);
  if (column == kNameColumn) {
    entry.Name = std::string(TextTrim(kept));
    return;
  }
  const std::optional<double> number = NumberOf(kept);
  const bool first = column == kFirstToneColumn;
  if (!number) {
    if (first) {
      entry = TwoToneEntry{.EmptyFlag = 1};
    } else {
      entry.SecondTone = Word(0);
      entry.SecondDivider = Word(0);
    }
    return;
  }
  const double hertz = std::clamp(*number, kLowestTone, kHighestTone);
  const BigEndianWord tone = Word(Tenths(hertz));
  const BigEndianWord divider = Word(static_cast<int>(9600000.0 / (16 * hertz)));
  if (first) {
    entry.EmptyFlag = 0;
    entry.FirstTone = tone;
    entry.FirstDivider = divider;
  } else {
    entry.SecondTone = tone;
    entry.SecondDivider = divider;
  }
}

void TwoTonePresenter::StoreTouched() {
  TwoToneSettings& w = working_;
  const auto stored = [this](TwoToneList list, std::uint8_t& field) {
    if (listTouched_[static_cast<std::size_t>(list)])
      field = static_cast<std::uint8_t>(List(list).SelectedValue(field));
  };
  stored(TwoToneList::FirstToneTime, w.ToneTime1);
  stored(TwoToneList::SecondToneTime, w.ToneTime2);
  stored(TwoToneList::LongToneTime, w.ToneTime3);
  stored(TwoToneList::Interval, w.HundredsTime);
  stored(TwoToneList::TenthsTime, w.TenthsTime);
  stored(TwoToneList::DecodeResponse, w.DecodeResponse);
  if (sideToneTouched_) w.SideTone = state_.SideTone.Checked ? 1 : 0;

  std::array<double, kToneCount> hertz{};
  for (std::size_t tone = 0; tone < hertz.size(); ++tone) {
    const std::optional<double> number = NumberOf(state_.Tones[tone].Text);
    hertz[tone] = number ? std::clamp(*number, kLowestStoredTone, kHighestTone) : kUnreadableTone;
    if (toneTouched_[tone]) w.ToneFrequencies[tone] = static_cast<std::uint16_t>(Tenths(hertz[tone]));
  }

  const int order = List(TwoToneList::TonePair).SelectedValue(w.ToneOrder);
  const auto [first, second] = PairTones(order);
  const bool pairTouched = listTouched_[static_cast<std::size_t>(TwoToneList::TonePair)] ||
                           toneTouched_[static_cast<std::size_t>(first)] ||
                           (second >= 0 && toneTouched_[static_cast<std::size_t>(second)]);
  if (!pairTouched) return;
  w.ToneOrder = static_cast<std::uint8_t>(order);
  const double f1 = hertz[static_cast<std::size_t>(first)];
  w.PairFirstTone = Word(Tenths(f1));
  w.FirstToneDivider = Word(static_cast<int>(9600000.0 / (2 * f1)));
  if (second >= 0) {
    const double f2 = hertz[static_cast<std::size_t>(second)];
    w.PairSecondTone = Word(Tenths(f2));
    w.SecondToneDivider = Word(static_cast<int>(9600000.0 / (2 * f2)));
  } else {
    w.PairSecondTone = Word(0);
    w.SecondToneDivider = Word(0);
  }
}

bool TwoTonePresenter::Ok() {
  StoreTouched();
  configuration_.TwoTone = working_;
  const auto twoTone = TwoTonePresence(configuration_.TwoTone);
  const auto fiveTone = FiveTonePresence(configuration_.FiveTone);
  RepairSignallingRefs(configuration_.Channels, {twoTone, fiveTone});
  return true;
}

}  // namespace hvt
