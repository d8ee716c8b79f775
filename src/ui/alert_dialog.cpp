#include "ui/alert_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "editors/alert_presenter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

using AlertState = AlertPresenter::ViewState;
using AlertCaptions = AlertPresenter::Captions;

// One labelled list of the dialog and where its caption and state live.
struct AlertRow {
  AlertList List;
  std::string AlertCaptions::*Caption;
  ChoiceList AlertState::*State;
};

constexpr AlertRow kAlarmRows[] = {
    {AlertList::AlarmType, &AlertCaptions::AlarmType, &AlertState::AlarmType},
    {AlertList::IdCodeType, &AlertCaptions::IdCodeType, &AlertState::IdCodeType},
    {AlertList::IdCode, &AlertCaptions::IdCode, &AlertState::IdCode},
    {AlertList::AlarmTime, &AlertCaptions::AlarmTime, &AlertState::AlarmTime},
    {AlertList::TxTime, &AlertCaptions::TxTime, &AlertState::TxTime},
    {AlertList::RxTime, &AlertCaptions::RxTime, &AlertState::RxTime},
    {AlertList::Cycle, &AlertCaptions::Cycle, &AlertState::Cycle},
};
constexpr AlertRow kChannelRows[] = {
    {AlertList::ChannelMode, &AlertCaptions::ChannelMode, &AlertState::ChannelMode},
    {AlertList::Channel, &AlertCaptions::Channel, &AlertState::Channel},
};
constexpr AlertRow kLoneWorkerRows[] = {
    {AlertList::PreAlertTime, &AlertCaptions::PreAlertTime, &AlertState::PreAlertTime},
    {AlertList::LoneWorkerTime, &AlertCaptions::LoneWorkerTime, &AlertState::LoneWorkerTime},
};

class AlertDialog final : public QDialog {
 public:
  AlertDialog(QWidget* parent, AlertPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    AddGroup(*left, alarmGroup_, kAlarmRows);
    AddGroup(*right, channelGroup_, kChannelRows);
    loneWorker_ = new QCheckBox(this);
    AddGroup(*right, loneWorkerGroup_, kLoneWorkerRows)->insertRow(0, loneWorker_);
    left->addStretch();
    right->addStretch();
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(loneWorker_, &QCheckBox::toggled, this, [this](bool checked) {
      presenter_.SetLoneWorker(checked);
      Render();
    });
    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    Render();
    rows_.front().Box->setFocus();
  }

 private:
  struct Shown {
    AlertRow Row;
    QLabel* Label;
    QComboBox* Box;
  };

  template <std::size_t N>
  QFormLayout* AddGroup(QVBoxLayout& column, QGroupBox*& group, const AlertRow (&rows)[N]) {
    group = new QGroupBox(this);
    auto* form = new QFormLayout(group);
    for (const AlertRow& row : rows) {
      auto* label = new QLabel(this);
      auto* box = new QComboBox(this);
      box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      label->setBuddy(box);
      form->addRow(label, box);
      rows_.push_back({row, label, box});
      connect(box, &QComboBox::activated, this, [this, list = row.List](int index) {
        presenter_.SelectEntry(list, index);
        Render();
      });
    }
    column.addWidget(group);
    return form;
  }

  void Render() {
    const AlertState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    alarmGroup_->setTitle(ToQString(state.Caption.AlarmGroup));
    channelGroup_->setTitle(ToQString(state.Caption.ChannelGroup));
    loneWorkerGroup_->setTitle(ToQString(state.Caption.LoneWorkerGroup));
    for (const Shown& shown : rows_) {
      const QSignalBlocker blocker(shown.Box);
      const QString caption = ToQString(state.Caption.*shown.Row.Caption);
      shown.Label->setText(caption);
      shown.Box->setAccessibleName(caption);
      RenderChoices(*shown.Box, state.*shown.Row.State);
    }
    const QSignalBlocker blocker(loneWorker_);
    loneWorker_->setText(ToQString(state.Caption.LoneWorker));
    loneWorker_->setAccessibleName(ToQString(state.Caption.LoneWorkerGroup + " " + state.Caption.LoneWorker));
    loneWorker_->setChecked(state.LoneWorker.Checked);
    loneWorker_->setEnabled(state.LoneWorker.Enabled);
    SetButtonTexts(*buttons_, state.Caption.Ok, state.Caption.Cancel);
  }

  AlertPresenter& presenter_;
  std::vector<Shown> rows_;
  QGroupBox* alarmGroup_ = nullptr;
  QGroupBox* channelGroup_ = nullptr;
  QGroupBox* loneWorkerGroup_ = nullptr;
  QCheckBox* loneWorker_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunAlertDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  Configuration& c = workspace.Current();
  AlertPresenter presenter(c.Alert, c.Channels, c.Dtmf, c.FiveTone, context.Texts(), prompter);
  AlertDialog dialog(parent, presenter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
