#include "ui/backup_list_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/backup_list_presenter.h"
#include "ui/view_helpers.h"

namespace hvt {

bool RunBackupListDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  BackupListPresenter presenter(workspace, context, prompter);
  if (!presenter.HasBackups()) return false;
  const BackupListPresenter::ViewState& state = presenter.State();

  QDialog dialog(parent);
  dialog.setWindowTitle(ToQString(state.Title));
  auto* list = new QTreeWidget(&dialog);
  list->setRootIsDecorated(false);
  list->setAccessibleName(ToQString(state.Title));
  list->setHeaderLabels({ToQString(state.RadioHeader), ToQString(state.TimeHeader)});
  for (const Backup& backup : state.Backups) {
    auto* item = new QTreeWidgetItem(list, {ToQString(backup.Radio), ToQString(backup.Time)});
    item->setToolTip(0, QString::fromStdU16String(backup.File.u16string()));
  }
  list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list->setCurrentItem(list->topLevelItem(state.Selected));
  const int rows = std::min(static_cast<int>(state.Backups.size()), 12);
  list->setMinimumSize(list->header()->length() + 4 * list->fontMetrics().averageCharWidth(),
                       list->header()->sizeHint().height() + (rows + 1) * list->sizeHintForRow(0));
  QObject::connect(
      list, &QTreeWidget::currentItemChanged, &dialog,
      [&presenter, list](QTreeWidgetItem* item) { presenter.Select(list->indexOfTopLevelItem(item)); });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  SetButtonTexts(*buttons, state.Ok, state.Cancel);
  ConnectOkCancel(dialog, *buttons, presenter, {});
  QObject::connect(list, &QTreeWidget::itemActivated, buttons, [buttons] { emit buttons->accepted(); });
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  layout->addWidget(buttons);
  list->setFocus();
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
