#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "app/workspace.h"
#include "i18n/prompter.h"

namespace hvt {

// The automatic test window: writes the factory's production file (.EPM). True when the file
// was written (the configuration itself does not change).
bool RunAutoTestDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter);

}  // namespace hvt
