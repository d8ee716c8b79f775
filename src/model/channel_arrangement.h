#pragma once

// Rearranging the normal channels 1-200: sorting them, moving some of them, and opening or
// closing a gap. The special channels (VFO1, VFO2, RT) never move. Each rearrangement answers
// where the channels went, so that the settings naming a channel can follow it.

#include <array>
#include <cstdint>
#include <vector>

#include "model/channel_table.h"
#include "model/configuration.h"

namespace hvt {

// Where each normal channel number's channel went; an empty answer means nothing moved, which is
// also what a refused rearrangement answers.
class ChannelMoves {
 public:
  ChannelMoves();

  // The new number of the channel that stood on `number`; other numbers answer themselves.
  int To(int number) const;
  bool Any() const;
  explicit operator bool() const { return Any(); }

  void Record(int from, int to);

 private:
  std::array<std::int16_t, kNormalChannelCount + 1> to_{};
};

enum class ChannelOrder { ByFrequency, ByName };

// Puts the normal channels in `order` onto the numbers they occupy, so gaps stay where they are;
// channels that compare equal keep their order. Channels without a receive frequency go last.
ChannelMoves SortChannels(ChannelTable& table, ChannelOrder order);

// Moves channel `number` and every later one up by one number, leaving `number` empty. Refused
// when `number` is no normal channel or channel 200 is in use.
ChannelMoves InsertEmptyChannel(ChannelTable& table, int number);

// Moves every channel after the empty `number` down by one number. Refused when `number` is no
// normal channel or is in use.
ChannelMoves RemoveChannelGap(ChannelTable& table, int number);

// Moves the numbers `numbers` (empty ones too) by `step` numbers as one block keeping their
// distances; each channel the block passes takes the place the block left. Refused when the
// block would leave 1-200 or holds no normal number.
ChannelMoves MoveChannels(ChannelTable& table, const std::vector<int>& numbers, int step);

// The memory channels, the scan priority channels and the emergency channel keep naming the
// channel they named before the move.
void FollowChannelMoves(Configuration& configuration, const ChannelMoves& moves);

}  // namespace hvt
