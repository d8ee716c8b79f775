#include "editors/channel_choices.h"

#include <gtest/gtest.h>

#include <vector>

namespace hvt {
namespace {

TEST(ChannelNumberChoices, PresentChannelsUpToTheHighestAscending) {
  const struct {
    std::vector<int> Present;
    int Highest;
    std::vector<ListEntry> Expected;
  } cases[] = {
      {{30, 4, 201, 120, 203}, 200, {{"4", 4}, {"30", 30}, {"120", 120}}},
      {{200, 199, 1}, 200, {{"1", 1}, {"199", 199}, {"200", 200}}},
      {{200, 199, 1}, 199, {{"1", 1}, {"199", 199}}},
      {{201, 202}, 200, {{"1", 1}}},
      {{}, 200, {{"1", 1}}},
  };
  for (const auto& c : cases) {
    ChannelTable table;
    for (const int number : c.Present) ASSERT_TRUE(AddChannel(table, CreateChannel(number, "446.1")));
    const ChoiceList list = ChannelNumberChoices(table, c.Highest);
    EXPECT_EQ(list.Entries, c.Expected) << testing::PrintToString(c.Present) << " up to " << c.Highest;
    EXPECT_FALSE(list.HasSelection());
  }
}

}  // namespace
}  // namespace hvt
