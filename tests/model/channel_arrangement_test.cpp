#include "model/channel_arrangement.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/frequency.h"

namespace hvt {
namespace {

// Channels as (number, receive MHz, name).
struct Plan {
  int Number;
  const char* Rx;
  const char* Name;

  bool operator==(const Plan& other) const {
    return Number == other.Number && std::string(Rx) == other.Rx && std::string(Name) == other.Name;
  }
};

ChannelTable TableOf(std::initializer_list<Plan> plans) {
  ChannelTable table;
  for (const Plan& plan : plans) {
    ChannelRecord channel = CreateChannel(plan.Number, plan.Rx);
    channel.Name = plan.Name;
    EXPECT_TRUE(AddChannel(table, channel));
  }
  return table;
}

// Number order, special channels included, with the values as they print.
std::vector<std::pair<int, std::string>> Listing(const ChannelTable& table) {
  std::vector<std::pair<int, std::string>> listing;
  for (const ChannelRecord& c : table.Channels()) {
    listing.emplace_back(c.ChannelNumber, FreqRecordToText(c.RxFreq.Raw()).Text + " " + c.Name.Trimmed());
  }
  std::ranges::sort(listing);
  return listing;
}

TEST(ChannelArrangement, SortingKeepsTheOccupiedNumbersAndTheSpecialChannels) {
  const ChannelTable table =
      TableOf({{1, "446.2", "B"}, {3, "146.5", ""}, {7, "446.1", "A"}, {201, "440", "V1"}});
  ChannelTable byFrequency = table;
  SortChannels(byFrequency, ChannelOrder::ByFrequency);
  EXPECT_EQ(Listing(byFrequency),
            (std::vector<std::pair<int, std::string>>{
                {1, "146.50000 "}, {3, "446.10000 A"}, {7, "446.20000 B"}, {201, "440.00000 V1"}}));
  ChannelTable byName = table;
  SortChannels(byName, ChannelOrder::ByName);
  EXPECT_EQ(Listing(byName),
            (std::vector<std::pair<int, std::string>>{
                {1, "446.10000 A"}, {3, "446.20000 B"}, {7, "146.50000 "}, {201, "440.00000 V1"}}))
      << "unnamed channels last";
}

TEST(ChannelArrangement, AGapOpensAndClosesWithinTheNormalChannels) {
  ChannelTable table = TableOf({{1, "446.1", "A"}, {2, "446.2", "B"}, {5, "446.5", "C"}, {202, "440", "V2"}});
  ASSERT_TRUE(InsertEmptyChannel(table, 2));
  EXPECT_EQ(Listing(table),
            (std::vector<std::pair<int, std::string>>{
                {1, "446.10000 A"}, {3, "446.20000 B"}, {6, "446.50000 C"}, {202, "440.00000 V2"}}));
  EXPECT_FALSE(RemoveChannelGap(table, 3)) << "channel 3 is in use";
  ASSERT_TRUE(RemoveChannelGap(table, 2));
  ASSERT_TRUE(RemoveChannelGap(table, 3));
  EXPECT_EQ(Listing(table),
            (std::vector<std::pair<int, std::string>>{
                {1, "446.10000 A"}, {2, "446.20000 B"}, {4, "446.50000 C"}, {202, "440.00000 V2"}}));

  ChannelTable full = TableOf({{1, "446.1", "A"}, {200, "446.2", "B"}});
  const ChannelTable before = full;
  EXPECT_FALSE(InsertEmptyChannel(full, 1)) << "channel 200 would fall off the end";
  EXPECT_FALSE(InsertEmptyChannel(full, 201));
  EXPECT_EQ(full, before);
}

TEST(ChannelArrangement, SelectedChannelsMoveAsABlockAndTheOthersFillTheirPlaces) {
  using Listed = std::vector<std::pair<int, std::string>>;
  const ChannelTable table = TableOf(
      {{1, "446.1", "A"}, {2, "446.2", "B"}, {3, "446.3", "C"}, {5, "446.5", "E"}, {201, "440", "V1"}});
  struct Case {
    std::string What;
    std::vector<int> Numbers;
    int Step;
    Listed Expected;  // empty when refused
  };
  const std::vector<Case> cases = {
      {"one up", {2}, -1, {{1, "446.20000 B"}, {2, "446.10000 A"}, {3, "446.30000 C"}, {5, "446.50000 E"}}},
      {"a block down past a gap",
       {2, 3},
       2,
       {{1, "446.10000 A"}, {4, "446.20000 B"}, {5, "446.30000 C"}, {3, "446.50000 E"}}},
      {"scattered rows keep their distances",
       {1, 3},
       1,
       {{2, "446.10000 A"}, {1, "446.20000 B"}, {4, "446.30000 C"}, {5, "446.50000 E"}}},
      {"an empty number moves as a gap",
       {4},
       -2,
       {{1, "446.10000 A"}, {3, "446.20000 B"}, {4, "446.30000 C"}, {5, "446.50000 E"}}},
      {"not past channel 1", {1, 2}, -1, {}},
      {"not past channel 200", {5}, 196, {}},
      {"special channels stay", {201}, -1, {}},
  };
  for (const Case& c : cases) {
    ChannelTable moved = table;
    const ChannelMoves moves = MoveChannels(moved, c.Numbers, c.Step);
    if (c.Expected.empty()) {
      EXPECT_FALSE(moves) << c.What;
      EXPECT_EQ(moved, table) << c.What;
      continue;
    }
    Listed expected = c.Expected;
    expected.emplace_back(201, "440.00000 V1");
    std::ranges::sort(expected);
    EXPECT_EQ(Listing(moved), expected) << c.What;
  }
}

TEST(ChannelArrangement, SettingsThatNameAChannelFollowIt) {
  Configuration configuration;
  configuration.Channels = TableOf({{1, "446.1", "A"}, {2, "446.2", "B"}, {3, "446.3", "C"}});
  configuration.Options.MemoryChannelA = 0;  // channel 1
  configuration.Options.MemoryChannelB = 2;  // channel 3
  configuration.Scan.Priority1Group1 = 1;    // channel 2
  configuration.Alert.EmergencyChannel = 3;
  const ChannelMoves moves = SortChannels(configuration.Channels, ChannelOrder::ByName);
  EXPECT_FALSE(moves) << "already in order";
  FollowChannelMoves(configuration, MoveChannels(configuration.Channels, {3}, -2));
  EXPECT_EQ(configuration.Options.MemoryChannelA, 1);
  EXPECT_EQ(configuration.Options.MemoryChannelB, 0);
  EXPECT_EQ(configuration.Scan.Priority1Group1, 2);
  EXPECT_EQ(configuration.Alert.EmergencyChannel, 1);
  FollowChannelMoves(configuration, InsertEmptyChannel(configuration.Channels, 1));
  EXPECT_EQ(configuration.Alert.EmergencyChannel, 2);
  EXPECT_EQ(configuration.Options.MemoryChannelB, 1);
}

}  // namespace
}  // namespace hvt
