#include "model/channel_arrangement.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "model/channel_codes.h"
#include "model/frequency.h"

namespace hvt {

namespace {

std::vector<ChannelRecord*> NormalChannels(ChannelTable& table) {
  std::vector<ChannelRecord*> channels;
  for (std::size_t i = 0; i < table.Channels().size(); ++i) {
    ChannelRecord& channel = table.Entries[i];
    if (IsNormalChannel(channel.ChannelNumber)) channels.push_back(&channel);
  }
  return channels;
}

}  // namespace

void SortChannels(ChannelTable& table, ChannelOrder order) {
  std::vector<ChannelRecord*> slots = NormalChannels(table);
  std::vector<int> numbers;
  std::vector<ChannelRecord> channels;
  for (const ChannelRecord* slot : slots) {
    numbers.push_back(slot->ChannelNumber);
    channels.push_back(*slot);
  }
  std::ranges::sort(numbers);
  std::ranges::sort(channels, {}, &ChannelRecord::ChannelNumber);
  const auto frequency = [](const ChannelRecord& c) {
    return FreqRecordValue(c.RxFreq.Raw()).value_or(std::numeric_limits<Frequency>::max());
  };
  if (order == ChannelOrder::ByFrequency) {
    std::ranges::stable_sort(channels, {}, frequency);
  } else {
    std::ranges::stable_sort(channels, [](const ChannelRecord& a, const ChannelRecord& b) {
      const std::string nameA = a.Name.Trimmed();
      const std::string nameB = b.Name.Trimmed();
      // Unnamed channels go last.
      if (nameA.empty() != nameB.empty()) return nameB.empty();
      return nameA < nameB;
    });
  }
  for (std::size_t i = 0; i < slots.size(); ++i) {
    *slots[i] = channels[i];
    slots[i]->ChannelNumber = static_cast<std::int16_t>(numbers[i]);
  }
}

bool InsertEmptyChannel(ChannelTable& table, int number) {
  if (!IsNormalChannel(number) || ChannelExists(table, kNormalChannelCount)) return false;
  for (ChannelRecord* channel : NormalChannels(table)) {
    if (channel->ChannelNumber >= number) ++channel->ChannelNumber;
  }
  return true;
}

bool RemoveChannelGap(ChannelTable& table, int number) {
  if (!IsNormalChannel(number) || ChannelExists(table, number)) return false;
  for (ChannelRecord* channel : NormalChannels(table)) {
    if (channel->ChannelNumber > number) --channel->ChannelNumber;
  }
  return true;
}

}  // namespace hvt
