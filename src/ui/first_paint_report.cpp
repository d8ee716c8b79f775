#include "ui/first_paint_report.h"

#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace hvt {

FirstPaintReport::FirstPaintReport(QWidget& window, QElapsedTimer since, const char* label)
    : QObject(&window), since_(since), label_(label) {
  window.winId();
  window.windowHandle()->installEventFilter(this);
}

bool FirstPaintReport::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Expose) {
    watched->removeEventFilter(this);
    // Queued: the expose paints and flushes the window before this runs.
    QTimer::singleShot(0, this, [this] {
      std::fprintf(stderr, "%s %.1f\n", label_, static_cast<double>(since_.nsecsElapsed()) / 1e6);
      deleteLater();
    });
  }
  return false;
}

}  // namespace hvt
