#include "model/tones.h"

#include "model/decimal_text.h"

namespace hvt {

int CtcssIndex(int stored) { return stored >= 0 && stored <= kCustomCtcssIndex ? stored : 0; }

std::string CustomCtcssText(int tenths) { return FormatScaled(tenths, 1, 1); }

std::string CtcssText(int stored, int customTenths) {
  const int index = CtcssIndex(stored);
  if (index == kCustomCtcssIndex) return CustomCtcssText(customTenths);
  return std::string(kCtcssTones[static_cast<std::size_t>(index)]);
}

int DcsValue(int stored) { return stored >= 0 && stored <= 1023 ? stored : 0; }

std::string DcsCodeText(int code) {
  code &= kDcsCodeMask;
  return {static_cast<char>('0' + (code >> 6 & 7)), static_cast<char>('0' + (code >> 3 & 7)),
          static_cast<char>('0' + (code & 7))};
}

std::string DcsText(int stored) {
  const int value = DcsValue(stored);
  return "D" + DcsCodeText(value) + ((value & kDcsInvertedBit) != 0 ? "I" : "N");
}

}  // namespace hvt
