#include "ui/about_box.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace hvt {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }
QString Plain(const std::string& caption) { return Text(caption).remove(QLatin1Char('&')); }

QLabel* NewLabel(const std::string& text, const char* name) {
  auto* label = new QLabel(Text(text));
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAccessibleName(Text(text));
  return label;
}

constexpr int kPictureSize = 64;

}  // namespace

AboutBox::AboutBox(const AppContext& context, Prompter& prompter, QWidget* parent)
    : QDialog(parent), presenter_(context.Texts(), HVT_VERSION, context.Folders().Data, prompter) {
  const AboutViewState& state = presenter_.State();
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(Text(state.Caption));

  auto* picture = new QLabel;
  picture->setObjectName(QStringLiteral("picIcon"));
  picture->setAccessibleName(Text(state.Title));
  const QPixmap pixmap(QString::fromStdU16String(state.Picture.u16string()));
  if (!pixmap.isNull()) {
    // Drawn from the full-size picture so that it stays sharp at any scale.
    const qreal ratio = devicePixelRatioF();
    QPixmap scaled = pixmap.scaled(QSize(kPictureSize, kPictureSize) * ratio, Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    picture->setPixmap(scaled);
  }
  picture->setFixedSize(kPictureSize, kPictureSize);

  QLabel* title = NewLabel(state.Title, "lblTitle");
  QFont titleFont = title->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
  titleFont.setBold(true);
  title->setFont(titleFont);
  QLabel* version = NewLabel(state.Version, "lblVersion");
  QLabel* description = NewLabel(state.Description, "lblDescription");

  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  QLabel* disclaimer = NewLabel(state.Disclaimer, "lblDisclaimer");

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(Text(state.OkButton), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setAccessibleName(Plain(state.OkButton));
  ok->setDefault(true);
  QPushButton* systemInfo = buttons->addButton(Text(state.SystemInfoButton), QDialogButtonBox::ActionRole);
  systemInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  systemInfo->setAccessibleName(Plain(state.SystemInfoButton));
  systemInfo->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (presenter_.Ok()) accept();
  });
  connect(systemInfo, &QPushButton::clicked, this, [this] { presenter_.ShowSystemInfo(); });

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(16);
  grid->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
  grid->addWidget(title, 0, 1);
  grid->addWidget(version, 1, 1);
  grid->addWidget(description, 2, 1);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addWidget(line);
  layout->addWidget(disclaimer);
  layout->addWidget(buttons);
  setMinimumWidth(fontMetrics().averageCharWidth() * 60);
  ok->setFocus();
}

void ShowAboutBox(QWidget* parent, const AppContext& context, Prompter& prompter) {
  AboutBox box(context, prompter, parent);
  box.exec();
}

}  // namespace hvt
