#include "model/decimal_text.h"

#include <cstdlib>

namespace hvt {

namespace {

constexpr std::int64_t kSaturation = 1'000'000'000'000'000;  // 10^15

std::int64_t PowerOfTen(int exponent) {
  std::int64_t result = 1;
  for (int i = 0; i < exponent; ++i) result *= 10;
  return result;
}

struct DecimalParts {
  bool Negative = false;
  std::string_view Whole;
  std::string_view Fraction;
};

std::optional<DecimalParts> Split(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);

  DecimalParts parts;
  if (text.front() == '+' || text.front() == '-') {
    parts.Negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto point = text.find('.');
  parts.Whole = text.substr(0, point);
  parts.Fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  const auto allDigits = [](std::string_view digits) {
    return digits.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!allDigits(parts.Whole) || !allDigits(parts.Fraction)) return std::nullopt;
  if (parts.Whole.empty() && parts.Fraction.empty()) return std::nullopt;
  return parts;
}

}  // namespace

bool IsNumeric(std::string_view text) { return Split(text).has_value(); }

std::optional<std::int64_t> ParseScaled(std::string_view text, int decimals) {
  const auto parts = Split(text);
  if (!parts) return std::nullopt;

  std::int64_t magnitude = 0;
  bool saturated = false;
  const auto append = [&](char digit) {
    if (magnitude > (kSaturation - 9) / 10) {
      saturated = true;
    } else {
      magnitude = magnitude * 10 + (digit - '0');
    }
  };
  for (char digit : parts->Whole) append(digit);
  for (int i = 0; i < decimals; ++i) {
    append(i < static_cast<int>(parts->Fraction.size()) ? parts->Fraction[static_cast<std::size_t>(i)] : '0');
  }
  if (saturated) {
    magnitude = kSaturation;
  } else if (static_cast<int>(parts->Fraction.size()) > decimals &&
             parts->Fraction[static_cast<std::size_t>(decimals)] >= '5') {
    ++magnitude;
  }
  return parts->Negative ? -magnitude : magnitude;
}

std::string FormatScaled(std::int64_t value, int decimals, int integerDigits) {
  const std::int64_t scale = PowerOfTen(decimals);
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string whole = std::to_string(magnitude / static_cast<std::uint64_t>(scale));
  if (static_cast<int>(whole.size()) < integerDigits) {
    whole.insert(0, static_cast<std::size_t>(integerDigits) - whole.size(), '0');
  }
  std::string text = value < 0 ? "-" + whole : whole;
  if (decimals > 0) {
    std::string fraction = std::to_string(magnitude % static_cast<std::uint64_t>(scale));
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    text += "." + fraction;
  }
  return text;
}

std::int64_t RoundHalfEven(std::int64_t value, int decimals) {
  const std::int64_t scale = PowerOfTen(decimals);
  const std::int64_t magnitude = std::llabs(value);
  std::int64_t whole = magnitude / scale;
  const std::int64_t rest = magnitude % scale;
  if (rest * 2 > scale || (rest * 2 == scale && whole % 2 == 1)) ++whole;
  return value < 0 ? -whole : whole;
}

}  // namespace hvt
