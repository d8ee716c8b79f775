#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "app/workspace.h"
#include "i18n/prompter.h"

namespace hvt {

// The channel dialog for channel `number` (1-203) of the workspace's configuration. True when OK
// closed it: the channel and the options' memory channels may have changed, so the caller redraws
// the channel's row.
bool RunChannelDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter,
                      int number);

}  // namespace hvt
