#pragma once
#include <QLabel>
#include <QTimer>
#include "app/app_context.h"
namespace hvt {
class SplashScreen : public QLabel {
  Q_OBJECT
 public:
  SplashScreen(const AppContext& context, int durationMs);
  void Start();
 signals:
  void finished();
 protected:
  void mousePressEvent(QMouseEvent*) override;
 private:
  void Finish();
  QTimer timer_;
  int durationMs_;
  bool done_ = false;
};
}
