#include "ui/view_helpers.h"

#include <QPushButton>
#include <QStringList>
#include <algorithm>
#include <string>
#include <utility>

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

void FilterTyping(QLineEdit& box, std::function<std::string(std::string_view)> keep) {
  QObject::connect(&box, &QLineEdit::textEdited, &box, [&box, keep = std::move(keep)](const QString& typed) {
    const QByteArray utf8 = typed.toUtf8();
    const QString kept =
        ToQString(keep(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
    if (kept == typed) return;
    const int cursor = box.cursorPosition() - static_cast<int>(typed.size() - kept.size());
    box.setText(kept);
    box.setCursorPosition(std::max(0, cursor));
  });
}

}  // namespace hvt
