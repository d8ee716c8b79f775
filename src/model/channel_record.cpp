#include "model/channel_record.h"

#include "model/frequency.h"

namespace hvt {

namespace {

constexpr std::int16_t kDcs021Normal = 17;
constexpr std::int16_t kDefaultCustomCtcss = 2511;
constexpr std::int16_t kStep5K = 1;

}  // namespace

ChannelRecord NewChannelRecord(int number) {
  ChannelRecord channel;
  channel.ChannelNumber = static_cast<std::int16_t>(number);
  channel.InUse = 0;
  channel.ScanAdd = 1;
  channel.RxFreq = kNoFrequencyRecord;
  channel.TxFreq = kZeroFrequencyRecord;
  channel.OffsetDir = 0;
  channel.Step = kStep5K;
  channel.EncodeDcs = kDcs021Normal;
  channel.DecodeDcs = kDcs021Normal;
  channel.CustomCtcss = kDefaultCustomCtcss;
  return channel;
}

ChannelRecord CreateChannel(int number, std::string_view rxText) {
  ChannelRecord channel = NewChannelRecord(number);
  channel.RxFreq = FreqTextToRecord(rxText);
  channel.OffsetDir = 0;
  channel.TxFreq = kZeroFrequencyRecord;
  channel.InUse = 1;
  return channel;
}

}  // namespace hvt
