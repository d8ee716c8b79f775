#include "model/frequency_checks.h"

#include <array>
#include <cstdlib>
#include <optional>

#include "model/decimal_text.h"

namespace hvt {

namespace {

constexpr Frequency kMaxOffset = 80 * 100'000;

// The candidate nearest to value; the earlier one on equal distance.
template <std::size_t N>
Frequency Nearest(Frequency value, const std::array<Frequency, N>& candidates) {
  Frequency best = candidates[0];
  for (Frequency candidate : candidates) {
    if (std::llabs(candidate - value) < std::llabs(best - value)) best = candidate;
  }
  return best;
}

CheckedFrequency ClampToTx(Frequency value, const FrequencyRange& tx) {
  if (tx.Contains(value)) return {.Text = FormatMHzThreeDigits(value)};
  return {.Text = FormatMHzThreeDigits(Nearest(value, std::array{tx.Min, tx.Max})),
          .OutOfRangeWarning = true};
}

}  // namespace

CheckedFrequency ValidateRx(std::string_view text, std::string_view previousRecord,
                            const BandLimits& limits) {
  const Frequency previous = FreqRecordValue(previousRecord).value_or(0);
  const auto value = ParseMHz(text);
  if (value && (limits.Rx[kUhfRow].Contains(*value) || limits.Rx[kVhfRow].Contains(*value))) {
    return {.Text = FormatMHzThreeDigits(*value)};
  }
  Frequency fallback = previous;
  if (previous == 0) {
    fallback = value ? Nearest(*value, std::array{limits.Rx[kUhfRow].Min, limits.Rx[kUhfRow].Max,
                                                  limits.Rx[kVhfRow].Min, limits.Rx[kVhfRow].Max})
                     : limits.Rx[kUhfRow].Min;
  }
  return {.Text = FormatMHzThreeDigits(fallback), .OutOfRangeWarning = true};
}

CheckedFrequency ValidateTx(std::string_view text, std::string_view rxRecord, const BandLimits& limits) {
  const Frequency rx = FreqRecordValue(rxRecord).value_or(0);
  const FrequencyRange& tx = limits.Tx[RxBandRow(limits, rx)];
  const auto value = ParseMHz(text);
  if (!value) return {.Text = FormatMHzThreeDigits(tx.Min), .OutOfRangeWarning = true};
  return ClampToTx(*value, tx);
}

CheckedOffset OffsetFromText(std::string_view text, std::string_view rxText, int direction,
                             const BandLimits& limits) {
  const auto offset = ParseMHz(text);
  const auto rx = ParseMHz(rxText);
  if (!offset || !rx) return {.Text = FormatMHz(0), .Direction = direction};
  if (direction == kOffsetOff) return {.Text = FormatMHz(*offset), .Direction = direction};

  const Frequency wanted = direction == kOffsetPlus ? *rx + *offset : *rx - *offset;
  const FrequencyRange& txRange = limits.Tx[RxBandRow(limits, *rx)];
  const CheckedFrequency tx = ClampToTx(wanted, txRange);
  const Frequency txValue = *ParseMHz(tx.Text);

  CheckedOffset result{.Direction = direction, .OutOfRangeWarning = tx.OutOfRangeWarning};
  if (txValue > *rx) result.Direction = kOffsetPlus;
  if (txValue < *rx) result.Direction = kOffsetMinus;
  Frequency distance = std::llabs(txValue - *rx);
  if (RoundHalfEven(distance, kMHzDecimals) > 80) distance = kMaxOffset;
  result.Text = FormatMHz(distance);
  return result;
}

bool SameBand(std::string_view rxText, std::string_view txText, const BandLimits& limits) {
  const auto rx = ParseMHz(rxText);
  const auto tx = ParseMHz(txText);
  std::optional<int> rxRow;
  std::optional<int> txRow;
  for (int row = kBandRows - 1; row >= 0; --row) {
    if (rx && limits.Rx[row].Contains(*rx)) rxRow = row;
    if (tx && limits.Tx[row].Contains(*tx)) txRow = row;
  }
  return rxRow && txRow && *rxRow == *txRow;
}

}  // namespace hvt
