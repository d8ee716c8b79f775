#pragma once

// The channel grid's rows as a table model: it reads the texts the presenter drew and tells the
// view which rows changed, so one row redraws alone.

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>

#include "app/channel_grid.h"
#include "i18n/language_texts.h"

namespace hvt {

// Gives the grid's headers their text colours. They go on the headers' palettes once, not in the
// header data: a colour there is set on a copy of the palette at every paint, and the style keeps
// each section's picture under the palette's key, so every redraw filled Qt's pixmap cache anew.
void ColourGridHeaders(QTableView& grid);

class ChannelTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  ChannelTableModel(const ChannelGrid& grid, const LanguageTexts* texts, QObject* parent = nullptr);

  void SetTexts(const LanguageTexts* texts) { texts_ = texts; }

  // In-place editing: which cells take an edit, and what an edit does with a text or a chosen
  // index; both by channel row and grid column. Without them the grid is read-only.
  using EditableCell = std::function<bool(int row, GridColumn column)>;
  using CellEdited = std::function<bool(int row, GridColumn column, const QVariant& value)>;
  void SetEditing(EditableCell editable, CellEdited edited) {
    editable_ = std::move(editable);
    edited_ = std::move(edited);
  }
  // After the presenter redrew everything (also the headers, after a language switch).
  void RowsRedrawn();
  void RowRedrawn(int row);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  static GridColumn GridColumnOf(int modelColumn) { return static_cast<GridColumn>(modelColumn + 1); }

  // Model row r is channel row r + 1; model column c is grid column c + 1.
  static int ChannelRowOf(int modelRow) { return modelRow + 1; }
  static int ModelRowOf(int channelRow) { return channelRow - 1; }

 private:
  const ChannelGrid& grid_;
  const LanguageTexts* texts_;
  EditableCell editable_;
  CellEdited edited_;
};

}  // namespace hvt
