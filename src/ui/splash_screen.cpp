#include "ui/splash_screen.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace hvt {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The panel has the pictures' size, so the screen looks the same with or without them.
constexpr QSize kPanelSize(480, 300);

QWidget* NewPanel(const SplashViewState& state) {
  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("splashPanel"));
  panel->setAutoFillBackground(true);
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, QColor(0x24, 0x3b, 0x55));
  colours.setColor(QPalette::WindowText, QColor(0xf2, 0xf5, 0xf8));
  panel->setPalette(colours);
  panel->setMinimumSize(kPanelSize);

  auto* title = new QLabel(Text(state.Title));
  QFont titleFont = title->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 3);
  titleFont.setBold(true);
  title->setFont(titleFont);
  title->setAlignment(Qt::AlignCenter);
  auto* subtitle = new QLabel(Text(state.Subtitle));
  subtitle->setAlignment(Qt::AlignCenter);
  subtitle->setWordWrap(true);

  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(24, 24, 24, 24);
  layout->addStretch();
  layout->addWidget(title);
  layout->addWidget(subtitle);
  layout->addStretch();
  return panel;
}

}  // namespace

SplashScreen::SplashScreen(const AppContext& context, int durationMs)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      presenter_(context.Folders().Data, context.Texts()) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(Text(presenter_.State().Title));
  setAccessibleName(Text(presenter_.State().Title));

  QPixmap pixmap;
  if (!presenter_.State().Picture.empty()) {
    pixmap.load(QString::fromStdU16String(presenter_.State().Picture.u16string()));
    if (pixmap.isNull()) presenter_.PictureUnreadable();
  }

  auto* stack = new QStackedLayout(this);
  stack->setContentsMargins(0, 0, 0, 0);
  if (pixmap.isNull()) {
    stack->addWidget(NewPanel(presenter_.State()));
  } else {
    picture_ = new QLabel;
    picture_->setObjectName(QStringLiteral("picLogo"));
    picture_->setPixmap(pixmap);
    picture_->setAccessibleName(Text(presenter_.State().Title));
    stack->addWidget(picture_);
  }

  timer_.setSingleShot(true);
  timer_.setInterval(durationMs);
  connect(&timer_, &QTimer::timeout, this, [this] { HandOver(presenter_.TimerElapsed()); });
}

void SplashScreen::Start() {
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  timer_.start();
}

void SplashScreen::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) HandOver(presenter_.PictureClicked());
  event->accept();
}

void SplashScreen::HandOver(bool now) {
  if (!now) return;
  timer_.stop();
  close();
  emit finished();
}

}  // namespace hvt
