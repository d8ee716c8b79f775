#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "app/workspace.h"
#include "i18n/prompter.h"

namespace hvt {

// The programmable keys dialog. True when OK was pressed and the key functions may have changed.
bool RunKeyDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter);

}  // namespace hvt
