#include "ui/presenter_table.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <utility>

#include "ui/view_helpers.h"

namespace hvt {

PresenterTableModel::PresenterTableModel(PresenterCells cells, QObject* parent)
    : QAbstractTableModel(parent), cells_(std::move(cells)) {}

int PresenterTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cells_.Rows;
}

int PresenterTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cells_.Columns;
}

QVariant PresenterTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    return ToQString(cells_.Text(index.row(), index.column()));
  if (role == Qt::TextAlignmentRole) {
    const Qt::Alignment alignment =
        cells_.LeftAligned(index.column()) ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
    return QVariant::fromValue(alignment);
  }
  return {};
}

QVariant PresenterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= cells_.Columns)
    return {};
  return ToQString(cells_.Header(section));
}

Qt::ItemFlags PresenterTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && cells_.Editable(index.row(), index.column())) flags |= Qt::ItemIsEditable;
  return flags;
}

void PresenterTableModel::RowChanged(int row) {
  emit dataChanged(index(row, 0), index(row, cells_.Columns - 1));
}

void PresenterTableModel::AllChanged() {
  emit dataChanged(index(0, 0), index(cells_.Rows - 1, cells_.Columns - 1));
}

PresenterCellDelegate::PresenterCellDelegate(PresenterCellEditing editing, PresenterTableModel& model,
                                             QObject* parent)
    : QStyledItemDelegate(parent), editing_(std::move(editing)), model_(model) {}

QWidget* PresenterCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                             const QModelIndex& index) const {
  if (!(model_.flags(index) & Qt::ItemIsEditable)) return nullptr;
  QWidget* editor = nullptr;
  if (editing_.Choices(index.row(), index.column())) {
    editor = new QComboBox(parent);
  } else {
    auto* box = new QLineEdit(parent);
    FilterTyping(*box, [this, column = index.column()](std::string_view typed) {
      return editing_.Filter(column, typed);
    });
    editor = box;
  }
  editor->setAccessibleName(model_.headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString());
  return editor;
}

void PresenterCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* box = qobject_cast<QLineEdit*>(editor)) {
    box->setText(model_.data(index, Qt::EditRole).toString());
    box->selectAll();
  } else if (auto* list = qobject_cast<QComboBox*>(editor)) {
    if (const auto choices = editing_.Choices(index.row(), index.column())) RenderChoices(*list, *choices);
  }
}

void PresenterCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                         const QModelIndex& index) const {
  if (auto* box = qobject_cast<QLineEdit*>(editor)) {
    editing_.SetText(index.row(), index.column(), box->text().toStdString());
  } else if (auto* list = qobject_cast<QComboBox*>(editor)) {
    const auto choices = editing_.Choices(index.row(), index.column());
    const int chosen = list->currentIndex();
    if (choices && chosen >= 0 && chosen < static_cast<int>(choices->Entries.size())) {
      editing_.SetChoice(index.row(), index.column(),
                         choices->Entries[static_cast<std::size_t>(chosen)].Value);
    }
  }
  model_.RowChanged(index.row());
  editing_.Committed();
}

void EndCellEdit(QTableView& grid) {
  QWidget* editor = grid.indexWidget(grid.currentIndex());
  if (editor == nullptr) return;
  auto* delegate = grid.itemDelegateForIndex(grid.currentIndex());
  emit delegate->commitData(editor);
  emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

}  // namespace hvt
