#pragma once

// Draws the grid's cells: a background, the selection and one centred line of text. The cells
// never wrap or elide, so a laid-out text is kept per distinct string and reused; a full redraw
// of the visible rows then costs little more than copying glyphs.

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "app/channel_grid.h"
#include "editors/presenter.h"

namespace hvt {

// A cell being edited shows a text box, or a list for a column that offers choices.
class ChannelCellDelegate final : public QStyledItemDelegate {
 public:
  // Belongs to `grid`, whose headers it gives their colours (see ColourGridHeaders).
  explicit ChannelCellDelegate(QTableView* grid);

  // The entries a cell offers (by channel row and grid column); none for a text cell.
  using CellChoices = std::function<ChoiceList(int row, GridColumn column)>;
  void SetChoices(CellChoices choices) { choices_ = std::move(choices); }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 private:
  ChoiceList ChoicesOf(const QModelIndex& index) const;

  mutable QHash<QString, QStaticText> texts_;
  CellChoices choices_;
};

}  // namespace hvt
