#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "app/workspace.h"
#include "i18n/prompter.h"

namespace hvt {

// The test data editor: the factory's calibration values, loaded from and saved to .ted files.
// True when OK stored the values (the configuration itself does not change).
bool RunTestDataDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter);

}  // namespace hvt
