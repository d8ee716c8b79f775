#include "model/band.h"

#include <cassert>

namespace hvt {

std::optional<BandVariant> BandVariantFromNumber(int number) {
  if (number == 0) return BandVariant::Restricted;
  if (number == 1) return BandVariant::Full;
  return std::nullopt;
}

std::string_view BandText(BandVariant variant) {
  if (variant == BandVariant::Restricted) {
    return "UHF{Rx(400 - 490 MHz) Tx(420 - 450 MHz)} VHF{Rx(136 - 174 MHz) Tx(144 - 148 MHz)}";
  }
  return "UHF{Rx(400 - 490 MHz) Tx(400 - 490 MHz)} VHF{Rx(136 - 174 MHz) Tx(136 - 174 MHz)}";
}

std::string BandTextTwoLines(int variant) {
  const std::optional<BandVariant> band = BandVariantFromNumber(variant);
  if (!band) return {};
  std::string text(BandText(*band));
  const auto vhf = text.find(" VHF");
  if (vhf != std::string::npos) text.replace(vhf, 1, "\r\n");
  return text;
}

namespace {

std::optional<std::string_view> Between(std::string_view text, std::string_view open, char close) {
  const auto start = text.find(open);
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start + open.size());
  const auto end = text.find(close);
  if (end == std::string_view::npos) return std::nullopt;
  return text.substr(0, end);
}

// "400 - 490 MHz": the minimum before the first blank, the maximum between the second and third.
std::optional<FrequencyRange> ParseRange(std::string_view text) {
  const auto first = text.find(' ');
  const auto second = first == std::string_view::npos ? first : text.find(' ', first + 1);
  const auto third = second == std::string_view::npos ? second : text.find(' ', second + 1);
  if (third == std::string_view::npos) return std::nullopt;
  const auto min = ParseMHz(text.substr(0, first));
  const auto max = ParseMHz(text.substr(second + 1, third - second - 1));
  if (!min || !max) return std::nullopt;
  return FrequencyRange{*min, *max};
}

}  // namespace

std::optional<BandLimits> ParseBandText(std::string_view text) {
  BandLimits limits;
  const std::array<std::string_view, kBandRows> names = {"UHF", "VHF"};
  for (int row = 0; row < kBandRows; ++row) {
    const auto rowText = Between(text, std::string(names[row]) + "{", '}');
    if (!rowText) return std::nullopt;
    const auto rx = Between(*rowText, "Rx(", ')');
    const auto tx = Between(*rowText, "Tx(", ')');
    if (!rx || !tx) return std::nullopt;
    const auto rxRange = ParseRange(*rx);
    const auto txRange = ParseRange(*tx);
    if (!rxRange || !txRange) return std::nullopt;
    limits.Rx[row] = *rxRange;
    limits.Tx[row] = *txRange;
  }
  return limits;
}

BandLimits LimitsOf(BandVariant variant) {
  const auto limits = ParseBandText(BandText(variant));
  assert(limits);
  return *limits;
}

int RxBandRow(const BandLimits& limits, Frequency frequency) {
  for (int row = 0; row < kBandRows; ++row) {
    if (limits.Rx[row].Contains(frequency)) return row;
  }
  return kUhfRow;
}

}  // namespace hvt
