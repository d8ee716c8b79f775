#pragma once

// What the whole program shares, fixed at start-up before any window exists: language, the model
// and version the program accepts, the band variant with its limits, the serial port and the
// feature words. One object, built by Start() and passed by reference.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/language_texts.h"
#include "model/band.h"
#include "model/radio_model.h"

namespace hvt {

struct AppFolders {
  std::filesystem::path Data;      // language files, band templates, pictures
  std::filesystem::path Settings;  // "language/mysetup.ini" and "Setting.ini" are written here
  std::filesystem::path Backups;   // what radios held; empty: "backups" in the settings folder

  std::filesystem::path BackupFolder() const { return Backups.empty() ? Settings / "backups" : Backups; }
};

using FeatureWords = std::array<std::int16_t, 4>;

// The files a data folder must hold (the language files), relative to it; empty when every one is
// there. The band templates may be missing: a new configuration then comes from the other one or
// from the built-in defaults.
std::vector<std::filesystem::path> MissingDataFiles(const std::filesystem::path& dataFolder);

class AppContext {
 public:
  // Picks the language from the system locale name ("zh_CN" gives Chinese), reads the settings
  // files and loads the language texts. Writes nothing: saving a setting is the caller's step.
  static AppContext Start(const AppFolders& folders, std::string_view systemLocaleName);

  const AppFolders& Folders() const { return folders_; }

  int LanguageId() const { return texts_.LanguageId(); }
  std::filesystem::path LanguageFile() const;
  // Texts from the language's file; a missing file gives empty texts (start-up, command line).
  void SetLanguage(int languageId);
  // The user's switch: false, keeping the current language, when the file of `languageId` is
  // missing, unreadable or holds no texts.
  [[nodiscard]] bool SwitchLanguage(int languageId);
  std::filesystem::path LanguageFileOf(int languageId) const;
  const LanguageTexts& Texts() const { return texts_; }

  const std::string& ModelName() const { return modelName_; }
  std::string ModelTitle() const;
  const std::string& FirmwareVersion() const { return firmwareVersion_; }
  void SetModelName(std::string_view name) { modelName_ = name; }
  void SetFirmwareVersion(std::string_view version) { firmwareVersion_ = version; }

  BandVariant Band() const { return band_; }
  std::string_view BandText() const { return hvt::BandText(band_); }
  const BandLimits& Limits() const { return limits_; }
  void ApplyBandVariant(BandVariant variant);
  FrequencyRange RxRange(int row) const { return limits_.Rx.at(static_cast<std::size_t>(row)); }
  FrequencyRange TxRange(int row) const { return limits_.Tx.at(static_cast<std::size_t>(row)); }

  int PortNumber() const { return portNumber_; }
  void SetPortNumber(int port) {
    portNumber_ = port;
    portName_.clear();
  }
  // The port to use: "COMn" for a numbered port, else the saved name (empty when none is set).
  std::string PortName() const;
  // "COM3" sets the number 3; any other name is kept as it is, with the number 0.
  void SetPortName(std::string_view name);
  bool FirstRun() const { return firstRun_; }
  // Clears the first-run flag in "mysetup.ini", which the desktop program does once at start-up;
  // false when it could not be written.
  [[nodiscard]] bool MarkFirstRunDone();
  // Writes "comPort" and "comPortName" into "mysetup.ini", keeping the first-run flag and every
  // other line; false when it could not be written.
  [[nodiscard]] bool SavePortNumber() const;

  const FeatureWords& Features() const { return featureWords_; }
  bool TwoToneEnabled() const { return featureWords_[1] != 0; }
  // Writes the four words back as read; false when "Setting.ini" could not be written.
  [[nodiscard]] bool SaveFeatureWords() const;

 private:
  AppFolders folders_;
  LanguageTexts texts_;
  std::string modelName_{kModelName};
  std::string firmwareVersion_{kFirmwareVersion};
  BandVariant band_ = BandVariant::Full;
  BandLimits limits_ = LimitsOf(BandVariant::Full);
  int portNumber_ = 0;
  std::string portName_;
  bool firstRun_ = false;
  FeatureWords featureWords_{};
};

}  // namespace hvt
