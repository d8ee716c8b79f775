#include "model/commu_book.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "model/text.h"

namespace hvt {

namespace {

// Above every code of five digits.
constexpr std::int32_t kNoValueKey = 100000;

constexpr std::string_view kEmptyText("\0", 1);

std::int32_t SortKey(const CommuBookEntry& entry) { return CommuBookCodeValue(entry).value_or(kNoValueKey); }

}  // namespace

void ResetCommuBook(CommuBook& book) {
  for (std::size_t i = 0; i < book.Entries.size(); ++i) {
    CommuBookEntry& entry = book.Entries[i];
    entry.Number = static_cast<std::int16_t>(i);
    entry.Code = kEmptyText;
    entry.Name = kEmptyText;
  }
}

std::optional<std::int32_t> CommuBookCodeValue(const CommuBookEntry& entry) {
  const std::string_view code = TextTrim(entry.Code.Raw());
  if (code.empty() || !std::ranges::all_of(code, [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  std::int32_t value = 0;
  for (char c : code) value = value * 10 + (c - '0');
  return value;
}

void SortCommuBook(CommuBook& book) {
  // The exchange sort the radio's own software uses: its order of equal keys is part of the file.
  auto& entries = book.Entries;
  std::array<std::int32_t, kCommuBookEntryCount> keys{};
  std::ranges::transform(entries, keys.begin(), SortKey);
  for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
    for (std::size_t j = i + 1; j < entries.size(); ++j) {
      if (keys[j] < keys[i]) {
        std::swap(entries[i], entries[j]);
        std::swap(keys[i], keys[j]);
      }
    }
  }
}

}  // namespace hvt
