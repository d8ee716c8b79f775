#pragma once

// The channel grid's rows as a table model: it reads the texts the presenter drew and tells the
// view which rows changed, so one row redraws alone.

#include <QAbstractTableModel>

#include "app/channel_grid.h"
#include "i18n/language_texts.h"

namespace hvt {

class ChannelTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  ChannelTableModel(const ChannelGrid& grid, const LanguageTexts* texts, QObject* parent = nullptr);

  void SetTexts(const LanguageTexts* texts) { texts_ = texts; }
  // After the presenter redrew everything (also the headers, after a language switch).
  void RowsRedrawn();
  void RowRedrawn(int row);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Model row r is channel row r + 1; model column c is grid column c + 1.
  static int ChannelRowOf(int modelRow) { return modelRow + 1; }
  static int ModelRowOf(int channelRow) { return channelRow - 1; }

 private:
  const ChannelGrid& grid_;
  const LanguageTexts* texts_;
};

}  // namespace hvt
