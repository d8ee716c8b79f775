#pragma once

// What the factory's automatic test records while the encoders fill an image: which blocks the
// selected feature groups wrote, and the channels for the summary of the export file.

#include <array>
#include <vector>

#include "model/channel_record.h"
#include "model/radio_image.h"

namespace hvt {

enum class AutoTestGroup : int {
  Channels = 0,
  Options = 4,
  Dtmf = 6,
  FiveTone = 8,
  CommuBook = 10,
};

inline constexpr int kAutoTestGroupCount = 12;

struct AutoTestRecording {
  std::array<bool, kAutoTestGroupCount> Groups{true};
  BlockMap Blocks;
  std::vector<ChannelRecord> ChannelSummary;

  bool Records(AutoTestGroup group) const { return Groups[static_cast<std::size_t>(group)]; }
  void Reset() {
    Blocks.Clear();
    ChannelSummary.clear();
  }
};

// Zeroes the image; while the automatic test records, its block map and summary start afresh too.
inline void ClearImage(RadioImage& image, AutoTestRecording* recording) {
  image.Clear();
  if (recording != nullptr) recording->Reset();
}

}  // namespace hvt
