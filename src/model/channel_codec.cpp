#include "model/channel_codec.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/frequency.h"
#include "model/frequency_checks.h"
#include "model/packed_field.h"
#include "model/text.h"

namespace hvt {

namespace {

using memory_map::kChannelSlotSize;

// Slot byte offsets of the fields outside the packed layout.
constexpr int kRxFreq = 0;
constexpr int kTxFreq = 4;
constexpr int kName = 25;
constexpr int kNameLength = 5;

#define HVT_SLOT_FIELD(Field, ByteOffset, Shift, Width) \
  HVT_PACKED_FIELD(ChannelRecord, Field, ByteOffset, Shift, Width)

// Bytes 9-23 and 30-31 of a slot.
const std::array<PackedField<ChannelRecord>, 22> kSlotLayout = {{
    HVT_SLOT_FIELD(OffsetDir, 9, 0, 2),      HVT_SLOT_FIELD(Power, 9, 2, 2),
    HVT_SLOT_FIELD(Scramble, 9, 4, 1),       HVT_SLOT_FIELD(TalkAround, 9, 7, 1),
    HVT_SLOT_FIELD(TxForbid, 10, 0, 1),      HVT_SLOT_FIELD(Reverse, 10, 1, 1),
    HVT_SLOT_FIELD(Bandwidth, 10, 2, 2),     HVT_SLOT_FIELD(EncodeType, 11, 0, 2),
    HVT_SLOT_FIELD(DecodeType, 11, 2, 2),    HVT_SLOT_FIELD(DtmfCode, 11, 4, 4),
    HVT_SLOT_FIELD(DecodeCtcss, 12, 0, 8),   HVT_SLOT_FIELD(EncodeCtcss, 13, 0, 8),
    HVT_SLOT_FIELD(DecodeDcs, 14, 0, 16),    HVT_SLOT_FIELD(EncodeDcs, 16, 0, 16),
    HVT_SLOT_FIELD(BusyLock, 18, 0, 8),      HVT_SLOT_FIELD(DtmfPttId, 19, 0, 4),
    HVT_SLOT_FIELD(FiveTonePttId, 19, 4, 4), HVT_SLOT_FIELD(SquelchMode, 20, 0, 8),
    HVT_SLOT_FIELD(OptSignal, 21, 0, 8),     HVT_SLOT_FIELD(TwoToneCode, 22, 0, 8),
    HVT_SLOT_FIELD(FiveToneCode, 23, 0, 8),  HVT_SLOT_FIELD(CustomCtcss, 30, 0, 16),
}};

#undef HVT_SLOT_FIELD

// How a detail names the channel: "channel 12", "channel VFO1".
std::string ChannelName(int number) { return "channel " + ChannelLabel(number); }

std::optional<ImageFrequency> FrequencyBytes(const ChannelRecord& c, bool transmit, std::string& detail) {
  const std::string_view text = transmit ? c.TxFreq.Raw() : c.RxFreq.Raw();
  auto bytes = transmit ? TxFreqRecordToImage(text) : FreqRecordToImage(text);
  if (!bytes) {
    detail = ChannelName(c.ChannelNumber) + ": " + (transmit ? "TxFreq" : "RxFreq") + " '" +
             std::string(text) + "' is not a frequency";
  }
  return bytes;
}

// The RT channel keeps no offset: its transmit field is the transmit frequency itself, and an
// empty field is transmitting where it receives. A zero or an offset there would make the radio
// transmit at that value.
std::optional<ImageFrequency> RtTransmitBytes(const ChannelRecord& c, std::string& detail) {
  if (c.OffsetDir != kOffsetPlus && c.OffsetDir != kOffsetMinus)
    return ImageFrequency{0xFF, 0xFF, 0xFF, 0xFF};
  const auto rx = FreqRecordValue(c.RxFreq.Raw());
  const auto offset = FreqRecordValue(c.TxFreq.Raw());
  if (!rx || !offset) {
    detail =
        ChannelName(c.ChannelNumber) + ": TxFreq '" + std::string(c.TxFreq.Raw()) + "' is not a frequency";
    return std::nullopt;
  }
  return FreqRecordToImage(
      FreqTextToRecord(FormatMHz(c.OffsetDir == kOffsetPlus ? *rx + *offset : *rx - *offset)));
}

// Writes nothing unless the whole slot can be written.
EncodeResult WriteSlot(const ChannelRecord& c, std::span<std::uint8_t> slot) {
  std::string detail;
  const auto rx = FrequencyBytes(c, false, detail);
  if (!rx) return EncodeResult::Failure(detail);
  const bool separateTx = c.ChannelNumber != kRtChannel || c.OffsetDir == kOffsetSeparateTx;
  const auto tx = separateTx ? FrequencyBytes(c, true, detail) : RtTransmitBytes(c, detail);
  if (!tx) return EncodeResult::Failure(detail);
  if (const auto unfit = PackFields(kSlotLayout, c, slot)) {
    return EncodeResult::Failure(ChannelName(c.ChannelNumber) + ": " + Describe(*unfit));
  }
  std::ranges::copy(*rx, slot.begin() + kRxFreq);
  std::ranges::copy(*tx, slot.begin() + kTxFreq);

  const std::string_view name = TextTrim(c.Name.Raw());
  for (int i = 0; i < kNameLength; ++i) {
    const auto index = static_cast<std::size_t>(i);
    slot[static_cast<std::size_t>(kName + i)] =
        index < name.size() ? static_cast<std::uint8_t>(name[index]) : std::uint8_t{0x20};
  }
  return EncodeResult::Success();
}

}  // namespace

EncodeResult SetCommDataByFrequency(const ChannelTable& table, RadioImage& image,
                                    AutoTestRecording* recording) {
  const bool marking = recording != nullptr && recording->Records(AutoTestGroup::Channels);
  if (marking) recording->Blocks.MarkBlocks(memory_map::kInUseBitmap, 2 * memory_map::kBitmapSize);

  for (const ChannelRecord& channel : table.Channels()) {
    const int number = channel.ChannelNumber;
    if (!IsNormalChannel(number) && (number < kFirstSpecialChannel || number > kRtChannel)) {
      return EncodeResult::Failure(ChannelName(number) + ": not a channel number (1-" +
                                   std::to_string(kRtChannel) + ")");
    }
    const int slot = ChannelSlotAddress(number);
    // The slot first: a channel that cannot be written leaves its bitmap bits alone too.
    const EncodeResult written =
        WriteSlot(channel, image.Region(static_cast<std::size_t>(slot), kChannelSlotSize));
    if (!written) return written;
    if (IsNormalChannel(number)) {
      const ChannelBit inUse = ChannelBitOf(memory_map::kInUseBitmap, number);
      const ChannelBit scanAdd = ChannelBitOf(memory_map::kScanAddBitmap, number);
      if (channel.InUse != 0) image[static_cast<std::size_t>(inUse.Address)] |= inUse.Mask;
      if (channel.ScanAdd != 0) image[static_cast<std::size_t>(scanAdd.Address)] |= scanAdd.Mask;
      if (marking) {
        recording->Blocks.MarkBlocks(slot, kChannelSlotSize);
        recording->ChannelSummary.push_back(channel);
      }
    }
  }
  return EncodeResult::Success();
}

namespace {

// False when the slot's receive frequency is absent: the channel does not exist.
bool DecodeSlot(std::span<const std::uint8_t> slot, bool isRtChannel, ChannelRecord& c) {
  const auto rx = FreqImageToRecord(slot.subspan<kRxFreq, 4>());
  if (!rx) return false;
  c.RxFreq = *rx;
  const auto tx = FreqImageToRecord(slot.subspan<kTxFreq, 4>());
  c.TxFreq = tx ? std::string_view(*tx) : kZeroFrequencyRecord;

  UnpackFields(kSlotLayout, slot, c);
  // The RT channel's direction bits mean nothing: its transmit field decides.
  if (isRtChannel) c.OffsetDir = tx ? 3 : 0;

  std::string name;
  for (int i = 0; i < kNameLength; ++i) name += NameByteToChar(slot[static_cast<std::size_t>(kName + i)]);
  std::string trimmed(TextTrim(name));
  // A short name keeps one NUL after it, which TextTrim drops wherever the name is used.
  if (trimmed.size() < kNameLength) trimmed += '\0';
  c.Name = trimmed;
  return true;
}

}  // namespace

void GetCommDataByFrequency(const RadioImage& image, ChannelTable& table) {
  table.Count = 0;
  for (int number = 1; number <= kChannelCount; ++number) {
    ChannelRecord working = table.Entries[static_cast<std::size_t>(table.Count)];
    working.ChannelNumber = static_cast<std::int16_t>(number);
    if (IsNormalChannel(number)) {
      const ChannelBit inUse = ChannelBitOf(memory_map::kInUseBitmap, number);
      const ChannelBit scanAdd = ChannelBitOf(memory_map::kScanAddBitmap, number);
      working.InUse = (image[static_cast<std::size_t>(inUse.Address)] & inUse.Mask) != 0 ? 1 : 0;
      working.ScanAdd = (image[static_cast<std::size_t>(scanAdd.Address)] & scanAdd.Mask) != 0 ? 1 : 0;
    } else {
      working.InUse = 1;
      working.ScanAdd = 0;
    }
    if (working.InUse != 1) continue;
    const auto slot = image.Region(static_cast<std::size_t>(ChannelSlotAddress(number)), kChannelSlotSize);
    if (!DecodeSlot(slot, number == kRtChannel, working)) continue;
    table.Entries[static_cast<std::size_t>(table.Count)] = working;
    ++table.Count;
  }
}

}  // namespace hvt
