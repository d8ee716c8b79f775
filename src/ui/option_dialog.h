#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "app/workspace.h"
#include "i18n/prompter.h"

namespace hvt {

// The function options dialog. True when OK was pressed and the options may have changed.
bool RunOptionDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter);

}  // namespace hvt
