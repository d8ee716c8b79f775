#include "ui/special_call_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/view_helpers.h"

namespace hvt {

namespace {

using CallType = SpecialCallPresenter::CallType;

class SpecialCallDialog final : public QDialog {
 public:
  SpecialCallDialog(QWidget* parent, SpecialCallPresenter& presenter)
      : QDialog(parent), presenter_(presenter) {
    targetLabel_ = new QLabel(this);
    entry_ = new QComboBox(this);
    typeLabel_ = new QLabel(this);
    type_ = new QComboBox(this);
    auto* top = new QFormLayout;
    top->addRow(targetLabel_, entry_);
    top->addRow(typeLabel_, type_);
    targetLabel_->setBuddy(entry_);
    typeLabel_->setBuddy(type_);

    dataFrame_ = new QGroupBox(this);
    auto* dataForm = new QFormLayout(dataFrame_);
    dataCalledIdLabel_ = new QLabel(this);
    dataCalledId_ = new QLineEdit(this);
    messageLabel_ = new QLabel(this);
    message_ = new QLineEdit(this);
    dataForm->addRow(dataCalledIdLabel_, dataCalledId_);
    dataForm->addRow(messageLabel_, message_);
    dataCalledIdLabel_->setBuddy(dataCalledId_);
    messageLabel_->setBuddy(message_);

    aniFrame_ = new QGroupBox(this);
    auto* aniForm = new QFormLayout(aniFrame_);
    aniCalledIdLabel_ = new QLabel(this);
    aniCalledId_ = new QLineEdit(this);
    separatorLabel_ = new QLabel(this);
    separator_ = new QComboBox(this);
    aniForm->addRow(aniCalledIdLabel_, aniCalledId_);
    aniForm->addRow(separatorLabel_, separator_);
    aniCalledIdLabel_->setBuddy(aniCalledId_);
    separatorLabel_->setBuddy(separator_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(dataFrame_);
    layout->addWidget(aniFrame_);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const QFontMetrics metrics = fontMetrics();
    const int idWidth = metrics.horizontalAdvance(QStringLiteral("00000000"));
    for (QLineEdit* box : {dataCalledId_, aniCalledId_, message_}) box->setMinimumWidth(2 * idWidth);
    FilterTyping(*dataCalledId_, [this](std::string_view typed) {
      return presenter_.TypeCalledId(CallType::DataMessage, typed);
    });
    FilterTyping(*aniCalledId_,
                 [this](std::string_view typed) { return presenter_.TypeCalledId(CallType::Ani, typed); });
    FilterTyping(*message_, [this](std::string_view typed) { return presenter_.TypeMessage(typed); });
    connect(dataCalledId_, &QLineEdit::textEdited, this, [this] { dataEdited_ = true; });
    connect(aniCalledId_, &QLineEdit::textEdited, this, [this] { aniEdited_ = true; });
    connect(dataCalledId_, &QLineEdit::editingFinished, this,
            [this] { Leave(CallType::DataMessage, dataEdited_); });
    connect(aniCalledId_, &QLineEdit::editingFinished, this, [this] { Leave(CallType::Ani, aniEdited_); });
    connect(entry_, &QComboBox::activated, this, [this](int index) {
      presenter_.SelectEntry(index);
      Render();
    });
    connect(type_, &QComboBox::activated, this, [this](int index) {
      presenter_.SelectType(index);
      Render();
    });
    connect(separator_, &QComboBox::activated, this, [this](int index) {
      presenter_.SelectSeparator(index);
      Render();
    });
    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    Render();
    type_->setFocus();
  }

 protected:
  // Enter in a called-ID box would press OK before the ID is complete.
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (focusWidget() == dataCalledId_ || focusWidget() == aniCalledId_)) return;
    QDialog::keyPressEvent(event);
  }

 private:
  // A called ID the user began and left short is pointed out once per edit.
  void Leave(CallType call, bool& edited) {
    if (!edited) return;
    edited = false;
    presenter_.LeaveCalledId(call);
  }

  void Render() {
    const SpecialCallPresenter::ViewState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    const auto label = [](QLabel* caption, QWidget* box, const std::string& text) {
      caption->setText(ToQString(text));
      box->setAccessibleName(ToQString(text));
    };
    label(targetLabel_, entry_, state.TargetLabel);
    label(typeLabel_, type_, state.TypeLabel);
    label(dataCalledIdLabel_, dataCalledId_, state.CalledIdLabel);
    label(messageLabel_, message_, state.MessageLabel);
    label(aniCalledIdLabel_, aniCalledId_, state.CalledIdLabel);
    label(separatorLabel_, separator_, state.SeparatorLabel);
    dataFrame_->setTitle(ToQString(state.DataFrameTitle));
    aniFrame_->setTitle(ToQString(state.AniFrameTitle));
    {
      const QSignalBlocker blockEntry(entry_);
      const QSignalBlocker blockType(type_);
      const QSignalBlocker blockSeparator(separator_);
      RenderChoices(*entry_, state.Entry);
      RenderChoices(*type_, state.Type);
      RenderChoices(*separator_, state.Separator);
    }
    // For a PTT ID code the label names the code and there is no entry to choose.
    entry_->setVisible(state.Entry.Visible);
    dataFrame_->setVisible(state.DataFrameVisible);
    aniFrame_->setVisible(state.AniFrameVisible);
    SetButtonTexts(*buttons_, state.Ok, state.Cancel);
  }

  SpecialCallPresenter& presenter_;
  QLabel* targetLabel_ = nullptr;
  QComboBox* entry_ = nullptr;
  QLabel* typeLabel_ = nullptr;
  QComboBox* type_ = nullptr;
  QGroupBox* dataFrame_ = nullptr;
  QLabel* dataCalledIdLabel_ = nullptr;
  QLineEdit* dataCalledId_ = nullptr;
  QLabel* messageLabel_ = nullptr;
  QLineEdit* message_ = nullptr;
  QGroupBox* aniFrame_ = nullptr;
  QLabel* aniCalledIdLabel_ = nullptr;
  QLineEdit* aniCalledId_ = nullptr;
  QLabel* separatorLabel_ = nullptr;
  QComboBox* separator_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  bool dataEdited_ = false;
  bool aniEdited_ = false;
};

}  // namespace

bool RunSpecialCallDialog(QWidget* parent, SpecialCallPresenter& presenter) {
  SpecialCallDialog dialog(parent, presenter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
