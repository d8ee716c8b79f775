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

std::string FileCheckMessage(const FileCheckResult& result, int languageId) {
  std::string message(FileCheckMessage(result.Check, languageId));
  if (!result.Detail.empty()) message += "\n" + result.Detail;
  return message;
}

namespace {

// A header field as it can be shown: whatever is not printable ASCII becomes '?'.
std::string Shown(std::string_view field) {
  std::string shown;
  for (const char c : field) shown += c >= 0x20 && c < 0x7F ? c : '?';
  return "\"" + shown + "\"";
}

std::string SizeDetail(std::uintmax_t found) {
  return std::to_string(found) + " bytes, expected " + std::to_string(kConfigurationFileSize);
}

FileCheckResult Read(const std::filesystem::path& path, Configuration& into, ConfigurationChecks checks) {
  const auto bytes = ReadWholeFile(path, kConfigurationFileSize);
  if (!bytes) {
    const FileFailure& failure = *bytes.Failure();
    if (failure.SizeFound)
      return {FileCheck::FileDataError, path.string() + ": " + SizeDetail(*failure.SizeFound)};
    return {FileCheck::FileError, failure.Text()};
  }
  if (bytes->size() != kConfigurationFileSize) {
    return {FileCheck::FileDataError, path.string() + ": " + SizeDetail(bytes->size())};
  }
  FileCheckResult result = ParseConfigurationBytes(*bytes, into, checks);
  if (result.Check != FileCheck::Ok) result.Detail = path.string() + ": " + result.Detail;
  return result;
}

}  // namespace

FileCheckResult ParseConfigurationBytes(std::span<const std::uint8_t> bytes, Configuration& into,
                                        ConfigurationChecks checks) {
  if (bytes.size() != kConfigurationFileSize) return {FileCheck::FileDataError, SizeDetail(bytes.size())};
  Configuration read;
  if (!FromFileBytes(bytes, read)) return {FileCheck::FileDataError, "not a configuration"};
  if (checks == ConfigurationChecks::All) {
    if (read.ModelName.Trimmed() != kModelName) {
      return {FileCheck::ModelError,
              "model " + Shown(read.ModelName.Trimmed()) + ", expected " + Shown(kModelName)};
    }
    if (read.Version.Trimmed() != kFirmwareVersion) {
      return {FileCheck::VersionError,
              "version " + Shown(read.Version.Trimmed()) + ", expected " + Shown(kFirmwareVersion)};
    }
  }
  // The count indexes the 203 slots; any other variant would leave the frequency limits undefined.
  if (read.Channels.Count < 0 || read.Channels.Count > kChannelCount) {
    return {FileCheck::FileDataError, "channel count " + std::to_string(read.Channels.Count) +
                                          ", expected 0-" + std::to_string(kChannelCount)};
  }
  if (!BandVariantFromNumber(read.BandVariant)) {
    return {FileCheck::FileDataError,
            "band variant " + std::to_string(read.BandVariant) + ", expected 0 or 1"};
  }
  into = read;
  return {};
}

FileCheckResult ReadConfigurationFile(const std::filesystem::path& path, Configuration& into) {
  return Read(path, into, ConfigurationChecks::All);
}

FileCheckResult ReadTemplateFile(const std::filesystem::path& path, Configuration& into) {
  return Read(path, into, ConfigurationChecks::SkipModelAndVersion);
}

FileCheckResult WriteConfigurationFile(const std::filesystem::path& path,
                                       const Configuration& configuration) {
  const FileWriteResult written = WriteFileAtomically(path, ToFileBytes(configuration));
  if (!written) return {FileCheck::FileError, written.Detail()};
  return {};
}

}  // namespace hvt
