#include "model/new_configuration.h"

#include "model/decimal_text.h"
#include "model/frequency.h"

namespace hvt {

namespace {

constexpr Frequency kOneMHz = 100'000;

// (maximum cut to whole MHz + minimum + 1 MHz) / 2, as a display text with four decimals.
std::string RangeMiddle(const FrequencyRange& range) {
  const Frequency sum = range.Max / kOneMHz * kOneMHz + range.Min + kOneMHz;
  const Frequency hundredHz = (sum + 10) / 20;  // halves round up, as the text format does
  return FormatScaled(hundredHz, 4, 3);
}

}  // namespace

void ResetAllSettings(Configuration& configuration) {
  ResetDtmfSettings(configuration.Dtmf);
  configuration.TwoTone = NewTwoToneSettings();
  ResetFiveTone(configuration.FiveTone);
  ResetOptions(configuration.Options);
  configuration.Scan = NewScanSettings();
  configuration.Alert = NewAlertSettings();
  ResetCommuBook(configuration.Book);
  configuration.Channels.Count = 0;
  configuration.Aux = NewAuxList();
}

void AddDefaultChannels(ChannelTable& table, const BandLimits& limits) {
  const std::string uhf = RangeMiddle(limits.Rx[kUhfRow]);
  const std::string vhf = RangeMiddle(limits.Rx[kVhfRow]);
  ChannelRecord rt = CreateChannel(kRtChannel, uhf);
  rt.OffsetDir = 1;
  rt.TxFreq = FreqTextToRecord("1");
  for (const ChannelRecord& channel : {CreateChannel(kVfo1Channel, uhf), CreateChannel(kVfo2Channel, vhf), rt,
                                       CreateChannel(1, uhf), CreateChannel(2, vhf)}) {
    AddChannel(table, channel);
  }
}

void ResetToDefaults(Configuration& configuration, const BandLimits& limits) {
  ResetAllSettings(configuration);
  AddDefaultChannels(configuration.Channels, limits);
  ResetToneTips(configuration.ToneTips);
}

}  // namespace hvt
