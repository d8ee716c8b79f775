#pragma once

// The two small settings files: "language/mysetup.ini" (first-run flag and port number) and
// "Setting.ini" (four feature words).

#include <filesystem>
#include <optional>
#include <string>

#include "app/app_context.h"

namespace hvt {

struct SetupSettings {
  bool FirstRun = false;
  int PortNumber = 0;
  std::string PortName;  // a port that is not COMn (/dev/ttyUSB0, virtual); empty for COMn
};

std::filesystem::path SetupFilePath(const std::filesystem::path& folder);
std::filesystem::path FeatureFilePath(const std::filesystem::path& folder);

// A missing or unconvertible key reads as port 0 and first run false.
SetupSettings ReadSetupSettings(const std::filesystem::path& file);
[[nodiscard]] bool WriteSetupSettings(const std::filesystem::path& file, const SetupSettings& settings);

// Missing words (no file, or a short one) are 0.
FeatureWords ReadFeatureWords(const std::filesystem::path& file);
[[nodiscard]] bool WriteFeatureWords(const std::filesystem::path& file, const FeatureWords& words);

}  // namespace hvt
