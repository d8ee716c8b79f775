#pragma once

// For the start-up benchmark: prints how long after `since` the window was first painted on
// screen (its first expose, handled). One line on stderr, then it removes itself.

#include <QElapsedTimer>
#include <QObject>
#include <QWidget>

namespace hvt {

class FirstPaintReport final : public QObject {
 public:
  FirstPaintReport(QWidget& window, QElapsedTimer since, const char* label);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QElapsedTimer since_;
  const char* label_;
};

}  // namespace hvt
