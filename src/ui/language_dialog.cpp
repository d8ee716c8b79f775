#include "ui/language_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/language_presenter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

class LanguageDialog final : public QDialog {
 public:
  LanguageDialog(QWidget* parent, LanguagePresenter& presenter) : QDialog(parent), presenter_(presenter) {
    label_ = new QLabel(this);
    languages_ = new QComboBox(this);
    languages_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label_->setBuddy(languages_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(label_, languages_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(languages_, &QComboBox::activated, this, [this](int index) {
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
    Render();
  }

 private:
  void Render() {
    const LanguagePresenter::ViewState& state = presenter_.State();
    const QSignalBlocker blocker(languages_);
    setWindowTitle(ToQString(state.Title));
    label_->setText(ToQString(state.Label));
    languages_->setAccessibleName(ToQString(state.Label));
    SetButtonTexts(*buttons_, state.OkText, state.CancelText);
    RenderChoices(*languages_, state.Languages);
  }

  LanguagePresenter& presenter_;
  QLabel* label_ = nullptr;
  QComboBox* languages_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunLanguageDialog(QWidget* parent, AppContext& context, Prompter& prompter) {
  LanguagePresenter presenter(context, prompter);
  LanguageDialog dialog(parent, presenter);
  dialog.exec();
  return presenter.Changed();
}

}  // namespace hvt
