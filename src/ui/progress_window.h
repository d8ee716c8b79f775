#pragma once
#include <QDialog>
#include <QProgressBar>
#include "app/app_context.h"
#include "link/radio_protocol.h"
namespace hvt {
class ProgressWindow : public QDialog {
  Q_OBJECT
 public:
  ProgressWindow(const AppContext& context, OperationKind kind, QWidget* parent);
  void SetPercent(int percent);
 private:
  QProgressBar* bar_;
};
}
