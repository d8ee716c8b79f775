#include "i18n/fill_in.h"

#include <vector>

namespace hvt {

std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
  const std::vector<std::string_view> byNumber(values);
  std::string filled;
  filled.reserve(pattern.size());
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const char next = at + 1 < pattern.size() ? pattern[at + 1] : '\0';
    const auto number = static_cast<std::size_t>(next - '1');
    if (pattern[at] == '%' && next >= '1' && next <= '9' && number < byNumber.size()) {
      filled += byNumber[number];
      ++at;
    } else {
      filled += pattern[at];
    }
  }
  return filled;
}

}  // namespace hvt
