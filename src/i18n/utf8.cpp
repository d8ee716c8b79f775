#include "i18n/utf8.h"

#include <cstdint>

namespace hvt {

namespace {

// Length of the valid sequence starting at text[0], or 0 when it is not valid.
std::size_t SequenceLength(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t min = 0;
  std::uint32_t code = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, min = 0x80, code = lead & 0x1FU;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, min = 0x800, code = lead & 0x0FU;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, min = 0x10000, code = lead & 0x07U;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(i) & 0x3FU);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < min || code > 0x10FFFF || surrogate ? 0 : length;
}

}  // namespace

std::string SanitizeUtf8(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = SequenceLength(text);
    if (length == 0) {
      result += "\xEF\xBF\xBD";
      text.remove_prefix(1);
    } else {
      result.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return result;
}

std::string_view FirstCodePoints(std::string_view text, std::size_t count) {
  std::size_t position = 0;
  for (std::size_t taken = 0; taken < count && position < text.size(); ++taken) {
    const std::size_t length = SequenceLength(text.substr(position));
    position += length == 0 ? 1 : length;
  }
  return text.substr(0, position);
}

}  // namespace hvt
