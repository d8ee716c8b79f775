#include "ui/port_dialog.h"

#include <chrono>
#include <utility>

#include "qt/serial_ports.h"
#include "ui/choice_dialog.h"

namespace hvt {

namespace {

// A cable plugged in or pulled out shows within one interval.
constexpr std::chrono::milliseconds kRefreshInterval{3000};

}  // namespace

bool RunPortDialog(QWidget* parent, AppContext& context, Prompter& prompter) {
  return RunPortDialog(parent, context, prompter, AvailableSerialPorts);
}

bool RunPortDialog(QWidget* parent, AppContext& context, Prompter& prompter, PortLister lister) {
  PortPresenter presenter(context, prompter, std::move(lister));
  ChoiceDialog<PortPresenter, &PortPresenter::ViewState::Ports> dialog(parent, presenter, kRefreshInterval);
  dialog.exec();
  return presenter.Changed();
}

}  // namespace hvt
