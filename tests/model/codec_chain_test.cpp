#include "model/codec_chain.h"
#include "support/record_printer.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

TEST(CodecChain, ChannelsComeFirstAndEveryCodecHasItsTag) {
  const auto codecs = RegionCodecs();
  ASSERT_FALSE(codecs.empty());
  EXPECT_EQ(codecs.front().FailureTag, "SetCommDataByFrequencyError");
  for (const RegionCodec& codec : codecs) {
    EXPECT_TRUE(codec.FailureTag.ends_with("Error"));
    EXPECT_NE(codec.Encode, nullptr);
    EXPECT_NE(codec.Decode, nullptr);
  }
}

TEST(CodecChain, EncodeThenDecodeRestoresTheRecords) {
  Configuration records;
  ChannelRecord normal = CreateChannel(12, "438.5");
  normal.Name = "CH12A";
  ChannelRecord vfo = CreateChannel(201, "146");
  vfo.Name = "VFO-A";
  vfo.ScanAdd = 0;
  ASSERT_TRUE(AddChannel(records.Channels, normal));
  ASSERT_TRUE(AddChannel(records.Channels, vfo));
  RadioImage image;
  ASSERT_FALSE(EncodeAll(records, image).has_value());

  Configuration decoded = records;
  decoded.Channels.Count = 0;
  DecodeAll(image, decoded);
  // Absent special slots are cleared bytes, which read as 0 MHz: 202 and 203 appear.
  ASSERT_EQ(decoded.Channels.Count, 4);
  EXPECT_EQ(decoded.Channels.Entries[0], records.Channels.Entries[0]);
  EXPECT_EQ(decoded.Channels.Entries[1], records.Channels.Entries[1]);
}

TEST(CodecChain, AutomaticTestMarksTheChannelBlocksItWrites) {
  Configuration records;
  ASSERT_TRUE(AddChannel(records.Channels, CreateChannel(1, "438.5")));
  ASSERT_TRUE(AddChannel(records.Channels, CreateChannel(100, "438.5")));
  ASSERT_TRUE(AddChannel(records.Channels, CreateChannel(202, "146")));
  RadioImage image;
  AutoTestRecording recording;
  recording.ChannelSummary.push_back(NewChannelRecord(9));  // left over from an earlier run
  ClearImage(image, &recording);
  ASSERT_FALSE(EncodeAll(records, image, &recording).has_value());

  std::vector<int> marked;
  for (int block = 0; block < memory_map::kBlockCount; ++block) {
    if (recording.Blocks.IsMarked(block)) marked.push_back(block);
  }
  EXPECT_EQ(marked, (std::vector<int>{0, 1, 198, 199, 404, 405, 406, 407}));
  ASSERT_EQ(recording.ChannelSummary.size(), 2U);
  EXPECT_EQ(recording.ChannelSummary[1].ChannelNumber, 100);

  AutoTestRecording nothingSelected;
  nothingSelected.Groups.fill(false);
  ASSERT_FALSE(EncodeAll(records, image, &nothingSelected).has_value());
  EXPECT_TRUE(nothingSelected.ChannelSummary.empty());
  EXPECT_FALSE(nothingSelected.Blocks.IsMarked(404));
}

}  // namespace
}  // namespace hvt
