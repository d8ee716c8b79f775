#include "model/channel_codec.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/codec_chain.h"
#include "model/encode_result.h"
#include "model/frequency.h"
#include "support/image_bytes.h"
#include "support/record_printer.h"
#include "support/rich_configuration.h"

namespace hvt {
namespace {

ChannelRecord Channel(int number, const char* rx) { return CreateChannel(number, rx); }

Configuration WithChannels(std::initializer_list<ChannelRecord> channels) {
  Configuration records;
  for (const ChannelRecord& channel : channels) EXPECT_TRUE(AddChannel(records.Channels, channel));
  return records;
}

RadioImage Encode(Configuration& records) {
  RadioImage image;
  EXPECT_TRUE(SetCommDataByFrequency(records.Channels, image, nullptr));
  return image;
}

TEST(ChannelCodec, WritesFrequenciesAndPackedBitsIntoTheSlot) {
  ChannelRecord channel = Channel(1, "462.5625");
  channel.OffsetDir = 1;
  channel.TxFreq = "000500000";
  channel.Power = 2;
  channel.Scramble = 1;
  channel.TalkAround = 1;
  channel.Reverse = 1;
  channel.Bandwidth = 2;
  channel.EncodeType = 1;
  channel.DecodeType = 2;
  channel.DtmfCode = 15;
  channel.DecodeCtcss = 12;
  channel.EncodeCtcss = 51;
  channel.DecodeDcs = 19;
  channel.EncodeDcs = 512 + 492;
  channel.BusyLock = 2;
  channel.DtmfPttId = 3;
  channel.FiveTonePttId = 1;
  channel.SquelchMode = 4;
  channel.OptSignal = 3;
  channel.TwoToneCode = 31;
  channel.FiveToneCode = 99;
  channel.Name = "AB";
  channel.CustomCtcss = 2511;
  Configuration records = WithChannels({channel});

  const RadioImage image = Encode(records);
  const Bytes expected = {0x46, 0x25, 0x62, 0x50, 0x00, 0x50, 0x00, 0x00,  // rx, offset
                          0x00, 0x99, 0x0A, 0xF9, 12,   51,   19,   0x00,  // 8 stays 0
                          0xEC, 0x03, 2,    0x13, 4,    3,    31,   99,
                          0x00, 0x41, 0x42, 0x20, 0x20, 0x20, 0xCF, 0x09};
  EXPECT_EQ(Slice(image, 0, 32), expected);
}

TEST(ChannelCodec, BitmapsHoldOnlyTheNormalChannelsInUse) {
  ChannelRecord last = Channel(200, "146");
  ChannelRecord unused = Channel(9, "146");
  unused.InUse = 0;
  ChannelRecord notScanned = Channel(2, "146");
  notScanned.ScanAdd = 0;
  Configuration records = WithChannels({last, unused, notScanned, Channel(201, "446"), Channel(203, "445")});
  const RadioImage image = Encode(records);

  Bytes inUse(32, 0x00);
  inUse[0] = 0x02;   // channel 2
  inUse[24] = 0x80;  // channel 200
  Bytes scanAdd(32, 0x00);
  scanAdd[1] = 0x01;  // channel 9: its scan bit is written even though it is not in use
  scanAdd[24] = 0x80;
  EXPECT_EQ(Slice(image, 6464, 32), inUse);
  EXPECT_EQ(Slice(image, 6496, 32), scanAdd);
  EXPECT_EQ(Slice(image, 8 * 32, 4), (Bytes{0x14, 0x60, 0x00, 0x00}))
      << "an unused entry still fills its slot";
  EXPECT_EQ(Slice(image, 6400, 4), (Bytes{0x44, 0x60, 0x00, 0x00}));
  EXPECT_EQ(Slice(image, 12928, 4), (Bytes{0x44, 0x50, 0x00, 0x00}));
}

TEST(ChannelCodec, OnlySpecialChannelsLeaveBothBitmapsEmpty) {
  Configuration records = WithChannels({Channel(201, "446"), Channel(202, "146"), Channel(203, "445")});
  const RadioImage image = Encode(records);
  EXPECT_EQ(Slice(image, 6464, 64), Bytes(64, 0x00));
  EXPECT_EQ(Slice(image, 6432, 4), (Bytes{0x14, 0x60, 0x00, 0x00}));
}

TEST(ChannelCodec, EncoderFailsOnValuesThatDoNotFit) {
  struct Case {
    const char* What;
    void (*Spoil)(ChannelRecord&);
  };
  const Case cases[] = {
      {"busy lock beyond a byte", [](ChannelRecord& c) { c.BusyLock = 300; }},
      {"negative squelch mode", [](ChannelRecord& c) { c.SquelchMode = -1; }},
      {"packed bits beyond a byte", [](ChannelRecord& c) { c.TalkAround = 2; }},
      {"non-hexadecimal receive frequency", [](ChannelRecord& c) { c.RxFreq = "04G256250"; }},
      {"blank transmit field", [](ChannelRecord& c) { c.TxFreq = "         "; }},
      {"channel number outside 1-203", [](ChannelRecord& c) { c.ChannelNumber = 204; }},
  };
  for (const Case& c : cases) {
    ChannelRecord channel = Channel(5, "446");
    c.Spoil(channel);
    Configuration records = WithChannels({channel});
    RadioImage image;
    EXPECT_FALSE(SetCommDataByFrequency(records.Channels, image, nullptr)) << c.What;
    EXPECT_EQ(EncodeAll(records, image)->Tag, "SetCommDataByFrequencyError") << c.What;
  }
}

// An image slot for the decode tests: receive digits, transmit digits, name bytes.
void PutSlot(RadioImage& image, int number, Bytes rx, Bytes tx = {0x00, 0x00, 0x00, 0x00}) {
  const int slot = ChannelSlotAddress(number);
  for (std::size_t i = 0; i < 4; ++i) {
    image[static_cast<std::size_t>(slot) + i] = rx[i];
    image[static_cast<std::size_t>(slot) + 4 + i] = tx[i];
  }
  for (int i = 25; i < 30; ++i) image[static_cast<std::size_t>(slot + i)] = 0x20;
}

void SetInUse(RadioImage& image, int number) {
  const ChannelBit bit = ChannelBitOf(6464, number);
  image[static_cast<std::size_t>(bit.Address)] |= bit.Mask;
}

TEST(ChannelCodec, DecoderSkipsAbsentChannelsAndKeepsTableOrder) {
  RadioImage image;
  PutSlot(image, 3, {0x46, 0x25, 0x62, 0x50});
  PutSlot(image, 4, {0x46, 0x2A, 0x62, 0x50});  // in use, but not a decimal frequency
  PutSlot(image, 5, {0x14, 0x60, 0x00, 0x00});  // valid, but its in-use bit is clear
  PutSlot(image, 7, {0x14, 0x60, 0x00, 0x00});
  for (int n : {3, 4, 7}) SetInUse(image, n);
  PutSlot(image, 201, {0x44, 0x60, 0x00, 0x00});
  PutSlot(image, 202, {0xFF, 0xFF, 0xFF, 0xFF});
  PutSlot(image, 203, {0x44, 0x50, 0x00, 0x00});

  Configuration records;
  GetCommDataByFrequency(image, records.Channels);
  std::vector<int> numbers;
  for (const ChannelRecord& c : records.Channels.Channels()) numbers.push_back(c.ChannelNumber);
  EXPECT_EQ(numbers, (std::vector<int>{3, 7, 201, 203}));
  EXPECT_EQ(records.Channels.Find(201)->ScanAdd, 0);
  EXPECT_EQ(records.Channels.Find(3)->RxFreq.Raw(), "046256250");
}

TEST(ChannelCodec, EmptyBitmapLeavesTheSpecialChannelsWithAReceiveFrequency) {
  RadioImage image;
  for (int n = 1; n <= 200; ++n) PutSlot(image, n, {0x46, 0x00, 0x00, 0x00});
  PutSlot(image, 202, {0x14, 0x60, 0x00, 0x00});
  Configuration records;
  GetCommDataByFrequency(image, records.Channels);
  ASSERT_EQ(records.Channels.Count, 3) << "a cleared slot decodes as 000.00000, which is a frequency";
  PutSlot(image, 201, {0xFF, 0xFF, 0xFF, 0xFF});
  GetCommDataByFrequency(image, records.Channels);
  EXPECT_EQ(records.Channels.Count, 2);
}

TEST(ChannelCodec, RtChannelDirectionFollowsItsTransmitField) {
  struct Case {
    Bytes Tx;
    int Direction;
    const char* TxFreq;
  };
  for (const Case& c :
       {Case{{0xFF, 0xFF, 0xFF, 0xFF}, 0, "000000000"}, Case{{0x46, 0x75, 0x62, 0x50}, 3, "046756250"}}) {
    RadioImage image;
    PutSlot(image, 203, {0x46, 0x25, 0x62, 0x50}, c.Tx);
    image[12928 + 9] = 0x01;  // direction bits are ignored for this channel
    Configuration records;
    GetCommDataByFrequency(image, records.Channels);
    const ChannelRecord* rt = records.Channels.Find(203);
    ASSERT_NE(rt, nullptr);
    EXPECT_EQ(rt->OffsetDir, c.Direction);
    EXPECT_EQ(rt->TxFreq.Raw(), c.TxFreq);
  }
}

// The RT channel has no offset on the radio, so what it transmits on must reach the transmit field
// as a frequency: a zero or an offset there would be read back, and used, as one.
TEST(ChannelCodec, RtChannelTransmitsWhereItDidAfterAWriteAndARead) {
  struct Case {
    int Direction;
    const char* TxFreq;
    Bytes TxField;
    const char* Transmits;
  };
  for (const Case& c : {Case{0, "000000000", {0xFF, 0xFF, 0xFF, 0xFF}, "446.02500"},
                        Case{1, "000500000", {0x45, 0x10, 0x25, 0x00}, "451.02500"},
                        Case{2, "000500000", {0x44, 0x10, 0x25, 0x00}, "441.02500"},
                        Case{3, "044102500", {0x44, 0x10, 0x25, 0x00}, "441.02500"}}) {
    ChannelRecord rt = Channel(203, "446.025");
    rt.OffsetDir = static_cast<std::int16_t>(c.Direction);
    rt.TxFreq = c.TxFreq;
    ASSERT_EQ(TxDisplayText(rt.RxFreq.Raw(), rt.OffsetDir, rt.TxFreq.Raw()).Text, c.Transmits) << c.Direction;
    Configuration records = WithChannels({rt});
    const RadioImage image = Encode(records);
    const auto field = image.Region(12928 + 4, 4);
    EXPECT_EQ(Bytes(field.begin(), field.end()), c.TxField) << c.Direction;

    Configuration read;
    GetCommDataByFrequency(image, read.Channels);
    const ChannelRecord* back = read.Channels.Find(203);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(TxDisplayText(back->RxFreq.Raw(), back->OffsetDir, back->TxFreq.Raw()).Text, c.Transmits)
        << c.Direction;
  }
}

TEST(ChannelCodec, NamesReadBackWithRadioCharactersOnly) {
  struct Case {
    Bytes Name;
    std::string_view Stored;
  };
  using namespace std::string_view_literals;
  for (const Case& c :
       {Case{{0x41, 0x42, 0x20, 0x20, 0x20}, "AB\0  "sv}, Case{{0x61, 0x42, 0x43, 0x44, 0x45}, " BCDE"sv},
        Case{{0x31, 0x2D, 0x5A, 0x39, 0x30}, "1-Z90"sv}, Case{{0x20, 0x20, 0x20, 0x20, 0x20}, "\0    "sv}}) {
    RadioImage image;
    PutSlot(image, 1, {0x46, 0x25, 0x62, 0x50});
    SetInUse(image, 1);
    for (std::size_t i = 0; i < 5; ++i) image[25 + i] = c.Name[i];
    Configuration records;
    GetCommDataByFrequency(image, records.Channels);
    EXPECT_EQ(records.Channels.Find(1)->Name.Raw(), c.Stored);
  }
}

TEST(ChannelCodec, StepIsInheritedFromThePreviousEntryAtTheSamePosition) {
  Configuration records = WithChannels({Channel(1, "446"), Channel(2, "446"), Channel(3, "446")});
  records.Channels.Entries[0].Step = 4;
  records.Channels.Entries[1].Step = 7;
  records.Channels.Entries[1].Reserved[3] = 99;
  RadioImage image;
  PutSlot(image, 5, {0x14, 0x60, 0x00, 0x00});
  PutSlot(image, 9, {0x14, 0x60, 0x00, 0x00});
  SetInUse(image, 5);
  SetInUse(image, 9);
  GetCommDataByFrequency(image, records.Channels);
  EXPECT_EQ(records.Channels.Entries[0].ChannelNumber, 5);
  EXPECT_EQ(records.Channels.Entries[0].Step, 4);
  EXPECT_EQ(records.Channels.Entries[1].ChannelNumber, 9);
  EXPECT_EQ(records.Channels.Entries[1].Step, 7);
  EXPECT_EQ(records.Channels.Entries[1].Reserved[3], 99);
}

TEST(ChannelCodec, EncodeThenDecodeGivesBackEveryChannel) {
  Configuration records;
  records.Channels = RichChannelTable();
  const RadioImage image = Encode(records);
  Configuration decoded = records;
  GetCommDataByFrequency(image, decoded.Channels);
  ASSERT_EQ(decoded.Channels.Count, records.Channels.Count);
  for (std::size_t i = 0; i < decoded.Channels.Channels().size(); ++i) {
    EXPECT_EQ(decoded.Channels.Entries[i], records.Channels.Entries[i]);
  }
}

TEST(ChannelCodec, DecodeThenEncodeGivesTheSameImage) {
  Configuration records;
  records.Channels = RichChannelTable();
  RadioImage image = Encode(records);
  // Words that do not fit a signed field still keep their 16 bits.
  for (int offset : {14, 16, 30}) image[static_cast<std::size_t>(32 + offset + 1)] = 0x9C;

  Configuration decoded;
  GetCommDataByFrequency(image, decoded.Channels);
  RadioImage again;
  ASSERT_TRUE(SetCommDataByFrequency(decoded.Channels, again, nullptr));
  EXPECT_EQ(again, image);
}

// Channels 11 and 13 around the one that cannot be encoded.
struct SpoiledTable {
  Configuration Records;
  RadioImage Good;  // the three channels with nothing spoiled
};

SpoiledTable TableAroundChannel12(void (*spoil)(ChannelRecord&)) {
  ChannelRecord middle = Channel(12, "446");
  middle.TalkAround = 1;
  middle.DtmfPttId = 15;
  SpoiledTable table{WithChannels({Channel(11, "146"), middle, Channel(13, "446")}), {}};
  table.Good = Encode(table.Records);
  spoil(table.Records.Channels.Entries[1]);
  return table;
}

TEST(ChannelCodec, AValueOutsideItsBitsFailsNamingTheChannelAndLeavesItsSlotAlone) {
  struct Case {
    void (*Spoil)(ChannelRecord&);
    const char* Detail;
  };
  const Case cases[] = {
      {[](ChannelRecord& c) { c.Power = 40; }, "channel 12: Power 40 does not fit 2 bits (0-3)"},
      {[](ChannelRecord& c) { c.OffsetDir = 4; }, "channel 12: OffsetDir 4 does not fit 2 bits (0-3)"},
      {[](ChannelRecord& c) { c.Scramble = 2; }, "channel 12: Scramble 2 does not fit 1 bit (0-1)"},
      {[](ChannelRecord& c) { c.TalkAround = -1; }, "channel 12: TalkAround -1 does not fit 1 bit (0-1)"},
      {[](ChannelRecord& c) { c.TxForbid = 2; }, "channel 12: TxForbid 2 does not fit 1 bit (0-1)"},
      {[](ChannelRecord& c) { c.Reverse = 3; }, "channel 12: Reverse 3 does not fit 1 bit (0-1)"},
      {[](ChannelRecord& c) { c.Bandwidth = 4; }, "channel 12: Bandwidth 4 does not fit 2 bits (0-3)"},
      {[](ChannelRecord& c) { c.EncodeType = 4; }, "channel 12: EncodeType 4 does not fit 2 bits (0-3)"},
      {[](ChannelRecord& c) { c.DecodeType = 5; }, "channel 12: DecodeType 5 does not fit 2 bits (0-3)"},
      {[](ChannelRecord& c) { c.DtmfCode = 16; }, "channel 12: DtmfCode 16 does not fit 4 bits (0-15)"},
      {[](ChannelRecord& c) { c.DtmfPttId = 16; }, "channel 12: DtmfPttId 16 does not fit 4 bits (0-15)"},
      {[](ChannelRecord& c) { c.FiveTonePttId = 17; },
       "channel 12: FiveTonePttId 17 does not fit 4 bits (0-15)"},
      {[](ChannelRecord& c) { c.BusyLock = 300; }, "channel 12: BusyLock 300 does not fit 8 bits (0-255)"},
      {[](ChannelRecord& c) { c.SquelchMode = -1; },
       "channel 12: SquelchMode -1 does not fit 8 bits (0-255)"},
      {[](ChannelRecord& c) { c.RxFreq = "04G256250"; }, "channel 12: RxFreq '04G256250' is not a frequency"},
      {[](ChannelRecord& c) { c.TxFreq = "         "; }, "channel 12: TxFreq '         ' is not a frequency"},
      {[](ChannelRecord& c) { c.ChannelNumber = 204; }, "channel 204: not a channel number (1-203)"},
  };
  for (const Case& c : cases) {
    SpoiledTable table = TableAroundChannel12(c.Spoil);
    RadioImage image;
    const EncodeResult result = SetCommDataByFrequency(table.Records.Channels, image, nullptr);
    ASSERT_FALSE(result) << c.Detail;
    EXPECT_EQ(result.Detail(), c.Detail);
    EXPECT_EQ(Slice(image, 10 * 32, 32), Slice(table.Good, 10 * 32, 32))
        << c.Detail << ": channel 11 written";
    EXPECT_EQ(Slice(image, 11 * 32, 64), Bytes(64, 0x00)) << c.Detail << ": channels 12 and 13 untouched";
    EXPECT_EQ(image[6464 + 1], 0x04) << c.Detail << ": only channel 11 in use";
    EXPECT_EQ(image[6496 + 1], 0x04) << c.Detail << ": only channel 11 scanned";
  }
}

// Every field the slot packs, with its width in bits.
struct PackedChannelField {
  const char* Name;
  std::int16_t ChannelRecord::*Field;
  int Width;
};

const PackedChannelField kPackedFields[] = {
    {"OffsetDir", &ChannelRecord::OffsetDir, 2},         {"Power", &ChannelRecord::Power, 2},
    {"Scramble", &ChannelRecord::Scramble, 1},           {"TalkAround", &ChannelRecord::TalkAround, 1},
    {"TxForbid", &ChannelRecord::TxForbid, 1},           {"Reverse", &ChannelRecord::Reverse, 1},
    {"Bandwidth", &ChannelRecord::Bandwidth, 2},         {"EncodeType", &ChannelRecord::EncodeType, 2},
    {"DecodeType", &ChannelRecord::DecodeType, 2},       {"DtmfCode", &ChannelRecord::DtmfCode, 4},
    {"DecodeCtcss", &ChannelRecord::DecodeCtcss, 8},     {"EncodeCtcss", &ChannelRecord::EncodeCtcss, 8},
    {"DecodeDcs", &ChannelRecord::DecodeDcs, 16},        {"EncodeDcs", &ChannelRecord::EncodeDcs, 16},
    {"BusyLock", &ChannelRecord::BusyLock, 8},           {"DtmfPttId", &ChannelRecord::DtmfPttId, 4},
    {"FiveTonePttId", &ChannelRecord::FiveTonePttId, 4}, {"SquelchMode", &ChannelRecord::SquelchMode, 8},
    {"OptSignal", &ChannelRecord::OptSignal, 8},         {"TwoToneCode", &ChannelRecord::TwoToneCode, 8},
    {"FiveToneCode", &ChannelRecord::FiveToneCode, 8},   {"CustomCtcss", &ChannelRecord::CustomCtcss, 16},
};

std::vector<std::int16_t> InRangeValues(int width) {
  if (width == 16) return {-32768, -1, 0, 1, 17, 0x00FF, 0x0100, 2511, 32767};
  std::vector<std::int16_t> values;
  for (int v = 0; v < 1 << width; ++v) values.push_back(static_cast<std::int16_t>(v));
  return values;
}

TEST(ChannelCodec, EveryInRangeValueReadsBackWithItsNeighboursUnchanged) {
  for (const bool neighboursFull : {false, true}) {
    ChannelRecord base = Channel(7, "446");
    base.Name = std::string_view("CH7\0 ", 5);  // as a name comes back from the radio
    for (const PackedChannelField& f : kPackedFields) {
      base.*f.Field =
          static_cast<std::int16_t>(neighboursFull ? (f.Width == 16 ? -1 : (1 << f.Width) - 1) : 0);
    }
    for (const PackedChannelField& f : kPackedFields) {
      for (const std::int16_t value : InRangeValues(f.Width)) {
        ChannelRecord channel = base;
        channel.*f.Field = value;
        Configuration records = WithChannels({channel});
        const RadioImage image = Encode(records);
        Configuration decoded = records;
        GetCommDataByFrequency(image, decoded.Channels);
        const ChannelRecord* back = decoded.Channels.Find(7);
        ASSERT_NE(back, nullptr);
        ASSERT_EQ(*back, channel) << f.Name << " " << value << (neighboursFull ? ", neighbours full" : "");
      }
    }
  }
}

}  // namespace
}  // namespace hvt
