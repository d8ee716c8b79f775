#include "ui/option_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <array>
#include <vector>

#include "editors/option_presenter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

// The frames column by column, the work areas that are set most often first.
const std::vector<std::vector<OptionGroup>> kColumns = {
    {OptionGroup::WorkAreas, OptionGroup::TailElimination},
    {OptionGroup::PowerOnOff, OptionGroup::Display, OptionGroup::Audio},
    {OptionGroup::Other},
};

bool IsEnter(const QKeyEvent& key) { return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter; }

class OptionDialog final : public QDialog {
 public:
  OptionDialog(QWidget* parent, OptionPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    auto* columns = new QHBoxLayout;
    for (const std::vector<OptionGroup>& groups : kColumns) {
      auto* column = new QVBoxLayout;
      for (const OptionGroup group : groups) column->addWidget(MakeGroup(group));
      column->addStretch();
      columns->addLayout(column);
    }
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    Render();
    boxes_.front()->setFocus();
  }

 protected:
  // Enter moves on to the next control, as Tab does; OK stays on its button. The password box
  // takes no copying or pasting and selects its text when entered.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto& key = static_cast<const QKeyEvent&>(*event);
      if (IsEnter(key)) {
        focusNextChild();
        return true;
      }
      if (watched == password_ && (key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Paste) ||
                                   key.matches(QKeySequence::Cut))) {
        return true;
      }
    }
    if (watched == password_ && event->type() == QEvent::FocusIn) {
      QTimer::singleShot(0, password_, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
  }

 private:
  QGroupBox* MakeGroup(OptionGroup group) {
    auto* box = new QGroupBox(this);
    groups_[static_cast<std::size_t>(group)] = box;
    auto* form = new QFormLayout(box);
    for (std::size_t i = 0; i < kOptionListCount; ++i) {
      const auto list = static_cast<OptionList>(i);
      if (GroupOf(list) != group) continue;
      auto* label = new QLabel(box);
      auto* combo = new QComboBox(box);
      label->setBuddy(combo);
      combo->installEventFilter(this);
      connect(combo, &QComboBox::activated, this, [this, list](int index) {
        presenter_.SelectEntry(list, index);
        Render();
      });
      labels_[i] = label;
      boxes_[i] = combo;
      form->addRow(label, combo);
    }
    if (group == OptionGroup::PowerOnOff) {
      passwordEnabled_ = new QCheckBox(box);
      passwordEnabled_->installEventFilter(this);
      connect(passwordEnabled_, &QCheckBox::toggled, this, [this](bool checked) {
        presenter_.SetPasswordEnabled(checked);
        Render();
      });
      password_ = new QLineEdit(box);
      password_->setMaxLength(static_cast<int>(OptionPresenter::kPasswordLength));
      password_->setContextMenuPolicy(Qt::NoContextMenu);
      password_->installEventFilter(this);
      // Hidden rather than removed, so the frame keeps its size when the box comes and goes.
      QSizePolicy policy = password_->sizePolicy();
      policy.setRetainSizeWhenHidden(true);
      password_->setSizePolicy(policy);
      connect(password_, &QLineEdit::textEdited, this, [this](const QString& text) {
        presenter_.EditPassword(text.toStdString());
        Render();
      });
      form->addRow(passwordEnabled_, password_);
    }
    return box;
  }

  void Render() {
    const OptionPresenter::ViewState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    for (std::size_t g = 0; g < kOptionGroupCount; ++g) groups_[g]->setTitle(ToQString(state.GroupTitles[g]));
    for (std::size_t i = 0; i < kOptionListCount; ++i) {
      const QSignalBlocker blocker(boxes_[i]);
      labels_[i]->setText(ToQString(state.Lists[i].Label));
      boxes_[i]->setAccessibleName(ToQString(state.Lists[i].Label));
      RenderChoices(*boxes_[i], state.Lists[i].List);
    }
    {
      const QSignalBlocker blocker(passwordEnabled_);
      passwordEnabled_->setText(ToQString(state.PasswordEnabledCaption));
      passwordEnabled_->setAccessibleName(ToQString(state.PasswordEnabledCaption));
      passwordEnabled_->setChecked(state.PasswordEnabled.Checked);
    }
    const QString password = ToQString(state.Password.Text);
    if (password_->text() != password) password_->setText(password);
    password_->setAccessibleName(ToQString(state.PasswordEnabledCaption));
    password_->setVisible(state.Password.Visible);
    SetButtonTexts(*buttons_, state.OkText, state.CancelText);
  }

  OptionPresenter& presenter_;
  std::array<QGroupBox*, kOptionGroupCount> groups_{};
  std::array<QLabel*, kOptionListCount> labels_{};
  std::array<QComboBox*, kOptionListCount> boxes_{};
  QCheckBox* passwordEnabled_ = nullptr;
  QLineEdit* password_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunOptionDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  Configuration& configuration = workspace.Current();
  OptionPresenter presenter(configuration.Options, configuration.Channels, context.Texts(), prompter);
  OptionDialog dialog(parent, presenter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
