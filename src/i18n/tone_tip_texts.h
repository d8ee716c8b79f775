#pragma once

#include <cstdint>
#include <string_view>

namespace hvt {

inline constexpr std::int32_t kFirstBuiltInTextKey = 10001;

// The built-in texts of keys from 10001 on, in Chinese for Chinese and in English for any other
// language; empty for a key that has none.
std::string_view ToneTipText(std::int32_t key, int languageId);

}  // namespace hvt
