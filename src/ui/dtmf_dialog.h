#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "app/workspace.h"
#include "i18n/prompter.h"

namespace hvt {

// The DTMF editor. True when OK was pressed and the configuration may have changed.
bool RunDtmfDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter);

}  // namespace hvt
