#include "ui/channel_table_model.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>

namespace hvt {

namespace {

const QColor kHeaderText(0, 0, 155);
const QColor kRowLabelText(0, 0, 255);
const QColor kShadedRow(250, 250, 240);

}  // namespace

ChannelTableModel::ChannelTableModel(const ChannelGrid& grid, const LanguageTexts* texts, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), texts_(texts) {}

void ColourGridHeaders(QTableView& grid) {
  const auto colour = [](QHeaderView& header, const QColor& text) {
    QPalette palette = header.palette();
    palette.setColor(QPalette::ButtonText, text);
    header.setPalette(palette);
  };
  colour(*grid.horizontalHeader(), kHeaderText);
  colour(*grid.verticalHeader(), kRowLabelText);
}

void ChannelTableModel::RowsRedrawn() {
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ChannelTableModel::RowRedrawn(int row) {
  if (!ChannelGrid::IsChannelRow(row)) return;
  emit dataChanged(index(ModelRowOf(row), 0), index(ModelRowOf(row), columnCount() - 1));
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kChannelCount;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kGridColumnCount - 1;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = ChannelRowOf(index.row());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
      const std::string& text = grid_.Row(row)[static_cast<std::size_t>(index.column())];
      return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
      return GridRowShaded(row) ? QVariant(QBrush(kShadedRow)) : QVariant();
    default:
      return {};
  }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    if (role == Qt::DisplayRole) return QString::fromStdString(GridRowLabel(ChannelRowOf(section)));
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
  }
  if (role == Qt::DisplayRole && texts_ != nullptr) {
    return QString::fromStdString(GridHeaderText(static_cast<GridColumn>(section + 1), *texts_));
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  return {};
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && editable_ && editable_(ChannelRowOf(index.row()), GridColumnOf(index.column()))) {
    flags |= Qt::ItemIsEditable;
  }
  return flags;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !edited_) return false;
  return edited_(ChannelRowOf(index.row()), GridColumnOf(index.column()), value);
}

}  // namespace hvt
