#include "app/user_manual.h"

#include <string>
#include <system_error>

#include "i18n/built_in_texts.h"
#include "i18n/language.h"

namespace hvt {

std::filesystem::path ManualFile(const std::filesystem::path& dataFolder, int languageId) {
  return dataFolder / "manual" / (languageId == kChinese ? "zh" : "en") / "index.html";
}

bool OpenManual(const AppContext& context, Prompter& prompter,
                const std::function<bool(const std::filesystem::path&)>& open) {
  const std::filesystem::path file = ManualFile(context.Folders().Data, context.LanguageId());
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    prompter.Tell(std::string(context.Texts().BuiltIn(BuiltInText::ManualMissing)) + "\n" + file.string(),
                  PromptIcon::Warning);
    return false;
  }
  if (!open(file)) {
    prompter.Tell(std::string(context.Texts().BuiltIn(BuiltInText::ManualNotOpened)) + "\n" + file.string(),
                  PromptIcon::Warning);
    return false;
  }
  return true;
}

}  // namespace hvt
