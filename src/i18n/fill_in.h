#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace hvt {

// `pattern` with each "%1", "%2", ... replaced by the value of that number; a marker without a
// value stays as it is. Values are not searched again, so a value holding "%2" stays literal.
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace hvt
