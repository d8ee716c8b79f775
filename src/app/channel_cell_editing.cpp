#include "app/channel_cell_editing.h"

#include <algorithm>
#include <span>
#include <vector>

#include "editors/channel_edit_presenter.h"
#include "i18n/text_keys.h"
#include "model/channel_rules.h"
#include "model/frequency.h"
#include "model/frequency_checks.h"
#include "model/tones.h"

namespace hvt {

namespace {

constexpr int kToneNone = 0;
constexpr int kToneCtcss = 1;
constexpr int kToneDcs = 2;
// A tone cell's list packs the tone type with its code: type * kToneTypeStride + code.
constexpr int kToneTypeStride = 0x1000;

bool IsToneColumn(GridColumn column) { return column == GridColumn::Decode || column == GridColumn::Encode; }

// None, every standard CTCSS tone, then every DCS code normal and inverted: the same list for
// every channel, so one choice means the same tone on all selected rows.
std::vector<ListEntry> ToneEntries(const LanguageTexts& texts) {
  std::vector<ListEntry> entries = {{texts.LanguageText(text_key::NoSignalling), kToneNone}};
  for (int index = 0; index < kStandardCtcssCount; ++index) {
    entries.push_back({CtcssText(index, 0), kToneCtcss * kToneTypeStride + index});
  }
  for (const int inverted : {0, kDcsInvertedBit}) {
    for (int code = 0; code < kDcsValueCount; ++code) {
      entries.push_back({DcsText(code | inverted), kToneDcs * kToneTypeStride + (code | inverted)});
    }
  }
  return entries;
}

// The channel dialog's lists of bandwidth and power.
std::vector<ListEntry> BandwidthEntries() {
  std::vector<ListEntry> entries;
  for (std::size_t i = 0; i < kBandwidthTexts.size(); ++i) {
    entries.push_back({std::string(kBandwidthTexts[i]), static_cast<int>(i)});
  }
  return entries;
}

std::vector<ListEntry> PowerEntries(const LanguageTexts& texts) {
  std::vector<ListEntry> entries;
  for (std::size_t i = 0; i < text_key::PowerLevels.size(); ++i) {
    entries.push_back({texts.LanguageText(text_key::PowerLevels[i]), static_cast<int>(i)});
  }
  return entries;
}

struct ToneFields {
  std::int16_t ChannelRecord::*Type;
  std::int16_t ChannelRecord::*Ctcss;
  std::int16_t ChannelRecord::*Dcs;
};

ToneFields ToneFieldsOf(GridColumn column) {
  if (column == GridColumn::Decode) {
    return {&ChannelRecord::DecodeType, &ChannelRecord::DecodeCtcss, &ChannelRecord::DecodeDcs};
  }
  return {&ChannelRecord::EncodeType, &ChannelRecord::EncodeCtcss, &ChannelRecord::EncodeDcs};
}

int ToneValue(const ChannelRecord& channel, GridColumn column) {
  const ToneFields fields = ToneFieldsOf(column);
  switch (channel.*fields.Type) {
    case kToneCtcss:
      return kToneCtcss * kToneTypeStride + CtcssIndex(channel.*fields.Ctcss);
    case kToneDcs:
      return kToneDcs * kToneTypeStride + DcsValue(channel.*fields.Dcs);
    default:
      return kToneNone;
  }
}

// The user-defined tone has no place in the shared list; it stays the dialog's.
bool HasCustomTone(const ChannelRecord& channel, GridColumn column) {
  const ToneFields fields = ToneFieldsOf(column);
  return channel.*fields.Type == kToneCtcss && CtcssIndex(channel.*fields.Ctcss) == kCustomCtcssIndex;
}

void ChooseTone(ChannelRecord& channel, GridColumn column, int value) {
  const ToneFields fields = ToneFieldsOf(column);
  const int type = value / kToneTypeStride;
  const int code = value % kToneTypeStride;
  channel.*fields.Type = static_cast<std::int16_t>(type);
  if (type == kToneCtcss) channel.*fields.Ctcss = static_cast<std::int16_t>(code);
  if (type == kToneDcs) channel.*fields.Dcs = static_cast<std::int16_t>(code);
}

// What a frequency box would keep of the text: a text it would cut or filter counts as no number.
std::string_view AsFrequencyBox(std::string_view text, bool receive) {
  const bool fits = text.size() <= ChannelEditPresenter::kFrequencyBoxLength &&
                    std::ranges::all_of(text, [receive](char c) {
                      return receive ? (c >= '0' && c <= '9') || c == '.' : c >= 0x20 && c <= 0x7E;
                    });
  return fits ? text : std::string_view("-");
}

class CellRules {
 public:
  CellRules(Configuration& configuration, const AppContext& context, Prompter& prompter)
      : configuration_(configuration), context_(context), prompter_(prompter), limits_(context.Limits()) {}

