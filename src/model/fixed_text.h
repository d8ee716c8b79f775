#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "model/text.h"

namespace hvt {

// A text field of exactly N single-byte characters, blank-filled, kept byte for byte so that
// a record survives a file round trip unchanged (NULs and blanks included).
template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kLength = N;

  constexpr FixedText() { bytes_.fill(' '); }
  constexpr FixedText(std::string_view text) { Assign(text); }  // NOLINT(google-explicit-constructor)
  constexpr FixedText(const char* text) : FixedText(std::string_view(text)) {}  // NOLINT
  FixedText(const std::string& text) : FixedText(std::string_view(text)) {}     // NOLINT

  constexpr void Assign(std::string_view text) {
    bytes_.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), N), bytes_.begin());
  }

  constexpr std::string_view Raw() const { return {bytes_.data(), N}; }
  std::string Trimmed() const { return std::string(TextTrim(Raw())); }

  constexpr std::array<char, N>& Bytes() { return bytes_; }
  constexpr const std::array<char, N>& Bytes() const { return bytes_; }

  constexpr bool operator==(const FixedText&) const = default;

 private:
  std::array<char, N> bytes_{};
};

}  // namespace hvt
