#include "model/radio_image.h"

#include "model/channel_codes.h"

namespace hvt {

void BlockMap::MarkBlocks(int address, int length) {
  if (length <= 0) return;
  for (int block = address / memory_map::kBlockSize;
       block <= (address + length - 1) / memory_map::kBlockSize && block < memory_map::kBlockCount; ++block) {
    flags_[static_cast<std::size_t>(block)] = 1;
  }
}

int ChannelSlotAddress(int channelNumber) {
  switch (channelNumber) {
    case kVfo1Channel:
      return memory_map::kVfo1Slot;
    case kVfo2Channel:
      return memory_map::kVfo2Slot;
    case kRtChannel:
      return memory_map::kRtSlot;
    default:
      return memory_map::kChannelSlots + (channelNumber - 1) * memory_map::kChannelSlotSize;
  }
}

ChannelBit ChannelBitOf(int bitmapAddress, int channelNumber) {
  const int k = channelNumber - 1;
  return {bitmapAddress + k / 8, static_cast<std::uint8_t>(1U << (k % 8))};
}

}  // namespace hvt
