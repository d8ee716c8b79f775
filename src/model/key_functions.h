#pragma once

// The functions a programmable key can have. The radio stores a key's function as its code; the
// editors show its name.

#include <string_view>

namespace hvt {

inline constexpr int kFirstKeyFunction = 1;       // "A/B"
inline constexpr int kNoKeyFunction = 17;         // "NULL"
inline constexpr int kFirstShortcutFunction = 2;  // shortcut keys cannot switch work areas ("A/B")
inline constexpr int kLastShortcutFunction = 16;  // nor have no function

// The name of a code; 0 and every code outside 1-16 have no function ("NULL").
std::string_view KeyFunctionName(int code);

// The code of a name; 0 for a name that is none.
int KeyFunctionCode(std::string_view name);

}  // namespace hvt
