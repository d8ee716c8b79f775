#pragma once

// The radio keeps its Chinese service texts in GBK, the code page of Chinese Windows.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace hvt {

// The text as UTF-8. A byte that starts no valid GBK character becomes U+FFFD and conversion goes
// on with the next byte, so a damaged or erased field still shows whatever is readable in it.
std::string GbkToUtf8(std::span<const std::uint8_t> bytes);

// The text in GBK, for files read by the factory's Chinese Windows tools. A character GBK lacks
// becomes "?".
std::string Utf8ToGbk(std::string_view text);

}  // namespace hvt
