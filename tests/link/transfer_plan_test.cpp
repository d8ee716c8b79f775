#include "link/transfer_plan.h"

#include <gtest/gtest.h>

#include "support/channel_tables.h"

namespace hvt {
namespace {

RadioImage ImageWithChannelsInUse(std::initializer_list<int> numbers) {
  RadioImage image;
  for (const int n : numbers) {
    const ChannelBit bit = ChannelBitOf(memory_map::kInUseBitmap, n);
    image[static_cast<std::size_t>(bit.Address)] |= bit.Mask;
  }
  return image;
}

TEST(TransferPlan, FirstRangesAreTheBitmapsThenDone) {
  TransferPlan plan;
  plan.StartReadPlan();
  struct Case {
    std::int32_t Address;
    std::int32_t Next;
  };
  const Case cases[] = {
      {0, 6464},     // the first step of a read
      {6480, 6480},  // inside the bitmaps
      {6512, 6512},  // last bitmap block
      {6528, TransferPlan::kFirstRangesDone},
  };
  for (const Case& c : cases) EXPECT_EQ(plan.NextAddress(c.Address), c.Next) << c.Address;
}

TEST(TransferPlan, WritePlanJoinsRunsOfAbsentChannels) {
  TransferPlan plan;
  plan.BuildWritePlan(NumberedChannels({1, 2, 200}));

  EXPECT_EQ(plan.SkipList(), (std::vector<AddressRange>{{12528, 12799}, {64, 6367}}));
  struct Case {
    std::int32_t Address;
    std::int32_t Next;
  };
  const Case cases[] = {
      {48, 48}, {64, 6368}, {1000, 6368}, {6384, 6384}, {6464, 6464}, {12528, 12800}, {12784, 12800},
  };
  for (const Case& c : cases) EXPECT_EQ(plan.NextAddress(c.Address), c.Next) << c.Address;
  EXPECT_EQ(plan.TotalBlocks(), 810 - 17 - 394);
}

TEST(TransferPlan, ReadPlanSkipsTheBitmapsAndSlotsNotInUse) {
  TransferPlan plan;
  plan.StartReadPlan();
  plan.BuildReadPlan(ImageWithChannelsInUse({1, 2, 200}));

  EXPECT_EQ(plan.SkipList(), (std::vector<AddressRange>{{12528, 12799}, {64, 6367}, {6464, 6527}}));
  EXPECT_EQ(plan.NextAddress(6464), 6528);
  EXPECT_EQ(plan.TotalBlocks(), 810 - 17 - 394 - 4);
}

TEST(TransferPlan, BlockCountsOfFullAndEmptyConfigurations) {
  RadioImage allInUse;
  for (int i = 0; i < 25; ++i) allInUse[static_cast<std::size_t>(memory_map::kInUseBitmap + i)] = 0xFF;
  TransferPlan readAll;
  readAll.StartReadPlan();
  readAll.BuildReadPlan(allInUse);
  TransferPlan readNone;
  readNone.StartReadPlan();
  readNone.BuildReadPlan(RadioImage{});
  TransferPlan writeAll;
  writeAll.BuildWritePlan(AllNormalChannels());
  TransferPlan writeNone;
  writeNone.BuildWritePlan(ChannelTable{});

  EXPECT_EQ(readAll.TotalBlocks(), 789);
  EXPECT_EQ(writeAll.TotalBlocks(), 793);
  EXPECT_EQ(readNone.TotalBlocks(), 810 - 17 - 4 - 400);
  EXPECT_EQ(writeNone.TotalBlocks(), 810 - 17 - 400);
}

TEST(TransferPlan, RangesThatTouchWithoutBeingJoinedAreBothSkipped) {
  TransferPlan plan;
  plan.BuildWritePlan(AllNormalChannels());
  plan.AddSkipRange(6464, 64);
  plan.AddSkipRange(6400, 64);  // ends right before the previous range, so it is not joined
  EXPECT_EQ(plan.SkipList().size(), 3U);
  EXPECT_EQ(plan.NextAddress(6400), 6528);
}

TEST(TransferPlan, SequentialPlanTakesEveryAddress) {
  TransferPlan plan;
  plan.StartSequentialPlan();
  EXPECT_EQ(plan.NextAddress(0x3B00), 0x3B00);
  EXPECT_EQ(plan.NextAddress(0x3BF0), 0x3BF0);
}

}  // namespace
}  // namespace hvt
