#include "model/codec_chain.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "support/record_printer.h"
#include "support/rich_configuration.h"
#include "support/same_records.h"

namespace hvt {
namespace {

using Range = std::pair<int, int>;  // [first, end)

// The image regions each encoder of the chain writes, in chain order.
const std::vector<std::vector<Range>> kRegionsByEncoder = {
    {{0, 6528}, {12928, 12960}},      // channels, bitmaps
    {{6528, 6544}, {12800, 12910}},   // options
    {{6880, 10464}, {12512, 12528}},  // 5-tone
    {{6544, 6880}, {12910, 12912}},   // DTMF
    {{10464, 12512}},                 // communication book
};

std::vector<std::uint8_t> Bytes(const RadioImage& image, const std::vector<Range>& ranges) {
  std::vector<std::uint8_t> bytes;
  for (const auto& [first, end] : ranges) {
    const auto region = image.Region(static_cast<std::size_t>(first), static_cast<std::size_t>(end - first));
    bytes.insert(bytes.end(), region.begin(), region.end());
  }
  return bytes;
}

TEST(CodecChain, RunsTheRegionsInTheirOrder) {
  std::vector<std::string_view> tags;
  for (const RegionCodec& codec : RegionCodecs()) tags.push_back(codec.FailureTag);
  EXPECT_EQ(tags, (std::vector<std::string_view>{"SetCommDataByFrequencyError", "SetCommDataByOptionError",
                                                 "SetCommDataBy5ToneError", "SetCommDataByDTMFError",
                                                 "SetCommDataByDTMFCommuBookError"}));
}

TEST(CodecChain, EncodeThenDecodeGivesBackEveryRecord) {
  Configuration records = RichConfiguration();
  RadioImage image;
  ASSERT_FALSE(EncodeAll(records, image).has_value());

  Configuration decoded = records;
  DecodeAll(image, decoded);
  ExpectSameRecords(decoded, records);
}

TEST(CodecChain, DecodeThenEncodeGivesTheSameImage) {
  Configuration records = RichConfiguration();
  RadioImage image;
  ASSERT_FALSE(EncodeAll(records, image).has_value());

  Configuration decoded;
  DecodeAll(image, decoded);
  RadioImage again;
  ASSERT_FALSE(EncodeAll(decoded, again).has_value());
  EXPECT_EQ(again, image);
}

TEST(CodecChain, AFailingEncoderStopsTheChain) {
  struct Case {
    std::size_t Encoder;
    std::string_view Tag;
    std::function<void(Configuration&)> Spoil;
  };
  const Case cases[] = {
      {0, "SetCommDataByFrequencyError", [](Configuration& c) { c.Channels.Entries[3].BusyLock = 300; }},
      {1, "SetCommDataByOptionError", [](Configuration& c) { c.Options.KeyBeep = 256; }},
      {2, "SetCommDataBy5ToneError", [](Configuration& c) { c.FiveTone.OwnId = "12A45"; }},
      {3, "SetCommDataByDTMFError",
       [](Configuration& c) {
         c.Dtmf.DtmfCodes[2] = {"1G", 2};
       }},
  };
  Configuration good = RichConfiguration();
  RadioImage complete;
  ASSERT_FALSE(EncodeAll(good, complete).has_value());

  for (const Case& c : cases) {
    Configuration records = RichConfiguration();
    c.Spoil(records);
    RadioImage image;
    const auto failure = EncodeAll(records, image);
    ASSERT_TRUE(failure.has_value()) << c.Tag;
    EXPECT_EQ(failure->Tag, c.Tag);
    for (std::size_t earlier = 0; earlier < c.Encoder; ++earlier) {
      EXPECT_EQ(Bytes(image, kRegionsByEncoder[earlier]), Bytes(complete, kRegionsByEncoder[earlier]))
          << c.Tag << ": region " << earlier << " is complete";
    }
    for (std::size_t later = c.Encoder + 1; later < kRegionsByEncoder.size(); ++later) {
      const auto bytes = Bytes(image, kRegionsByEncoder[later]);
      EXPECT_EQ(bytes, std::vector<std::uint8_t>(bytes.size(), 0))
          << c.Tag << ": region " << later << " untouched";
    }
  }
}

TEST(CodecChain, AFailureNamesTheRecordAndFieldAndWritesNoWrongByte) {
  struct Case {
    std::size_t Encoder;
    std::string_view Tag;
    std::function<void(Configuration&)> Spoil;
    std::string_view Detail;
  };
  const Case cases[] = {
      {0, "SetCommDataByFrequencyError", [](Configuration& c) { c.Channels.Entries[3].Power = 40; },
       "channel 100: Power 40 does not fit 2 bits (0-3)"},
      {0, "SetCommDataByFrequencyError", [](Configuration& c) { c.Channels.Entries[7].DtmfPttId = 16; },
       "channel VFO2: DtmfPttId 16 does not fit 4 bits (0-15)"},
      {1, "SetCommDataByOptionError", [](Configuration& c) { c.Options.TrfEnable = 2; },
       "options: TrfEnable 2 does not fit 1 bit (0-1)"},
      {1, "SetCommDataByOptionError", [](Configuration& c) { c.Dtmf.SendTime = 300; },
       "options: DTMF SendTime 300 does not fit 8 bits (0-255)"},
      {2, "SetCommDataBy5ToneError", [](Configuration& c) { c.FiveTone.SideTone = -1; },
       "5-tone: SideTone -1 does not fit 8 bits (0-255)"},
      {3, "SetCommDataByDTMFError", [](Configuration& c) { c.Dtmf.ResetTime = 256; },
       "DTMF: ResetTime 256 does not fit 8 bits (0-255)"},
  };
  Configuration good = RichConfiguration();
  RadioImage complete;
  ASSERT_FALSE(EncodeAll(good, complete).has_value());

  for (const Case& c : cases) {
    Configuration records = RichConfiguration();
    c.Spoil(records);
    RadioImage image;
    const auto failure = EncodeAll(records, image);
    ASSERT_TRUE(failure.has_value()) << c.Detail;
    EXPECT_EQ(failure->Tag, c.Tag);
    EXPECT_EQ(failure->Detail, c.Detail);
    // The failing region is partial at most: each byte is still empty or already what it should be.
    const auto written = Bytes(image, kRegionsByEncoder[c.Encoder]);
    const auto expected = Bytes(complete, kRegionsByEncoder[c.Encoder]);
    for (std::size_t i = 0; i < written.size(); ++i) {
      ASSERT_TRUE(written[i] == 0 || written[i] == expected[i]) << c.Detail << ": byte " << i;
    }
  }
}

TEST(CodecChain, AutomaticTestMarksOnlyTheSelectedGroups) {
  struct Case {
    AutoTestGroup Group;
    int FirstBlock;
    int LastBlock;
  };
  for (const Case& c : {Case{AutoTestGroup::CommuBook, 654, 781}, Case{AutoTestGroup::Options, 408, 806}}) {
    Configuration records = RichConfiguration();
    AutoTestRecording recording;
    recording.Groups.fill(false);
    recording.Groups[static_cast<std::size_t>(c.Group)] = true;
    RadioImage image;
    ClearImage(image, &recording);
    ASSERT_FALSE(EncodeAll(records, image, &recording).has_value());
    std::vector<int> marked;
    for (int block = 0; block < memory_map::kBlockCount; ++block) {
      if (recording.Blocks.IsMarked(block)) marked.push_back(block);
    }
    ASSERT_FALSE(marked.empty());
    EXPECT_EQ(marked.front(), c.FirstBlock);
    EXPECT_EQ(marked.back(), c.LastBlock);
    EXPECT_TRUE(recording.ChannelSummary.empty());
  }
}

TEST(CodecChain, AutomaticTestMarksTheChannelBlocksItWrites) {
  Configuration records;
  ASSERT_TRUE(AddChannel(records.Channels, CreateChannel(1, "438.5")));
  ASSERT_TRUE(AddChannel(records.Channels, CreateChannel(100, "438.5")));
  ASSERT_TRUE(AddChannel(records.Channels, CreateChannel(202, "146")));
  RadioImage image;
  AutoTestRecording recording;
  recording.Groups.fill(false);
  recording.Groups[0] = true;
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
}

}  // namespace
}  // namespace hvt
