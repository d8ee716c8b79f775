#include "ui/scan_dialog.h"

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

#include "editors/scan_presenter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

using ScanState = ScanPresenter::ViewState;
using ScanCaptions = ScanPresenter::Captions;

// One labelled list of the dialog and where its caption and state live.
struct ScanRow {
  ScanList List;
  std::string ScanCaptions::*Caption;
  ChoiceList ScanState::*State;
};

constexpr ScanRow kGeneralRows[] = {
    {ScanList::ScanType, &ScanCaptions::ScanType, &ScanState::ScanType},
    {ScanList::PriorityMode, &ScanCaptions::PriorityMode, &ScanState::PriorityMode},
    {ScanList::RevertChannel, &ScanCaptions::RevertChannel, &ScanState::RevertChannel},
};
constexpr ScanRow kPriorityRows[] = {
    {ScanList::Priority1Group1, &ScanCaptions::Priority1Group1, &ScanState::Priority1Group1},
    {ScanList::Priority2Group1, &ScanCaptions::Priority2Group1, &ScanState::Priority2Group1},
    {ScanList::Priority1Group2, &ScanCaptions::Priority1Group2, &ScanState::Priority1Group2},
    {ScanList::Priority2Group2, &ScanCaptions::Priority2Group2, &ScanState::Priority2Group2},
    {ScanList::Priority1Group3, &ScanCaptions::Priority1Group3, &ScanState::Priority1Group3},
    {ScanList::Priority2Group3, &ScanCaptions::Priority2Group3, &ScanState::Priority2Group3},
};
constexpr ScanRow kTimeRows[] = {
    {ScanList::ScanBackTimeA, &ScanCaptions::ScanBackTimeA, &ScanState::ScanBackTimeA},
    {ScanList::ScanBackTimeB, &ScanCaptions::ScanBackTimeB, &ScanState::ScanBackTimeB},
    {ScanList::RxResumeDelay, &ScanCaptions::RxResumeDelay, &ScanState::RxResumeDelay},
    {ScanList::TxResumeDelay, &ScanCaptions::TxResumeDelay, &ScanState::TxResumeDelay},
};

class ScanDialog final : public QDialog {
 public:
  ScanDialog(QWidget* parent, ScanPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    auto* columns = new QHBoxLayout;
    QFormLayout* general = AddGroup(*columns, generalGroup_, kGeneralRows);
    entryTone_ = new QCheckBox(this);
    general->addRow(entryTone_);
    AddGroup(*columns, priorityGroup_, kPriorityRows);
    AddGroup(*columns, timeGroup_, kTimeRows);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(entryTone_, &QCheckBox::toggled, this, [this](bool checked) {
      presenter_.SetEntryTone(checked);
      Render();
    });
    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    Render();
    rows_.front().Box->setFocus();
  }

 private:
  struct Shown {
    ScanRow Row;
    QLabel* Label;
    QComboBox* Box;
  };

  template <std::size_t N>
  QFormLayout* AddGroup(QHBoxLayout& columns, QGroupBox*& group, const ScanRow (&rows)[N]) {
    group = new QGroupBox(this);
    auto* form = new QFormLayout(group);
    for (const ScanRow& row : rows) {
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
    columns.addWidget(group, 0, Qt::AlignTop);
    return form;
  }

  void Render() {
    const ScanState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    generalGroup_->setTitle(ToQString(state.Caption.GeneralGroup));
    priorityGroup_->setTitle(ToQString(state.Caption.PriorityGroup));
    timeGroup_->setTitle(ToQString(state.Caption.TimeGroup));
    for (const Shown& shown : rows_) {
      const QSignalBlocker blocker(shown.Box);
      const QString caption = ToQString(state.Caption.*shown.Row.Caption);
      shown.Label->setText(caption);
      shown.Box->setAccessibleName(caption);
      RenderChoices(*shown.Box, state.*shown.Row.State);
    }
    const QSignalBlocker blocker(entryTone_);
    entryTone_->setText(ToQString(state.Caption.EntryTone));
    entryTone_->setAccessibleName(entryTone_->text());
    entryTone_->setChecked(state.EntryTone.Checked);
    entryTone_->setEnabled(state.EntryTone.Enabled);
    SetButtonTexts(*buttons_, state.Caption.Ok, state.Caption.Cancel);
  }

  ScanPresenter& presenter_;
  std::vector<Shown> rows_;
  QGroupBox* generalGroup_ = nullptr;
  QGroupBox* priorityGroup_ = nullptr;
  QGroupBox* timeGroup_ = nullptr;
  QCheckBox* entryTone_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunScanDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  Configuration& configuration = workspace.Current();
  ScanPresenter presenter(configuration.Scan, configuration.Channels, context.Texts(), prompter);
  ScanDialog dialog(parent, presenter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
