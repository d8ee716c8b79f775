#include "ui/two_tone_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>
#include <vector>

#include "editors/two_tone_presenter.h"
#include "ui/presenter_table.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

using Column = TwoTonePresenter::Column;

class TwoToneDialog final : public QDialog {
 public:
  TwoToneDialog(QWidget* parent, TwoTonePresenter& presenter)
      : QDialog(parent),
        presenter_(presenter),
        model_({.Rows = kTwoToneEntryCount,
                .Columns = TwoTonePresenter::kColumnCount,
                .Text = [&presenter](int row, int column) { return presenter.CellText(row, column); },
                .Editable = [&presenter](int row, int column) { return presenter.CanEditCell(row, column); },
                .Header =
                    [&presenter](int column) {
                      return presenter.State().Headers[static_cast<std::size_t>(column)];
                    }}) {
    tabs_ = new QTabWidget(this);
    tabs_->addTab(BuildSettings(), QString());
    tabs_->addTab(BuildList(), QString());
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
    connect(
        buttons_, &QDialogButtonBox::accepted, this, [this] { EndCellEdit(*grid_); }, Qt::DirectConnection);
    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    Render();
    lists_.front().Box->setFocus();
    FitToScreen(*this);
  }

 private:
  struct ListRow {
    TwoToneList List;
    QLabel* Label = nullptr;
    QComboBox* Box = nullptr;
  };

  QWidget* BuildSettings() {
    auto* page = new QWidget(this);
    auto* columns = new QHBoxLayout(page);
    auto* timing = new QFormLayout;
    auto* tones = new QFormLayout;
    columns->addLayout(timing);
    columns->addLayout(tones);
    for (std::size_t i = 0; i < kTwoToneListCount; ++i) {
      const auto list = static_cast<TwoToneList>(i);
      ListRow row{list, new QLabel(page), new QComboBox(page)};
      row.Box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      row.Label->setBuddy(row.Box);
      (list < TwoToneList::TonePair ? timing : tones)->addRow(row.Label, row.Box);
      connect(row.Box, &QComboBox::activated, this, [this, list](int index) {
        presenter_.SelectEntry(list, index);
        Render();
      });
      lists_.push_back(row);
    }
    sideTone_ = new QCheckBox(page);
    timing->addRow(sideTone_);
    connect(sideTone_, &QCheckBox::toggled, this, [this](bool checked) {
      presenter_.SetSideTone(checked);
      Render();
    });
    const int toneWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000000"));
    for (int tone = 0; tone < TwoTonePresenter::kToneCount; ++tone) {
      auto& [label, box] = tones_[static_cast<std::size_t>(tone)];
      label = new QLabel(page);
      box = new QLineEdit(page);
      box->setMinimumWidth(toneWidth);
      label->setBuddy(box);
      tones->addRow(label, box);
      FilterTyping(*box, [this, tone](std::string_view typed) { return presenter_.TypeTone(tone, typed); });
      connect(box, &QLineEdit::editingFinished, this, [this, tone] {
        presenter_.LeaveTone(tone);
        Render();
      });
    }
    return page;
  }

  QWidget* BuildList() {
    grid_ = new QTableView(this);
    grid_->setModel(&model_);
    auto* delegate = new PresenterCellDelegate(
        {.Filter = [this](int column,
                          std::string_view typed) { return presenter_.FilterCellText(column, typed); },
         .SetText = [this](int row, int column,
                           std::string_view text) { presenter_.SetCellText(row, column, text); }},
        model_, grid_);
    grid_->setItemDelegate(delegate);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    // Tab moves on to the buttons, the arrows between cells.
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->hide();
    const QFontMetrics metrics = grid_->fontMetrics();
    const int padding = metrics.averageCharWidth() * 3;
    int width = 2 * grid_->frameWidth() + grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int column = 0; column < TwoTonePresenter::kColumnCount; ++column) {
      const QString header = model_.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
      const QString sample =
          column == Column::kNumberColumn ? QStringLiteral("00") : QStringLiteral("WWWWWWW");
      grid_->setColumnWidth(
          column, std::max(metrics.horizontalAdvance(header), metrics.horizontalAdvance(sample)) + padding);
      width += grid_->columnWidth(column);
    }
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setMinimumSize(width, grid_->horizontalHeader()->sizeHint().height() +
                                     10 * grid_->verticalHeader()->defaultSectionSize());
    grid_->setCurrentIndex(model_.index(0, Column::kFirstToneColumn));
    return grid_;
  }

  void Render() {
    const TwoTonePresenter::ViewState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    tabs_->setTabText(0, ToQString(state.SettingsTab));
    tabs_->setTabText(1, ToQString(state.ListTab));
    grid_->setAccessibleName(ToQString(state.ListTab));
    for (const ListRow& row : lists_) {
      const QSignalBlocker blocker(row.Box);
      const QString caption = ToQString(state.ListLabels[static_cast<std::size_t>(row.List)]);
      row.Label->setText(caption);
      row.Box->setAccessibleName(caption);
      RenderChoices(*row.Box, state.Lists[static_cast<std::size_t>(row.List)]);
    }
    {
      const QSignalBlocker blocker(sideTone_);
      sideTone_->setText(ToQString(state.SideToneLabel));
      sideTone_->setAccessibleName(ToQString(state.SideToneLabel));
      sideTone_->setChecked(state.SideTone.Checked);
    }
    for (std::size_t tone = 0; tone < tones_.size(); ++tone) {
      const auto& [label, box] = tones_[tone];
      const QString caption = ToQString(state.ToneLabels[tone]);
      label->setText(caption);
      box->setAccessibleName(caption);
      const QString text = ToQString(state.Tones[tone].Text);
      if (box->text() != text) box->setText(text);
      box->setEnabled(state.Tones[tone].Enabled);
    }
    SetButtonTexts(*buttons_, state.Ok, state.Cancel);
  }

  TwoTonePresenter& presenter_;
  PresenterTableModel model_;
  QTabWidget* tabs_ = nullptr;
  std::vector<ListRow> lists_;
  QCheckBox* sideTone_ = nullptr;
  std::array<std::pair<QLabel*, QLineEdit*>, TwoTonePresenter::kToneCount> tones_{};
  QTableView* grid_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunTwoToneDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  TwoTonePresenter presenter(workspace.Current(), context.Texts(), prompter);
  TwoToneDialog dialog(parent, presenter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
