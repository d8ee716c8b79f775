// Temporary stand-ins until the dialogs land.
#include <QVBoxLayout>
#include "ui/about_box.h"
#include "ui/embedded_info_window.h"
#include "ui/progress_window.h"
#include "ui/splash_screen.h"
namespace hvt {
void ShowAboutBox(QWidget*, const AppContext&, Prompter&) {}
void ShowEmbeddedInfoWindow(QWidget*, const AppContext&, const EmbeddedInfo&) {}
ProgressWindow::ProgressWindow(const AppContext&, OperationKind, QWidget* parent) : QDialog(parent), bar_(new QProgressBar(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bar_);
}
void ProgressWindow::SetPercent(int percent) { bar_->setValue(percent); }
SplashScreen::SplashScreen(const AppContext&, int durationMs) : durationMs_(durationMs) {
  setText(QStringLiteral("HVT7300"));
  setWindowFlags(Qt::SplashScreen);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &SplashScreen::Finish);
}
void SplashScreen::Start() { show(); timer_.start(durationMs_); }
void SplashScreen::mousePressEvent(QMouseEvent*) { Finish(); }
void SplashScreen::Finish() { if (done_) return; done_ = true; timer_.stop(); close(); emit finished(); }
}
