#include "ui/embedded_info_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hvt {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Labels sit right-aligned in front of their boxes, with the box as buddy.
QLabel* NewLabel(const std::string& text, QWidget* buddy) {
  auto* label = new QLabel(Text(text));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setBuddy(buddy);
  return label;
}

// Read-only, yet the user can select and copy what it shows.
QLineEdit* NewBox(const LabelledText& field) {
  auto* box = new QLineEdit(Text(field.Text));
  box->setReadOnly(true);
  box->setAccessibleName(Text(field.Label));
  box->setCursorPosition(0);
  // Room for the widest field the radio keeps, sixteen characters, and the box's margins.
  const QFontMetrics metrics = box->fontMetrics();
  box->setMinimumWidth(metrics.horizontalAdvance(QString(16, QLatin1Char('0'))) +
                       3 * metrics.averageCharWidth());
  return box;
}

QComboBox* NewList(const LabelledChoice& choice) {
  auto* list = new QComboBox;
  for (const ListEntry& entry : choice.List.Entries) list->addItem(Text(entry.Text), entry.Value);
  list->setCurrentIndex(choice.List.Selected);
  list->setEnabled(choice.List.Enabled);
  list->setAccessibleName(Text(choice.Label));
  return list;
}

// A label and its box in one row of a grid of two such columns.
void AddRow(QGridLayout* grid, int row, int column, const std::string& label, QWidget* field) {
  grid->addWidget(NewLabel(label, field), row, column * 3);
  grid->addWidget(field, row, column * 3 + 1);
}

}  // namespace

EmbeddedInfoWindow::EmbeddedInfoWindow(const AppContext& context, const EmbeddedInfo& info, QWidget* parent)
    : QDialog(parent), presenter_(info, context.ModelTitle(), context.LanguageId()) {
  const EmbeddedInfoViewState& state = presenter_.State();
  setWindowTitle(Text(state.Title));
  setObjectName(QStringLiteral("FrmEMG"));

  // Left: how the radio is identified; right: its production and service history. Added in the
  // order the Tab key visits them.
  auto* grid = new QGridLayout;
  grid->setColumnMinimumWidth(2, 12);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(4, 1);
  QWidget* first = NewBox(state.AreaCode);
  AddRow(grid, 0, 0, state.AreaCode.Label, first);
  AddRow(grid, 1, 0, state.ManufactureCode.Label, NewBox(state.ManufactureCode));
  AddRow(grid, 2, 0, state.UserCode.Label, NewBox(state.UserCode));
  AddRow(grid, 3, 0, state.RadioType.Label, NewList(state.RadioType));
  QComboBox* band = NewList(state.Band);
  AddRow(grid, 4, 0, state.Band.Label, band);
  AddRow(grid, 0, 1, state.SerialNumber.Label, NewBox(state.SerialNumber));
  AddRow(grid, 1, 1, state.ProductionDate.Label, NewBox(state.ProductionDate));
  AddRow(grid, 2, 1, state.MaintenanceDate.Label, NewBox(state.MaintenanceDate));
  AddRow(grid, 3, 1, state.RfFirmware.Label, NewBox(state.RfFirmware));
  AddRow(grid, 4, 1, state.LcdFirmware.Label, NewBox(state.LcdFirmware));

  auto* bandText = new QLabel(Text(state.BandText));
  bandText->setObjectName(QStringLiteral("bandText"));
  bandText->setTextInteractionFlags(Qt::TextSelectableByMouse);
  bandText->setAccessibleName(Text(state.Band.Label));
  bandText->setMinimumHeight(bandText->fontMetrics().lineSpacing() * 2);
  grid->addWidget(bandText, 5, 1, 1, 4);

  auto* reason = new QPlainTextEdit(Text(state.MaintenanceReason.Text));
  reason->setObjectName(QStringLiteral("maintenanceReason"));
  reason->setReadOnly(true);
  reason->setTabChangesFocus(true);
  reason->setAccessibleName(Text(state.MaintenanceReason.Label));
  const int frame = 2 * (reason->frameWidth() + static_cast<int>(reason->document()->documentMargin()));
  reason->setFixedHeight(reason->fontMetrics().lineSpacing() * 3 + frame + 2);
  QLabel* reasonLabel = NewLabel(state.MaintenanceReason.Label, reason);
  reasonLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
  grid->addWidget(reasonLabel, 6, 0);
  grid->addWidget(reason, 6, 1, 1, 4);

  auto* dealer = new QGroupBox(Text(state.DealerGroup));
  auto* dealerForm = new QFormLayout(dealer);
  dealerForm->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  dealerForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  for (const LabelledText* field : {&state.DealerCode, &state.StockDate, &state.SellDate, &state.Seller}) {
    dealerForm->addRow(Text(field->Label), NewBox(*field));
  }

  auto* buttons = new QDialogButtonBox;
  QPushButton* close = buttons->addButton(Text(state.CloseButton), QDialogButtonBox::RejectRole);
  close->setDefault(true);
  close->setAccessibleName(Text(state.CloseButton).remove(QLatin1Char('&')));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(dealer);
  layout->addWidget(buttons);
  setMinimumWidth(fontMetrics().averageCharWidth() * 80);
  // Enter and Escape still close it from there.
  first->setFocus();
}

void ShowEmbeddedInfoWindow(QWidget* parent, const AppContext& context, const EmbeddedInfo& info) {
  EmbeddedInfoWindow window(context, info, parent);
  window.exec();
}

}  // namespace hvt
