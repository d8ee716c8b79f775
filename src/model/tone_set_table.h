#pragma once

// The fourteen published 5-tone sets; a stored Standard is an index into this table.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace hvt {

struct ToneSet {
  std::string_view Name;
  int ToneLength;  // ms the editor proposes when the set is chosen
  // Hz per digit 0..F as shown to the user, never computed with; empty where the set has no tone.
  std::array<std::string_view, 16> Frequencies;
  bool ELine;  // the editor lists E as this set's repeat tone
};

class ToneSetTable {
 public:
  static constexpr int kCount = 14;

  static std::span<const ToneSet, kCount> All();
  static std::optional<ToneSet> At(int index);
  static std::optional<int> IndexOf(std::string_view name);
};

}  // namespace hvt
