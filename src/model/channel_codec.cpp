#include "model/channel_codec.h"

#include "model/frequency.h"
#include "model/text.h"

namespace hvt {

namespace {

using memory_map::kChannelSlotSize;

// Slot byte offsets.
constexpr int kRxFreq = 0;
constexpr int kTxFreq = 4;
constexpr int kModeBits = 9;
constexpr int kTxBits = 10;
constexpr int kToneTypes = 11;
constexpr int kDecodeCtcss = 12;
constexpr int kEncodeCtcss = 13;
constexpr int kDecodeDcs = 14;
constexpr int kEncodeDcs = 16;
constexpr int kBusyLock = 18;
constexpr int kPttIds = 19;
constexpr int kSquelchMode = 20;
constexpr int kOptSignal = 21;
constexpr int kTwoToneCode = 22;
constexpr int kFiveToneCode = 23;
constexpr int kName = 25;
constexpr int kNameLength = 5;
constexpr int kCustomCtcss = 30;

class SlotWriter {
 public:
  SlotWriter(RadioImage& image, int slot) : image_(image), slot_(slot) {}

  // Values are written as they are; one that does not fit a byte fails the encoder.
  bool Byte(int offset, int value) {
    if (value < 0 || value > 0xFF) return false;
    image_[static_cast<std::size_t>(slot_ + offset)] = static_cast<std::uint8_t>(value);
    return true;
  }

  void Word(int offset, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    image_[static_cast<std::size_t>(slot_ + offset)] = static_cast<std::uint8_t>(bits & 0xFFU);
    image_[static_cast<std::size_t>(slot_ + offset + 1)] = static_cast<std::uint8_t>(bits >> 8U);
  }

  bool Frequency(int offset, const std::optional<ImageFrequency>& bytes) {
    if (!bytes) return false;
    for (std::size_t i = 0; i < bytes->size(); ++i)
      image_[static_cast<std::size_t>(slot_ + offset) + i] = (*bytes)[i];
    return true;
  }

