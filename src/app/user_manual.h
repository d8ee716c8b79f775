#pragma once

// The user manual shipped in the data folder, one HTML page per language, opened by Help >
// Contents in the system's browser.

#include <filesystem>
#include <functional>

#include "app/app_context.h"
#include "i18n/prompter.h"

namespace hvt {

// The manual of the language: Chinese for Chinese, English for any other.
std::filesystem::path ManualFile(const std::filesystem::path& dataFolder, int languageId);

// Hands the manual of the current language to `open` (the browser); a missing manual, or one the
// browser could not be started for, is told to the user. True when the manual was handed over.
bool OpenManual(const AppContext& context, Prompter& prompter,
                const std::function<bool(const std::filesystem::path&)>& open);

}  // namespace hvt
