#include "ui/gui_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <utility>

#include "ui/view_helpers.h"

namespace hvt {

namespace {

QMessageBox::StandardButtons ButtonsOf(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok:
      return QMessageBox::Ok;
    case PromptButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::None:
      return QMessageBox::NoIcon;
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Warning:
      return QMessageBox::Warning;
    case PromptIcon::Question:
      return QMessageBox::Question;
    case PromptIcon::Critical:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

PromptAnswer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return PromptAnswer::Ok;
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::No:
      return PromptAnswer::No;
    case QMessageBox::Retry:
      return PromptAnswer::Retry;
    default:
      return PromptAnswer::Cancel;
  }
}

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdU16String()); }

}  // namespace

QString QtFileFilter(std::string_view filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) filters.append(parts[i]);
  return filters.join(QStringLiteral(";;"));
}

GuiPrompter::GuiPrompter(QString title, PasswordDialog askPassword)
    : title_(std::move(title)), askPassword_(std::move(askPassword)) {}

QWidget* GuiPrompter::Parent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return parent_.data();
}

PromptAnswer GuiPrompter::Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) {
  QMessageBox box(IconOf(icon), title_, ToQString(text), ButtonsOf(buttons), Parent());
  return Show(box, buttons);
}

PromptAnswer GuiPrompter::AskWithCheckBox(std::string_view text, PromptButtons buttons, PromptIcon icon,
                                          std::string_view checkBoxText, bool& checked) {
  QMessageBox box(IconOf(icon), title_, ToQString(text), ButtonsOf(buttons), Parent());
  auto* checkBox = new QCheckBox(ToQString(checkBoxText), &box);
  checkBox->setChecked(checked);
  box.setCheckBox(checkBox);
  const PromptAnswer answer = Show(box, buttons);
  checked = checkBox->isChecked();
  return answer;
}

PromptAnswer GuiPrompter::AskWithReport(std::string_view text, std::string_view report, PromptButtons buttons,
                                        PromptIcon icon) {
  QMessageBox box(IconOf(icon), title_, ToQString(text), ButtonsOf(buttons), Parent());
  box.setDetailedText(ToQString(report));
  // Open the details at once: the report is what the user came for.
  for (QAbstractButton* button : box.buttons()) {
    if (box.buttonRole(button) == QMessageBox::ActionRole) button->click();
  }
  return Show(box, buttons);
}

PromptAnswer GuiPrompter::Show(QMessageBox& box, PromptButtons buttons) {
  // Escape answers Cancel where there is one, else the only button.
  if (buttons == PromptButtons::Ok) box.setEscapeButton(QMessageBox::Ok);
  if (buttons == PromptButtons::YesNo) box.setEscapeButton(QMessageBox::No);
  return AnswerOf(box.exec());
}

std::optional<std::filesystem::path> GuiPrompter::ChooseFileToOpen(std::string_view filter) {
  const QString file = QFileDialog::getOpenFileName(Parent(), QString(), QString(), QtFileFilter(filter));
  if (file.isEmpty()) return std::nullopt;
  return PathOf(file);
}

std::optional<std::filesystem::path> GuiPrompter::ChooseFileToSave(std::string_view filter,
                                                                   const std::filesystem::path& suggested) {
  const QString file = QFileDialog::getSaveFileName(
      Parent(), QString(), QString::fromStdU16String(suggested.u16string()), QtFileFilter(filter));
  if (file.isEmpty()) return std::nullopt;
  return PathOf(file);
}

std::optional<std::string> GuiPrompter::AskPassword(std::string_view remembered) {
  return askPassword_(Parent(), remembered);
}

}  // namespace hvt
