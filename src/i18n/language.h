#pragma once

#include <string>
#include <string_view>

namespace hvt {

inline constexpr int kEnglish = 1;
inline constexpr int kChinese = 2;

// Chinese (China) gives Chinese; every other locale, Chinese (Taiwan) included, English.
// Takes a locale name such as "zh_CN", "zh-CN", "zh_Hans_CN.UTF-8" or "en_US".
int LanguageIdForLocale(std::string_view localeName);

// "chinese.ini" for Chinese, "english.ini" for anything else.
std::string_view LanguageFileName(int languageId);

}  // namespace hvt
