#include "app/app_context.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

#include "app/settings_files.h"
#include "i18n/language.h"
#include "model/text.h"

namespace hvt {

namespace {

// A settings file the user has written wins over the one installed with the program.
std::filesystem::path Existing(const std::filesystem::path& preferred,
                               const std::filesystem::path& installed) {
  std::error_code error;
  return std::filesystem::exists(preferred, error) ? preferred : installed;
}

}  // namespace

std::vector<std::filesystem::path> MissingDataFiles(const std::filesystem::path& dataFolder) {
  std::vector<std::filesystem::path> missing;
  const std::filesystem::path language("language");
  for (const std::filesystem::path& file : {language / std::string(LanguageFileName(kEnglish)),
                                            language / std::string(LanguageFileName(kChinese))}) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(dataFolder / file, error)) missing.push_back(file);
  }
  return missing;
}

AppContext AppContext::Start(const AppFolders& folders, std::string_view systemLocaleName) {
  AppContext context;
  context.folders_ = folders;
  context.ApplyBandVariant(BandVariant::Full);

  const std::filesystem::path setupFile = SetupFilePath(folders.Settings);
  const SetupSettings setup = ReadSetupSettings(Existing(setupFile, SetupFilePath(folders.Data)));
  context.firstRun_ = setup.FirstRun;
  context.portNumber_ = setup.PortNumber;
  context.portName_ = setup.PortName;

  context.featureWords_ =
      ReadFeatureWords(Existing(FeatureFilePath(folders.Settings), FeatureFilePath(folders.Data)));
  context.SetLanguage(LanguageIdForLocale(systemLocaleName));
  return context;
}

std::filesystem::path AppContext::LanguageFile() const { return LanguageFileOf(LanguageId()); }

std::filesystem::path AppContext::LanguageFileOf(int languageId) const {
  return folders_.Data / "language" / std::string(LanguageFileName(languageId));
}

void AppContext::SetLanguage(int languageId) {
  texts_ = LanguageTexts::Load(languageId, LanguageFileOf(languageId));
}

bool AppContext::SwitchLanguage(int languageId) {
  std::optional<LanguageTexts> texts = LanguageTexts::LoadExisting(languageId, LanguageFileOf(languageId));
  if (!texts) return false;
  texts_ = std::move(*texts);
  return true;
}

std::string AppContext::ModelTitle() const {
  const std::string_view name = modelName_;
  return std::string(TextTrim(name.substr(0, name.find('\0'))));
}

void AppContext::ApplyBandVariant(BandVariant variant) {
  band_ = variant;
  limits_ = LimitsOf(variant);
}

std::string AppContext::PortName() const {
  if (!portName_.empty()) return portName_;
  return portNumber_ > 0 ? "COM" + std::to_string(portNumber_) : std::string();
}

void AppContext::SetPortName(std::string_view name) {
  int number = 0;
  const bool numbered =
      name.starts_with("COM") && name.size() > 3 &&
      name.find_first_not_of("0123456789", 3) == std::string_view::npos &&
      std::from_chars(name.data() + 3, name.data() + name.size(), number).ec == std::errc{} && number > 0 &&
      number <= INT16_MAX;
  portNumber_ = numbered ? number : 0;
  portName_ = numbered ? std::string() : std::string(name);
}

bool AppContext::MarkFirstRunDone() {
  firstRun_ = false;
  return SavePortNumber();
}

bool AppContext::SavePortNumber() const {
  return WriteSetupSettings(SetupFilePath(folders_.Settings),
                            {.FirstRun = firstRun_, .PortNumber = portNumber_, .PortName = portName_});
}

bool AppContext::SaveFeatureWords() const {
  return WriteFeatureWords(FeatureFilePath(folders_.Settings), featureWords_);
}

}  // namespace hvt
