#include "ui/embedded_info_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/ui_fixture.h"

namespace hvt {
namespace {

TEST(EmbeddedInfoWindow, ShowsTheInformationReadOnlyAndCloses) {
  ShippedContext shipped("zh_CN");
  EmbeddedInfo info;
  info.BandIndex = 2;
  info.SerialNumber = "0123456789ABCDEF";
  info.MaintenanceReason = "换了天线座";
  EmbeddedInfoWindow window(shipped.Context(), info, nullptr);
  window.open();

  EXPECT_EQ(window.windowTitle(), QStringLiteral("嵌入信息"));
  QLineEdit* serial = nullptr;
  for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
    EXPECT_TRUE(box->isReadOnly()) << box->accessibleName().toStdString();
    EXPECT_FALSE(box->accessibleName().isEmpty());
    if (box->accessibleName() == QStringLiteral("序列号")) serial = box;
  }
  ASSERT_NE(serial, nullptr);
  EXPECT_EQ(serial->text(), QStringLiteral("0123456789ABCDEF"));
  const auto lists = window.findChildren<QComboBox*>();
  ASSERT_EQ(lists.size(), 2);
  EXPECT_EQ(lists[0]->currentText(), QStringLiteral("HVT7300"));
  EXPECT_EQ(lists[1]->currentText(), QStringLiteral("频段3"));
  EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("bandText"))->text().isEmpty());
  auto* reason = window.findChild<QPlainTextEdit*>(QStringLiteral("maintenanceReason"));
  EXPECT_TRUE(reason->isReadOnly());
  EXPECT_EQ(reason->toPlainText(), QStringLiteral("换了天线座"));

  const auto buttons = window.findChild<QDialogButtonBox*>()->buttons();
  ASSERT_EQ(buttons.size(), 1);
  EXPECT_EQ(buttons[0]->text(), QStringLiteral("关闭(&C)"));
  buttons[0]->click();
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace hvt
