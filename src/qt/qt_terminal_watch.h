#pragma once

// A terminal watched on Qt's event loop. A hold ends on a timer descriptor: Qt's timers count
// whole milliseconds, and a reply read a millisecond late makes every block a few percent slower.

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>

#include "qt/terminal_watch.h"

namespace hvt {

class QtTerminalWatch final : public QObject, public TerminalWatch {
  Q_OBJECT

 public:
  QtTerminalWatch() = default;
  ~QtTerminalWatch() override;
  QtTerminalWatch(const QtTerminalWatch&) = delete;
  QtTerminalWatch& operator=(const QtTerminalWatch&) = delete;

  void Begin(int handle, TerminalWatchListener& listener) override;
  void End() override;
  void WatchReadable(bool on) override;
  void WatchWritable(bool on) override;
  bool HoldFor(std::chrono::nanoseconds after) override;

 private:
  QPointer<QSocketNotifier> readable_;
  QPointer<QSocketNotifier> writable_;
  int holdClock_ = -1;
  QPointer<QSocketNotifier> holdOver_;
};

}  // namespace hvt
