#include "ui/about_box.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "support/scripted_prompter.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

TEST(AboutBox, ShowsTheProgramAndTellsThatSystemInformationIsMissing) {
  ShippedContext shipped("en_US");
  ScriptedPrompter prompter;
  AboutBox box(shipped.Context(), prompter, nullptr);
  box.open();

  EXPECT_EQ(box.windowTitle(), QStringLiteral("About HVT7300"));
  EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("HVT7300"));
  EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.0.0"));
  EXPECT_FALSE(box.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text().isEmpty());
  EXPECT_FALSE(box.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());

  box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"System information is not available at this time."});
  EXPECT_TRUE(box.isVisible());

  box.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace hvt
