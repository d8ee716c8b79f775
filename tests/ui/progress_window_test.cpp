#include "ui/progress_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "ui/ui_fixture.h"

namespace hvt {
namespace {

TEST(ProgressWindow, ShowsThePercentAndCancelOnlyAsksTheCallerToStop) {
  ShippedContext shipped("en_US");
  QWidget owner;
  owner.show();
  int cancels = 0;
  ProgressWindow window(
      shipped.Context(), OperationKind::Write, [&cancels] { ++cancels; }, &owner);
  window.open();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Write data to radio"));
  EXPECT_EQ(window.windowModality(), Qt::WindowModal);
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  auto* bar = window.findChild<QProgressBar*>();
  auto* percent = window.findChild<QLabel*>(QStringLiteral("Label2"));
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
            QStringLiteral("Completion percentage:"));
  EXPECT_EQ(percent->text(), QStringLiteral("0%"));

  window.SetPercent(42);
  EXPECT_EQ(bar->value(), 42);
  EXPECT_EQ(percent->text(), QStringLiteral("42%"));
  window.SetPercent(70000);
  EXPECT_EQ(bar->value(), 100);
  EXPECT_EQ(percent->text(), QStringLiteral("100%"));

  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&window, &escape);
  EXPECT_TRUE(window.isVisible()) << "Escape must not hide a running transfer";
  EXPECT_EQ(cancels, 1) << "Escape asks the transfer to stop";
  auto* cancel = window.findChild<QPushButton*>();
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
  EXPECT_FALSE(cancel->isEnabled()) << "asked once; the transfer ends after the packet in flight";
  cancel->click();
  EXPECT_EQ(cancels, 1);

  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.isVisible());

  window.open();
  window.accept();
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace hvt
