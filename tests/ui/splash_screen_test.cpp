#include "ui/splash_screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <fstream>

#include "support/temp_folder.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;

void Click(QWidget& widget) {
  const QPointF at(10, 10);
  QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
}

TEST(SplashScreen, AClickHandsOverOnceAndTheTimerNoMore) {
  ShippedContext shipped("zh_CN");
  SplashScreen splash(shipped.Context(), 50);
  int finished = 0;
  QObject::connect(&splash, &SplashScreen::finished, [&finished, &splash] {
    EXPECT_FALSE(splash.isVisible()) << "the splash closes before the main window opens";
    ++finished;
  });
  splash.Start();
  ASSERT_TRUE(splash.isVisible());
  auto* picture = splash.findChild<QLabel*>(QStringLiteral("picLogo"));
  ASSERT_NE(picture, nullptr) << "the shipped Chinese picture loads";
  EXPECT_FALSE(picture->pixmap().isNull());

  Click(splash);
  EXPECT_EQ(finished, 1);
  Click(splash);
  RunEventsUntil([] { return false; }, 150);  // past the timer's 50 ms
  EXPECT_EQ(finished, 1);
}

TEST(SplashScreen, TheTimerHandsOverEvenWithoutAPicture) {
  TempFolder data;  // no pictures at all; an unreadable one goes the same way
  fs::copy(fs::path(HVT_DATA_DIR) / "language", data.Path() / "language");
  std::ofstream(data.Path() / "StartE.jpg") << "not a picture";
  ShippedContext shipped("en_US", data.Path());
  SplashScreen splash(shipped.Context(), 20);
  int finished = 0;
  QObject::connect(&splash, &SplashScreen::finished, [&finished] { ++finished; });
  splash.Start();
  EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("picLogo")), nullptr);
  EXPECT_NE(splash.findChild<QWidget*>(QStringLiteral("splashPanel")), nullptr);

  EXPECT_TRUE(RunEventsUntil([&finished] { return finished > 0; }));
  RunEventsUntil([] { return false; }, 60);
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(splash.isVisible());
}

}  // namespace
}  // namespace hvt
