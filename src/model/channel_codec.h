#pragma once

#include "model/auto_test_recording.h"
#include "model/channel_table.h"
#include "model/encode_result.h"
#include "model/radio_image.h"

namespace hvt {

// Writes every table entry into its slot and sets the bitmap bits of the normal channels.
// Fails, naming the channel and field, on a frequency that is not hexadecimal text or a value that
// does not fit its bits; a channel that fails leaves its slot and bitmap bits as they were.
EncodeResult SetCommDataByFrequency(const ChannelTable& table, RadioImage& image,
                                    AutoTestRecording* recording);

// Rebuilds the table from the bitmaps and slots. Step and Reserved, which the radio does not
// keep, are inherited from the entry that held the same table position before.
void GetCommDataByFrequency(const RadioImage& image, ChannelTable& table);

}  // namespace hvt
