#include "model/channel_table.h"

#include <algorithm>

namespace hvt {

namespace {

template <class Channels>
auto FindIn(Channels channels, int number) -> decltype(channels.data()) {
  for (auto& channel : channels) {
    if (channel.ChannelNumber == number) return &channel;
  }
  return nullptr;
}

}  // namespace

ChannelRecord* ChannelTable::Find(int number) { return FindIn(Channels(), number); }

const ChannelRecord* ChannelTable::Find(int number) const { return FindIn(Channels(), number); }

bool ChannelExists(const ChannelTable& table, int number) { return table.Find(number) != nullptr; }

bool AddChannel(ChannelTable& table, const ChannelRecord& channel) {
  if (table.Count >= kChannelCount || ChannelExists(table, channel.ChannelNumber)) return false;
  table.Entries[static_cast<std::size_t>(table.Count)] = channel;
  ++table.Count;
  return true;
}

void DeleteChannel(ChannelTable& table, int number) {
  const auto channels = table.Channels();
  const auto found = std::find_if(channels.begin(), channels.end(),
                                  [number](const ChannelRecord& c) { return c.ChannelNumber == number; });
  if (found == channels.end()) return;
  std::move(found + 1, channels.end(), found);
  --table.Count;
}

void CopyChannel(const ChannelTable& table, ChannelRecord& clipboard, int number) {
  const ChannelRecord* channel = table.Find(number);
  if (channel != nullptr && channel->InUse == 1) {
    clipboard = *channel;
  } else {
    clipboard.InUse = 0;
  }
}

void PasteChannel(ChannelTable& table, const ChannelRecord& clipboard, int number) {
  if (clipboard.InUse != 1) {
    DeleteChannel(table, number);
    return;
  }
  ChannelRecord pasted = clipboard;
  pasted.ChannelNumber = static_cast<std::int16_t>(number);
  if (ChannelRecord* existing = table.Find(number)) {
    *existing = pasted;
  } else {
    AddChannel(table, pasted);
  }
}

void CutChannel(ChannelTable& table, ChannelRecord& clipboard, int number) {
  CopyChannel(table, clipboard, number);
  if (clipboard.InUse == 1) DeleteChannel(table, number);
}

int RepairChannelRef(const ChannelTable& table, int ref) {
  if (IsNormalChannel(ref + 1) && ChannelExists(table, ref + 1)) return ref;
  int repaired = 0;
  for (const ChannelRecord& channel : table.Channels()) {
    if (IsNormalChannel(channel.ChannelNumber)) repaired = channel.ChannelNumber - 1;
  }
  return repaired;
}

int FirstPresentCode(std::span<const bool> present) {
  const auto found = std::find(present.begin(), present.end(), true);
  return found == present.end() ? 0 : static_cast<int>(found - present.begin());
}

namespace {

void RepairRef(std::int16_t& code, std::span<const bool> present) {
  const bool valid =
      code >= 0 && static_cast<std::size_t>(code) < present.size() && present[static_cast<std::size_t>(code)];
  if (!valid) code = static_cast<std::int16_t>(FirstPresentCode(present));
}

}  // namespace

void RepairSignallingRefs(ChannelTable& table, const CodePresence& presence) {
  for (ChannelRecord& channel : table.Channels()) {
    if (channel.OptSignal == kSignallingTwoTone) RepairRef(channel.TwoToneCode, presence.TwoTone);
    if (channel.OptSignal == kSignallingFiveTone) RepairRef(channel.FiveToneCode, presence.FiveTone);
  }
}

std::vector<std::string> NormalChannelChoices(const ChannelTable& table) {
  std::vector<int> numbers;
  for (const ChannelRecord& channel : table.Channels()) {
    if (IsNormalChannel(channel.ChannelNumber)) numbers.push_back(channel.ChannelNumber);
  }
  std::sort(numbers.begin(), numbers.end());
  std::vector<std::string> choices;
  for (int number : numbers) choices.push_back(std::to_string(number));
  if (choices.empty()) choices.emplace_back("1");
  return choices;
}

}  // namespace hvt
