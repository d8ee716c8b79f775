#include "app/settings_files.h"

#include <algorithm>
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
// Far above any real settings file; a larger one is refused rather than read in part.
constexpr std::uintmax_t kLargestSettingsFile = 16 * 1024 * 1024;

std::optional<int> ParseInt16(std::string_view text) {
  int value = 0;
  if (text.starts_with('+')) text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
  return value;
}

// The file's whole content; empty when there is no file; no value when a file is there but could
// not be read whole, so that nothing is written over it.
std::optional<std::vector<std::uint8_t>> ReadExistingSettingsFile(const std::filesystem::path& file) {
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::not_found) return std::vector<std::uint8_t>{};
  if (error || status.type() != std::filesystem::file_type::regular) return std::nullopt;
  FileReadResult bytes = ReadWholeFile(file, kLargestSettingsFile);
  if (!bytes) return std::nullopt;
  return *std::move(bytes);
}

std::optional<IniDocument> LoadIni(const std::filesystem::path& file) {
  const auto bytes = ReadExistingSettingsFile(file);
  if (!bytes) return std::nullopt;
  return IniDocument::Parse(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));  // NOLINT
}

}  // namespace

std::filesystem::path SetupFilePath(const std::filesystem::path& folder) {
  return folder / "language" / "mysetup.ini";
}

std::filesystem::path FeatureFilePath(const std::filesystem::path& folder) { return folder / "Setting.ini"; }

SetupSettings ReadSetupSettings(const std::filesystem::path& file) {
  const IniDocument ini = LoadIni(file).value_or(IniDocument{});
  SetupSettings settings;
  const auto firstRun = ParseInt16(ini.Value(kSection, kFirstRunKey));
  settings.FirstRun = firstRun.value_or(0) != 0;
  settings.PortNumber = ParseInt16(ini.Value(kSection, kPortKey)).value_or(0);
  settings.PortName = ini.Value(kSection, kPortNameKey);
  return settings;
}

bool WriteSetupSettings(const std::filesystem::path& file, const SetupSettings& settings) {
  std::optional<IniDocument> ini = LoadIni(file);
  if (!ini) return false;
  ini->Set(kSection, kFirstRunKey, settings.FirstRun ? "1" : "0");
  ini->Set(kSection, kPortKey, std::to_string(settings.PortNumber));
  ini->Set(kSection, kPortNameKey, settings.PortName);
  std::error_code ignored;
  std::filesystem::create_directories(file.parent_path(), ignored);
  return WriteFileAtomically(file, ini->ToText()).Ok();
}

FeatureWords ReadFeatureWords(const std::filesystem::path& file) {
  FeatureWords words{};
  const auto size = FileSize<FeatureWords>();
  auto bytes = ReadExistingSettingsFile(file).value_or(std::vector<std::uint8_t>{});
  bytes.resize(size, 0);
  ByteReader(bytes).Read(words);
  return words;
}

bool WriteFeatureWords(const std::filesystem::path& file, const FeatureWords& words) {
  // The words replace the file's first bytes; anything after them stays.
  std::optional<std::vector<std::uint8_t>> bytes = ReadExistingSettingsFile(file);
  if (!bytes) return false;
  const std::vector<std::uint8_t> record = ToFileBytes(words);
  if (bytes->size() < record.size()) bytes->resize(record.size());
  std::copy(record.begin(), record.end(), bytes->begin());
  std::error_code ignored;
  std::filesystem::create_directories(file.parent_path(), ignored);
  return WriteFileAtomically(file, std::span<const std::uint8_t>(*bytes)).Ok();
}

}  // namespace hvt
