#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "app/port_presenter.h"
#include "i18n/prompter.h"

namespace hvt {

// The serial port dialog over the system's ports. True when OK changed the port (the setting is
// then saved).
bool RunPortDialog(QWidget* parent, AppContext& context, Prompter& prompter);
// The same over the ports `lister` reports, a typed port checked by `checker`.
bool RunPortDialog(QWidget* parent, AppContext& context, Prompter& prompter, PortLister lister,
                   PortPathChecker checker = CheckPortPath);

}  // namespace hvt
