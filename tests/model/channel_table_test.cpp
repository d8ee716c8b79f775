#include "model/channel_table.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

ChannelTable TableOf(std::initializer_list<int> numbers) {
  ChannelTable table;
  for (int n : numbers) EXPECT_TRUE(AddChannel(table, CreateChannel(n, "446.1")));
  return table;
}

std::vector<int> Numbers(const ChannelTable& table) {
  std::vector<int> numbers;
  for (const ChannelRecord& c : table.Channels()) numbers.push_back(c.ChannelNumber);
  return numbers;
}

TEST(ChannelTable, NewChannelDefaults) {
  const ChannelRecord channel = NewChannelRecord(7);
  EXPECT_EQ(channel.ChannelNumber, 7);
  EXPECT_EQ(channel.InUse, 0);
  EXPECT_EQ(channel.ScanAdd, 1);
  EXPECT_EQ(channel.RxFreq.Raw(), "FFFFFFFFF");
  EXPECT_EQ(channel.TxFreq.Raw(), "000000000");
  EXPECT_EQ(channel.Step, 1);
  EXPECT_EQ(channel.EncodeDcs, 17);
  EXPECT_EQ(channel.DecodeDcs, 17);
  EXPECT_EQ(channel.CustomCtcss, 2511);
  EXPECT_EQ(channel.Name.Trimmed(), "");

  const ChannelRecord created = CreateChannel(7, "462.5625");
  EXPECT_EQ(created.InUse, 1);
  EXPECT_EQ(created.RxFreq.Raw(), "046256250");
}

TEST(ChannelTable, DeleteMovesLaterEntriesDown) {
  ChannelTable table = TableOf({5, 9, 2, 201});
  DeleteChannel(table, 9);
  EXPECT_EQ(Numbers(table), (std::vector<int>{5, 2, 201}));
  DeleteChannel(table, 77);
  EXPECT_EQ(Numbers(table), (std::vector<int>{5, 2, 201}));
}

TEST(ChannelTable, PasteOverwritesAppendsOrDeletes) {
  ChannelTable table = TableOf({5, 9});
  ChannelRecord clipboard;
  table.Find(5)->Name = "COPY";
  CopyChannel(table, clipboard, 5);
  ASSERT_EQ(clipboard.InUse, 1);

  PasteChannel(table, clipboard, 9);
  EXPECT_EQ(table.Find(9)->Name.Trimmed(), "COPY");
  EXPECT_EQ(table.Find(9)->ChannelNumber, 9);

  PasteChannel(table, clipboard, 150);
  EXPECT_EQ(Numbers(table), (std::vector<int>{5, 9, 150})) << "an absent channel is appended";

  CopyChannel(table, clipboard, 42);
  EXPECT_EQ(clipboard.InUse, 0) << "copying an absent channel empties the clipboard";
  PasteChannel(table, clipboard, 9);
  EXPECT_EQ(Numbers(table), (std::vector<int>{5, 150})) << "pasting an empty clipboard deletes";
}

TEST(ChannelTable, CutCopiesThenDeletes) {
  ChannelTable table = TableOf({5, 9});
  ChannelRecord clipboard;
  CutChannel(table, clipboard, 5);
  EXPECT_EQ(clipboard.ChannelNumber, 5);
  EXPECT_EQ(Numbers(table), (std::vector<int>{9}));
  CutChannel(table, clipboard, 5);
  EXPECT_EQ(clipboard.InUse, 0);
  EXPECT_EQ(Numbers(table), (std::vector<int>{9}));
}

TEST(ChannelTable, AddRefusesTakenNumbersAndAFullTable) {
  ChannelTable table = TableOf({5});
  EXPECT_FALSE(AddChannel(table, CreateChannel(5, "446")));
  for (int n = 1; n <= kChannelCount; ++n) {
    if (n != 5) {
      EXPECT_TRUE(AddChannel(table, CreateChannel(n, "446")));
    }
  }
  EXPECT_EQ(table.Count, kChannelCount);
  ChannelRecord clipboard = CreateChannel(1, "446");
  PasteChannel(table, clipboard, 3);
  EXPECT_EQ(table.Count, kChannelCount);
}

TEST(ChannelTable, ChannelRefMovesToTheLastNormalChannelInTableOrder) {
  struct Case {
    std::initializer_list<int> Channels;
    int Ref;
    int Repaired;
  };
  for (const Case& c : {Case{{3, 9, 4}, 8, 8}, Case{{3, 9, 4, 201}, 0, 3}, Case{{201, 202}, 6, 0},
                        Case{{}, 6, 0}, Case{{12}, 200, 11}, Case{{12}, -1, 11}}) {
    EXPECT_EQ(RepairChannelRef(TableOf(c.Channels), c.Ref), c.Repaired) << "ref " << c.Ref;
  }
}

TEST(ChannelTable, SignallingRefsMoveToTheFirstPresentCode) {
  ChannelTable table = TableOf({1, 2, 3, 4});
  const auto setSignal = [&table](int n, std::int16_t signal, std::int16_t twoTone, std::int16_t fiveTone) {
    ChannelRecord* c = table.Find(n);
    c->OptSignal = signal;
    c->TwoToneCode = twoTone;
    c->FiveToneCode = fiveTone;
  };
  setSignal(1, kSignallingTwoTone, 5, 50);   // 2-tone 5 absent
  setSignal(2, kSignallingFiveTone, 5, 50);  // 5-tone 50 absent
  setSignal(3, kSignallingFiveTone, 5, 7);   // present
  setSignal(4, kSignallingDtmf, 5, 50);      // not checked
  std::array<bool, 32> twoTone{};
  twoTone[4] = twoTone[9] = true;
  std::array<bool, 100> fiveTone{};
  fiveTone[7] = true;

  RepairSignallingRefs(table, {twoTone, fiveTone});
  EXPECT_EQ(table.Find(1)->TwoToneCode, 4);
  EXPECT_EQ(table.Find(1)->FiveToneCode, 50);
  EXPECT_EQ(table.Find(2)->FiveToneCode, 7);
  EXPECT_EQ(table.Find(3)->FiveToneCode, 7);
  EXPECT_EQ(table.Find(4)->TwoToneCode, 5);

  const std::array<bool, 32> none{};
  RepairSignallingRefs(table, {none, fiveTone});
  EXPECT_EQ(table.Find(1)->TwoToneCode, 0);
}

TEST(ChannelTable, NormalChannelChoicesAreSortedNumbers) {
  EXPECT_EQ(NormalChannelChoices(TableOf({30, 4, 201, 120})), (std::vector<std::string>{"4", "30", "120"}));
  EXPECT_EQ(NormalChannelChoices(TableOf({202})), (std::vector<std::string>{"1"}));
}

}  // namespace
}  // namespace hvt
