#include "editors/channel_edit_presenter.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <utility>
#include <vector>

#include "i18n/text_keys.h"
#include "model/channel_codes.h"
#include "model/channel_rules.h"
#include "model/decimal_text.h"
#include "model/frequency.h"
#include "model/frequency_checks.h"
#include "model/text.h"
#include "model/tones.h"

namespace hvt {

namespace {

constexpr std::string_view kNotNumeric = "Not IsNumeric";
constexpr int kToneNone = 0;
constexpr int kToneCtcss = 1;
constexpr int kToneDcs = 2;
// Squelch modes by the keys' order: carrier, tone, signalling, tone and signalling, tone or signalling.
constexpr int kSquelchCarrier = 0;

std::vector<ListEntry> KeyEntries(std::span<const std::int32_t> keys, const LanguageTexts& texts) {
  std::vector<ListEntry> entries;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    entries.push_back({texts.LanguageText(keys[i]), static_cast<int>(i)});
  }
  return entries;
}

std::vector<ListEntry> ToneTypeEntries(const LanguageTexts& texts) {
  return {{texts.LanguageText(text_key::NoSignalling), kToneNone}, {"CTCSS", kToneCtcss}, {"DCS", kToneDcs}};
}

std::vector<ListEntry> CtcssEntries() {
  std::vector<ListEntry> entries;
  for (int i = 0; i < kStandardCtcssCount; ++i) {
    entries.push_back({std::string(kCtcssTones[static_cast<std::size_t>(i)]), i});
  }
  entries.push_back({"Define", kCustomCtcssIndex});
  return entries;
}

std::vector<ListEntry> DcsEntries() {
  std::vector<ListEntry> entries;
  for (int i = 0; i < kDcsValueCount; ++i) entries.push_back({DcsCodeText(i), i});
  return entries;
}

std::vector<ListEntry> PresentCodeEntries(std::span<const bool> present) {
  std::vector<ListEntry> entries;
  for (std::size_t i = 0; i < present.size(); ++i) {
    if (present[i]) entries.push_back({std::to_string(i), static_cast<int>(i)});
  }
  return entries;
}

// Keeps the characters `accepted` allows, at most `length` of them.
template <class Accepted>
std::string Filtered(std::string_view text, std::size_t length, Accepted accepted) {
  std::string kept;
  for (const char c : text) {
    if (kept.size() == length) break;
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x80 && accepted(c)) kept.push_back(c);
  }
  return kept;
}

bool IsDecimalCharacter(char c) { return (c >= '0' && c <= '9') || c == '.'; }
bool IsPrintable(char c) { return c >= 0x20 && c <= 0x7E; }

int CheckedValue(const CheckField& check) { return check.Checked ? 1 : 0; }

