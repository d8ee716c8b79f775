#pragma once

// The desktop program's answer to the core's questions: message boxes with the described icon
// and buttons, the platform's file dialogs, and the password dialog.

#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "i18n/prompter.h"

namespace hvt {

class GuiPrompter final : public Prompter {
 public:
  using PasswordDialog =
      std::function<std::optional<std::string>(QWidget* parent, std::string_view remembered)>;

  // `parent` owns the dialogs (the main window once it exists); `title` heads every box.
  GuiPrompter(QString title, PasswordDialog askPassword);

  void SetParent(QWidget* parent) { parent_ = parent; }

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) override;
  PromptAnswer AskWithCheckBox(std::string_view text, PromptButtons buttons, PromptIcon icon,
                               std::string_view checkBoxText, bool& checked) override;
  // The report under the message, already open: a read-only text that scrolls and copies.
  PromptAnswer AskWithReport(std::string_view text, std::string_view report, PromptButtons buttons,
                             PromptIcon icon) override;
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view filter) override;
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view filter,
                                                        const std::filesystem::path& suggested) override;
  std::optional<std::string> AskPassword(std::string_view remembered) override;

 private:
  QWidget* Parent() const;
  static PromptAnswer Show(QMessageBox& box, PromptButtons buttons);

  QString title_;
  PasswordDialog askPassword_;
  QPointer<QWidget> parent_;
};

// "Data File (*.dat)|*.dat" (the described filter form: pairs of text and pattern) as Qt's
// "Data File (*.dat)".
QString QtFileFilter(std::string_view filter);

}  // namespace hvt
