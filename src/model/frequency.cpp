#include "model/frequency.h"

#include "model/decimal_text.h"
#include "model/text.h"

namespace hvt {

std::optional<Frequency> ParseMHz(std::string_view text) { return ParseScaled(text, kMHzDecimals); }

std::string FormatMHz(Frequency frequency) { return FormatScaled(frequency, kMHzDecimals, 1); }

std::string FormatMHzThreeDigits(Frequency frequency) { return FormatScaled(frequency, kMHzDecimals, 3); }

std::string FreqTextToRecord(std::string_view text) {
  if (text.empty()) return {};
  if (text.find('.') == std::string_view::npos) {
    // A text of four or more digits is cut to a 4-character record that the encoder fills up.
    if (text.size() >= 4) return "0" + std::string(text.substr(0, 3));
    const auto whole = ParseScaled(text, 0);
    if (!whole) return {};
    return FormatScaled(*whole, 0, 4) + "00000";
  }
  const auto value = ParseMHz(text);
  if (!value) return {};
  return FormatScaled(*value, 0, 9);
}

FrequencyDisplay FreqRecordToText(std::string_view record) {
  record = TextTrim(record);
  if (record.empty() || record == kNoFrequencyRecord) return {};
  if (!IsNumeric(record)) return {.Text = {}, .NotNumeric = true};
  const std::string withPoint = std::string(record.substr(0, 4)) + "." +
                                std::string(record.size() > 4 ? record.substr(4) : std::string_view{});
  const auto value = ParseMHz(withPoint);
  if (!value) return {.Text = {}, .NotNumeric = true};
  return {.Text = FormatMHz(*value)};
}

std::optional<Frequency> FreqRecordValue(std::string_view record) {
  const auto display = FreqRecordToText(record);
  if (display.Text.empty()) return std::nullopt;
  return ParseMHz(display.Text);
}

namespace {

std::optional<std::uint8_t> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  return std::nullopt;
}

std::optional<ImageFrequency> PackRightmostDigits(std::string text) {
  if (text.size() < 9) text.append(9 - text.size(), '0');
  const std::string_view digits = std::string_view(text).substr(text.size() - 8);
  ImageFrequency bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto high = HexDigit(digits[2 * i]);
    const auto low = HexDigit(digits[2 * i + 1]);
    if (!high || !low) return std::nullopt;
    bytes[i] = static_cast<std::uint8_t>(*high << 4 | *low);
  }
  return bytes;
}

}  // namespace

std::optional<ImageFrequency> FreqRecordToImage(std::string_view record) {
  record = TextTrim(record);
  return PackRightmostDigits(record.empty() ? std::string("FFFFFFFF") : std::string(record));
}

std::optional<ImageFrequency> TxFreqRecordToImage(std::string_view record) {
  return PackRightmostDigits(std::string(record));
}

std::optional<std::string> FreqImageToRecord(std::span<const std::uint8_t, 4> bytes) {
  std::string record = "0";
  for (std::uint8_t byte : bytes) {
    if ((byte >> 4) > 9 || (byte & 0x0F) > 9) return std::nullopt;
    record += ByteToHex(byte);
  }
  return record;
}

FrequencyDisplay TxDisplayText(std::string_view rxRecord, int offsetDir, std::string_view txRecord) {
  const FrequencyDisplay rx = FreqRecordToText(rxRecord);
  switch (offsetDir) {
    case 0:
      return rx;
    case 3:
      return FreqRecordToText(txRecord);
    case 1:
    case 2: {
      if (rx.Text.empty()) return rx;
      const FrequencyDisplay offsetText = FreqRecordToText(txRecord);
      if (offsetText.Text.empty()) return offsetText;
      const Frequency receive = *ParseMHz(rx.Text);
      const Frequency offset = *ParseMHz(offsetText.Text);
      return {.Text = FormatMHzThreeDigits(offsetDir == 1 ? receive + offset : receive - offset)};
    }
    default:
      return {};
  }
}

}  // namespace hvt
