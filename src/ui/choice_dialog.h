#pragma once

// A dialog of one labelled list with OK and Cancel, over any presenter whose state holds Title,
// Label, OkText, CancelText and the list given as `List`. A presenter with Refresh() is asked to
// read its list again every `refreshInterval`.

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

#include "ui/view_helpers.h"

namespace hvt {

template <typename P, ChoiceList P::ViewState::*List>
class ChoiceDialog final : public QDialog {
 public:
  ChoiceDialog(QWidget* parent, P& presenter, std::chrono::milliseconds refreshInterval = {})
      : QDialog(parent), presenter_(presenter) {
    label_ = new QLabel(this);
    choices_ = new QComboBox(this);
    choices_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label_->setBuddy(choices_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(label_, choices_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(choices_, &QComboBox::activated, this, [this](int index) {
      presenter_.SelectEntry(index);
      Render();
    });
    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    if constexpr (requires { presenter.Refresh(); }) {
      // The timer dies with the dialog.
      auto* refresh = new QTimer(this);
      refresh->setInterval(refreshInterval);
      connect(refresh, &QTimer::timeout, this, [this] {
        presenter_.Refresh();
        Render();
      });
      refresh->start();
    }
    Render();
  }

 private:
  void Render() {
    const typename P::ViewState& state = presenter_.State();
    const QSignalBlocker blocker(choices_);
    setWindowTitle(ToQString(state.Title));
    label_->setText(ToQString(state.Label));
    choices_->setAccessibleName(ToQString(state.Label));
    SetButtonTexts(*buttons_, state.OkText, state.CancelText);
    RenderChoices(*choices_, state.*List);
  }

  P& presenter_;
  QLabel* label_ = nullptr;
  QComboBox* choices_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace hvt
