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

}  // namespace
}  // namespace hvt
