#include "ui/fleet_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>

#include "qt/qt_reply_timer.h"
#include "qt/serial_link_port.h"
#include "qt/serial_ports.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

// A cable plugged in or pulled out shows within one interval.
constexpr std::chrono::milliseconds kRefreshInterval{3000};

// The rows the table shows without scrolling.
constexpr int kVisibleRows = 8;

QString WithoutMnemonic(const std::string& text) {
  QString plain = ToQString(text);
  plain.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
  plain.remove(QLatin1Char('&'));
  while (plain.endsWith(QLatin1Char(':')) || plain.endsWith(QChar(0xFF1A))) plain.chop(1);
  return plain;
}

FleetLink SerialFleetLink(const std::string& port) {
  return FleetLink{std::make_unique<SerialLinkPort>(QString::fromStdString(port)),
                   std::make_unique<QtReplyTimer>()};
}

}  // namespace

FleetDialog::FleetDialog(QWidget* parent, const AppContext& context, const Workspace& workspace,
                         Prompter& prompter, PortLister lister)
    : QDialog(parent), presenter_(context, workspace, prompter, std::move(lister), SerialFleetLink) {
  const FleetPresenter::ViewState& state = presenter_.State();
  setObjectName(QStringLiteral("FleetDialog"));
  setWindowTitle(ToQString(state.Title));

  table_ = new QTableWidget(0, kColumnCount, this);
  table_->setObjectName(QStringLiteral("FleetPorts"));
  table_->setAccessibleName(ToQString(state.Title));
  table_->setHorizontalHeaderLabels({ToQString(state.PortHeader), ToQString(state.DescriptionHeader),
                                     ToQString(state.ProgressHeader), ToQString(state.StateHeader),
                                     ToQString(state.DetailHeader)});
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setTabKeyNavigation(false);
  table_->setWordWrap(false);
  // The window opens as wide as the columns, as far as the screen allows; what is wider scrolls.
  table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContentsOnFirstShow);
  table_->horizontalHeader()->setStretchLastSection(true);
  connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->column() != kPortColumn) return;
    presenter_.SetChecked(item->row(), item->checkState() == Qt::Checked);
    Render();
  });

  noPorts_ = new QLabel(ToQString(state.NoPorts), this);
  noPorts_->setObjectName(QStringLiteral("FleetNoPorts"));
  noPorts_->setWordWrap(true);
  noPorts_->setBuddy(table_);

  verify_ = new QCheckBox(ToQString(state.VerifyText), this);
  verify_->setObjectName(QStringLiteral("FleetVerify"));
  verify_->setAccessibleName(WithoutMnemonic(state.VerifyText));
  connect(verify_, &QCheckBox::toggled, this, [this](bool on) {
    presenter_.SetVerify(on);
    Render();
  });
  password_ = new QLineEdit(this);
  password_->setObjectName(QStringLiteral("FleetPassword"));
  password_->setEchoMode(QLineEdit::Password);
  password_->setAccessibleName(WithoutMnemonic(state.PasswordLabel));
  connect(password_, &QLineEdit::textEdited, this,
          [this](const QString& text) { presenter_.SetPassword(text.toStdString()); });
  retries_ = new QSpinBox(this);
  retries_->setObjectName(QStringLiteral("FleetRetries"));
  retries_->setRange(0, FleetPresenter::kMaxRetries);
  retries_->setAccessibleName(WithoutMnemonic(state.RetriesLabel));
  connect(retries_, &QSpinBox::valueChanged, this, [this](int value) {
    presenter_.SetRetries(value);
    Render();
  });
  auto* options = new QFormLayout;
  options->addRow(verify_);
  auto* passwordLabel = new QLabel(ToQString(state.PasswordLabel), this);
  passwordLabel->setBuddy(password_);
  options->addRow(passwordLabel, password_);
  auto* retriesLabel = new QLabel(ToQString(state.RetriesLabel), this);
  retriesLabel->setBuddy(retries_);
  options->addRow(retriesLabel, retries_);

  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("FleetSummary"));
  summary_->setBuddy(table_);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  start_ = new QPushButton(ToQString(state.StartText), this);
  start_->setObjectName(QStringLiteral("FleetStart"));
  start_->setDefault(true);
  cancel_ = new QPushButton(ToQString(state.CancelText), this);
  cancel_->setObjectName(QStringLiteral("FleetCancel"));
  close_ = new QPushButton(ToQString(state.CloseText), this);
  close_->setObjectName(QStringLiteral("FleetClose"));
  close_->setAutoDefault(false);
  cancel_->setAutoDefault(false);
  connect(start_, &QPushButton::clicked, this, [this] {
    presenter_.Start();
    Render();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    presenter_.Cancel();
    Render();
  });
  connect(close_, &QPushButton::clicked, this, [this] { RequestClose(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(summary_, 1);
  buttons->addWidget(start_);
  buttons->addWidget(cancel_);
  buttons->addWidget(close_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(noPorts_);
  layout->addWidget(table_, 1);
  layout->addLayout(options);
  layout->addLayout(buttons);

  setTabOrder(table_, verify_);
  setTabOrder(verify_, password_);
  setTabOrder(password_, retries_);
  setTabOrder(retries_, start_);
  setTabOrder(start_, cancel_);
  setTabOrder(cancel_, close_);

  presenter_.SetView(this);
  BuildRows();
  table_->setFocus();
  FitToScreen(*this);

  refresh_.setInterval(kRefreshInterval);
  connect(&refresh_, &QTimer::timeout, this, [this] {
    if (presenter_.Refresh()) BuildRows();
  });
  refresh_.start();
}

FleetDialog::~FleetDialog() { presenter_.SetView(nullptr); }

void FleetDialog::BuildRows() {
  const FleetPresenter::ViewState& state = presenter_.State();
  {
    const QSignalBlocker blocker(table_);
    table_->setRowCount(static_cast<int>(state.Rows.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
      const FleetPresenter::Row& shown = state.Rows[static_cast<std::size_t>(row)];
      auto* port = new QTableWidgetItem(ToQString(shown.Port));
      port->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      table_->setItem(row, kPortColumn, port);
      auto* description = new QTableWidgetItem(ToQString(shown.Description));
      description->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      table_->setItem(row, kDescriptionColumn, description);
      auto* bar = new QProgressBar;
      bar->setRange(0, 100);
      bar->setAccessibleName(ToQString(state.ProgressHeader + " " + shown.Port));
      table_->setCellWidget(row, kProgressColumn, bar);
      for (const int column : {kStateColumn, kDetailColumn}) {
        auto* item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table_->setItem(row, column, item);
      }
    }
  }
  if (table_->currentRow() < 0 && table_->rowCount() > 0) table_->setCurrentCell(0, kPortColumn);
  Render();
  FitColumns();
}

void FleetDialog::RenderRow(int row) {
  const FleetPresenter::Row& shown = presenter_.State().Rows.at(static_cast<std::size_t>(row));
  const QSignalBlocker blocker(table_);
  QTableWidgetItem* port = table_->item(row, kPortColumn);
  port->setCheckState(shown.Checked.Checked ? Qt::Checked : Qt::Unchecked);
  port->setFlags(shown.Checked.Enabled ? port->flags() | Qt::ItemIsUserCheckable
                                       : port->flags() & ~Qt::ItemIsUserCheckable);
  if (auto* bar = qobject_cast<QProgressBar*>(table_->cellWidget(row, kProgressColumn)))
    bar->setValue(shown.Percent);
  table_->item(row, kStateColumn)->setText(ToQString(shown.StateText));
  QTableWidgetItem* detail = table_->item(row, kDetailColumn);
  detail->setText(ToQString(shown.DetailLine));
  detail->setToolTip(ToQString(shown.Detail));
  table_->item(row, kStateColumn)->setToolTip(ToQString(shown.Detail));
}

void FleetDialog::Render() {
  const FleetPresenter::ViewState& state = presenter_.State();
  for (int row = 0; row < table_->rowCount(); ++row) RenderRow(row);
  noPorts_->setText(ToQString(state.NoPorts));
  noPorts_->setVisible(!state.NoPorts.empty());
  const QSignalBlocker verifyBlocker(verify_);
  verify_->setChecked(state.Verify.Checked);
  verify_->setEnabled(state.Verify.Enabled);
  if (password_->text() != ToQString(state.Password.Text)) password_->setText(ToQString(state.Password.Text));
  password_->setEnabled(state.Password.Enabled);
  const QSignalBlocker retriesBlocker(retries_);
  retries_->setValue(state.Retries);
  retries_->setEnabled(state.RetriesEnabled);
  summary_->setText(ToQString(state.Summary));
  start_->setEnabled(state.StartEnabled);
  cancel_->setEnabled(state.CancelEnabled);
}

void FleetDialog::FitColumns() {
  QHeaderView& header = *table_->horizontalHeader();
  const QFontMetrics metrics = table_->fontMetrics();
  const int padding = 4 * metrics.averageCharWidth();
  table_->resizeColumnsToContents();
  // The states of a run come later; the column is as wide as the widest of them from the start.
  int stateWidth = header.sectionSizeHint(kStateColumn);
  for (const std::string& text : presenter_.State().StateSamples)
    stateWidth = std::max(stateWidth, metrics.horizontalAdvance(ToQString(text)) + padding);
  table_->setColumnWidth(kStateColumn, stateWidth);
  table_->setColumnWidth(kProgressColumn,
                         std::max(header.sectionSizeHint(kProgressColumn), 12 * metrics.averageCharWidth()));
  table_->setColumnWidth(kDetailColumn,
                         std::max(header.sectionSizeHint(kDetailColumn), 40 * metrics.averageCharWidth()));
  const int rowHeight = table_->rowCount() > 0 ? table_->rowHeight(0) : 0;
  const int rows = std::clamp(table_->rowCount(), 3, kVisibleRows);
  table_->setMinimumHeight(header.sizeHint().height() + rows * std::max(rowHeight, metrics.height() + 8) +
                           2 * table_->frameWidth());
}

// The messages come with the run: their column grows to show them whole and the table scrolls;
// the window keeps its size, and the tooltip has every line.
void FleetDialog::FitDetails() {
  const int before = table_->columnWidth(kDetailColumn);
  table_->resizeColumnToContents(kDetailColumn);
  table_->setColumnWidth(kDetailColumn, std::max(before, table_->columnWidth(kDetailColumn)));
}

void FleetDialog::OnRadioChanged(std::size_t row) {
  if (static_cast<int>(row) < table_->rowCount()) RenderRow(static_cast<int>(row));
}

void FleetDialog::OnFleetFinished() {
  Render();
  FitDetails();
  // After the link has finished its own steps, not inside them.
  if (presenter_.State().CloseWhenEnded) QTimer::singleShot(0, this, [this] { done(QDialog::Accepted); });
}

void FleetDialog::RequestClose() {
  if (presenter_.Close()) {
    done(QDialog::Accepted);
    return;
  }
  Render();
}

void FleetDialog::reject() { RequestClose(); }

void FleetDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  RequestClose();
}

void RunFleetDialog(QWidget* parent, const AppContext& context, const Workspace& workspace,
                    Prompter& prompter) {
  FleetDialog dialog(parent, context, workspace, prompter, AvailableSerialPorts);
  dialog.exec();
}

}  // namespace hvt
