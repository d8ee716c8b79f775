#include "ui/password_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editors/password_presenter.h"
#include "i18n/prompter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

class PasswordDialog final : public QDialog {
 public:
  PasswordDialog(QWidget* parent, PasswordPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    label_ = new QLabel(this);
    box_ = new QLineEdit(this);
    box_->setEchoMode(QLineEdit::Password);
    // One "*" a character, whatever the style's own mask is.
    box_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    box_->setMaxLength(static_cast<int>(PasswordPresenter::kMaxLength));
    box_->setMinimumWidth(box_->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMM")));
    label_->setBuddy(box_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(label_, box_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(box_, &QLineEdit::textEdited, this, [this](const QString& text) {
      presenter_.EditText(text.toStdString());
      Render();
    });
    ConnectOkCancel(*this, *buttons_, presenter_, nullptr);
    Render();
    box_->selectAll();
  }

 private:
  void Render() {
    const PasswordPresenter::ViewState& state = presenter_.State();
    const QSignalBlocker blocker(box_);
    setWindowTitle(ToQString(state.Title));
    label_->setText(ToQString(state.Label));
    box_->setAccessibleName(ToQString(state.Label));
    SetButtonTexts(*buttons_, state.OkText, state.CancelText);
    const QString text = ToQString(state.Password.Text);
    if (box_->text() != text) box_->setText(text);
  }

  PasswordPresenter& presenter_;
  QLabel* label_ = nullptr;
  QLineEdit* box_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

std::optional<std::string> RunPasswordDialog(QWidget* parent, const LanguageTexts& texts,
                                             std::string_view remembered) {
  SilentPrompter prompter;
  PasswordPresenter presenter(texts, remembered, prompter);
  PasswordDialog dialog(parent, presenter);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return presenter.Password();
}

}  // namespace hvt
