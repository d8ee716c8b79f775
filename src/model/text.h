#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hvt {

// Removes trailing blanks, then cuts before the first NUL.
constexpr std::string_view TextTrim(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  text = last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
  const auto nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

std::string ByteToHex(std::uint8_t byte);

// Only these characters survive a trip through the radio; anything else reads back as a blank.
char NameByteToChar(std::uint8_t byte);

// DTMF digits are stored as hexadecimal digits: E is "*", F is "#".
std::string DtmfStoreToShow(std::string_view digits);
std::string DtmfShowToStore(std::string_view digits);

}  // namespace hvt
