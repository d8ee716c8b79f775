#include "app/settings_files.h"

#include <charconv>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "i18n/ini_document.h"
#include "model/record.h"

namespace hvt {

namespace {

constexpr std::string_view kSection = "language";
constexpr std::string_view kFirstRunKey = "IsFirstRun";
constexpr std::string_view kPortKey = "comPort";
constexpr std::string_view kPortNameKey = "comPortName";
constexpr std::uintmax_t kLargestSetupFile = 64 * 1024;

std::optional<int> ParseInt16(std::string_view text) {
  int value = 0;
  if (text.starts_with('+')) text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
  return value;
}

IniDocument LoadIni(const std::filesystem::path& file) {
  const auto bytes = ReadWholeFile(file, kLargestSetupFile);
  if (!bytes) return {};
  return IniDocument::Parse(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));  // NOLINT
}

}  // namespace

std::filesystem::path SetupFilePath(const std::filesystem::path& folder) {
  return folder / "language" / "mysetup.ini";
}

std::filesystem::path FeatureFilePath(const std::filesystem::path& folder) { return folder / "Setting.ini"; }

SetupSettings ReadSetupSettings(const std::filesystem::path& file) {
  const IniDocument ini = LoadIni(file);
  SetupSettings settings;
  const auto firstRun = ParseInt16(ini.Value(kSection, kFirstRunKey));
  settings.FirstRun = firstRun.value_or(0) != 0;
  settings.PortNumber = ParseInt16(ini.Value(kSection, kPortKey)).value_or(0);
  settings.PortName = ini.Value(kSection, kPortNameKey);
  return settings;
}

bool WriteSetupSettings(const std::filesystem::path& file, const SetupSettings& settings) {
  IniDocument ini = LoadIni(file);
  ini.Set(kSection, kFirstRunKey, settings.FirstRun ? "1" : "0");
  ini.Set(kSection, kPortKey, std::to_string(settings.PortNumber));
  ini.Set(kSection, kPortNameKey, settings.PortName);
  std::error_code ignored;
  std::filesystem::create_directories(file.parent_path(), ignored);
  return WriteFileAtomically(file, ini.ToText()).Ok();
}

FeatureWords ReadFeatureWords(const std::filesystem::path& file) {
  FeatureWords words{};
  const auto size = FileSize<FeatureWords>();
  auto bytes = ReadWholeFile(file, 1024 * 1024).value_or(std::vector<std::uint8_t>{});
  bytes.resize(size, 0);
  ByteReader(bytes).Read(words);
  return words;
}

bool WriteFeatureWords(const std::filesystem::path& file, const FeatureWords& words) {
  std::error_code ignored;
  std::filesystem::create_directories(file.parent_path(), ignored);
  return WriteFileAtomically(file, ToFileBytes(words)).Ok();
}

}  // namespace hvt