std::int16_t Stored(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

std::string OutOfRangeMessage(const LanguageTexts& texts, std::string_view allowed, std::string_view now) {
  std::string detail = texts.LanguageText(text_key::FrequencyOutOfRangeDetail);
  for (const auto& [marker, value] :
       {std::pair{std::string_view("%1"), allowed}, std::pair{std::string_view("%2"), now}}) {
    if (const std::size_t at = detail.find(marker); at != std::string::npos)
      detail.replace(at, marker.size(), value);
  }
  return texts.LanguageText(text_key::FrequencyOutOfRange) + " " + detail;
}

std::string NormalisedCustomTone(std::string_view text) { return CustomCtcssText(CustomToneTenths(text)); }

ChannelEditPresenter::ChannelEditPresenter(ChannelTable& table, OptionSettings& options, int channelNumber,
                                           const ChannelEditSetup& setup, const LanguageTexts& texts,
                                           Prompter& prompter)
    : DialogPresenter(prompter),
      table_(table),
      options_(options),
      texts_(texts),
      number_(channelNumber),
      limits_(setup.Limits) {
  const ChannelRecord* existing = table_.Find(number_);
  record_ = existing != nullptr ? *existing : NewChannelRecord(number_);

  state_.Title = texts_.LanguageText(text_key::ChannelEditTitle) + "--- CH " + ChannelLabel(number_);
  const std::string tone = texts_.LanguageText(text_key::GridTone);
  state_.Caption = {
      .Receive = texts_.LanguageText(text_key::GridRx),
      .Transmit = texts_.LanguageText(text_key::GridTx),
      .Name = texts_.LanguageText(text_key::GridName),
      .Bandwidth = texts_.LanguageText(text_key::GridBandwidth),
      .Power = texts_.LanguageText(text_key::GridPower),
      .OptSignal = texts_.LanguageText(text_key::GridOptSignal),
      .Decode = texts_.LanguageText(text_key::GridDecode) + " " + tone,
      .Encode = texts_.LanguageText(text_key::GridEncode) + " " + tone,
      .DtmfPttId = texts_.LanguageText(text_key::ChannelDtmfPttId),
      .FiveTonePttId = texts_.LanguageText(text_key::ChannelFiveTonePttId),
      .SquelchMode = texts_.LanguageText(text_key::ChannelSquelchMode),
      .BusyLock = texts_.LanguageText(text_key::ChannelBusyLock),
      .CustomTone = texts_.LanguageText(text_key::ChannelCustomTone),
      .TxForbid = texts_.LanguageText(text_key::ChannelTxInhibit),
      .Reverse = texts_.LanguageText(text_key::ChannelReverse),
      .TalkAround = texts_.LanguageText(text_key::ChannelTalkAround),
      .Scramble = texts_.LanguageText(text_key::ChannelScramble),
      .ScanAdd = texts_.LanguageText(text_key::ChannelScanAdd),
      .Inverted = texts_.LanguageText(text_key::ChannelInverted),
      .Ok = texts_.LanguageText(text_key::OkButton),
      .Cancel = texts_.LanguageText(text_key::CancelButton),
  };
  ShowRecord(setup);
}

void ChannelEditPresenter::ShowRecord(const ChannelEditSetup& setup) {
  const ChannelRecord& c = record_;
  bool notNumeric = false;

  if (c.InUse == 1) {
    const FrequencyDisplay rx = FreqRecordToText(c.RxFreq.Raw());
    notNumeric = rx.NotNumeric;
    state_.Receive.Text = rx.Text;
  }
  const FrequencyDisplay offset = FreqRecordToText(c.TxFreq.Raw());
  notNumeric = notNumeric || offset.NotNumeric;
  state_.Offset = offset.Text;
  state_.Direction = c.OffsetDir;
  const auto rx = ParseMHz(state_.Receive.Text);
  const auto offsetValue = ParseMHz(offset.Text);
  switch (c.OffsetDir) {
    case kOffsetOff:
      state_.Transmit.Text = state_.Receive.Text;
      break;
    case kOffsetPlus:
    case kOffsetMinus:
      if (rx && offsetValue) {
        state_.Transmit.Text =
            FormatMHz(c.OffsetDir == kOffsetPlus ? *rx + *offsetValue : *rx - *offsetValue);
      }
      break;
    case kOffsetSeparateTx:
      // A zero transmit frequency is none: the channel transmits where it receives.
      state_.Transmit.Text = offsetValue && *offsetValue != 0 ? offset.Text : state_.Receive.Text;
      break;
    default:
      break;
  }
  if (notNumeric) prompter_.Tell(kNotNumeric);
  openedReceive_ = state_.Receive.Text;
  openedTransmit_ = state_.Transmit.Text;

  const std::string name(TextTrim(c.Name.Raw()));
  for (std::size_t i = 0; i < state_.Name.size(); ++i) {
    if (i < name.size()) state_.Name[i].Text = std::string(1, name[i]);
  }
  state_.CustomTone.Text = CustomCtcssText(c.CustomCtcss);

  std::vector<ListEntry> bandwidths;
  for (std::size_t i = 0; i < kBandwidthTexts.size(); ++i) {
    bandwidths.push_back({std::string(kBandwidthTexts[i]), static_cast<int>(i)});
  }
  state_.Bandwidth = ChoiceListOf(std::move(bandwidths), c.Bandwidth);
  state_.Power = ChoiceListOf(KeyEntries(text_key::PowerLevels, texts_), c.Power);

  std::vector<ListEntry> signalling = {{texts_.LanguageText(text_key::NoSignalling), kSignallingNone},
                                       {"DTMF", kSignallingDtmf}};
  if (setup.TwoToneEnabled) signalling.push_back({"2Tone", kSignallingTwoTone});
  signalling.push_back({"5Tone", kSignallingFiveTone});
  state_.OptSignal = ChoiceListOf(std::move(signalling), c.OptSignal);

  state_.DecodeType = ChoiceListOf(ToneTypeEntries(texts_), c.DecodeType);
  state_.EncodeType = ChoiceListOf(ToneTypeEntries(texts_), c.EncodeType);
  state_.DecodeCtcss = ChoiceListOf(CtcssEntries(), CtcssIndex(c.DecodeCtcss));
  state_.EncodeCtcss = ChoiceListOf(CtcssEntries(), CtcssIndex(c.EncodeCtcss));
  state_.DecodeDcs = ChoiceListOf(DcsEntries(), DcsValue(c.DecodeDcs) & kDcsCodeMask);
  state_.EncodeDcs = ChoiceListOf(DcsEntries(), DcsValue(c.EncodeDcs) & kDcsCodeMask);
  state_.DecodeInverted.Checked = (DcsValue(c.DecodeDcs) & kDcsInvertedBit) != 0;
  state_.EncodeInverted.Checked = (DcsValue(c.EncodeDcs) & kDcsInvertedBit) != 0;

  state_.DtmfPttId = ChoiceListOf(KeyEntries(text_key::PttIdModes, texts_), c.DtmfPttId);
  state_.FiveTonePttId = ChoiceListOf(KeyEntries(text_key::PttIdModes, texts_), c.FiveTonePttId);
  state_.BusyLock = ChoiceListOf(
      {{texts_.LanguageText(text_key::BusyLockOff), 0}, {"Repeater", 1}, {"Busy", 2}}, c.BusyLock);

  std::vector<ListEntry> dtmfCodes;
  for (int i = 0; i < 16; ++i) dtmfCodes.push_back({"M" + std::to_string(i + 1), i});
  // The code lists keep the channel's codes even while hidden, so an OK that changes nothing
  // else leaves them as they were.
  state_.DtmfCode = ChoiceListOf(std::move(dtmfCodes), c.DtmfCode);
  state_.TwoToneCode.Entries = PresentCodeEntries(setup.Codes.TwoTone);
  state_.TwoToneCode.SelectValue(c.TwoToneCode);
  state_.FiveToneCode.Entries = PresentCodeEntries(setup.Codes.FiveTone);
  state_.FiveToneCode.SelectValue(c.FiveToneCode);

  state_.TxForbid.Checked = c.TxForbid != 0;
  state_.Reverse.Checked = c.Reverse != 0;
  state_.TalkAround.Checked = c.TalkAround != 0;
  state_.Scramble.Checked = c.Scramble != 0;
  state_.ScanAdd.Checked = c.ScanAdd != 0;

  state_.SquelchMode = ChoiceListOf(KeyEntries(text_key::SquelchModes, texts_), c.SquelchMode);
  ShowToneControls();
  ShowCodeLists();
  RebuildSquelchModes();
  UpdateEnabling();
}

void ChannelEditPresenter::ShowToneControls() {
  const int decode = state_.DecodeType.SelectedValue(kToneNone);
  const int encode = state_.EncodeType.SelectedValue(kToneNone);
  state_.DecodeCtcss.Visible = decode == kToneCtcss;
  state_.DecodeDcs.Visible = state_.DecodeInverted.Visible = decode == kToneDcs;
  state_.EncodeCtcss.Visible = encode == kToneCtcss;
  state_.EncodeDcs.Visible = state_.EncodeInverted.Visible = encode == kToneDcs;
}

void ChannelEditPresenter::ShowCodeLists() {
  const int signalling = state_.OptSignal.SelectedValue(kSignallingNone);
  state_.DtmfCode.Visible = signalling == kSignallingDtmf;
  state_.TwoToneCode.Visible = false;
  state_.FiveToneCode.Visible = signalling == kSignallingFiveTone;
}

void ChannelEditPresenter::RebuildSquelchModes() {
  const int remembered = state_.SquelchMode.SelectedValue(kSquelchCarrier);
  ChannelRecord choices;
  choices.Reverse = Stored(CheckedValue(state_.Reverse));
  choices.TalkAround = Stored(CheckedValue(state_.TalkAround));
  choices.DecodeType = Stored(state_.DecodeType.SelectedValue(kToneNone));
  choices.EncodeType = Stored(state_.EncodeType.SelectedValue(kToneNone));
  choices.OptSignal = Stored(state_.OptSignal.SelectedValue(kSignallingNone));
  ChoiceList& list = state_.SquelchMode;
  list.Entries.clear();
  for (const int mode : AllowedSquelchModes(choices)) {
    list.Entries.push_back(
        {texts_.LanguageText(text_key::SquelchModes[static_cast<std::size_t>(mode)]), mode});
  }
  list.SelectValueOrFirst(remembered);
}

void ChannelEditPresenter::UpdateEnabling() {
  const bool on = !state_.Receive.Text.empty();
  for (TextField* box : {&state_.Transmit, &state_.CustomTone}) box->Enabled = on;
  for (TextField& box : state_.Name) box.Enabled = on;
  for (ChoiceList* list : {&state_.Bandwidth, &state_.Power, &state_.OptSignal, &state_.DecodeType,
                           &state_.DecodeCtcss, &state_.DecodeDcs, &state_.EncodeType, &state_.EncodeCtcss,
                           &state_.EncodeDcs, &state_.DtmfPttId, &state_.FiveTonePttId, &state_.SquelchMode,
                           &state_.BusyLock, &state_.DtmfCode, &state_.TwoToneCode, &state_.FiveToneCode}) {
    list->Enabled = on;
  }
  for (CheckField* check : {&state_.TxForbid, &state_.Reverse, &state_.Scramble, &state_.DecodeInverted,
                            &state_.EncodeInverted}) {
    check->Enabled = on;
  }
  state_.ScanAdd.Enabled = on && IsNormalChannel(number_);
  state_.TalkAround.Enabled = on && number_ != kRtChannel && state_.Direction != kOffsetSeparateTx;
}

void ChannelEditPresenter::EditReceive(std::string_view text) {
  state_.Focus = ChannelFocus::Unchanged;
  state_.Receive.Text = Filtered(text, kFrequencyBoxLength, IsDecimalCharacter);
  UpdateEnabling();
}

void ChannelEditPresenter::EditTransmit(std::string_view text) {
  state_.Focus = ChannelFocus::Unchanged;
  if (!state_.Transmit.Enabled) return;
  state_.Transmit.Text = Filtered(text, kFrequencyBoxLength, IsPrintable);
}

void ChannelEditPresenter::LeaveTransmit() {
  state_.Focus = ChannelFocus::Unchanged;
  if (FrequenciesTouched()) ApplyTransmitRule();
  UpdateEnabling();
}

void ChannelEditPresenter::EditCustomTone(std::string_view text) {
  state_.Focus = ChannelFocus::Unchanged;
  if (!state_.CustomTone.Enabled) return;
  state_.CustomTone.Text = Filtered(text, kCustomToneBoxLength, IsDecimalCharacter);
}

void ChannelEditPresenter::LeaveCustomTone() {
  state_.Focus = ChannelFocus::Unchanged;
  state_.CustomTone.Text = NormalisedCustomTone(state_.CustomTone.Text);
}

bool ChannelEditPresenter::TypeNameCharacter(int box, char character) {
  state_.Focus = ChannelFocus::Unchanged;
  if (box < 0 || box >= kNameBoxes || !state_.Name[static_cast<std::size_t>(box)].Enabled) return false;
  if (character >= 'a' && character <= 'z') character = static_cast<char>(character - 'a' + 'A');
  if (!IsNameCharacter(character)) return false;
  state_.Name[static_cast<std::size_t>(box)].Text = std::string(1, character);
  if (box + 1 < kNameBoxes) {
    state_.Focus = ChannelFocus::NameBox;
    state_.FocusNameBox = box + 1;
  } else {
    state_.Focus = ChannelFocus::PastNameBoxes;
  }
  return true;
}

void ChannelEditPresenter::ClearNameBox(int box) {
  state_.Focus = ChannelFocus::Unchanged;
  if (box < 0 || box >= kNameBoxes || !state_.Name[static_cast<std::size_t>(box)].Enabled) return;
  state_.Name[static_cast<std::size_t>(box)].Text.clear();
}

const ChoiceList& ChannelEditPresenter::ViewState::List(ChannelList list) const {
  switch (list) {
    case ChannelList::Bandwidth:
      return Bandwidth;
    case ChannelList::Power:
      return Power;
    case ChannelList::OptSignal:
      return OptSignal;
    case ChannelList::DecodeType:
      return DecodeType;
    case ChannelList::DecodeCtcss:
      return DecodeCtcss;
    case ChannelList::DecodeDcs:
      return DecodeDcs;
    case ChannelList::EncodeType:
      return EncodeType;
    case ChannelList::EncodeCtcss:
      return EncodeCtcss;
    case ChannelList::EncodeDcs:
      return EncodeDcs;
    case ChannelList::DtmfPttId:
      return DtmfPttId;
    case ChannelList::FiveTonePttId:
      return FiveTonePttId;
    case ChannelList::SquelchMode:
      return SquelchMode;
    case ChannelList::BusyLock:
      return BusyLock;
    case ChannelList::DtmfCode:
      return DtmfCode;
    case ChannelList::TwoToneCode:
      return TwoToneCode;
    case ChannelList::FiveToneCode:
      return FiveToneCode;
  }
  return Bandwidth;
}

const CheckField& ChannelEditPresenter::ViewState::Check(ChannelCheck check) const {
  switch (check) {
    case ChannelCheck::TxForbid:
      return TxForbid;
    case ChannelCheck::Reverse:
      return Reverse;
    case ChannelCheck::TalkAround:
      return TalkAround;
    case ChannelCheck::Scramble:
      return Scramble;
    case ChannelCheck::ScanAdd:
      return ScanAdd;
    case ChannelCheck::DecodeInverted:
      return DecodeInverted;
    case ChannelCheck::EncodeInverted:
      return EncodeInverted;
  }
  return TxForbid;
}

void ChannelEditPresenter::SelectTypeEntry(ChoiceList& type, int index, ChoiceList& ctcss, ChoiceList& dcs,
                                           CheckField& inverted) {
  if (type.Selected == index) return;
  type.Selected = index;
  // A new tone type starts from its first tone rather than one chosen for the other type.
  const int chosen = type.SelectedValue(kToneNone);
  if (chosen == kToneCtcss) ctcss.Selected = 0;
  if (chosen == kToneDcs) {
    dcs.Selected = 0;
    inverted.Checked = false;
  }
  ShowToneControls();
  RebuildSquelchModes();
}

void ChannelEditPresenter::SelectEntry(ChannelList which, int index) {
  state_.Focus = ChannelFocus::Unchanged;
  ChoiceList& list = state_.List(which);
  if (!list.Enabled || !list.Visible || index < 0 || index >= static_cast<int>(list.Entries.size())) return;
  switch (which) {
    case ChannelList::DecodeType:
      SelectTypeEntry(list, index, state_.DecodeCtcss, state_.DecodeDcs, state_.DecodeInverted);
      return;
    case ChannelList::EncodeType:
      SelectTypeEntry(list, index, state_.EncodeCtcss, state_.EncodeDcs, state_.EncodeInverted);
      return;
    case ChannelList::OptSignal: {
      if (list.Selected == index) return;
      list.Selected = index;
      const int signalling = list.SelectedValue(kSignallingNone);
      if (signalling == kSignallingDtmf)
        state_.DtmfCode.Selected = state_.DtmfCode.Entries.empty() ? ChoiceList::kNone : 0;
      if (signalling == kSignallingFiveTone) {
        state_.FiveToneCode.Selected = state_.FiveToneCode.Entries.empty() ? ChoiceList::kNone : 0;
      }
      ShowCodeLists();
      RebuildSquelchModes();
      return;
    }
    case ChannelList::DtmfPttId:
      list.Selected = index;
      if (index != 0) state_.FiveTonePttId.Selected = 0;
      return;
    case ChannelList::FiveTonePttId:
      list.Selected = index;
      if (index != 0) state_.DtmfPttId.Selected = 0;
      return;
    default:
      list.Selected = index;
      return;
  }
}

void ChannelEditPresenter::SetCheck(ChannelCheck which, bool checked) {
  state_.Focus = ChannelFocus::Unchanged;
  CheckField& check = state_.Check(which);
  if (!check.Enabled || !check.Visible) return;
  check.Checked = checked;
  if (which == ChannelCheck::Reverse || which == ChannelCheck::TalkAround) {
    // The radio cannot transmit reversed and on the receive frequency at once.
    if (checked) (which == ChannelCheck::Reverse ? state_.TalkAround : state_.Reverse).Checked = false;
    RebuildSquelchModes();
  }
}

namespace {

bool SameFrequencyText(std::string_view a, std::string_view b) {
  if (a == b) return true;
  const auto first = ParseMHz(a);
  const auto second = ParseMHz(b);
  return first && second && *first == *second;
}

}  // namespace

bool ChannelEditPresenter::FrequenciesTouched() const {
  return !SameFrequencyText(state_.Receive.Text, openedReceive_) ||
         !SameFrequencyText(state_.Transmit.Text, openedTransmit_);
}

void ChannelEditPresenter::WarnOutOfRange(std::string_view allowed, std::string_view now) {
  prompter_.Tell(OutOfRangeMessage(texts_, allowed, std::string(now) + " MHz"), PromptIcon::Warning);
}

void ChannelEditPresenter::ApplyTransmitRule() {
  if (state_.Receive.Text.empty()) return;
  // Each box shows its corrected value before the message names it.
  const CheckedFrequency rx = ValidateRx(state_.Receive.Text, record_.RxFreq.Raw(), limits_);
  state_.Receive.Text = rx.Text;
  if (rx.OutOfRangeWarning) WarnOutOfRange(ReceiveRangesText(limits_), rx.Text);
  // An empty transmit box transmits where the channel receives.
  if (state_.Transmit.Text.empty()) state_.Transmit.Text = rx.Text;
  const Frequency rxValue = ParseMHz(rx.Text).value_or(0);
  const CheckedFrequency tx = ValidateTx(state_.Transmit.Text, FreqTextToRecord(rx.Text), limits_);
  state_.Transmit.Text = tx.Text;
  const FrequencyRange txRange = TransmitRangeFor(limits_, rxValue);
  if (tx.OutOfRangeWarning) WarnOutOfRange(RangeText(txRange), tx.Text);

  const TransmitSetting setting =
      TransmitSettingFor(limits_, number_, rxValue, ParseMHz(tx.Text).value_or(0));
  state_.Direction = setting.Direction;
  state_.Offset = setting.Direction == kOffsetSeparateTx ? tx.Text : FormatMHz(setting.Field);
  if (!setting.Capped) return;
  // The radio holds no larger offset: show where the channel now transmits, and say so.
  state_.Transmit.Text = FormatMHzThreeDigits(setting.Transmit);
  const FrequencyRange reach{std::max(txRange.Min, rxValue - kMaxOffset),
                             std::min(txRange.Max, rxValue + kMaxOffset)};
  WarnOutOfRange(RangeText(reach), state_.Transmit.Text);
}

ChannelRecord ChannelEditPresenter::SavedRecord() {
  ChannelRecord c = record_;
  c.InUse = 1;
  if (FrequenciesTouched()) {
    ApplyTransmitRule();
    c.RxFreq = FreqTextToRecord(state_.Receive.Text);
    c.OffsetDir = Stored(state_.Direction);
    c.TxFreq = FreqTextToRecord(state_.Offset);
  }

  std::string name;
  for (const TextField& box : state_.Name) name += box.Text.empty() ? std::string(" ") : box.Text;
  // The stored bytes (a NUL after a short name read from a radio) stay when the name did not change.
  if (TextTrim(name) != TextTrim(record_.Name.Raw())) c.Name = name;

  c.Bandwidth = Stored(state_.Bandwidth.SelectedValue(0));
  c.Power = Stored(state_.Power.SelectedValue(0));
  c.DecodeType = Stored(state_.DecodeType.SelectedValue(kToneNone));
  c.EncodeType = Stored(state_.EncodeType.SelectedValue(kToneNone));
  c.DtmfPttId = Stored(state_.DtmfPttId.SelectedValue(0));
  c.FiveTonePttId = Stored(state_.FiveTonePttId.SelectedValue(0));
  c.BusyLock = Stored(state_.BusyLock.SelectedValue(0));
  c.SquelchMode = Stored(state_.SquelchMode.SelectedValue(kSquelchCarrier));
  c.OptSignal = Stored(state_.OptSignal.SelectedValue(kSignallingNone));
  c.DecodeCtcss = Stored(state_.DecodeCtcss.SelectedValue(0));
  c.EncodeCtcss = Stored(state_.EncodeCtcss.SelectedValue(0));
  c.DecodeDcs =
      Stored(state_.DecodeDcs.HasSelection()
                 ? state_.DecodeDcs.SelectedValue(0) + kDcsValueCount * CheckedValue(state_.DecodeInverted)
                 : 0);
  c.EncodeDcs =
      Stored(state_.EncodeDcs.HasSelection()
                 ? state_.EncodeDcs.SelectedValue(0) + kDcsValueCount * CheckedValue(state_.EncodeInverted)
                 : 0);
  c.DtmfCode = Stored(state_.DtmfCode.SelectedValue(0));
  c.TwoToneCode = Stored(state_.TwoToneCode.SelectedValue(0));
  c.FiveToneCode = Stored(state_.FiveToneCode.SelectedValue(0));

  c.TxForbid = Stored(CheckedValue(state_.TxForbid));
  c.Reverse = Stored(CheckedValue(state_.Reverse));
  c.TalkAround = Stored(CheckedValue(state_.TalkAround));
  c.ScanAdd = Stored(CheckedValue(state_.ScanAdd));
  c.Scramble = Stored(CheckedValue(state_.Scramble));

  state_.CustomTone.Text = NormalisedCustomTone(state_.CustomTone.Text);
  c.CustomCtcss = Stored(CustomToneTenths(state_.CustomTone.Text));
  return c;
}

bool ChannelEditPresenter::Ok() {
  state_.Focus = ChannelFocus::Unchanged;
  state_.CustomTone.Text = NormalisedCustomTone(state_.CustomTone.Text);
  if (state_.Receive.Text.empty()) {
    if (!IsNormalChannel(number_)) {
      prompter_.Tell(texts_.BuiltIn(BuiltInText::SpecialChannelNeedsFrequency));
      state_.Focus = ChannelFocus::ReceiveBox;
      return false;
    }
    if (ChannelExists(table_, number_)) {
      if (NormalChannelCount(table_) <= 1) {
        prompter_.Tell(texts_.BuiltIn(BuiltInText::LastNormalChannel));
        state_.Focus = ChannelFocus::ReceiveBox;
        return false;
      }
      DeleteChannel(table_, number_);
    }
  } else {
    const ChannelRecord saved = SavedRecord();
    if (ChannelRecord* existing = table_.Find(number_)) {
      *existing = saved;
    } else {
      AddChannel(table_, saved);
    }
  }
  options_.MemoryChannelA = Stored(RepairChannelRef(table_, options_.MemoryChannelA));
  options_.MemoryChannelB = Stored(RepairChannelRef(table_, options_.MemoryChannelB));
  return true;
}

}  // namespace hvt
