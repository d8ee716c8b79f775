// Arbitrary language files: parsing and every kind of lookup.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "i18n/language_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const hvt::LanguageTexts texts = hvt::LanguageTexts::FromText(2, file);
  for (std::int32_t key : {1, 20, 101, 2001, 9999, 10221, 29001}) static_cast<void>(texts.LanguageText(key));
  static_cast<void>(texts.SectionText("MSG", "900C"));
  return 0;
}