  // Receive and transmit frequencies through the transmit rule of the dialog; false, with the
  // reason shown, when the rules would correct either.
  bool SetFrequencies(ChannelRecord& channel, std::string_view rxText, std::string_view txText) {
    const CheckedFrequency rx = ValidateRx(rxText, channel.RxFreq.Raw(), limits_);
    // The cell keeps the channel's value: the message names that one, or for a channel that does
    // not exist yet the one the dialog would have made.
    const auto kept = [&channel](std::string_view corrected, std::optional<Frequency> current) {
      return channel.InUse == 1 && current ? FormatMHzThreeDigits(*current) : std::string(corrected);
    };
    if (rx.OutOfRangeWarning) {
      return Refuse(ReceiveRangesText(limits_), kept(rx.Text, FreqRecordValue(channel.RxFreq.Raw())));
    }
    const Frequency rxValue = ParseMHz(rx.Text).value_or(0);
    // An empty transmit cell transmits where the channel receives.
    const CheckedFrequency tx =
        ValidateTx(txText.empty() ? rx.Text : txText, FreqTextToRecord(rx.Text), limits_);
    const FrequencyRange txRange = TransmitRangeFor(limits_, rxValue);
    if (tx.OutOfRangeWarning) return Refuse(RangeText(txRange), kept(tx.Text, TransmitFrequency(channel)));
    const TransmitSetting setting =
        TransmitSettingFor(limits_, channel.ChannelNumber, rxValue, ParseMHz(tx.Text).value_or(0));
    if (setting.Capped) {
      return Refuse(RangeText({std::max(txRange.Min, rxValue - kMaxOffset),
                               std::min(txRange.Max, rxValue + kMaxOffset)}),
                    kept(FormatMHzThreeDigits(setting.Transmit), TransmitFrequency(channel)));
    }
    const auto oldRx = FreqRecordValue(channel.RxFreq.Raw());
    // Frequencies that stay the same keep their stored form, as in the dialog.
    if (channel.InUse == 1 && oldRx == rxValue && TransmitFrequency(channel) == setting.Transmit) return true;
    channel.RxFreq = FreqTextToRecord(rx.Text);
    channel.OffsetDir = static_cast<std::int16_t>(setting.Direction);
    channel.TxFreq =
        FreqTextToRecord(setting.Direction == kOffsetSeparateTx ? tx.Text : FormatMHz(setting.Field));
    return true;
  }

  // An empty receive cell deletes the channel, as the dialog's OK does.
  bool Delete(int number) {
    const auto& texts = context_.Texts();
    if (!IsNormalChannel(number)) {
      prompter_.Tell(texts.BuiltIn(BuiltInText::SpecialChannelNeedsFrequency));
      return false;
    }
    if (!ChannelExists(configuration_.Channels, number)) return false;
    if (NormalChannelCount(configuration_.Channels) <= 1) {
      prompter_.Tell(texts.BuiltIn(BuiltInText::LastNormalChannel));
      return false;
    }
    DeleteChannel(configuration_.Channels, number);
    RepairChannelRefsAfterDeletes(configuration_);
    return true;
  }

 private:
  bool Refuse(std::string_view allowed, std::string_view now) {
    prompter_.Tell(OutOfRangeMessage(context_.Texts(), allowed, std::string(now) + " MHz"),
                   PromptIcon::Warning);
    return false;
  }

