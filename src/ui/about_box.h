#pragma once
#include <QWidget>
#include "app/app_context.h"
#include "i18n/prompter.h"
namespace hvt {
void ShowAboutBox(QWidget* parent, const AppContext& context, Prompter& prompter);
}
