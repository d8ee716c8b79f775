#include "ui/channel_cell_delegate.h"

#include <QComboBox>
#include <QPainter>

#include "ui/channel_table_model.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

// Distinct texts of one grid stay far below this; the bound only guards against growth.
constexpr qsizetype kMaxCachedTexts = 4096;

}  // namespace

ChannelCellDelegate::ChannelCellDelegate(QTableView* grid) : QStyledItemDelegate(grid) {
  if (grid != nullptr) ColourGridHeaders(*grid);
}

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

ChoiceList ChannelCellDelegate::ChoicesOf(const QModelIndex& index) const {
  if (!choices_) return {};
  return choices_(ChannelTableModel::ChannelRowOf(index.row()),
                  ChannelTableModel::GridColumnOf(index.column()));
}

QWidget* ChannelCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
  const ChoiceList choices = ChoicesOf(index);
  if (choices.Entries.empty()) return QStyledItemDelegate::createEditor(parent, option, index);
  auto* box = new QComboBox(parent);
  box->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
  return box;
}

void ChannelCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* box = qobject_cast<QComboBox*>(editor)) {
    RenderChoices(*box, ChoicesOf(index));
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void ChannelCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const {
  if (const auto* box = qobject_cast<QComboBox*>(editor)) {
    model->setData(index, box->currentIndex(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

}  // namespace hvt