  Configuration& configuration_;
  const AppContext& context_;
  Prompter& prompter_;
  BandLimits limits_;
};

// Where the channel transmits now, as a cell text: a changed receive frequency keeps the offset
// and direction, so a simplex channel stays simplex and a repeater channel keeps its shift.
std::string TransmitMovedWith(const ChannelRecord& channel, Frequency rx) {
  const auto offset = FreqRecordValue(channel.TxFreq.Raw());
  if (channel.InUse != 1) return FormatMHz(rx);
  switch (channel.OffsetDir) {
    case kOffsetPlus:
      return FormatMHz(rx + offset.value_or(0));
    case kOffsetMinus:
      return FormatMHz(rx - offset.value_or(0));
    case kOffsetSeparateTx: {
      // A zero transmit field shows as the receive frequency in the dialog.
      const auto tx = TransmitFrequency(channel);
      return FormatMHz(tx && *tx != 0 ? *tx : rx);
    }
    default:
      return FormatMHz(rx);
  }
}

}  // namespace

CellEdit CellEditOf(GridColumn column) {
  switch (column) {
    case GridColumn::Rx:
    case GridColumn::Tx:
    case GridColumn::Name:
      return CellEdit::Text;
    case GridColumn::Bandwidth:
    case GridColumn::Scan:
    case GridColumn::Power:
    case GridColumn::Decode:
    case GridColumn::Encode:
      return CellEdit::Choice;
    default:
      return CellEdit::None;
  }
}

bool CellEditable(const Configuration& configuration, int number, GridColumn column) {
  if (CellEditOf(column) == CellEdit::None || number < 1 || number > kChannelCount) return false;
  if (column == GridColumn::Scan && !IsNormalChannel(number)) return false;
  if (column == GridColumn::Rx) return true;
  const ChannelRecord* channel = configuration.Channels.Find(number);
  return channel != nullptr && !(IsToneColumn(column) && HasCustomTone(*channel, column));
}

ChoiceList CellChoices(const Configuration& configuration, int number, GridColumn column,
                       const AppContext& context) {
  const ChannelRecord* channel = configuration.Channels.Find(number);
  if (channel == nullptr) return {};
  const auto& texts = context.Texts();
  switch (column) {
    case GridColumn::Scan:
      return ChoiceListOf({{texts.LanguageText(text_key::ScanMembership[0]), 0},
                           {texts.LanguageText(text_key::ScanMembership[1]), 1}},
                          channel->ScanAdd);
    case GridColumn::Decode:
    case GridColumn::Encode:
      return ChoiceListOf(ToneEntries(texts), ToneValue(*channel, column));
    case GridColumn::Bandwidth:
      return ChoiceListOf(BandwidthEntries(), channel->Bandwidth);
    case GridColumn::Power:
      return ChoiceListOf(PowerEntries(texts), channel->Power);
    default:
      return {};
  }
}

bool EditChannelCell(Configuration& configuration, int number, GridColumn column, std::string_view text,
                     int choice, const AppContext& context, Prompter& prompter) {
  if (!CellEditable(configuration, number, column)) return false;
  const Configuration before = configuration;
  CellRules rules(configuration, context, prompter);
  const ChannelRecord* existing = configuration.Channels.Find(number);
  ChannelRecord channel = existing != nullptr ? *existing : NewChannelRecord(number);
  const auto chosen = [choice](std::size_t count) { return choice >= 0 && choice < static_cast<int>(count); };
  switch (column) {
    case GridColumn::Rx: {
      if (text.empty()) return rules.Delete(number);
      const std::string_view rx = AsFrequencyBox(text, true);
      const std::string tx = TransmitMovedWith(channel, ParseMHz(rx).value_or(0));
      if (!rules.SetFrequencies(channel, rx, tx)) return false;
      break;
    }
    case GridColumn::Tx:
      if (!rules.SetFrequencies(channel, FreqRecordToText(channel.RxFreq.Raw()).Text,
                                AsFrequencyBox(text, false)))
        return false;
      break;
    case GridColumn::Name: {
      const ChannelName name = ChannelNameOf(text);
      // The stored bytes (a NUL after a short name read from a radio) stay when the name does.
      if (name.Text != channel.Name.Trimmed()) {
        channel.Name = name.Text + std::string(kChannelNameLength - name.Text.size(), ' ');
      }
      break;
    }
    case GridColumn::Bandwidth:
      if (!chosen(kBandwidthTexts.size())) return false;
      channel.Bandwidth = static_cast<std::int16_t>(choice);
      break;
    case GridColumn::Power:
      if (!chosen(text_key::PowerLevels.size())) return false;
      channel.Power = static_cast<std::int16_t>(choice);
      break;
    case GridColumn::Scan:
      channel.ScanAdd = static_cast<std::int16_t>(choice == 1 ? 1 : 0);
      break;
    case GridColumn::Decode:
    case GridColumn::Encode: {
      const std::vector<ListEntry> tones = ToneEntries(context.Texts());
      if (!chosen(tones.size())) return false;
      ChooseTone(channel, column, tones[static_cast<std::size_t>(choice)].Value);
      break;
    }
    default:
      return false;
  }
  channel.InUse = 1;
  channel.SquelchMode = static_cast<std::int16_t>(SquelchModeFor(channel));
  if (ChannelRecord* slot = configuration.Channels.Find(number)) {
    *slot = channel;
  } else if (!AddChannel(configuration.Channels, channel)) {
    return false;
  }
  RepairChannelRefsAfterDeletes(configuration);
  return !(configuration == before);
}

}  // namespace hvt
