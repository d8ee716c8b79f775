#pragma once

// What the main window's channel grid shows: a header row, a label column and one row per
// channel number 1-203. Rows are kept as texts, so a full redraw computes 203 rows once and the
// view only reads them.

#include <array>
#include <string>

#include "i18n/language_texts.h"
#include "model/channel_codes.h"
#include "model/channel_table.h"

namespace hvt {

// The grid's columns; column 0 holds the row labels.
enum class GridColumn { Label, Rx, Tx, Name, Step, Bandwidth, Scan, Power, Decode, Encode, OptSignal };
inline constexpr int kGridColumnCount = 11;

// Columns 1-10 of a channel row.
using ChannelCells = std::array<std::string, kGridColumnCount - 1>;

ChannelCells ChannelRowCells(const ChannelRecord& channel, const LanguageTexts& texts);

// "1".."200", "VFO1", "VFO2", "TRF".
std::string GridRowLabel(int row);
// The tone columns' headers take two lines.
std::string GridHeaderText(GridColumn column, const LanguageTexts& texts);
// The step column exists but is never shown.
constexpr bool GridColumnShown(GridColumn column) { return column != GridColumn::Step; }
// Every even row is shaded.
constexpr bool GridRowShaded(int row) { return row % 2 == 0; }

class ChannelGrid {
 public:
  // Every row from the table (the window's full redraw).
  void DrawAll(const ChannelTable& table, const LanguageTexts& texts);
  // Row `row` alone (after a clipboard operation or an edit of that channel).
  void DrawRow(const ChannelTable& table, const LanguageTexts& texts, int row);

  // Rows 1-203; empty cells where no channel is in use.
  const ChannelCells& Row(int row) const;
  static constexpr bool IsChannelRow(int row) { return row >= 1 && row <= kChannelCount; }

 private:
  std::array<ChannelCells, kChannelCount + 1> rows_{};
};

}  // namespace hvt
