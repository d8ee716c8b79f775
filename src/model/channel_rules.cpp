#include "model/channel_rules.h"

#include <algorithm>
#include <cstdlib>

#include "model/decimal_text.h"
#include "model/frequency_checks.h"
#include "model/text.h"
#include "model/tones.h"

namespace hvt {

namespace {

constexpr int kToneNone = 0;
constexpr int kToneCtcss = 1;
constexpr int kSquelchCarrier = 0;
constexpr int kSquelchTone = 1;
constexpr int kSquelchSignalling = 2;

std::optional<int> FirstRowHolding(const std::array<FrequencyRange, kBandRows>& ranges, Frequency value) {
  for (int row = 0; row < kBandRows; ++row) {
    if (ranges[static_cast<std::size_t>(row)].Contains(value)) return row;
  }
  return std::nullopt;
}

}  // namespace

bool ReceiveAllowed(const BandLimits& limits, Frequency rx) {
  return FirstRowHolding(limits.Rx, rx).has_value();
}

FrequencyRange TransmitRangeFor(const BandLimits& limits, Frequency rx) {
  return limits.Tx[static_cast<std::size_t>(RxBandRow(limits, rx))];
}

std::string RangeText(const FrequencyRange& range) {
  return FormatMHz(range.Min) + "-" + FormatMHz(range.Max) + " MHz";
}

std::string ReceiveRangesText(const BandLimits& limits) {
  return RangeText(limits.Rx[kUhfRow]) + ", " + RangeText(limits.Rx[kVhfRow]);
}

bool OffsetAllowed(Frequency offset) { return offset >= 0 && RoundHalfEven(offset, kMHzDecimals) <= 80; }

std::optional<Frequency> TransmitFrequency(const ChannelRecord& channel) {
  const auto rx = FreqRecordValue(channel.RxFreq.Raw());
  if (!rx) return std::nullopt;
  if (channel.OffsetDir == kOffsetOff) return rx;
  const auto field = FreqRecordValue(channel.TxFreq.Raw());
  if (!field) return std::nullopt;
  switch (channel.OffsetDir) {
    case kOffsetPlus:
      return *rx + *field;
    case kOffsetMinus:
      return *rx - *field;
    default:
      // Taken as the radio takes it: a zero here is 0 MHz.
      return *field;
  }
}

TransmitSetting TransmitSettingFor(const BandLimits& limits, int channelNumber, Frequency rx, Frequency tx) {
  const auto rxRow = FirstRowHolding(limits.Rx, rx);
  const auto txRow = FirstRowHolding(limits.Tx, tx);
  if (channelNumber == kRtChannel || !rxRow || !txRow || *rxRow != *txRow) {
    return {.Direction = kOffsetSeparateTx, .Field = tx, .Transmit = tx};
  }
  TransmitSetting setting{.Direction = tx > rx   ? kOffsetPlus
                                       : tx < rx ? kOffsetMinus
                                                 : kOffsetOff,
                          .Field = std::llabs(tx - rx),
                          .Transmit = tx};
  if (setting.Direction == kOffsetOff || OffsetAllowed(setting.Field)) return setting;
  setting.Field = kMaxOffset;
  setting.Transmit = setting.Direction == kOffsetPlus ? rx + kMaxOffset : rx - kMaxOffset;
  setting.Capped = true;
  return setting;
}

bool IsNameCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'; }

ChannelName ChannelNameOf(std::string_view text) {
  std::string name;
  for (const char raw : text) {
    const char c = raw >= 'a' && raw <= 'z' ? static_cast<char>(raw - 'a' + 'A') : raw;
    if (IsNameCharacter(c) || (c == ' ' && !name.empty())) name += c;
  }
  if (name.size() > kChannelNameLength) name.resize(kChannelNameLength);
  name = std::string(TextTrim(name));
  return {.Text = name, .Changed = name != TextTrim(text)};
}

bool CustomToneAllowed(int tenths) { return tenths >= kCustomToneMin && tenths <= kCustomToneMax; }

int CustomToneTenths(std::string_view text) {
  const auto tenths = ParseScaled(text, 1);
  if (!tenths) return kCustomToneFallback;
  return static_cast<int>(std::clamp<std::int64_t>(*tenths, kCustomToneMin, kCustomToneMax));
}

std::vector<int> AllowedSquelchModes(const ChannelRecord& channel) {
  if (channel.Reverse == 0 && channel.TalkAround != 0) return {kSquelchCarrier};
  const int toneType = channel.Reverse != 0 ? channel.EncodeType : channel.DecodeType;
  const bool signalling = channel.OptSignal != kSignallingNone;
  if (toneType != kToneNone && signalling) return {0, 1, 2, 3, 4};
  if (toneType != kToneNone) return {kSquelchCarrier, kSquelchTone};
  if (signalling) return {kSquelchCarrier, kSquelchSignalling};
  return {kSquelchCarrier};
}

int SquelchModeFor(const ChannelRecord& channel) {
  const std::vector<int> allowed = AllowedSquelchModes(channel);
  return std::ranges::find(allowed, channel.SquelchMode) != allowed.end() ? channel.SquelchMode
                                                                          : kSquelchCarrier;
}

std::vector<ChannelRuleFault> ChannelFaults(const ChannelRecord& channel, const BandLimits& limits) {
  std::vector<ChannelRuleFault> faults;
  const auto rx = FreqRecordValue(channel.RxFreq.Raw());
  const auto tx = TransmitFrequency(channel);
  if (!rx || !tx) {
    faults.push_back({.Kind = ChannelFault::NoFrequency});
  } else if (!ReceiveAllowed(limits, *rx)) {
    faults.push_back({.Kind = ChannelFault::ReceiveOutside, .Value = *rx});
  } else {
    const bool shifted = channel.OffsetDir == kOffsetPlus || channel.OffsetDir == kOffsetMinus;
    const Frequency offset = std::llabs(*tx - *rx);
    if (shifted && !OffsetAllowed(offset)) {
      faults.push_back({.Kind = ChannelFault::OffsetAboveMaximum, .Value = offset});
    }
    if (const FrequencyRange range = TransmitRangeFor(limits, *rx); !range.Contains(*tx)) {
      faults.push_back({.Kind = ChannelFault::TransmitOutside, .Value = *tx, .Allowed = range});
    }
  }
  const std::string_view name = TextTrim(channel.Name.Raw());
  if (!std::ranges::all_of(name, [](char c) { return IsNameCharacter(c) || c == ' '; })) {
    faults.push_back({.Kind = ChannelFault::NameCharacters});
  }
  const bool usesCustomTone =
      (channel.EncodeType == kToneCtcss && CtcssIndex(channel.EncodeCtcss) == kCustomCtcssIndex) ||
      (channel.DecodeType == kToneCtcss && CtcssIndex(channel.DecodeCtcss) == kCustomCtcssIndex);
  if (usesCustomTone && !CustomToneAllowed(channel.CustomCtcss)) {
    faults.push_back({.Kind = ChannelFault::CustomToneOutside, .Value = channel.CustomCtcss});
  }
  if (channel.Reverse != 0 && channel.TalkAround != 0) {
    faults.push_back({.Kind = ChannelFault::ReverseWithTalkAround});
  }
  if (SquelchModeFor(channel) != channel.SquelchMode) {
    faults.push_back({.Kind = ChannelFault::SquelchModeNotAllowed, .Value = channel.SquelchMode});
  }
  return faults;
}

int NormalChannelCount(const ChannelTable& table) {
  return static_cast<int>(std::ranges::count_if(
      table.Channels(), [](const ChannelRecord& c) { return IsNormalChannel(c.ChannelNumber); }));
}

void RepairChannelRefsAfterDeletes(Configuration& configuration) {
  OptionSettings& options = configuration.Options;
  options.MemoryChannelA =
      static_cast<std::int16_t>(RepairChannelRef(configuration.Channels, options.MemoryChannelA));
  options.MemoryChannelB =
      static_cast<std::int16_t>(RepairChannelRef(configuration.Channels, options.MemoryChannelB));
}

}  // namespace hvt
