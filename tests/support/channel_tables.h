#pragma once

// Channel tables whose channels carry only their numbers, for code that looks at no other field.

#include <gtest/gtest.h>

#include <set>

#include "model/channel_codes.h"
#include "model/channel_table.h"

namespace hvt {

inline ChannelTable NumberedChannels(const std::set<int>& numbers) {
  ChannelTable table;
  for (const int n : numbers) {
    ChannelRecord channel;
    channel.ChannelNumber = static_cast<std::int16_t>(n);
    EXPECT_TRUE(AddChannel(table, channel)) << n;
  }
  return table;
}

inline ChannelTable AllNormalChannels() {
  std::set<int> numbers;
  for (int n = 1; n <= kNormalChannelCount; ++n) numbers.insert(n);
  return NumberedChannels(numbers);
}

}  // namespace hvt
