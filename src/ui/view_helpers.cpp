#include "ui/view_helpers.h"

#include <QPushButton>
#include <QStringList>

namespace hvt {

void SetButtonTexts(QDialogButtonBox& buttons, std::string_view ok, std::string_view cancel) {
  if (QPushButton* button = buttons.button(QDialogButtonBox::Ok)) {
    button->setText(ToQString(ok));
    button->setDefault(true);
  }
  if (QPushButton* button = buttons.button(QDialogButtonBox::Cancel)) button->setText(ToQString(cancel));
}

void ConnectOkCancel(QDialog& dialog, QDialogButtonBox& buttons, DialogPresenter& presenter,
                     std::function<void()> render) {
  QObject::connect(&buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, &presenter, render] {
    if (presenter.Ok()) dialog.accept();
    if (render) render();
  });
  QObject::connect(&buttons, &QDialogButtonBox::rejected, &dialog, [&dialog, &presenter] {
    presenter.Cancel();
    dialog.reject();
  });
}

void RenderChoices(QComboBox& box, const ChoiceList& list) {
  QStringList texts;
  for (const ListEntry& entry : list.Entries) texts.append(ToQString(entry.Text));
  QStringList shown;
  for (int i = 0; i < box.count(); ++i) shown.append(box.itemText(i));
  if (texts != shown) {
    box.clear();
    box.addItems(texts);
  }
  box.setCurrentIndex(list.HasSelection() ? list.Selected : -1);
  box.setEnabled(list.Enabled);
  box.setVisible(list.Visible);
}

}  // namespace hvt
