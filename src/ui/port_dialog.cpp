#include "ui/port_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <utility>

#include "qt/serial_ports.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

// A cable plugged in or pulled out shows within one interval.
constexpr std::chrono::milliseconds kRefreshInterval{3000};

// The listed ports in a box the user may also type a port into.
class PortDialog final : public QDialog {
 public:
  PortDialog(QWidget* parent, PortPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    label_ = new QLabel(this);
    ports_ = new QComboBox(this);
    ports_->setEditable(true);
    // A typed path is the user's own; neither completed to a listed port nor added to the list.
    ports_->setCompleter(nullptr);
    ports_->setInsertPolicy(QComboBox::NoInsert);
    ports_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ports_->setMinimumContentsLength(24);
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
    connect(ports_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { presenter_.EditPortText(text.toStdString()); });
    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    // The timer dies with the dialog.
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
    QStringList texts;
    for (const ListEntry& entry : state.Ports.Entries) texts.append(ToQString(entry.Text));
    QStringList shown;
    for (int i = 0; i < ports_->count(); ++i) shown.append(ports_->itemText(i));
    if (texts != shown) {
      ports_->clear();
      ports_->addItems(texts);
    }
    const int selected = state.Ports.HasSelection() ? state.Ports.Selected : -1;
    if (ports_->currentIndex() != selected) ports_->setCurrentIndex(selected);
    // Only when it differs, so that a refresh leaves the cursor of a user who is typing alone.
    const QString text = ToQString(state.PortText);
    if (ports_->currentText() != text) ports_->setEditText(text);
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

bool RunPortDialog(QWidget* parent, AppContext& context, Prompter& prompter, PortLister lister,
                   PortPathChecker checker) {
  PortPresenter presenter(context, prompter, std::move(lister), std::move(checker));
  PortDialog dialog(parent, presenter);
  dialog.exec();
  return presenter.Changed();
}

}  // namespace hvt
