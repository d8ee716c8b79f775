#include "ui/embedded_info_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hvt {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QFormLayout* NewForm() {
  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  return form;
}

// Read-only, yet the user can select and copy what it shows.
void AddBox(QFormLayout* form, const LabelledText& field) {
  auto* box = new QLineEdit(Text(field.Text));
  box->setReadOnly(true);
  box->setAccessibleName(Text(field.Label));
  box->setCursorPosition(0);
  form->addRow(Text(field.Label), box);
}

QComboBox* NewList(const LabelledChoice& choice) {
  auto* list = new QComboBox;
  for (const ListEntry& entry : choice.List.Entries) list->addItem(Text(entry.Text), entry.Value);
  list->setCurrentIndex(choice.List.Selected);
  list->setEnabled(choice.List.Enabled);
  list->setAccessibleName(Text(choice.Label));
  return list;
}

QPlainTextEdit* NewTextArea(const std::string& text, const QString& name, int lines) {
  auto* area = new QPlainTextEdit(Text(text));
  area->setReadOnly(true);
  area->setAccessibleName(name);
  area->setTabChangesFocus(true);
  area->setLineWrapMode(QPlainTextEdit::NoWrap);
  const QFontMetrics metrics(area->font());
  const int frame = 2 * (area->frameWidth() + static_cast<int>(area->document()->documentMargin()));
  area->setFixedHeight(metrics.lineSpacing() * lines + frame + 2);
  return area;
}

}  // namespace

EmbeddedInfoWindow::EmbeddedInfoWindow(const AppContext& context, const EmbeddedInfo& info, QWidget* parent)
    : QDialog(parent), presenter_(info, context.ModelTitle(), context.LanguageId()) {
  const EmbeddedInfoViewState& state = presenter_.State();
  setWindowTitle(Text(state.Title));
  setObjectName(QStringLiteral("FrmEMG"));

  // Left: how the radio is identified; right: its production and service history.
  QFormLayout* identity = NewForm();
  AddBox(identity, state.AreaCode);
  AddBox(identity, state.ManufactureCode);
  AddBox(identity, state.UserCode);
  identity->addRow(Text(state.RadioType.Label), NewList(state.RadioType));
  identity->addRow(Text(state.Band.Label), NewList(state.Band));
  QPlainTextEdit* bandText = NewTextArea(state.BandText, Text(state.Band.Label), 2);
  bandText->setObjectName(QStringLiteral("bandText"));
  identity->addRow(QString(), bandText);

  QFormLayout* history = NewForm();
  AddBox(history, state.SerialNumber);
  AddBox(history, state.ProductionDate);
  AddBox(history, state.MaintenanceDate);
  AddBox(history, state.RfFirmware);
  AddBox(history, state.LcdFirmware);

  auto* columns = new QHBoxLayout;
  columns->addLayout(identity, 1);
  columns->addSpacing(12);
  columns->addLayout(history, 1);

  QFormLayout* reasonForm = NewForm();
  QPlainTextEdit* reason = NewTextArea(state.MaintenanceReason.Text, Text(state.MaintenanceReason.Label), 3);
  reason->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  reason->setObjectName(QStringLiteral("maintenanceReason"));
  reasonForm->addRow(Text(state.MaintenanceReason.Label), reason);

  auto* dealer = new QGroupBox(Text(state.DealerGroup));
  QFormLayout* dealerForm = NewForm();
  AddBox(dealerForm, state.DealerCode);
  AddBox(dealerForm, state.StockDate);
  AddBox(dealerForm, state.SellDate);
  AddBox(dealerForm, state.Seller);
  dealer->setLayout(dealerForm);

  auto* buttons = new QDialogButtonBox;
  QPushButton* close = buttons->addButton(Text(state.CloseButton), QDialogButtonBox::RejectRole);
  close->setDefault(true);
  close->setAccessibleName(QString(Text(state.CloseButton)).remove(QLatin1Char('&')));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(reasonForm);
  layout->addWidget(dealer);
  layout->addWidget(buttons);
  setMinimumWidth(fontMetrics().averageCharWidth() * 80);
  close->setFocus();
}

void ShowEmbeddedInfoWindow(QWidget* parent, const AppContext& context, const EmbeddedInfo& info) {
  EmbeddedInfoWindow window(context, info, parent);
  window.exec();
}

}  // namespace hvt
