#include "ui/port_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <utility>

#include "qt/serial_ports.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

constexpr std::chrono::milliseconds kRefreshInterval{3000};

class PortDialog final : public QDialog {
 public:
  PortDialog(QWidget* parent, PortPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    label_ = new QLabel(this);
    ports_ = new QComboBox(this);
    ports_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label_->setBuddy(ports_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(label_, ports_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ports_, &QComboBox::activated, this, [this](int index) {
      presenter_.SelectEntry(index);
      Render();
    });
    connect(buttons_, &QDialogButtonBox::accepted, this, [this] {
      if (presenter_.Ok()) accept();
      Render();
    });
    connect(buttons_, &QDialogButtonBox::rejected, this, [this] {
      presenter_.Cancel();
      reject();
    });

    // A cable plugged in or pulled out shows within one interval; the timer dies with the dialog.
    auto* refresh = new QTimer(this);
    refresh->setInterval(kRefreshInterval);
    connect(refresh, &QTimer::timeout, this, [this] {
      presenter_.Refresh();
      Render();
    });
    refresh->start();
    Render();
  }

 private:
  void Render() {
    const PortPresenter::ViewState& state = presenter_.State();
    const QSignalBlocker blocker(ports_);
    setWindowTitle(ToQString(state.Title));
    label_->setText(ToQString(state.Label));
    ports_->setAccessibleName(ToQString(state.Label));
    SetButtonTexts(*buttons_, state.OkText, state.CancelText);
    RenderChoices(*ports_, state.Ports);
  }

  PortPresenter& presenter_;
  QLabel* label_ = nullptr;
  QComboBox* ports_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunPortDialog(QWidget* parent, AppContext& context, Prompter& prompter) {
  return RunPortDialog(parent, context, prompter, AvailableSerialPorts);
}

bool RunPortDialog(QWidget* parent, AppContext& context, Prompter& prompter, PortLister lister) {
  PortPresenter presenter(context, prompter, std::move(lister));
  PortDialog dialog(parent, presenter);
  dialog.exec();
  return presenter.Changed();
}

}  // namespace hvt
