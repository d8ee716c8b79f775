#include "ui/key_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <array>
#include <functional>

#include "editors/key_presenter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

struct LabelledBox {
  QLabel* Label = nullptr;
  QComboBox* Box = nullptr;
};

class KeyDialog final : public QDialog {
 public:
  KeyDialog(QWidget* parent, KeyPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    auto* columns = new QHBoxLayout;
    for (std::size_t mode = 0; mode < KeyPresenter::kKeyModes; ++mode) {
      modeGroups_[mode] = new QGroupBox(this);
      auto* form = new QFormLayout(modeGroups_[mode]);
      for (std::size_t i = 0; i < KeyPresenter::kKeysPerMode; ++i) {
        const std::size_t key = mode * KeyPresenter::kKeysPerMode + i;
        keys_[key] =
            AddRow(*modeGroups_[mode], *form, [this, key](int index) { presenter_.SelectKey(key, index); });
      }
      columns->addWidget(modeGroups_[mode], 0, Qt::AlignTop);
    }
    shortcutGroup_ = new QGroupBox(this);
    auto* form = new QFormLayout(shortcutGroup_);
    for (std::size_t i = 0; i < KeyPresenter::kShortcuts; ++i) {
      shortcuts_[i] =
          AddRow(*shortcutGroup_, *form, [this, i](int index) { presenter_.SelectShortcut(i, index); });
    }
    columns->addWidget(shortcutGroup_, 0, Qt::AlignTop);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    Render();
    keys_.front().Box->setFocus();
  }

 private:
  LabelledBox AddRow(QGroupBox& group, QFormLayout& form, std::function<void(int)> select) {
    LabelledBox row{new QLabel(&group), new QComboBox(&group)};
    row.Label->setBuddy(row.Box);
    connect(row.Box, &QComboBox::activated, this, [this, select = std::move(select)](int index) {
      select(index);
      Render();
    });
    form.addRow(row.Label, row.Box);
    return row;
  }

  // The key names repeat in both modes; a screen reader hears the frame's title with them.
  static void RenderRow(const LabelledBox& row, const std::string& frame, const std::string& label,
                        const ChoiceList& list) {
    const QSignalBlocker blocker(row.Box);
    row.Label->setText(ToQString(label));
    row.Box->setAccessibleName(ToQString(frame + " " + label));
    RenderChoices(*row.Box, list);
  }

  void Render() {
    const KeyPresenter::ViewState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    for (std::size_t mode = 0; mode < KeyPresenter::kKeyModes; ++mode) {
      modeGroups_[mode]->setTitle(ToQString(state.KeyModeTitles[mode]));
      for (std::size_t i = 0; i < KeyPresenter::kKeysPerMode; ++i) {
        const std::size_t key = mode * KeyPresenter::kKeysPerMode + i;
        RenderRow(keys_[key], state.KeyModeTitles[mode], state.KeyLabels[i], state.Keys[key]);
      }
    }
    shortcutGroup_->setTitle(ToQString(state.ShortcutTitle));
    for (std::size_t i = 0; i < KeyPresenter::kShortcuts; ++i) {
      RenderRow(shortcuts_[i], state.ShortcutTitle, state.ShortcutLabels[i], state.Shortcuts[i]);
    }
    SetButtonTexts(*buttons_, state.OkText, state.CancelText);
  }

  KeyPresenter& presenter_;
  std::array<QGroupBox*, KeyPresenter::kKeyModes> modeGroups_{};
  QGroupBox* shortcutGroup_ = nullptr;
  std::array<LabelledBox, KeyPresenter::kKeys> keys_{};
  std::array<LabelledBox, KeyPresenter::kShortcuts> shortcuts_{};
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunKeyDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  KeyPresenter presenter(workspace.Current().Options, context.Texts(), prompter);
  KeyDialog dialog(parent, presenter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
