#include "model/gbk_text.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace hvt {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";    // U+FFFD
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // NOLINT: iconv's failure value

class Converter {
 public:
  Converter(const char* to, const char* from, const char* fallbackFrom) {
    handle_ = iconv_open(to, from);
    if (handle_ == kNoConverter) handle_ = iconv_open(to, fallbackFrom);
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
std::string AsciiOnly(std::span<const std::uint8_t> bytes, std::string_view replacement) {
  std::string out;
  for (std::uint8_t byte : bytes) {
    if (byte < 0x80) {
      out += static_cast<char>(byte);
    } else {
      out += replacement;
    }
  }
  return out;
}

// Converts with iconv; an input sequence it cannot convert becomes `replacement` and conversion
// goes on after the sequence's first byte (after the whole UTF-8 character when converting from
// UTF-8, so that one character gives one replacement).
std::string Convert(Converter& converter, std::span<const std::uint8_t> bytes, std::string_view replacement,
                    bool fromUtf8) {
  if (!converter.Usable()) return AsciiOnly(bytes, replacement);

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
    out += replacement;
    std::size_t skip = 1;
    while (fromUtf8 && skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
    in += skip;
    inLeft -= skip;
    iconv(converter.Handle(), nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

}  // namespace

std::string GbkToUtf8(std::span<const std::uint8_t> bytes) {
  // GB18030 decodes every GBK sequence; GBK alone is the fallback for a trimmed-down libc.
  Converter converter("UTF-8", "GB18030", "GBK");
  return Convert(converter, bytes, kReplacement, false);
}

std::string Utf8ToGbk(std::string_view text) {
  Converter converter("GBK", "UTF-8", "UTF-8");
  return Convert(converter,
                 std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),  // NOLINT
                 "?", true);
}

}  // namespace hvt