 private:
  RadioImage& image_;
  int slot_;
};

bool WriteSlot(const ChannelRecord& c, RadioImage& image, int slot) {
  SlotWriter w(image, slot);
  bool ok = w.Frequency(kRxFreq, FreqRecordToImage(c.RxFreq.Raw())) &&
            w.Frequency(kTxFreq, TxFreqRecordToImage(c.TxFreq.Raw())) &&
            w.Byte(kModeBits, c.OffsetDir + 4 * c.Power + 16 * c.Scramble + 128 * c.TalkAround) &&
            w.Byte(kTxBits, c.TxForbid + 2 * c.Reverse + 4 * c.Bandwidth) &&
            w.Byte(kToneTypes, c.EncodeType + 4 * c.DecodeType + 16 * c.DtmfCode) &&
            w.Byte(kDecodeCtcss, c.DecodeCtcss) && w.Byte(kEncodeCtcss, c.EncodeCtcss) &&
            w.Byte(kBusyLock, c.BusyLock) && w.Byte(kPttIds, c.DtmfPttId + 16 * c.FiveTonePttId) &&
            w.Byte(kSquelchMode, c.SquelchMode) && w.Byte(kOptSignal, c.OptSignal) &&
            w.Byte(kTwoToneCode, c.TwoToneCode) && w.Byte(kFiveToneCode, c.FiveToneCode);
  if (!ok) return false;
  w.Word(kDecodeDcs, c.DecodeDcs);
  w.Word(kEncodeDcs, c.EncodeDcs);
  w.Word(kCustomCtcss, c.CustomCtcss);

  const std::string_view name = TextTrim(c.Name.Raw());
  for (int i = 0; i < kNameLength; ++i) {
    const auto index = static_cast<std::size_t>(i);
    image[static_cast<std::size_t>(slot + kName + i)] =
        index < name.size() ? static_cast<std::uint8_t>(name[index]) : std::uint8_t{0x20};
  }
  return true;
}

}  // namespace

bool SetCommDataByFrequency(const ChannelTable& table, RadioImage& image, AutoTestRecording* recording) {
  const bool marking = recording != nullptr && recording->Records(AutoTestGroup::Channels);
  if (marking) recording->Blocks.MarkBlocks(memory_map::kInUseBitmap, 2 * memory_map::kBitmapSize);

  for (const ChannelRecord& channel : table.Channels()) {
    const int number = channel.ChannelNumber;
    const int slot = ChannelSlotAddress(number);
    if (IsNormalChannel(number)) {
      const ChannelBit inUse = ChannelBitOf(memory_map::kInUseBitmap, number);
      const ChannelBit scanAdd = ChannelBitOf(memory_map::kScanAddBitmap, number);
      if (channel.InUse != 0) image[static_cast<std::size_t>(inUse.Address)] |= inUse.Mask;
      if (channel.ScanAdd != 0) image[static_cast<std::size_t>(scanAdd.Address)] |= scanAdd.Mask;
      if (marking) {
        recording->Blocks.MarkBlocks(slot, kChannelSlotSize);
        recording->ChannelSummary.push_back(channel);
      }
    } else if (number < kFirstSpecialChannel || number > kRtChannel) {
      return false;
    }
    if (!WriteSlot(channel, image, slot)) return false;
  }
  return true;
}

namespace {

std::int16_t WordAt(std::span<const std::uint8_t> slot, int offset) {
  const auto index = static_cast<std::size_t>(offset);
  return static_cast<std::int16_t>(slot[index] | slot[index + 1] << 8);
}

// False when the slot's receive frequency is absent: the channel does not exist.
bool DecodeSlot(std::span<const std::uint8_t> slot, bool isRtChannel, ChannelRecord& c) {
  const auto rx = FreqImageToRecord(slot.subspan<kRxFreq, 4>());
  if (!rx) return false;
  c.RxFreq = *rx;
  const auto tx = FreqImageToRecord(slot.subspan<kTxFreq, 4>());
  c.TxFreq = tx ? std::string_view(*tx) : kZeroFrequencyRecord;

  const auto byteAt = [&slot](int offset) -> std::int16_t { return slot[static_cast<std::size_t>(offset)]; };
  const std::int16_t mode = byteAt(kModeBits);
  c.OffsetDir = isRtChannel ? std::int16_t(tx ? 3 : 0) : std::int16_t(mode & 0x03);
  c.Power = static_cast<std::int16_t>((mode & 0x0C) / 4);
  c.Scramble = static_cast<std::int16_t>((mode & 0x10) / 16);
  c.TalkAround = static_cast<std::int16_t>((mode & 0x80) / 128);
  const std::int16_t txBits = byteAt(kTxBits);
  c.TxForbid = static_cast<std::int16_t>(txBits & 0x01);
  c.Reverse = static_cast<std::int16_t>((txBits & 0x02) / 2);
  c.Bandwidth = static_cast<std::int16_t>((txBits & 0x0C) / 4);
  const std::int16_t tones = byteAt(kToneTypes);
  c.EncodeType = static_cast<std::int16_t>(tones & 0x03);
  c.DecodeType = static_cast<std::int16_t>((tones & 0x0C) / 4);
  c.DtmfCode = static_cast<std::int16_t>(tones / 16);
  c.DecodeCtcss = byteAt(kDecodeCtcss);
  c.EncodeCtcss = byteAt(kEncodeCtcss);
  c.DecodeDcs = WordAt(slot, kDecodeDcs);
  c.EncodeDcs = WordAt(slot, kEncodeDcs);
  c.BusyLock = byteAt(kBusyLock);
  c.DtmfPttId = static_cast<std::int16_t>(byteAt(kPttIds) & 0x0F);
  c.FiveTonePttId = static_cast<std::int16_t>(byteAt(kPttIds) / 16);
  c.SquelchMode = byteAt(kSquelchMode);
  c.OptSignal = byteAt(kOptSignal);
  c.TwoToneCode = byteAt(kTwoToneCode);
  c.FiveToneCode = byteAt(kFiveToneCode);

  std::string name;
  for (int i = 0; i < kNameLength; ++i) name += NameByteToChar(slot[static_cast<std::size_t>(kName + i)]);
  std::string trimmed(TextTrim(name));
  // A short name keeps one NUL after it, which TextTrim drops wherever the name is used.
  if (trimmed.size() < kNameLength) trimmed += '\0';
  c.Name = trimmed;
  c.CustomCtcss = WordAt(slot, kCustomCtcss);
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
