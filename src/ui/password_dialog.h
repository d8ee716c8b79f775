#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

#include "i18n/language_texts.h"

namespace hvt {

// The radio password dialog, opening with `remembered`. The typed password, no value on Cancel.
std::optional<std::string> RunPasswordDialog(QWidget* parent, const LanguageTexts& texts,
                                             std::string_view remembered);

}  // namespace hvt
