// Whole reads and writes of a 200-channel configuration between the link and the virtual radio.

#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/radio_link_fixture.h"
#include "model/embedded_info.h"

namespace hvt::e2e {
namespace {

std::string BlockName(char mark, int address) {
  return std::string(1, mark) + " " + ByteToHex(static_cast<std::uint8_t>(address >> 8)) +
         ByteToHex(static_cast<std::uint8_t>(address));
}

bool InGap(int address) { return address >= 12528 && address <= 12799; }
bool InBitmaps(int address) { return address >= 6464 && address < 6528; }
bool InAbsentSlot(int address) { return address < 6400 && kAbsentChannels.contains(address / 32 + 1); }

// The conversation the radio should see for the 200-channel configuration, worked out from the
// memory map rather than from the planner.
std::vector<std::string> ExpectedConversation(char mark, bool withTestData = false) {
  std::vector<std::string> names = {"PROGRAM", "ID", "R 3B10"};
  if (mark == 'R') {
    names.push_back("R 3B20");  // the serial number, for naming the backup
    for (const int bitmap : {6464, 6480, 6496, 6512}) names.push_back(BlockName('R', bitmap));
  }
  for (int address = 0; address < memory_map::kImageSize; address += 16) {
    if (InGap(address) || InAbsentSlot(address) || (mark == 'R' && InBitmaps(address))) continue;
    names.push_back(BlockName(mark, address));
  }
  if (withTestData) {
    for (int address = 0x3F80; address <= 0x3FB0; address += 16) names.push_back(BlockName(mark, address));
  }
  names.push_back("END");
  return names;
}

std::vector<int> ImageBlocksSent(const RadioLink& link, std::uint8_t mark) {
  std::vector<int> blocks = link.BlockAddresses(mark);
  std::erase_if(blocks, [](int address) { return address >= memory_map::kImageSize; });
  return blocks;
}

// Bytes the radio held before it was written or read, in places nothing should touch.
void FillWithJunk(VirtualRadio& radio) {
  std::fill_n(radio.Memory().begin(), memory_map::kImageSize, std::uint8_t{0x5A});
}

TEST(RadioTransfer, ReadBringsTheRadiosConfigurationBack) {
  const Configuration configuration = TwoHundredChannels();
  RadioLink link;
  FillWithJunk(link.Radio);  // the empty slots and the gap keep it: a read must not need them
  link.Radio.LoadImage(Encoded(configuration));
  for (int address = 12528; address <= 12799; ++address) link.Radio.Memory()[address] = 0xA5;
  for (const int channel : kAbsentChannels) {
    std::fill_n(link.Radio.Memory().begin() + ChannelSlotAddress(channel), 32, std::uint8_t{0xA5});
  }

  ASSERT_TRUE(link.Read());

  EXPECT_EQ(link.Prompter.Texts(), Strings({kReadConfirmation, kReadSucceeded}));
  ASSERT_TRUE(link.Last().Success);
  const RadioImage& read = link.Last().Data.Image;
  const RadioImage inRadio = link.Radio.Image();
  const std::vector<int> blocks = ImageBlocksSent(link, 'R');
  for (const int address : blocks) {
    EXPECT_EQ(Slice(read, address, 16), Slice(inRadio, address, 16)) << "block " << address;
  }
  for (int address = 0; address < memory_map::kImageSize; address += 16) {
    if (std::ranges::find(blocks, address) == blocks.end()) {
      EXPECT_EQ(Slice(read, address, 16), Bytes(16, 0x00)) << "block " << address << " was not read";
    }
  }
  ExpectSameRecords(Decoded(read, configuration), configuration);
  EXPECT_EQ(link.Result.Progress.front(), 0);
  EXPECT_EQ(link.Result.Progress.back(), 99);
  EXPECT_TRUE(std::ranges::is_sorted(link.Result.Progress));
}

TEST(RadioTransfer, WriteLeavesTheEncodedImageInTheRadioAndReadsBackTheSame) {
  Configuration configuration = TwoHundredChannels();
  const RadioImage image = Encoded(configuration);
  RadioLink link;
  FillWithJunk(link.Radio);

  ASSERT_TRUE(link.Write(configuration));

  EXPECT_EQ(link.Prompter.Texts(), Strings({kWriteConfirmation, kWriteSucceeded}));
  ASSERT_TRUE(link.Last().Success);
  EXPECT_EQ(link.Result.Progress.back(), 100);
  const RadioImage inRadio = link.Radio.Image();
  const std::vector<int> blocks = ImageBlocksSent(link, 'W');
  for (int address = 0; address < memory_map::kImageSize; address += 16) {
    const bool written = std::ranges::find(blocks, address) != blocks.end();
    EXPECT_EQ(Slice(inRadio, address, 16), written ? Slice(image, address, 16) : Bytes(16, 0x5A))
        << "block " << address << (written ? " written" : " left alone");
  }

  ASSERT_TRUE(link.Read());
  ASSERT_TRUE(link.Last().Success);
  ExpectSameRecords(Decoded(link.Last().Data.Image, configuration), configuration);
}

TEST(RadioTransfer, RadioSeesBitmapsFirstNoEmptySlotAndNeverTheGap) {
  for (const char mark : {'R', 'W'}) {
    Configuration configuration = TwoHundredChannels();
    RadioLink link;
    link.Radio.LoadImage(Encoded(configuration));
    ASSERT_TRUE(mark == 'R' ? link.Read() : link.Write(configuration));
    EXPECT_EQ(Names(link.Packets()), ExpectedConversation(mark)) << mark;
  }
}

TEST(RadioTransfer, TestDataAreaFollowsTheImage) {
  TestDataArea area{};
  for (std::size_t i = 0; i < area.size(); ++i) area[i] = static_cast<std::uint8_t>(0x80 + i);

  {
    Configuration configuration = TwoHundredChannels();
    RadioLink link;
    link.Radio.LoadImage(Encoded(configuration));
    std::ranges::copy(area, link.Radio.TestDataArea().begin());
    ASSERT_TRUE(link.Read(true));
    ASSERT_TRUE(link.Last().Success);
    EXPECT_TRUE(link.Last().WithTestData);
    EXPECT_EQ(link.Last().Data.TestData, area);
    EXPECT_EQ(Names(link.Packets()), ExpectedConversation('R', true));
  }
  {
    Configuration configuration = TwoHundredChannels();
    RadioLink link;
    ASSERT_TRUE(link.Write(configuration, area));
    ASSERT_TRUE(link.Last().Success);
    EXPECT_TRUE(std::ranges::equal(link.Radio.TestDataArea(), area));
    EXPECT_EQ(Names(link.Packets()), ExpectedConversation('W', true));
  }
}

TEST(RadioTransfer, InformationReadTakesSixteenBlocksSilently) {
  RadioLink link({.Password = "1234"});  // asked for by no information read
  const auto info = link.Radio.InformationBlock();
  for (std::size_t i = 16; i < info.size(); ++i) info[i] = static_cast<std::uint8_t>(0x30 + i % 10);

  ASSERT_TRUE(link.ReadInformation());

  EXPECT_TRUE(link.Prompter.Messages.empty());
  EXPECT_TRUE(link.Result.Progress.empty());
  ASSERT_TRUE(link.Last().Success);
  std::vector<std::string> expected = {"PROGRAM", "ID"};
  for (int address = 0x3B00; address <= 0x3BF0; address += 16) expected.push_back(BlockName('R', address));
  expected.push_back("END");
  EXPECT_EQ(Names(link.Packets()), expected);
  EXPECT_TRUE(std::ranges::equal(link.Last().Data.Information, link.Radio.InformationBlock()));
  EXPECT_EQ(DecodeEmbeddedInfo(link.Last().Data.Information).Model, "HVT7300");
}

}  // namespace
}  // namespace hvt::e2e
