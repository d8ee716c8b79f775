#include "app/backup_list_presenter.h"

#include "i18n/text_keys.h"

namespace hvt {

BackupListPresenter::BackupListPresenter(Workspace& workspace, const AppContext& context, Prompter& prompter)
    : DialogPresenter(prompter), workspace_(workspace), context_(context) {
  const LanguageTexts& texts = context.Texts();
  state_.Title = texts.BuiltIn(BuiltInText::OpenBackupTitle);
  state_.RadioHeader = texts.BuiltIn(BuiltInText::BackupRadio);
  state_.TimeHeader = texts.BuiltIn(BuiltInText::BackupTime);
  state_.Ok = texts.LanguageText(text_key::OkButton);
  state_.Cancel = texts.LanguageText(text_key::CancelButton);
  state_.Backups = ListBackups(context.Folders().BackupFolder());
  for (Backup& backup : state_.Backups) {
    if (backup.Radio == kUnnamedRadio) backup.Radio = texts.BuiltIn(BuiltInText::NoSerialNumber);
  }
  state_.Selected = state_.Backups.empty() ? -1 : 0;
}

bool BackupListPresenter::HasBackups() {
  if (!state_.Backups.empty()) return true;
  prompter_.Tell(context_.Texts().BuiltIn(BuiltInText::NoBackups), PromptIcon::Information);
  return false;
}

void BackupListPresenter::Select(int row) {
  if (row >= 0 && row < static_cast<int>(state_.Backups.size())) state_.Selected = row;
}

bool BackupListPresenter::Ok() {
  if (state_.Selected < 0) return false;
  // A refused file or a cancelled save question keep the window open to choose again.
  return workspace_.OpenBackup(state_.Backups[static_cast<std::size_t>(state_.Selected)].File);
}

}  // namespace hvt
