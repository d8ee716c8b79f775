#include "ui/five_tone_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "editors/five_tone_presenter.h"
#include "editors/special_call_presenter.h"
#include "ui/presenter_table.h"
#include "ui/special_call_dialog.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

using Column = FiveTonePresenter::Column;

struct ListRow {
  FiveToneList List;
  QLabel* Label = nullptr;
  QComboBox* Box = nullptr;
};

struct PttIdWidgets {
  QGroupBox* Frame = nullptr;
  QLabel* CodeLabel = nullptr;
  QLineEdit* Code = nullptr;
  QPushButton* Special = nullptr;
  QLabel* StandardLabel = nullptr;
  QComboBox* Standard = nullptr;
  QLabel* ToneLengthLabel = nullptr;
  QComboBox* ToneLength = nullptr;
};

class FiveToneDialog final : public QDialog {
 public:
  FiveToneDialog(QWidget* parent, FiveTonePresenter& presenter, Prompter& prompter)
      : QDialog(parent),
        presenter_(presenter),
        prompter_(prompter),
        model_({.Rows = kFiveToneCodeCount,
                .Columns = FiveTonePresenter::kColumnCount,
                .Text = [&presenter](int row, int column) { return presenter.CellText(row, column); },
                .Editable = [&presenter](int row, int column) { return presenter.CanEditCell(row, column); },
                .Header =
                    [&presenter](int column) {
                      return presenter.State().Headers[static_cast<std::size_t>(column)];
                    },
                .LeftAligned = [](int column) { return column == Column::kCodeColumn; }}) {
    auto* top = new QHBoxLayout;
    top->addWidget(BuildGeneral());
    auto* pttColumn = new QVBoxLayout;
    for (int which = 0; which < 2; ++which) pttColumn->addWidget(BuildPttId(which));
    pttColumn->addStretch();
    top->addLayout(pttColumn);
    top->addWidget(BuildInfo(), 0, Qt::AlignTop);

    auto* bottom = new QHBoxLayout;
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(BuildGrid());
    listSpecial_ = new QPushButton(this);
    listSpecial_->setAutoDefault(false);
    gridColumn->addWidget(listSpecial_, 0, Qt::AlignLeft);
    bottom->addLayout(gridColumn, 1);
    description_ = new QPlainTextEdit(this);
    description_->setReadOnly(true);
    description_->setTabChangesFocus(true);
    description_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Tone Length(ms) 100")) +
                                  3 * fontMetrics().averageCharWidth());
    bottom->addWidget(description_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // A click on Cancel must not first leave an unfinished own-ID box and be told to finish it.
    buttons_->button(QDialogButtonBox::Cancel)->setFocusPolicy(Qt::TabFocus);
    auto* form = new QVBoxLayout;
    form->addLayout(top);
    form->addLayout(bottom, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScrollingBody(this, form), 1);
    layout->addWidget(buttons_);

    connect(listSpecial_, &QPushButton::clicked, this, [this] {
      EndGridEdit();
      const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
      OpenSpecialCall(SpecialTarget::ListEntry, row);
    });
    connect(
        buttons_, &QDialogButtonBox::accepted, this, [this] { EndEdits(); }, Qt::DirectConnection);
    ConnectOkCancel(*this, *buttons_, presenter_, [this] {
      Render();
      if (presenter_.State().OwnId.Text.size() != FiveTonePresenter::kOwnIdDigits) ownId_->setFocus();
    });
    Render();
    grid_->setCurrentIndex(model_.index(0, Column::kCodeColumn));
    ownId_->setFocus();
    FitToScreen(*this);
  }

 private:
  QGroupBox* BuildGeneral() {
    auto* group = new QGroupBox(this);
    auto* columns = new QHBoxLayout(group);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    ownIdLabel_ = new QLabel(this);
    ownId_ = new QLineEdit(this);
    ownIdLabel_->setBuddy(ownId_);
    left->addRow(ownIdLabel_, ownId_);
    FilterTyping(*ownId_, [this](std::string_view typed) {
      ownIdEdited_ = true;
      return presenter_.TypeOwnId(typed);
    });
    connect(ownId_, &QLineEdit::editingFinished, this, [this] { LeaveOwnId(); });
    for (std::size_t i = 0; i < kFiveToneListCount; ++i) {
      const auto list = static_cast<FiveToneList>(i);
      ListRow row{list, new QLabel(this), new QComboBox(this)};
      row.Box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      row.Label->setBuddy(row.Box);
      (i < 5 ? left : right)->addRow(row.Label, row.Box);
      connect(row.Box, &QComboBox::activated, this, [this, list](int index) {
        presenter_.SelectEntry(list, index);
        Render();
      });
      lists_.push_back(row);
    }
    sideTone_ = new QCheckBox(this);
    right->addRow(sideTone_);
    connect(sideTone_, &QCheckBox::toggled, this, [this](bool checked) {
      presenter_.SetSideTone(checked);
      Render();
    });
    return group;
  }

