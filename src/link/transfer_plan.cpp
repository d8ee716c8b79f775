#include "link/transfer_plan.h"

namespace hvt {

namespace {

constexpr int kNormalChannels = 200;

constexpr AddressRange kUnwrittenGap{memory_map::kUnwrittenGap, memory_map::kUnwrittenGapEnd};

std::int32_t SlotStart(int channelNumber) { return (channelNumber - 1) * memory_map::kChannelSlotSize; }

bool InUseBitSet(const RadioImage& image, int channelNumber) {
  const ChannelBit bit = ChannelBitOf(memory_map::kInUseBitmap, channelNumber);
  return (image[static_cast<std::size_t>(bit.Address)] & bit.Mask) != 0;
}

}  // namespace

std::int32_t TransferPlan::NextAddress(std::int32_t address) const {
  switch (mode_) {
    case Mode::Sequential:
      return address;
    case Mode::FirstRanges:
      for (const AddressRange& range : kFirstRanges) {
        if (range.Start >= address) return range.Start;
        if (range.End >= address) return address;
      }
      return kFirstRangesDone;
    case Mode::ReadPlan:
    case Mode::WritePlan:
      // A loop rather than one lookup, so that a range ending right before another one still
      // lands on a block that is transferred.
      for (bool moved = true; moved;) {
        moved = false;
        for (const AddressRange& range : skipList_) {
          if (range.Start <= address && address <= range.End) {
            address = range.End + 1;
            moved = true;
          }
        }
      }
      return address;
  }
  return address;
}

void TransferPlan::StartReadPlan() {
  mode_ = Mode::FirstRanges;
  skipList_.clear();
  totalBlocks_ = 0;
}

void TransferPlan::BuildReadPlan(const RadioImage& image) {
  mode_ = Mode::ReadPlan;
  skipList_.assign({kUnwrittenGap});
  for (int n = 1; n <= kNormalChannels; ++n) {
    if (!InUseBitSet(image, n)) AddSkipRange(SlotStart(n), memory_map::kChannelSlotSize);
  }
  for (const AddressRange& range : kFirstRanges) AddSkipRange(range.Start, range.End - range.Start + 1);
  totalBlocks_ = CountPlannedBlocks(0, kLastImageBlock);
}

void TransferPlan::BuildWritePlan(const ChannelTable& channels) {
  mode_ = Mode::WritePlan;
  skipList_.assign({kUnwrittenGap});
  for (int n = 1; n <= kNormalChannels; ++n) {
    if (!ChannelExists(channels, n)) AddSkipRange(SlotStart(n), memory_map::kChannelSlotSize);
  }
  totalBlocks_ = CountPlannedBlocks(0, kLastImageBlock);
}

void TransferPlan::StartSequentialPlan() {
  mode_ = Mode::Sequential;
  skipList_.clear();
  totalBlocks_ = 0;
}

void TransferPlan::AddSkipRange(std::int32_t start, std::int32_t length) {
  if (!skipList_.empty() && skipList_.back().End + 1 == start) {
    skipList_.back().End = start + length - 1;
  } else {
    skipList_.push_back({start, start + length - 1});
  }
}

int TransferPlan::CountPlannedBlocks(std::int32_t from, std::int32_t to) const {
  int blocks = (to - from) / memory_map::kBlockSize + 1;
  for (const AddressRange& range : skipList_)
    blocks -= (range.End - range.Start + 1) / memory_map::kBlockSize;
  return blocks;
}

}  // namespace hvt
