#pragma once
#include <QWidget>
#include <optional>
#include <string>
#include "i18n/language_texts.h"
namespace hvt {
std::optional<std::string> RunPasswordDialog(QWidget* parent, const LanguageTexts& texts, std::string_view remembered);
}
