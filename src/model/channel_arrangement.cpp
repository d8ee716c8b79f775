#include "model/channel_arrangement.h"

#include <algorithm>
#include <limits>
#include <ranges>
#include <string>

#include "model/channel_codes.h"
#include "model/frequency.h"

namespace hvt {

namespace {

std::vector<ChannelRecord*> NormalChannels(ChannelTable& table) {
  std::vector<ChannelRecord*> channels;
  for (ChannelRecord& channel : table.Channels()) {
    if (IsNormalChannel(channel.ChannelNumber)) channels.push_back(&channel);
  }
  return channels;
}

// Gives every normal channel the number `moves` sends it to.
void Renumber(ChannelTable& table, const ChannelMoves& moves) {
  for (ChannelRecord* channel : NormalChannels(table)) {
    channel->ChannelNumber = static_cast<std::int16_t>(moves.To(channel->ChannelNumber));
  }
}

// A stored reference `ref` (the number less `base`) to the channel's new number.
template <class Field>
void Follow(Field& ref, int base, const ChannelMoves& moves) {
  ref = static_cast<Field>(moves.To(ref + base) - base);
}

}  // namespace

ChannelMoves::ChannelMoves() {
  for (int number = 0; number <= kNormalChannelCount; ++number) {
    to_[static_cast<std::size_t>(number)] = static_cast<std::int16_t>(number);
  }
}

int ChannelMoves::To(int number) const {
  return IsNormalChannel(number) ? to_[static_cast<std::size_t>(number)] : number;
}

bool ChannelMoves::Any() const {
  for (int number = 1; number <= kNormalChannelCount; ++number) {
    if (To(number) != number) return true;
  }
  return false;
}

void ChannelMoves::Record(int from, int to) {
  if (IsNormalChannel(from) && IsNormalChannel(to))
    to_[static_cast<std::size_t>(from)] = static_cast<std::int16_t>(to);
}

ChannelMoves SortChannels(ChannelTable& table, ChannelOrder order) {
  std::vector<ChannelRecord> channels;
  for (const ChannelRecord* channel : NormalChannels(table)) channels.push_back(*channel);
  std::vector<int> numbers;
  for (const ChannelRecord& channel : channels) numbers.push_back(channel.ChannelNumber);
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
  ChannelMoves moves;
  for (std::size_t i = 0; i < channels.size(); ++i) moves.Record(channels[i].ChannelNumber, numbers[i]);
  Renumber(table, moves);
  return moves;
}

ChannelMoves InsertEmptyChannel(ChannelTable& table, int number) {
  ChannelMoves moves;
  if (!IsNormalChannel(number) || ChannelExists(table, kNormalChannelCount)) return moves;
  for (int from = number; from < kNormalChannelCount; ++from) moves.Record(from, from + 1);
  Renumber(table, moves);
  return moves;
}

ChannelMoves RemoveChannelGap(ChannelTable& table, int number) {
  ChannelMoves moves;
  if (!IsNormalChannel(number) || ChannelExists(table, number)) return moves;
  for (int from = number + 1; from <= kNormalChannelCount; ++from) moves.Record(from, from - 1);
  Renumber(table, moves);
  return moves;
}

ChannelMoves MoveChannels(ChannelTable& table, const std::vector<int>& numbers, int step) {
  std::array<bool, kNormalChannelCount + 1> chosen{};
  for (const int number : numbers) {
    if (IsNormalChannel(number)) chosen[static_cast<std::size_t>(number)] = true;
  }
  const auto first = std::ranges::find(chosen, true);
  const auto last = std::ranges::find(chosen | std::views::reverse, true);
  if (first == chosen.end() || step == 0) return {};
  const int lowest = static_cast<int>(first - chosen.begin());
  const int highest = kNormalChannelCount - static_cast<int>(last - chosen.rbegin());
  if (!IsNormalChannel(lowest + step) || !IsNormalChannel(highest + step)) return {};

  // slot[n] is the number whose channel ends up on n; one number at a time, the block passes each
  // neighbour, which drops into the place behind it.
  std::array<int, kNormalChannelCount + 1> slot{};
  for (int number = 0; number <= kNormalChannelCount; ++number)
    slot[static_cast<std::size_t>(number)] = number;
  const int direction = step > 0 ? 1 : -1;
  for (int moved = 0; moved != step; moved += direction) {
    std::array<bool, kNormalChannelCount + 1> next{};
    for (int i = 0; i < kNormalChannelCount; ++i) {
      const int number = direction < 0 ? i + 1 : kNormalChannelCount - i;
      if (!chosen[static_cast<std::size_t>(number)]) continue;
      std::swap(slot[static_cast<std::size_t>(number)], slot[static_cast<std::size_t>(number + direction)]);
      next[static_cast<std::size_t>(number + direction)] = true;
    }
    chosen = next;
  }
  ChannelMoves moves;
  for (int number = 1; number <= kNormalChannelCount; ++number) {
    moves.Record(slot[static_cast<std::size_t>(number)], number);
  }
  Renumber(table, moves);
  return moves;
}

void FollowChannelMoves(Configuration& configuration, const ChannelMoves& moves) {
  Follow(configuration.Options.MemoryChannelA, 1, moves);
  Follow(configuration.Options.MemoryChannelB, 1, moves);
  ScanSettings& scan = configuration.Scan;
  for (std::uint8_t* priority : {&scan.Priority1Group1, &scan.Priority2Group1, &scan.Priority1Group2,
                                 &scan.Priority2Group2, &scan.Priority1Group3, &scan.Priority2Group3}) {
    Follow(*priority, 1, moves);
  }
  Follow(configuration.Alert.EmergencyChannel, 0, moves);
}

}  // namespace hvt
