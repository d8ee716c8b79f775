#pragma once

// The bar a read or a write shows while it runs. The caller opens it with open(), never exec(),
// since the transfer runs on the event loop, and closes it when the operation ends. The user's
// Cancel (the button, Escape or the window's close box) only asks the operation to stop; the
// window stays until it has, so a transfer is never left running without its window.

#include <QDialog>
#include <functional>

#include "app/app_context.h"
#include "app/progress_presenter.h"
#include "link/radio_protocol.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace hvt {

class ProgressWindow : public QDialog {
  Q_OBJECT

 public:
  ProgressWindow(const AppContext& context, OperationKind kind, std::function<void()> cancel,
                 QWidget* parent);

  // Out-of-range values show as 0 or 100.
  void SetPercent(int percent);

  // Escape asks the transfer to stop; the caller's close(), accept() or done() ends the window.
  void reject() override { RequestCancel(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Render();
  void RequestCancel();

  ProgressPresenter presenter_;
  std::function<void()> cancel_;
  QPushButton* cancelButton_ = nullptr;
  QLabel* caption_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QLabel* percent_ = nullptr;
};

}  // namespace hvt