  QGroupBox* BuildPttId(int which) {
    PttIdWidgets& ptt = ptts_[static_cast<std::size_t>(which)];
    ptt.Frame = new QGroupBox(this);
    auto* form = new QFormLayout(ptt.Frame);
    ptt.CodeLabel = new QLabel(this);
    ptt.Code = new QLineEdit(this);
    ptt.Code->setMinimumWidth(
        fontMetrics().horizontalAdvance(QString(FiveTonePresenter::kPttIdCodeDigits, '0')));
    ptt.Special = new QPushButton(this);
    ptt.Special->setAutoDefault(false);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(ptt.Code, 1);
    codeRow->addWidget(ptt.Special);
    ptt.CodeLabel->setBuddy(ptt.Code);
    form->addRow(ptt.CodeLabel, codeRow);
    ptt.StandardLabel = new QLabel(this);
    ptt.Standard = new QComboBox(this);
    ptt.StandardLabel->setBuddy(ptt.Standard);
    form->addRow(ptt.StandardLabel, ptt.Standard);
    ptt.ToneLengthLabel = new QLabel(this);
    ptt.ToneLength = new QComboBox(this);
    ptt.ToneLengthLabel->setBuddy(ptt.ToneLength);
    form->addRow(ptt.ToneLengthLabel, ptt.ToneLength);

    FilterTyping(*ptt.Code,
                 [this, which](std::string_view typed) { return presenter_.TypePttIdCode(which, typed); });
    connect(ptt.Code, &QLineEdit::editingFinished, this, [this, which] {
      presenter_.LeavePttIdCode(which);
      Render();
    });
    connect(ptt.Special, &QPushButton::clicked, this, [this, which] {
      OpenSpecialCall(which == 0 ? SpecialTarget::PttIdBegin : SpecialTarget::PttIdEnd, -1);
    });
    connect(ptt.Standard, &QComboBox::activated, this, [this, which](int index) {
      presenter_.SelectPttIdStandard(which, index);
      Render();
    });
    connect(ptt.ToneLength, &QComboBox::activated, this, [this, which](int index) {
      presenter_.SelectPttIdToneLength(which, index);
      Render();
    });
    return ptt.Frame;
  }

