#pragma once

// Acting on a modal dialog from inside its exec(): the test schedules what the user does, then
// opens the dialog.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace hvt {

// Runs `act` on the modal dialog once its event loop runs. A dialog that never shows up fails
// the test instead of leaving it waiting.
inline void OnModalDialog(std::function<void(QDialog&)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "no modal dialog";
      return;
    }
    act(*dialog);
  });
}

inline QPushButton* Button(QDialog& dialog, QDialogButtonBox::StandardButton which) {
  auto* box = dialog.findChild<QDialogButtonBox*>();
  return box == nullptr ? nullptr : box->button(which);
}

// What every dialog must have: it renders, each field has a label pointing at it and a name
// for screen readers, and OK is the default button.
inline void ExpectWellFormed(QDialog& dialog) {
  EXPECT_FALSE(dialog.grab().isNull());
  EXPECT_FALSE(dialog.windowTitle().isEmpty());
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    EXPECT_FALSE(label->text().isEmpty());
    ASSERT_NE(label->buddy(), nullptr) << label->text().toStdString();
    EXPECT_FALSE(label->buddy()->accessibleName().isEmpty()) << label->text().toStdString();
  }
  QPushButton* ok = Button(dialog, QDialogButtonBox::Ok);
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(ok->isDefault());
  EXPECT_FALSE(ok->text().isEmpty());
}

inline void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
  QPushButton* button = Button(dialog, which);
  if (button == nullptr) {
    ADD_FAILURE() << "no such button";
    dialog.reject();
    return;
  }
  button->click();
}

}  // namespace hvt
