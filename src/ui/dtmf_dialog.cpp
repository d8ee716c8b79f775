#include "ui/dtmf_dialog.h"

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
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "editors/dtmf_presenter.h"
#include "editors/dtmf_special_presenter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

// The ANI window over the DTMF editor.
class DtmfSpecialDialog final : public QDialog {
 public:
  DtmfSpecialDialog(QWidget* parent, DtmfSpecialPresenter& presenter)
      : QDialog(parent), presenter_(presenter) {
    const DtmfSpecialPresenter::ViewState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    auto* form = new QFormLayout;
    auto* typeLabel = new QLabel(ToQString(state.TypeLabel), this);
    auto* type = new QComboBox(this);
    RenderChoices(*type, state.Type);
    type->setAccessibleName(typeLabel->text());
    typeLabel->setBuddy(type);
    auto* calledLabel = new QLabel(ToQString(state.CalledIdLabel), this);
    calledId_ = new QLineEdit(this);
    calledId_->setAccessibleName(calledLabel->text());
    calledLabel->setBuddy(calledId_);
    form->addRow(typeLabel, type);
    form->addRow(calledLabel, calledId_);
    FilterTyping(*calledId_, [this](std::string_view typed) { return presenter_.TypeCalledId(typed); });
    connect(calledId_, &QLineEdit::editingFinished, this, [this] {
      presenter_.LeaveCalledId();
      calledId_->setText(ToQString(presenter_.State().CalledId.Text));
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    SetButtonTexts(*buttons, state.Ok, state.Cancel);
    ConnectOkCancel(*this, *buttons, presenter_, {});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    calledId_->setFocus();
  }

 private:
  DtmfSpecialPresenter& presenter_;
  QLineEdit* calledId_ = nullptr;
};

struct ListRow {
  DtmfList List;
  QLabel* Label = nullptr;
  QComboBox* Box = nullptr;
};

class DtmfDialog final : public QDialog {
 public:
  DtmfDialog(QWidget* parent, DtmfPresenter& presenter, Prompter& prompter)
      : QDialog(parent), presenter_(presenter), prompter_(prompter) {
    codesFrame_ = new QGroupBox(this);
    auto* codeColumns = new QHBoxLayout(codesFrame_);
    std::array<QFormLayout*, 2> codeForms = {new QFormLayout, new QFormLayout};
    for (QFormLayout* form : codeForms) codeColumns->addLayout(form);
    pttFrame_ = new QGroupBox(this);
    auto* pttForm = new QFormLayout(pttFrame_);
    remoteFrame_ = new QGroupBox(this);
    auto* remoteForm = new QFormLayout(remoteFrame_);
    const int codeWidth = fontMetrics().horizontalAdvance(QString(17, '0'));
    for (int box = 0; box < DtmfPresenter::kCodeBoxCount; ++box) {
      auto& [label, edit] = codes_[static_cast<std::size_t>(box)];
      label = new QLabel(this);
      edit = new QLineEdit(this);
      edit->setMinimumWidth(codeWidth);
      label->setBuddy(edit);
      QFormLayout* form = box < kDtmfCodeCount                 ? codeForms[static_cast<std::size_t>(box / 8)]
                          : box <= DtmfPresenter::kPttIdEndBox ? pttForm
                                                               : remoteForm;
      form->addRow(label, edit);
      FilterTyping(*edit, [this, box](std::string_view typed) { return presenter_.TypeCode(box, typed); });
      edit->installEventFilter(this);
    }

    settingsFrame_ = new QGroupBox(this);
    auto* settingsColumns = new QHBoxLayout(settingsFrame_);
    std::array<QFormLayout*, 2> settingsForms = {new QFormLayout, new QFormLayout};
    for (QFormLayout* form : settingsForms) settingsColumns->addLayout(form);
    ownIdLabel_ = new QLabel(this);
    ownId_ = new QLineEdit(this);
    ownIdLabel_->setBuddy(ownId_);
    settingsForms[0]->addRow(ownIdLabel_, ownId_);
    ownId_->installEventFilter(this);
    FilterTyping(*ownId_, [this](std::string_view typed) { return presenter_.TypeOwnId(typed); });
    connect(ownId_, &QLineEdit::editingFinished, this, [this] {
      presenter_.LeaveOwnId();
      Render();
    });
    for (std::size_t i = 0; i < kDtmfListCount; ++i) {
      const auto list = static_cast<DtmfList>(i);
      if (list == DtmfList::PttIdMode) continue;
      ListRow row{list, new QLabel(this), new QComboBox(this)};
      row.Box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      row.Label->setBuddy(row.Box);
      settingsForms[list < DtmfList::DecodeResponse ? 0 : 1]->addRow(row.Label, row.Box);
      connect(row.Box, &QComboBox::activated, this, [this, list](int index) {
        presenter_.SelectEntry(list, index);
        Render();
      });
      lists_.push_back(row);
    }
    special_ = new QPushButton(this);
    special_->setAutoDefault(false);
    settingsForms[0]->addRow(special_);
    // The button closes the left column, before the right one.
    const auto lastLeft =
        std::ranges::find_if(lists_, [](const ListRow& row) { return row.List >= DtmfList::DecodeResponse; });
    if (lastLeft != lists_.begin()) setTabOrder(std::prev(lastLeft)->Box, special_);
    connect(special_, &QPushButton::clicked, this, [this] {
      DtmfSpecialPresenter special(presenter_, prompter_);
      DtmfSpecialDialog dialog(this, special);
      if (dialog.exec() == QDialog::Accepted) Render();
    });

    auto* left = new QVBoxLayout;
    left->addWidget(codesFrame_);
    left->addWidget(remoteFrame_);
    auto* right = new QVBoxLayout;
    right->addWidget(pttFrame_);
    right->addWidget(settingsFrame_);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ConnectOkCancel(*this, *buttons_, presenter_, [this] {
      Render();
      const int focus = presenter_.State().FocusBox;
      if (focus >= 0) codes_[static_cast<std::size_t>(focus)].second->setFocus();
    });
    Render();
    codes_.front().second->setFocus();
  }

 protected:
  // Enter walks the boxes; the focus on a code box names the box a special call fills.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      for (int box = 0; box < DtmfPresenter::kCodeBoxCount; ++box) {
        if (watched == codes_[static_cast<std::size_t>(box)].second) {
          presenter_.EnterCodeBox(box);
          special_->setEnabled(presenter_.State().SpecialCallEnabled);
        }
      }
    }
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        focusNextChild();
        return true;
      }
    }
    return QDialog::eventFilter(watched, event);
  }

 private:
  void Render() {
    const DtmfPresenter::ViewState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    codesFrame_->setTitle(ToQString(state.CodesFrame));
    pttFrame_->setTitle(ToQString(state.PttIdFrame));
    remoteFrame_->setTitle(ToQString(state.RemoteFrame));
    settingsFrame_->setTitle(ToQString(state.SettingsFrame));
    for (std::size_t box = 0; box < codes_.size(); ++box) {
      const auto& [label, edit] = codes_[box];
      label->setText(ToQString(state.CodeLabels[box]));
      edit->setAccessibleName(label->text());
      const QString text = ToQString(state.Codes[box].Text);
      if (edit->text() != text) edit->setText(text);
    }
    ownIdLabel_->setText(ToQString(state.OwnIdLabel));
    ownId_->setAccessibleName(ownIdLabel_->text());
    if (ownId_->text() != ToQString(state.OwnId.Text)) ownId_->setText(ToQString(state.OwnId.Text));
    for (const ListRow& row : lists_) {
      const QSignalBlocker blocker(row.Box);
      row.Label->setText(ToQString(state.ListLabels[static_cast<std::size_t>(row.List)]));
      row.Box->setAccessibleName(row.Label->text());
      RenderChoices(*row.Box, state.Lists[static_cast<std::size_t>(row.List)]);
    }
    special_->setText(ToQString(state.SpecialCallText));
    special_->setEnabled(state.SpecialCallEnabled);
    SetButtonTexts(*buttons_, state.Ok, state.Cancel);
  }

  DtmfPresenter& presenter_;
  Prompter& prompter_;
  QGroupBox* codesFrame_ = nullptr;
  QGroupBox* pttFrame_ = nullptr;
  QGroupBox* remoteFrame_ = nullptr;
  QGroupBox* settingsFrame_ = nullptr;
  std::array<std::pair<QLabel*, QLineEdit*>, DtmfPresenter::kCodeBoxCount> codes_{};
  QLabel* ownIdLabel_ = nullptr;
  QLineEdit* ownId_ = nullptr;
  std::vector<ListRow> lists_;
  QPushButton* special_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunDtmfDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  DtmfPresenter presenter(workspace.Current().Dtmf, context.Texts(), prompter);
  DtmfDialog dialog(parent, presenter, prompter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
