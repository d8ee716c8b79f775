#include "ui/test_data_dialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <array>

#include "app/test_data_presenter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

constexpr int kRowsPerColumn = 8;

class TestDataDialog final : public QDialog {
 public:
  TestDataDialog(QWidget* parent, TestDataPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    auto* columns = new QHBoxLayout;
    QFormLayout* form = nullptr;
    for (int i = 0; i < kTestValueFieldCount; ++i) {
      if (i % kRowsPerColumn == 0) {
        form = new QFormLayout;
        form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        columns->addLayout(form);
      }
      auto* label = new QLabel(this);
      auto* field = new QLineEdit(this);
      label->setBuddy(field);
      field->setContextMenuPolicy(Qt::NoContextMenu);
      field->setAcceptDrops(false);
      field->setAlignment(Qt::AlignRight);
      field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("-2147483648")) +
                             field->fontMetrics().averageCharWidth() * 2);
      field->installEventFilter(this);
      connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
        presenter_.ChangeField(i, text.toStdString());
        Render();
      });
      form->addRow(label, field);
      labels_[static_cast<std::size_t>(i)] = label;
      fields_[static_cast<std::size_t>(i)] = field;
    }
    load_ = new QPushButton(this);
    save_ = new QPushButton(this);
    for (QPushButton* button : {load_, save_}) button->setAutoDefault(false);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(load_, &QPushButton::clicked, this, [this] {
      presenter_.Load();
      Render();
    });
    connect(save_, &QPushButton::clicked, this, [this] {
      presenter_.Save();
      Render();
    });

    auto* layout = new QVBoxLayout(this);
    columns->setSpacing(3 * layout->spacing());
    layout->addLayout(columns);
    layout->addSpacing(layout->spacing());
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(load_);
    buttonRow->addWidget(save_);
    buttonRow->addStretch();
    buttonRow->addWidget(buttons_);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    Render();
    fields_[0]->setFocus();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field == nullptr) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
      // After the click that gave the focus, or the click would place the cursor again.
      QTimer::singleShot(0, field, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::KeyPress) {
      return FilterKey(*field, static_cast<QKeyEvent&>(*event));
    }
    return QDialog::eventFilter(watched, event);
  }

 private:
  // True when the key is consumed here.
  bool FilterKey(QLineEdit& field, QKeyEvent& key) {
    // The fields hold numbers only; the clipboard would bring anything in.
    if (key.matches(QKeySequence::Cut) || key.matches(QKeySequence::Copy) ||
        key.matches(QKeySequence::Paste)) {
      return true;
    }
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
      focusNextChild();
      return true;
    }
    const QString text = key.text();
    if (text.size() != 1) return false;
    const auto kept = TestDataPresenter::TypedCharacter(text.at(0).unicode());
    if (!kept) return true;
    if (*kept == text.at(0).unicode()) return false;
    QKeyEvent changed(key.type(), key.key(), key.modifiers(), QString(QChar(static_cast<char16_t>(*kept))));
    QCoreApplication::sendEvent(&field, &changed);
    return true;
  }

  void Render() {
    const TestDataPresenter::ViewState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    SetButtonTexts(*buttons_, state.OkText, state.CancelText);
    load_->setText(ToQString(state.LoadText));
    save_->setText(ToQString(state.SaveText));
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      const QString label = ToQString(state.Labels[i]);
      labels_[i]->setText(label);
      fields_[i]->setAccessibleName(label);
      const QString text = ToQString(state.Fields[i].Text);
      if (fields_[i]->text() != text) fields_[i]->setText(text);
    }
  }

  TestDataPresenter& presenter_;
  std::array<QLabel*, kTestValueFieldCount> labels_{};
  std::array<QLineEdit*, kTestValueFieldCount> fields_{};
  QDialogButtonBox* buttons_ = nullptr;
  QPushButton* load_ = nullptr;
  QPushButton* save_ = nullptr;
};

}  // namespace

bool RunTestDataDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  TestDataPresenter presenter(context, workspace, prompter);
  TestDataDialog dialog(parent, presenter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
