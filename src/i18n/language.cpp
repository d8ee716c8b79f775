#include "i18n/language.h"

#include <vector>

namespace hvt {

int LanguageIdForLocale(std::string_view localeName) {
  localeName = localeName.substr(0, localeName.find_first_of(".@"));
  std::vector<std::string_view> parts;
  while (!localeName.empty()) {
    const auto separator = localeName.find_first_of("_-");
    parts.push_back(localeName.substr(0, separator));
    localeName.remove_prefix(separator == std::string_view::npos ? localeName.size() : separator + 1);
  }
  if (parts.empty() || (parts.front() != "zh" && parts.front() != "ZH")) return kEnglish;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i] == "CN") return kChinese;
  }
  return kEnglish;
}

std::string_view LanguageFileName(int languageId) {
  return languageId == kChinese ? "chinese.ini" : "english.ini";
}

}  // namespace hvt
