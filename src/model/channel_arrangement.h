#pragma once

// Rearranging the normal channels 1-200: sorting them and opening or closing a gap. The special
// channels (VFO1, VFO2, RT) never move.

#include "model/channel_table.h"

namespace hvt {

enum class ChannelOrder { ByFrequency, ByName };

// Puts the normal channels in `order` onto the numbers they occupy, so gaps stay where they are;
// channels that compare equal keep their order. Channels without a receive frequency go last.
void SortChannels(ChannelTable& table, ChannelOrder order);

// Moves channel `number` and every later one up by one number, leaving `number` empty. False,
// and nothing moved, when `number` is no normal channel or channel 200 is in use.
bool InsertEmptyChannel(ChannelTable& table, int number);

// Moves every channel after the empty `number` down by one number. False, and nothing moved,
// when `number` is no normal channel or is in use.
bool RemoveChannelGap(ChannelTable& table, int number);

}  // namespace hvt
