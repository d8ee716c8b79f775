#pragma once

// The bar a read or a write shows while it runs. The caller opens it with open(), never exec(),
// since the transfer runs on the event loop, and closes it when the operation ends: the user
// cannot, so a transfer is never left running without its window.

#include <QDialog>

#include "app/app_context.h"
#include "app/progress_presenter.h"
#include "link/radio_protocol.h"

class QLabel;
class QProgressBar;

namespace hvt {

class ProgressWindow : public QDialog {
  Q_OBJECT

 public:
  ProgressWindow(const AppContext& context, OperationKind kind, QWidget* parent);

  // Out-of-range values show as 0 or 100.
  void SetPercent(int percent);

  // Escape does not end a transfer; the caller's close(), accept() or done() does.
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Render();

  ProgressPresenter presenter_;
  QLabel* caption_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QLabel* percent_ = nullptr;
};

}  // namespace hvt
