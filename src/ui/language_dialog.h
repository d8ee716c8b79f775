#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "i18n/prompter.h"

namespace hvt {

// The language dialog. True when OK switched the language (the caller re-renders).
bool RunLanguageDialog(QWidget* parent, AppContext& context, Prompter& prompter);

}  // namespace hvt
