#pragma once

#include <array>
#include <cstdint>

#include "model/fixed_text.h"
#include "model/record.h"

namespace hvt {

// One channel's settings; the field order is the file order.
struct ChannelRecord {
  std::int16_t ChannelNumber = 0;  // 1-200 normal, 201 VFO1, 202 VFO2, 203 RT
  std::int16_t InUse = 0;
  std::int16_t ScanAdd = 0;
  FixedText<9> RxFreq;
  FixedText<9> TxFreq;  // transmit frequency (OffsetDir 3) or offset (1, 2)
  std::int16_t OffsetDir = 0;
  std::int16_t Step = 0;
  std::int16_t Power = 0;
  std::int16_t TalkAround = 0;
  std::int16_t TxForbid = 0;
  std::int16_t Reverse = 0;
  std::int16_t Bandwidth = 0;
  std::int16_t EncodeType = 0;  // 0 none, 1 CTCSS, 2 DCS
  std::int16_t DecodeType = 0;
  std::int16_t DtmfCode = 0;
  std::int16_t EncodeCtcss = 0;
  std::int16_t DecodeCtcss = 0;
  std::int16_t EncodeDcs = 0;
  std::int16_t DecodeDcs = 0;
  std::int16_t BusyLock = 0;
  std::int16_t DtmfPttId = 0;
  std::int16_t FiveTonePttId = 0;
  std::int16_t SquelchMode = 0;
  std::int16_t OptSignal = 0;  // 0 none, 1 DTMF, 2 2-tone, 3 5-tone
  std::int16_t TwoToneCode = 0;
  std::int16_t FiveToneCode = 0;
  FixedText<5> Name;
  std::int16_t CustomCtcss = 0;  // tenths of hertz
  std::int16_t Scramble = 0;
  std::array<std::int16_t, 49> Reserved{};

  HVT_FIELDS(ChannelNumber, InUse, ScanAdd, RxFreq, TxFreq, OffsetDir, Step, Power, TalkAround, TxForbid,
             Reverse, Bandwidth, EncodeType, DecodeType, DtmfCode, EncodeCtcss, DecodeCtcss, EncodeDcs,
             DecodeDcs, BusyLock, DtmfPttId, FiveTonePttId, SquelchMode, OptSignal, TwoToneCode, FiveToneCode,
             Name, CustomCtcss, Scramble, Reserved)

  bool operator==(const ChannelRecord&) const = default;
};

static_assert(FileSize<ChannelRecord>() == 173);

enum OptionalSignalling : std::int16_t {
  kSignallingNone = 0,
  kSignallingDtmf = 1,
  kSignallingTwoTone = 2,
  kSignallingFiveTone = 3,
};

ChannelRecord NewChannelRecord(int number);

// A channel in use on the receive frequency typed as rxText, transmitting on it too.
ChannelRecord CreateChannel(int number, std::string_view rxText);

}  // namespace hvt
