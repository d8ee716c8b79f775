#include "ui/view_helpers.h"

#include <QGuiApplication>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <algorithm>
#include <string>
#include <utility>

namespace hvt {

void SetButtonTexts(QDialogButtonBox& buttons, std::string_view ok, std::string_view cancel) {
  if (QPushButton* button = buttons.button(QDialogButtonBox::Ok)) {
    button->setText(ToQString(ok));
    button->setDefault(true);
  }
  if (QPushButton* button = buttons.button(QDialogButtonBox::Cancel)) button->setText(ToQString(cancel));
}

void ConnectOkCancel(QDialog& dialog, QDialogButtonBox& buttons, DialogPresenter& presenter,
                     std::function<void()> render) {
  QObject::connect(&buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, &presenter, render] {
    if (presenter.Ok()) dialog.accept();
    if (render) render();
  });
  QObject::connect(&buttons, &QDialogButtonBox::rejected, &dialog, [&dialog, &presenter] {
    presenter.Cancel();
    dialog.reject();
  });
}

void RenderChoices(QComboBox& box, const ChoiceList& list) {
  QStringList texts;
  for (const ListEntry& entry : list.Entries) texts.append(ToQString(entry.Text));
  QStringList shown;
  for (int i = 0; i < box.count(); ++i) shown.append(box.itemText(i));
  if (texts != shown) {
    box.clear();
    box.addItems(texts);
  }
  box.setCurrentIndex(list.HasSelection() ? list.Selected : -1);
  box.setEnabled(list.Enabled);
  box.setVisible(list.Visible);
}

void FilterTyping(QLineEdit& box, std::function<std::string(std::string_view)> keep) {
  QObject::connect(&box, &QLineEdit::textEdited, &box, [&box, keep = std::move(keep)](const QString& typed) {
    const QByteArray utf8 = typed.toUtf8();
    const QString kept =
        ToQString(keep(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
    if (kept == typed) return;
    const int cursor = box.cursorPosition() - static_cast<int>(typed.size() - kept.size());
    box.setText(kept);
    box.setCursorPosition(std::max(0, cursor));
  });
}

namespace {

class FullSizeScrollArea final : public QScrollArea {
 public:
  using QScrollArea::QScrollArea;

  QSize sizeHint() const override {
    const int frame = 2 * frameWidth();
    return widget() == nullptr ? QScrollArea::sizeHint() : widget()->sizeHint() + QSize(frame, frame);
  }
};

// Scrolls sideways rather than squeeze its fields' captions; lists may still give up height.
class ScrolledForm final : public QWidget {
 public:
  using QWidget::QWidget;

  QSize minimumSizeHint() const override {
    const QSize least = QWidget::minimumSizeHint();
    return {std::max(least.width(), sizeHint().width()), least.height()};
  }
};

}  // namespace

QScrollArea* ScrollingBody(QWidget* parent, QLayout* content) {
  auto* area = new FullSizeScrollArea(parent);
  area->setFrameShape(QFrame::NoFrame);
  area->setFocusPolicy(Qt::NoFocus);
  area->setWidgetResizable(true);
  auto* body = new ScrolledForm(area);
  body->setLayout(content);
  content->setContentsMargins(0, 0, 0, 0);
  // The least size is the form's own answer above, not one the layout pins on it.
  content->setSizeConstraint(QLayout::SetNoConstraint);
  area->setWidget(body);
  return area;
}

void FitToScreen(QWidget& window) {
  // Texts set before the window was first shown have not yet reached the layouts' cached sizes.
  for (QWidget* widget : window.findChildren<QWidget*>()) widget->ensurePolished();
  for (QLayout* layout : window.findChildren<QLayout*>()) layout->invalidate();
  if (QLayout* layout = window.layout()) layout->activate();
  const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
  QSize wanted = window.sizeHint().expandedTo(window.minimumSizeHint());
  if (screen != nullptr) {
    // Room for the title bar and the frame the window manager adds.
    const QSize frame(2 * window.fontMetrics().averageCharWidth(), 3 * window.fontMetrics().height());
    wanted = wanted.boundedTo(screen->availableGeometry().size() - frame);
  }
  window.resize(wanted.expandedTo(window.minimumSize()));
}

}  // namespace hvt
