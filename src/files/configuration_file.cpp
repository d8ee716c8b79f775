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

enum class Checks { All, SizeAndBandOnly };

FileCheck Read(const std::filesystem::path& path, Configuration& into, Checks checks) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return FileCheck::FileError;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return FileCheck::FileError;
  if (size != kConfigurationFileSize) return FileCheck::FileDataError;
  const auto bytes = ReadWholeFile(path, kConfigurationFileSize);
  if (!bytes) return FileCheck::FileError;

  Configuration read;
  if (!FromFileBytes(*bytes, read)) return FileCheck::FileDataError;
  if (checks == Checks::All) {
    if (read.ModelName.Trimmed() != kModelField) return FileCheck::ModelError;
    if (read.Version.Trimmed() != kVersionField) return FileCheck::VersionError;
  }
  // Any other variant would leave the frequency limits undefined.
  if (!BandVariantFromNumber(read.BandVariant)) return FileCheck::FileDataError;
  into = read;
  return FileCheck::Ok;
}

}  // namespace

FileCheck ReadConfigurationFile(const std::filesystem::path& path, Configuration& into) {
  return Read(path, into, Checks::All);
}

FileCheck ReadTemplateFile(const std::filesystem::path& path, Configuration& into) {
  return Read(path, into, Checks::SizeAndBandOnly);
}

FileCheck WriteConfigurationFile(const std::filesystem::path& path, const Configuration& configuration) {
  return WriteFileAtomically(path, ToFileBytes(configuration)) ? FileCheck::Ok : FileCheck::FileError;
}

}  // namespace hvt
