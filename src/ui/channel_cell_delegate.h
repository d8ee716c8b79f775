#pragma once

// Draws the grid's cells: a background, the selection and one centred line of text. The cells
// never wrap or elide, so a laid-out text is kept per distinct string and reused; a full redraw
// of the visible rows then costs little more than copying glyphs.

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace hvt {

class ChannelCellDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  mutable QHash<QString, QStaticText> texts_;
};

}  // namespace hvt
