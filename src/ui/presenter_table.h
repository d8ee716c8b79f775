#pragma once

// A grid over a presenter's cells: the presenter answers each cell's text and whether it takes
// an edit; an edit goes back through the presenter, as a filtered text box or as a list.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "editors/presenter.h"

namespace hvt {

struct PresenterCells {
  int Rows = 0;
  int Columns = 0;
  std::function<std::string(int row, int column)> Text;
  std::function<bool(int row, int column)> Editable;
  std::function<std::string(int column)> Header;
  // Columns whose text reads from the left; the others are centred.
  std::function<bool(int column)> LeftAligned = [](int) { return false; };
};

class PresenterTableModel final : public QAbstractTableModel {
 public:
  explicit PresenterTableModel(PresenterCells cells, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void RowChanged(int row);
  void AllChanged();

 private:
  PresenterCells cells_;
};

// How the cells of a presenter's grid are edited. A cell with choices gets a list, any other a
// text box keeping what Filter accepts.
struct PresenterCellEditing {
  std::function<std::string(int column, std::string_view typed)> Filter;
  std::function<std::optional<ChoiceList>(int row, int column)> Choices = [](int, int) {
    return std::optional<ChoiceList>();
  };
  std::function<void(int row, int column, std::string_view text)> SetText;
  std::function<void(int row, int column, int value)> SetChoice = [](int, int, int) {};
  // After any commit, for the view to render what else changed.
  std::function<void()> Committed = [] {};
};

class PresenterCellDelegate final : public QStyledItemDelegate {
 public:
  PresenterCellDelegate(PresenterCellEditing editing, PresenterTableModel& model, QObject* parent);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 private:
  PresenterCellEditing editing_;
  PresenterTableModel& model_;
};

// Commits the cell being edited in `grid` and closes its editor, so that it cannot commit again
// later over what a button brought in.
void EndCellEdit(QTableView& grid);

}  // namespace hvt
