#include "editors/channel_choices.h"

#include <algorithm>
#include <string>
#include <vector>

namespace hvt {

ChoiceList ChannelNumberChoices(const ChannelTable& table, int highest) {
  std::vector<int> numbers;
  for (const ChannelRecord& channel : table.Channels()) {
    if (channel.ChannelNumber >= 1 && channel.ChannelNumber <= highest)
      numbers.push_back(channel.ChannelNumber);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  if (numbers.empty()) numbers.push_back(1);

  ChoiceList list;
  for (const int number : numbers) list.Entries.push_back({std::to_string(number), number});
  return list;
}

}  // namespace hvt
