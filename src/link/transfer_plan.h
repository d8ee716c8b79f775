#pragma once

// Which 16-byte blocks a read, a write or an information read moves, and in what order.
//
// Empty channel slots are not worth 27 ms each at 9600 baud, so the plan skips them, and
// 12528-12799 holds nothing any encoder writes, so it never travels at all. A read cannot know
// which slots are empty until it has the bitmaps, hence its two phases: the first ranges (the
// in-use and scan-add bitmaps), then everything else planned from the in-use bitmap just read.
//
// The protocol walks a plan by advancing its position one block and asking NextAddress where the
// next block really is:
//   read:             6464, 6480, 6496, 6512, then 0 ... 12944 without the skip list
//   write:            0 ... 12944 without the skip list (bitmaps included)
//   information read: 0x3B00 ... 0x3BF0 (sequential)

#include <array>
#include <cstdint>
#include <vector>

#include "model/channel_table.h"
#include "model/radio_image.h"

namespace hvt {

struct AddressRange {
  std::int32_t Start = 0;
  std::int32_t End = 0;  // inclusive
  bool operator==(const AddressRange&) const = default;
};

inline constexpr std::int32_t kLastImageBlock = memory_map::kImageSize - memory_map::kBlockSize;  // 12944

class TransferPlan {
 public:
  enum class Mode { Sequential, FirstRanges, ReadPlan, WritePlan };

  // NextAddress in FirstRanges mode answers this once the first ranges are done.
  static constexpr std::int32_t kFirstRangesDone = -1;

  Mode CurrentMode() const { return mode_; }

  // Where the block at `address` (or the first one after it) really is. In FirstRanges mode,
  // kFirstRangesDone after the last first range.
  std::int32_t NextAddress(std::int32_t address) const;

  void StartReadPlan();
  // Phase 2 of a read; the image must hold the bitmaps read in phase 1.
  void BuildReadPlan(const RadioImage& image);
  // The slots of normal channels the table does not hold are skipped; everything else goes.
  void BuildWritePlan(const ChannelTable& channels);
  void StartSequentialPlan();

  // Joins the range to the last one when it follows it directly, so runs of empty slots stay one.
  void AddSkipRange(std::int32_t start, std::int32_t length);

  // Blocks from `from` to `to` (both block starts) that this plan transfers.
  int CountPlannedBlocks(std::int32_t from, std::int32_t to) const;

  // Blocks of the image the plan transfers, test-mode blocks not included; 0 until built.
  int TotalBlocks() const { return totalBlocks_; }

  const std::vector<AddressRange>& SkipList() const { return skipList_; }

 private:
  Mode mode_ = Mode::Sequential;
  std::vector<AddressRange> skipList_;
  // The in-use and scan-add bitmaps.
  static constexpr std::array<AddressRange, 1> kFirstRanges = {
      AddressRange{memory_map::kInUseBitmap, memory_map::kPowerOnText - 1}};
  int totalBlocks_ = 0;
};

}  // namespace hvt
