#include "files/configuration_file.h"

#include "files/file_io.h"
#include "i18n/built_in_texts.h"
#include "model/band.h"

namespace hvt {

std::string_view FileCheckMessage(FileCheck check, int languageId) {
  switch (check) {
    case FileCheck::Ok:
      return {};
    case FileCheck::FileError:
      return BuiltInTextOf(BuiltInText::FileError, languageId);
    case FileCheck::FileDataError:
      return "File Data Error!";
    case FileCheck::ModelError:
      return "Model Error!";
    case FileCheck::VersionError:
      return "Version Error!";
  }
  return {};
}

namespace {

FileCheck Read(const std::filesystem::path& path, Configuration& into, ConfigurationChecks checks) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return FileCheck::FileError;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return FileCheck::FileError;
  if (size != kConfigurationFileSize) return FileCheck::FileDataError;
  const auto bytes = ReadWholeFile(path, kConfigurationFileSize);
  if (!bytes) return FileCheck::FileError;
  return ParseConfigurationBytes(*bytes, into, checks);
}

}  // namespace

FileCheck ParseConfigurationBytes(std::span<const std::uint8_t> bytes, Configuration& into,
                                  ConfigurationChecks checks) {
  Configuration read;
  if (!FromFileBytes(bytes, read)) return FileCheck::FileDataError;
  if (checks == ConfigurationChecks::All) {
    if (read.ModelName.Trimmed() != kModelName) return FileCheck::ModelError;
    if (read.Version.Trimmed() != kFirmwareVersion) return FileCheck::VersionError;
  }
  // The count indexes the 203 slots; any other variant would leave the frequency limits undefined.
  if (read.Channels.Count < 0 || read.Channels.Count > kChannelCount) return FileCheck::FileDataError;
  if (!BandVariantFromNumber(read.BandVariant)) return FileCheck::FileDataError;
  into = read;
  return FileCheck::Ok;
}

FileCheck ReadConfigurationFile(const std::filesystem::path& path, Configuration& into) {
  return Read(path, into, ConfigurationChecks::All);
}

FileCheck ReadTemplateFile(const std::filesystem::path& path, Configuration& into) {
  return Read(path, into, ConfigurationChecks::SkipModelAndVersion);
}

FileCheck WriteConfigurationFile(const std::filesystem::path& path, const Configuration& configuration) {
  return WriteFileAtomically(path, ToFileBytes(configuration)) ? FileCheck::Ok : FileCheck::FileError;
}

}  // namespace hvt