  QGroupBox* BuildInfo() {
    infoFrame_ = new QGroupBox(this);
    auto* form = new QFormLayout(infoFrame_);
    const auto row = [&](QLabel*& label, QWidget* box) {
      label = new QLabel(this);
      label->setBuddy(box);
      form->addRow(label, box);
    };
    infoNumber_ = new QComboBox(this);
    infoFunction_ = new QComboBox(this);
    infoResponse_ = new QComboBox(this);
    infoCode_ = new QLineEdit(this);
    infoName_ = new QLineEdit(this);
    row(infoNumberLabel_, infoNumber_);
    row(infoFunctionLabel_, infoFunction_);
    row(infoResponseLabel_, infoResponse_);
    row(infoCodeLabel_, infoCode_);
    row(infoNameLabel_, infoName_);
    infoCode_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(kInfoCodeDigits + 1, '0')));
    connect(infoNumber_, &QComboBox::activated, this, [this](int index) {
      presenter_.SelectInfoNumber(index);
      Render();
    });
    connect(infoFunction_, &QComboBox::activated, this, [this](int index) {
      presenter_.SelectInfoFunction(index);
      Render();
    });
    connect(infoResponse_, &QComboBox::activated, this, [this](int index) {
      presenter_.SelectInfoResponse(index);
      Render();
    });
    FilterTyping(*infoCode_, [this](std::string_view typed) { return presenter_.TypeInfoCode(typed); });
    FilterTyping(*infoName_, [this](std::string_view typed) { return presenter_.TypeInfoName(typed); });
    return infoFrame_;
  }

  QTableView* BuildGrid() {
    grid_ = new QTableView(this);
    grid_->setModel(&model_);
    delegate_ = new PresenterCellDelegate(
        {.Filter = [this](int column,
                          std::string_view typed) { return presenter_.FilterCellText(column, typed); },
         .Choices = [this](int row, int column) -> std::optional<ChoiceList> {
           if (column != Column::kToneSetColumn && column != Column::kToneLengthColumn) return std::nullopt;
           return presenter_.CellChoices(row, column);
         },
         .SetText = [this](int row, int column,
                           std::string_view text) { presenter_.SetCellText(row, column, text); },
         .SetChoice = [this](int row, int column,
                             int value) { presenter_.SetCellChoice(row, column, value); },
         .Committed = [this] { Render(); }},
        model_, grid_);
    grid_->setItemDelegate(delegate_);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    // Tab moves on to the next field, the arrows between cells.
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->hide();
    grid_->setColumnHidden(Column::kNameColumn, true);
    const QFontMetrics metrics = grid_->fontMetrics();
    const int padding = metrics.averageCharWidth() * 3;
    const auto widthFor = [&](int column, const QString& sample) {
      const QString header = model_.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
      return std::max(metrics.horizontalAdvance(header), metrics.horizontalAdvance(sample)) + padding;
    };
    grid_->setColumnWidth(Column::kNumberColumn, widthFor(Column::kNumberColumn, QStringLiteral("00")));
    grid_->setColumnWidth(Column::kTypeColumn,
                          widthFor(Column::kTypeColumn, ToQString(presenter_.State().DataMessageText)));
    grid_->setColumnWidth(Column::kCodeColumn, widthFor(Column::kCodeColumn, QString(28, '0')));
    grid_->setColumnWidth(
        Column::kToneSetColumn,
        widthFor(Column::kToneSetColumn, QStringLiteral("EURO SIGNAL")) + metrics.averageCharWidth() * 3);
    grid_->setColumnWidth(Column::kToneLengthColumn,
                          widthFor(Column::kToneLengthColumn, QStringLiteral("000")));
    grid_->horizontalHeader()->setSectionResizeMode(Column::kCodeColumn, QHeaderView::Stretch);
    int width = 2 * grid_->frameWidth() + grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int column = 0; column < Column::kNameColumn; ++column) width += grid_->columnWidth(column);
    grid_->setMinimumSize(width, grid_->horizontalHeader()->sizeHint().height() +
                                     10 * grid_->verticalHeader()->defaultSectionSize());
    connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
      if (index.column() == Column::kCodeColumn && presenter_.ResetSpecialCall(index.row())) {
        model_.RowChanged(index.row());
      }
    });
    return grid_;
  }

  void OpenSpecialCall(SpecialTarget target, int row) {
    SpecialCallPresenter special(presenter_, target, row, prompter_);
    if (RunSpecialCallDialog(this, special)) {
      model_.AllChanged();
      Render();
    }
  }

  void LeaveOwnId() {
    if (!ownIdEdited_) return;
    ownIdEdited_ = false;
    if (presenter_.LeaveOwnId()) {
      model_.AllChanged();
    } else {
      ownIdEdited_ = true;
      QTimer::singleShot(0, ownId_, [box = ownId_] { box->setFocus(); });
    }
    Render();
  }

  void EndGridEdit() { EndCellEdit(*grid_); }

  void EndEdits() {
    EndGridEdit();
    // A complete own ID typed just before OK still moves the codes that carried the old one.
    if (ownIdEdited_ && presenter_.State().OwnId.Text.size() == FiveTonePresenter::kOwnIdDigits) LeaveOwnId();
  }

  static void SetText(QLineEdit& box, const TextField& field) {
    const QString text = ToQString(field.Text);
    if (box.text() != text) box.setText(text);
    box.setEnabled(field.Enabled);
  }

  static void Caption(QLabel& label, QWidget& box, const std::string& text) {
    label.setText(ToQString(text));
    box.setAccessibleName(ToQString(text));
  }

  void Render() {
    const FiveTonePresenter::ViewState& state = presenter_.State();
    setWindowTitle(ToQString(state.Title));
    Caption(*ownIdLabel_, *ownId_, state.OwnIdLabel);
    SetText(*ownId_, state.OwnId);
    for (const ListRow& row : lists_) {
      const QSignalBlocker blocker(row.Box);
      Caption(*row.Label, *row.Box, state.ListLabels[static_cast<std::size_t>(row.List)]);
      RenderChoices(*row.Box, state.Lists[static_cast<std::size_t>(row.List)]);
    }
    {
      const QSignalBlocker blocker(sideTone_);
      sideTone_->setText(ToQString(state.SideToneLabel));
      sideTone_->setAccessibleName(ToQString(state.SideToneLabel));
      sideTone_->setChecked(state.SideTone.Checked);
    }
    for (std::size_t which = 0; which < ptts_.size(); ++which) {
      const PttIdWidgets& ptt = ptts_[which];
      const FiveTonePresenter::PttIdState& shown = state.PttIds[which];
      ptt.Frame->setTitle(ToQString(shown.Caption));
      Caption(*ptt.CodeLabel, *ptt.Code, state.CodeLabel);
      ptt.Code->setAccessibleName(ToQString(shown.Caption + " " + state.CodeLabel));
      SetText(*ptt.Code, shown.Code);
      ptt.Special->setText(ToQString(state.SpecialCallText));
      ptt.Special->setAccessibleName(ToQString(shown.Caption + " " + state.SpecialCallText));
      Caption(*ptt.StandardLabel, *ptt.Standard,
              state.ListLabels[static_cast<std::size_t>(FiveToneList::Standard)]);
      Caption(*ptt.ToneLengthLabel, *ptt.ToneLength, state.ToneLengthLabel);
      const QSignalBlocker blockStandard(ptt.Standard);
      const QSignalBlocker blockLength(ptt.ToneLength);
      RenderChoices(*ptt.Standard, shown.Standard);
      RenderChoices(*ptt.ToneLength, shown.ToneLength);
    }
    infoFrame_->setTitle(ToQString(state.InfoFrameTitle));
    Caption(*infoNumberLabel_, *infoNumber_, state.InfoNumberLabel);
    Caption(*infoFunctionLabel_, *infoFunction_, state.InfoFunctionLabel);
    Caption(*infoResponseLabel_, *infoResponse_, state.InfoResponseLabel);
    Caption(*infoCodeLabel_, *infoCode_, state.InfoCodeLabel);
    Caption(*infoNameLabel_, *infoName_, state.InfoNameLabel);
    {
      const QSignalBlocker blockNumber(infoNumber_);
      const QSignalBlocker blockFunction(infoFunction_);
      const QSignalBlocker blockResponse(infoResponse_);
      RenderChoices(*infoNumber_, state.InfoNumber);
      RenderChoices(*infoFunction_, state.InfoFunction);
      RenderChoices(*infoResponse_, state.InfoResponse);
    }
    SetText(*infoCode_, state.InfoCode);
    SetText(*infoName_, state.InfoName);
    listSpecial_->setText(ToQString(state.SpecialCallText));
    grid_->setAccessibleName(ToQString(state.Title));
    const QString description = ToQString(state.ToneSetDescription);
    if (description_->toPlainText() != description) description_->setPlainText(description);
    description_->setAccessibleName(
        ToQString(state.ListLabels[static_cast<std::size_t>(FiveToneList::Standard)]));
    SetButtonTexts(*buttons_, state.Ok, state.Cancel);
  }

  FiveTonePresenter& presenter_;
  Prompter& prompter_;
  PresenterTableModel model_;
  QLabel* ownIdLabel_ = nullptr;
  QLineEdit* ownId_ = nullptr;
  bool ownIdEdited_ = false;
  std::vector<ListRow> lists_;
  QCheckBox* sideTone_ = nullptr;
  std::array<PttIdWidgets, 2> ptts_{};
  QGroupBox* infoFrame_ = nullptr;
  QLabel* infoNumberLabel_ = nullptr;
  QComboBox* infoNumber_ = nullptr;
  QLabel* infoFunctionLabel_ = nullptr;
  QComboBox* infoFunction_ = nullptr;
  QLabel* infoResponseLabel_ = nullptr;
  QComboBox* infoResponse_ = nullptr;
  QLabel* infoCodeLabel_ = nullptr;
  QLineEdit* infoCode_ = nullptr;
  QLabel* infoNameLabel_ = nullptr;
  QLineEdit* infoName_ = nullptr;
  QTableView* grid_ = nullptr;
  PresenterCellDelegate* delegate_ = nullptr;
  QPushButton* listSpecial_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunFiveToneDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  FiveTonePresenter presenter(workspace.Current(), context.Texts(), prompter);
  FiveToneDialog dialog(parent, presenter, prompter);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
