#include "ui/channel_cell_delegate.h"

#include <QPainter>

namespace hvt {

namespace {

// Distinct texts of one grid stay far below this; the bound only guards against growth.
constexpr qsizetype kMaxCachedTexts = 4096;

}  // namespace

void ChannelCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  const QPalette::ColorGroup group =
      option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
  if (selected) {
    painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
  } else if (const QVariant background = index.data(Qt::BackgroundRole); background.isValid()) {
    painter->fillRect(option.rect, background.value<QBrush>());
  }
  const QString text = index.data(Qt::DisplayRole).toString();
  if (text.isEmpty()) return;
  if (texts_.size() > kMaxCachedTexts) texts_.clear();
  auto cached = texts_.find(text);
  if (cached == texts_.end()) {
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), option.font);
    cached = texts_.insert(text, laidOut);
  }
  const QSizeF size = cached->size();
  const QPointF topLeft(option.rect.x() + (option.rect.width() - size.width()) / 2,
                        option.rect.y() + (option.rect.height() - size.height()) / 2);
  painter->save();
  painter->setFont(option.font);
  painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawStaticText(topLeft, *cached);
  painter->restore();
}

}  // namespace hvt
