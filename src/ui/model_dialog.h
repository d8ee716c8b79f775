#pragma once
#include <QWidget>
#include "app/app_context.h"
#include "app/workspace.h"
#include "i18n/prompter.h"
namespace hvt {
bool RunModelDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter);
}
