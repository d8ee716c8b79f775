#pragma once
#include <QWidget>
#include "app/app_context.h"
#include "i18n/prompter.h"
namespace hvt {
bool RunPortDialog(QWidget* parent, AppContext& context, Prompter& prompter);
}
