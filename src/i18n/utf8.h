#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace hvt {

// Invalid sequences become U+FFFD, so that text from outside is always valid UTF-8.
std::string SanitizeUtf8(std::string_view text);

// The first `count` code points of valid UTF-8 text.
std::string_view FirstCodePoints(std::string_view text, std::size_t count);

}  // namespace hvt
