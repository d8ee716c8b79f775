#pragma once

// The radio's list of 128 DTMF call codes, each with a short name.

#include <array>
#include <cstdint>
#include <optional>

#include "model/fixed_text.h"
#include "model/record.h"

namespace hvt {

struct CommuBookEntry {
  std::int16_t Number = 0;  // travels with the entry when the book is sorted
  FixedText<5> Code;        // 1-5 decimal digits; a shorter code is followed by one NUL
  FixedText<7> Name;        // up to 6 of A-Z, 0-9 and blank (7 when read from a radio)

  HVT_FIELDS(Number, Code, Name)
  bool operator==(const CommuBookEntry&) const = default;
};

inline constexpr int kCommuBookEntryCount = 128;

struct CommuBook {
  std::array<CommuBookEntry, kCommuBookEntryCount> Entries{};

  HVT_FIELDS(Entries)
  bool operator==(const CommuBook&) const = default;
};

static_assert(FileSize<CommuBookEntry>() == 14);
static_assert(FileSize<CommuBook>() == 1792);

// Every entry numbered by its index, with an empty code and an empty name.
void ResetCommuBook(CommuBook& book);

// The code's value when the code is decimal digits only; an empty or other code has none.
std::optional<std::int32_t> CommuBookCodeValue(const CommuBookEntry& entry);

// Ascending by code value, entries without one last. Equal keys do not keep their relative
// order: this exact exchange order decides the bytes written to the radio.
void SortCommuBook(CommuBook& book);

}  // namespace hvt
