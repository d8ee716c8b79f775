#include "ui/commu_book_dialog.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "app/commu_book_presenter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

using BookPresenter = CommuBookPresenter;

// The 128 entries as the presenter shows them; an edit goes through the presenter's one open cell.
class BookModel final : public QAbstractTableModel {
 public:
  explicit BookModel(BookPresenter& presenter) : presenter_(presenter) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : kCommuBookEntryCount;
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : BookPresenter::kColumnCount;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
      return ToQString(presenter_.CellText(index.row(), index.column()));
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    const BookPresenter::ViewState& state = presenter_.State();
    switch (section) {
      case BookPresenter::kIndexColumn:
        return ToQString(state.IndexHeader);
      case BookPresenter::kCodeColumn:
        return ToQString(state.CodeHeader);
      case BookPresenter::kNameColumn:
        return ToQString(state.NameHeader);
      default:
        return {};
    }
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() != BookPresenter::kIndexColumn) flags |= Qt::ItemIsEditable;
    return flags;
  }

  void CellCommitted(const QModelIndex& index) { emit dataChanged(index, index); }
  void BookReplaced() {
    beginResetModel();
    endResetModel();
  }

 private:
  BookPresenter& presenter_;
};

// The box over the cell being edited keeps only what the presenter accepts.
class CellDelegate final : public QStyledItemDelegate {
 public:
  CellDelegate(BookPresenter& presenter, BookModel& model, QObject* parent)
      : QStyledItemDelegate(parent), presenter_(presenter), model_(model) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    if (!presenter_.BeginEdit(index.row(), index.column())) return nullptr;
    auto* box = new QLineEdit(parent);
    box->setAlignment(Qt::AlignCenter);
    box->setAccessibleName(model_.headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString());
    FilterTyping(*box, [this](std::string_view typed) { return presenter_.EditText(typed); });
    return box;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* box = static_cast<QLineEdit*>(editor);
    box->setText(ToQString(presenter_.EditText(presenter_.CellText(index.row(), index.column()))));
    box->selectAll();
  }

  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex& index) const override {
    presenter_.CommitEdit();
    model_.CellCommitted(index);
  }

 private:
  BookPresenter& presenter_;
  BookModel& model_;
};

class CommuBookDialog final : public QDialog {
 public:
  CommuBookDialog(QWidget* parent, BookPresenter& presenter)
      : QDialog(parent), presenter_(presenter), model_(presenter) {
    const BookPresenter::ViewState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    grid_ = new QTableView(this);
    grid_->setModel(&model_);
    delegate_ = new CellDelegate(presenter_, model_, grid_);
    grid_->setItemDelegate(delegate_);
    grid_->setAccessibleName(ToQString(state.Title));
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    // Tab moves on to the buttons, the arrows between cells.
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const QFontMetrics metrics = grid_->fontMetrics();
    const int padding = metrics.averageCharWidth() * 3;
    const auto widthFor = [&](const std::string& header, const char* sample) {
      return std::max(metrics.horizontalAdvance(ToQString(header)), metrics.horizontalAdvance(sample)) +
             padding;
    };
    grid_->setColumnWidth(BookPresenter::kIndexColumn, widthFor(state.IndexHeader, "000"));
    grid_->setColumnWidth(BookPresenter::kCodeColumn, widthFor(state.CodeHeader, "000000"));
    grid_->setColumnWidth(BookPresenter::kNameColumn, widthFor(state.NameHeader, "WWWWWW"));
    grid_->horizontalHeader()->setStretchLastSection(true);
    int width = 2 * grid_->frameWidth() + grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int column = 0; column < BookPresenter::kColumnCount; ++column) width += grid_->columnWidth(column);
    grid_->setMinimumSize(width, grid_->horizontalHeader()->sizeHint().height() +
                                     12 * grid_->verticalHeader()->defaultSectionSize());

    // Made in the order Tab visits them: the buttons on the left first.
    auto* import = new QPushButton(ToQString(state.ImportText), this);
    auto* exportButton = new QPushButton(ToQString(state.ExportText), this);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    SetButtonTexts(*buttons_, state.OkText, state.CancelText);
    import->setAutoDefault(false);
    exportButton->setAutoDefault(false);
    connect(import, &QPushButton::clicked, this, [this] {
      EndEdit();
      if (presenter_.Import()) model_.BookReplaced();
    });
    connect(exportButton, &QPushButton::clicked, this, [this] {
      EndEdit();
      presenter_.Export();
    });
    connect(
        buttons_, &QDialogButtonBox::accepted, this, [this] { EndEdit(); }, Qt::DirectConnection);
    ConnectOkCancel(*this, *buttons_, presenter_, {});

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(import);
    bottom->addWidget(exportButton);
    bottom->addStretch();
    bottom->addWidget(buttons_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(bottom);
    grid_->setCurrentIndex(model_.index(0, BookPresenter::kCodeColumn));
    grid_->setFocus();
    FitToScreen(*this);
  }

 private:
  // An open cell is committed before a button acts, and closed so it cannot commit again later
  // over what the button brought in.
  void EndEdit() {
    QWidget* editor = grid_->indexWidget(grid_->currentIndex());
    if (editor == nullptr) return;
    emit delegate_->commitData(editor);
    emit delegate_->closeEditor(editor, QAbstractItemDelegate::NoHint);
  }

  BookPresenter& presenter_;
  BookModel model_;
  QTableView* grid_ = nullptr;
  CellDelegate* delegate_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunCommuBookDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  BookPresenter presenter(workspace, context.Texts(), prompter);
  CommuBookDialog dialog(parent, presenter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
