#pragma once

// Decimal text held exactly as scaled integers, with "." as the only decimal separator,
// whatever the user's locale: no binary floating point touches a frequency.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hvt {

// Blanks around, an optional sign, digits with at most one ".", at least one digit.
bool IsNumeric(std::string_view text);

// The value times 10^decimals, rounded half away from zero. Magnitudes beyond what any field
// can hold saturate, so an absurd number still compares as out of every range.
std::optional<std::int64_t> ParseScaled(std::string_view text, int decimals);

// value / 10^decimals with exactly `decimals` decimals and at least `integerDigits` integer
// digits, zero-filled: FormatScaled(46256250, 5, 3) is "462.56250", (-5, 1, 1) is "-0.5".
std::string FormatScaled(std::int64_t value, int decimals, int integerDigits);

// Rounds value / 10^decimals to a whole number, halves to the even number.
std::int64_t RoundHalfEven(std::int64_t value, int decimals);

}  // namespace hvt
