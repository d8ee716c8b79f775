#include "model/key_functions.h"

#include <array>

namespace hvt {

namespace {

// By code, starting at code 1.
constexpr std::array<std::string_view, kNoKeyFunction> kNames = {"A/B", "V/M", "SQL", "VOL",  "POW", "CDT",
                                                                 "REV", "SCN", "CAL", "TALK", "BND", "SFT",
                                                                 "MON", "DIR", "TRF", "RDW",  "NULL"};

}  // namespace

std::string_view KeyFunctionName(int code) {
  if (code < kFirstKeyFunction || code > kNoKeyFunction) code = kNoKeyFunction;
  return kNames[static_cast<std::size_t>(code - kFirstKeyFunction)];
}

int KeyFunctionCode(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) return static_cast<int>(i) + kFirstKeyFunction;
  }
  return 0;
}

}  // namespace hvt
