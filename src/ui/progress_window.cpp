#include "ui/progress_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <utility>

namespace hvt {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

ProgressWindow::ProgressWindow(const AppContext& context, OperationKind kind, std::function<void()> cancel,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      presenter_(kind, context.Texts()),
      cancel_(std::move(cancel)) {
  setObjectName(QStringLiteral("FrmProgress"));
  setWindowModality(Qt::WindowModal);
  setWindowTitle(Text(presenter_.State().Title));

  caption_ = new QLabel(Text(presenter_.State().Caption));
  caption_->setObjectName(QStringLiteral("Label1"));
  bar_ = new QProgressBar;
  bar_->setObjectName(QStringLiteral("ProgressBar1"));
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  bar_->setAccessibleName(caption_->text());
  caption_->setBuddy(bar_);
  percent_ = new QLabel;
  percent_->setObjectName(QStringLiteral("Label2"));
  percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("100%")));

  auto* text = new QHBoxLayout;
  text->addWidget(caption_);
  text->addStretch();
  text->addWidget(percent_);

  cancelButton_ = new QPushButton(Text(presenter_.State().CancelText));
  cancelButton_->setObjectName(QStringLiteral("CommandCancel"));
  connect(cancelButton_, &QPushButton::clicked, this, [this] { RequestCancel(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancelButton_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->addLayout(text);
  layout->addWidget(bar_);
  layout->addLayout(buttons);
  setMinimumWidth(fontMetrics().averageCharWidth() * 50);
  Render();
}

void ProgressWindow::SetPercent(int percent) {
  presenter_.SetPercent(percent);
  Render();
}

void ProgressWindow::Render() {
  bar_->setValue(presenter_.State().Percent);
  percent_->setText(Text(presenter_.State().PercentText));
  cancelButton_->setEnabled(!presenter_.State().Cancelling);
}

void ProgressWindow::RequestCancel() {
  if (presenter_.State().Cancelling) return;
  presenter_.Cancel();
  Render();
  if (cancel_) cancel_();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // The window system's close (Alt+F4) would leave the transfer running unseen: it cancels instead.
  if (event->spontaneous()) {
    event->ignore();
    RequestCancel();
    return;
  }
  event->accept();
  done(QDialog::Rejected);
}

}  // namespace hvt
