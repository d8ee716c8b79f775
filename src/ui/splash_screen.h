#pragma once

// The picture shown while the program starts; it hands over to the main window once, after its
// time or on a click, and shows a plain panel when its picture cannot be loaded.

#include <QTimer>
#include <QWidget>

#include "app/app_context.h"
#include "editors/splash_presenter.h"

class QLabel;

namespace hvt {

class SplashScreen : public QWidget {
  Q_OBJECT

 public:
  SplashScreen(const AppContext& context, int durationMs);

  // Shows itself in the middle of the screen and starts the timer.
  void Start();

 signals:
  // Exactly once: on the timer or on a click, after the splash has closed.
  void finished();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void HandOver(bool now);

  SplashPresenter presenter_;
  QTimer timer_;
  QLabel* picture_ = nullptr;
};

}  // namespace hvt
