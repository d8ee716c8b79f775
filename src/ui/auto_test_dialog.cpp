#include "ui/auto_test_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <array>

#include "app/auto_test_presenter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

constexpr int kGroupColumns = 3;

class AutoTestDialog final : public QDialog {
 public:
  AutoTestDialog(QWidget* parent, AutoTestPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    groupBox_ = new QGroupBox(this);
    auto* grid = new QGridLayout(groupBox_);
    constexpr int kRows = (kAutoTestGroupCount + kGroupColumns - 1) / kGroupColumns;
    for (int i = 0; i < kAutoTestGroupCount; ++i) {
      auto* box = new QCheckBox(groupBox_);
      grid->addWidget(box, i % kRows, i / kRows);  // down each column, in group order
      connect(box, &QCheckBox::toggled, this, [this, i](bool checked) {
        presenter_.ToggleGroup(i, checked);
        Render();
      });
      boxes_[static_cast<std::size_t>(i)] = box;
    }
    grid->setHorizontalSpacing(4 * grid->verticalSpacing() + 8);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupBox_);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    Render();
    boxes_[0]->setFocus();
  }

 private:
  void Render() {
    const AutoTestPresenter::ViewState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    groupBox_->setTitle(ToQString(state.GroupsCaption));
    SetButtonTexts(*buttons_, state.ExportText, state.CancelText);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
      const QSignalBlocker blocker(boxes_[i]);
      boxes_[i]->setText(ToQString(state.GroupCaptions[i]));
      boxes_[i]->setAccessibleName(boxes_[i]->text());
      boxes_[i]->setChecked(state.Groups[i].Checked);
    }
  }

  AutoTestPresenter& presenter_;
  QGroupBox* groupBox_ = nullptr;
  std::array<QCheckBox*, kAutoTestGroupCount> boxes_{};
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunAutoTestDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  AutoTestPresenter presenter(context, workspace, prompter);
  AutoTestDialog dialog(parent, presenter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
