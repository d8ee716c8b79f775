#include "model/gbk_text.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace hvt {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // NOLINT: iconv's failure value

class Converter {
 public:
  Converter() {
    // GB18030 decodes every GBK sequence; GBK alone is the fallback for a trimmed-down libc.
    handle_ = iconv_open("UTF-8", "GB18030");
    if (handle_ == kNoConverter) handle_ = iconv_open("UTF-8", "GBK");
  }
  ~Converter() {
    if (handle_ != kNoConverter) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Usable() const { return handle_ != kNoConverter; }
  iconv_t Handle() const { return handle_; }

 private:
  iconv_t handle_ = kNoConverter;
};

// Without a converter ASCII still reads; everything else is marked as unreadable.
std::string AsciiOnly(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (std::uint8_t byte : bytes) {
    if (byte < 0x80) {
      out += static_cast<char>(byte);
    } else {
      out += kReplacement;
    }
  }
  return out;
}

}  // namespace

std::string GbkToUtf8(std::span<const std::uint8_t> bytes) {
  Converter converter;
  if (!converter.Usable()) return AsciiOnly(bytes);

  std::string out;
  // iconv takes a non-const input pointer but only reads through it.
  char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));  // NOLINT
  std::size_t inLeft = bytes.size();
  std::array<char, 256> buffer{};
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t result = iconv(converter.Handle(), &in, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.append(buffer.data(), outPtr);
    if (result != static_cast<std::size_t>(-1)) continue;
    if (error == E2BIG && outPtr != buffer.data()) continue;  // buffer full, more to come
    // An invalid or cut-off sequence: mark it and resynchronise on the next byte. Every other
    // error is treated the same way, so each pass consumes input and the loop always ends.
    out += kReplacement;
    ++in;
    --inLeft;
    iconv(converter.Handle(), nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

}  // namespace hvt
