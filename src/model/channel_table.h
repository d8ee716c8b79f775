#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/channel_codes.h"
#include "model/channel_record.h"

namespace hvt {

// The channels that exist are entries 0 .. Count - 1, each number at most once, in no guaranteed
// order. Entries from Count on keep whatever they held: files store all of them.
struct ChannelTable {
  std::array<ChannelRecord, kChannelCount> Entries{};
  std::int16_t Count = 0;

  // A count outside 0-203 never reaches here from a file; the clamp keeps any other path in bounds.
  std::span<ChannelRecord> Channels() { return {Entries.data(), InUseCount()}; }
  std::span<const ChannelRecord> Channels() const { return {Entries.data(), InUseCount()}; }

  ChannelRecord* Find(int number);
  const ChannelRecord* Find(int number) const;

  bool operator==(const ChannelTable&) const = default;

 private:
  std::size_t InUseCount() const {
    return static_cast<std::size_t>(std::clamp<int>(Count, 0, kChannelCount));
  }
};

bool ChannelExists(const ChannelTable& table, int number);

// Appends the channel; false when the table is full or the number is taken.
bool AddChannel(ChannelTable& table, const ChannelRecord& channel);

// Removes the first entry with the number, moving the later ones down; nothing when absent.
void DeleteChannel(ChannelTable& table, int number);

// The clipboard's InUse tells whether it holds a channel.
void CopyChannel(const ChannelTable& table, ChannelRecord& clipboard, int number);
void PasteChannel(ChannelTable& table, const ChannelRecord& clipboard, int number);
void CutChannel(ChannelTable& table, ChannelRecord& clipboard, int number);

// A 0-based reference to a normal channel, moved to the last normal channel in table order
// (or 0) when its channel does not exist.
int RepairChannelRef(const ChannelTable& table, int ref);

// Which entries of a signalling code list are present.
struct CodePresence {
  std::span<const bool> TwoTone;
  std::span<const bool> FiveTone;
};

// The first present entry, or 0 when none is.
int FirstPresentCode(std::span<const bool> present);

// Channels whose optional signalling points at an absent 2-tone or 5-tone entry get the first
// present one instead, both in one pass.
void RepairSignallingRefs(ChannelTable& table, const CodePresence& presence);

// Numbers of the existing normal channels as text, ascending; "1" alone when there are none.
std::vector<std::string> NormalChannelChoices(const ChannelTable& table);

}  // namespace hvt
