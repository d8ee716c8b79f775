#include "model/text.h"

namespace hvt {

std::string ByteToHex(std::uint8_t byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

char NameByteToChar(std::uint8_t byte) {
  const char c = static_cast<char>(byte);
  const bool allowed = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '-';
  return allowed ? c : ' ';
}

namespace {

std::string Replace2(std::string_view digits, char from1, char to1, char from2, char to2) {
  std::string result(digits);
  for (char& c : result) {
    if (c == from1) {
      c = to1;
    } else if (c == from2) {
      c = to2;
    }
  }
  return result;
}

}  // namespace

std::string DtmfStoreToShow(std::string_view digits) { return Replace2(digits, 'E', '*', 'F', '#'); }

std::string DtmfShowToStore(std::string_view digits) { return Replace2(digits, '*', 'E', '#', 'F'); }

}  // namespace hvt
