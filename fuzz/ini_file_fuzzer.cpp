// Private-profile files: the ini reader and writer (as the settings files use them to rewrite a
// file over whatever it held), and the two settings files read from disk.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "app/settings_files.h"
#include "fuzz_support.h"
#include "i18n/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);  // NOLINT
  hvt::IniDocument document = hvt::IniDocument::Parse(text);
  static_cast<void>(document.Find("language", "comPort"));
  static_cast<void>(document.Entries("language"));

  // A written entry reads back, also after the text is parsed again.
  document.Set("language", "comPortName", "/dev/ttyUSB0");
  HVT_FUZZ_CHECK(document.Value("Language", "COMPORTNAME") == "/dev/ttyUSB0");
  HVT_FUZZ_CHECK(hvt::IniDocument::Parse(document.ToText()).Value("language", "comPortName") ==
                 "/dev/ttyUSB0");

  const auto file = hvt::fuzz::WriteScratchFile("settings.ini", std::span(data, size));
  static_cast<void>(hvt::ReadSetupSettings(file));
  static_cast<void>(hvt::ReadFeatureWords(file));
  return 0;
}
