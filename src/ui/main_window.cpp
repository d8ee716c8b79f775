#include "ui/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QInputDialog>
#include <QItemSelection>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QUrl>

#include "app/channel_cell_editing.h"
#include "app/user_manual.h"
#include "app/window_placement.h"
#include "i18n/caption_title.h"
#include "i18n/text_keys.h"
#include "ui/about_box.h"
#include "ui/alert_dialog.h"
#include "ui/auto_test_dialog.h"
#include "ui/backup_list_dialog.h"
#include "ui/channel_cell_delegate.h"
#include "ui/channel_dialog.h"
#include "ui/commu_book_dialog.h"
#include "ui/dtmf_dialog.h"
#include "ui/embedded_info_window.h"
#include "ui/five_tone_dialog.h"
#include "ui/fleet_dialog.h"
#include "ui/key_dialog.h"
#include "ui/language_dialog.h"
#include "ui/model_dialog.h"
#include "ui/option_dialog.h"
#include "ui/port_dialog.h"
#include "ui/print_view.h"
#include "ui/progress_window.h"
#include "ui/qt_translations.h"
#include "ui/scan_dialog.h"
#include "ui/test_data_dialog.h"
#include "ui/two_tone_dialog.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

QString ToolTipOf(const QString& caption) { return ToQString(CaptionAsTitle(caption.toStdString())); }

QStyle::StandardPixmap FallbackIcon(Command command) {
  switch (command) {
    case Command::New:
      return QStyle::SP_FileIcon;
    case Command::Open:
      return QStyle::SP_DialogOpenButton;
    case Command::Save:
      return QStyle::SP_DialogSaveButton;
    case Command::Read:
      return QStyle::SP_ArrowDown;
    case Command::Write:
      return QStyle::SP_ArrowUp;
    case Command::Port:
      return QStyle::SP_DriveNetIcon;
    case Command::About:
      return QStyle::SP_MessageBoxInformation;
    default:
      return QStyle::SP_FileDialogDetailedView;
  }
}

// Widths of the grid's columns in logical pixels (the step column is hidden).
constexpr std::array<int, kGridColumnCount - 1> kColumnWidths = {96, 96, 72, 0, 100, 60, 80, 93, 93, 93};

constexpr const char* kSettingsGroup = "Settings";

}  // namespace

MainWindow::MainWindow(AppContext& context, Workspace& workspace, Prompter& prompter, RadioLink& link,
                       RadioSession& session, bool factory)
    : context_(context),
      workspace_(workspace),
      prompter_(prompter),
      link_(link),
      session_(session),
      presenter_(context, workspace, factory),
      model_(presenter_.Grid(), &context.Texts()) {
  setObjectName(QStringLiteral("MainWindow"));
  setMinimumWidth(200);
  BuildActions();
  BuildMenus();
  BuildToolBar();
  BuildCentre();
  BuildStatusBar();
  RenderAll();
  RestorePlacement();
  session_.SetProgressListener([this](int percent) { OnRadioProgress(percent); });
  session_.SetFinishedListener([this] { OnRadioFinished(); });
  session_.SetStateListener([this](SessionState) { RenderCommands(); });
}

MainWindow::~MainWindow() {
  session_.SetProgressListener(nullptr);
  session_.SetFinishedListener(nullptr);
  session_.SetStateListener(nullptr);
}

void MainWindow::BuildActions() {
  for (const CommandSpec& spec : CommandTable()) {
    auto* action = new QAction(this);
    action->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(spec.Id)));
    action->setCheckable(spec.Checkable);
    if (!spec.Shortcut.empty()) {
      action->setShortcuts(QKeySequence::listFromString(
          QString::fromLatin1(spec.Shortcut.data(), static_cast<qsizetype>(spec.Shortcut.size()))));
    }
    if (!spec.ToolBarIcon.empty()) {
      const QString name =
          QString::fromLatin1(spec.ToolBarIcon.data(), static_cast<qsizetype>(spec.ToolBarIcon.size()));
      action->setIcon(QIcon::fromTheme(name, style()->standardIcon(FallbackIcon(spec.Id))));
    }
    const Command command = spec.Id;
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    actions_.insert(command, action);
  }
}

// The clipboard keys act on the grid only: elsewhere they belong to the widget with the focus.
void MainWindow::AttachGridShortcuts() {
  for (const Command command : {Command::Cut, Command::Copy, Command::Paste, Command::DeleteChannels}) {
    QAction* action = actions_.value(command);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    grid_->addAction(action);
  }
}

void MainWindow::BuildMenus() {
  for (const MenuSpec& spec : MenuBar()) {
    QMenu* menu = menuBar()->addMenu(QString());
    menu->setProperty("captionKey", spec.CaptionKey);
    for (const Command command : spec.Items) {
      if (command == Command::Separator) {
        menu->addSeparator();
      } else {
        menu->addAction(actions_.value(command));
      }
    }
    menus_.append(menu);
  }
}

void MainWindow::BuildToolBar() {
  toolBar_ = addToolBar(QString());
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setMovable(false);
  for (const Command command : ToolBarItems()) {
    if (command == Command::Separator) {
      toolBar_->addSeparator();
      continue;
    }
    // The test-data button is the only toolbar entry of its command; it has no menu entry.
    toolBar_->addAction(actions_.value(command));
  }
}

void MainWindow::BuildStatusBar() {
  statusMessage_ = new QLabel;
  statusMessage_->setObjectName(QStringLiteral("statusMessage"));
  statusBar()->addWidget(statusMessage_, 1);
  statusDate_ = new QLabel;
  statusTime_ = new QLabel;
  statusBar()->addPermanentWidget(statusDate_);
  statusBar()->addPermanentWidget(statusTime_);
  RenderStatusClock();
  connect(&clock_, &QTimer::timeout, this, &MainWindow::RenderStatusClock);
  clock_.start(1000);
}

void MainWindow::BuildCentre() {
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setChildrenCollapsible(false);

  tree_ = new QTreeWidget(splitter_);
  tree_->setObjectName(QStringLiteral("navigationTree"));
  tree_->setHeaderHidden(true);
  tree_->setMinimumWidth(2);
  connect(tree_, &QTreeWidget::itemActivated, this, &MainWindow::OnTreeItemActivated);
  connect(tree_, &QTreeWidget::itemClicked, this, &MainWindow::OnTreeItemActivated);

  grid_ = new QTableView(splitter_);
  grid_->setObjectName(QStringLiteral("channelGrid"));
  grid_->setModel(&model_);
  auto* cells = new ChannelCellDelegate(grid_);
  cells->SetChoices([this](int row, GridColumn column) { return presenter_.CellChoices(row, column); });
  grid_->setItemDelegate(cells);
  model_.SetEditing([this](int row, GridColumn column) { return presenter_.CellEditable(row, column); },
                    [this](int row, GridColumn column, const QVariant& value) {
                      const bool choice = CellEditOf(column) == CellEdit::Choice;
                      // A choice made in one of several selected rows goes to all of them.
                      const std::vector<int> rows = SelectedChannelRows();
                      if (choice && rows.size() > 1 && std::ranges::find(rows, row) != rows.end()) {
                        if (!presenter_.EditCells(rows, column, value.toInt(), prompter_)) return false;
                        model_.RowsRedrawn();
                        RenderCommands();
                        return true;
                      }
                      const std::string text =
                          choice ? std::string() : value.toString().trimmed().toStdString();
                      if (!presenter_.EditCell(row, column, text, choice ? value.toInt() : -1, prompter_))
                        return false;
                      model_.RowRedrawn(row);
                      RenderCommands();
                      return true;
                    });
  grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The whole row is the channel: it is what the clipboard and the moves take.
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  // Typing or F2 edits the cell in place; Enter and a double-click open the channel dialog.
  grid_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  grid_->verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("VFO2")) + 16);
  grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  // A bold current section would clip its caption.
  grid_->horizontalHeader()->setHighlightSections(false);
  grid_->horizontalHeader()->setStretchLastSection(false);
  for (int column = 0; column < model_.columnCount(); ++column) {
    const auto width = kColumnWidths[static_cast<std::size_t>(column)];
    grid_->setColumnWidth(column, width);
    grid_->setColumnHidden(column, !GridColumnShown(static_cast<GridColumn>(column + 1)));
  }
  connect(grid_, &QTableView::activated, this, &MainWindow::OnGridActivated);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid_, &QWidget::customContextMenuRequested, this, &MainWindow::ShowGridMenu);
  AttachGridShortcuts();

  splitter_->addWidget(tree_);
  splitter_->addWidget(grid_);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({TreeWidthForTexts(), 900});
  setCentralWidget(splitter_);
}

int MainWindow::TreeWidthForTexts() const {
  int widest = 0;
  for (const TreeNode& node : presenter_.Tree()) {
    widest = std::max(widest, tree_->fontMetrics().horizontalAdvance(ToQString(node.Text)));
  }
  return widest + 2 * tree_->indentation() + 2 * tree_->frameWidth() + 8;
}

void MainWindow::RunClipboardCommand(Command command) {
  const int row = CurrentChannelRow();
  if (command == Command::Paste) {
    if (PasteFromSystemClipboard(row)) return;
    if (presenter_.Paste(row)) RenderCommands();
    model_.RowRedrawn(row);
    return;
  }
  const std::vector<int> rows = SelectedChannelRows();
  if (rows.empty()) return;
  PutOnSystemClipboard(rows);
  if (command == Command::Copy) {
    static_cast<void>(presenter_.Copy(row));
    return;
  }
  // Several rows cut: the table is on the clipboard, the channels go in one step.
  const bool changed = rows.size() > 1 ? presenter_.DeleteChannels(rows, prompter_) : presenter_.Cut(row);
  if (changed) RenderCommands();
  if (rows.size() > 1) {
    model_.RowsRedrawn();
  } else {
    model_.RowRedrawn(row);
  }
}

void MainWindow::ShowGridMenu(const QPoint& at) {
  QMenu menu(this);
  for (const Command command : GridContextMenu()) {
    if (command == Command::Separator) {
      menu.addSeparator();
    } else {
      menu.addAction(actions_.value(command));
    }
  }
  menu.exec(grid_->viewport()->mapToGlobal(at));
}

void MainWindow::PutOnSystemClipboard(const std::vector<int>& rows) {
  const std::string table = presenter_.ChannelsAsTable(rows);
  auto* content = new QMimeData;
  content->setText(QString::fromStdString(table));
  content->setData(QString::fromLatin1(kChannelTableMimeType), QByteArray::fromStdString(table));
  QGuiApplication::clipboard()->setMimeData(content);
  copiedTable_ = table;
  copiedRows_ = rows.size();
}

// A table from a spreadsheet, another window, or several rows copied here is pasted as a table;
// one row copied here goes through the channel clipboard as before.
bool MainWindow::PasteFromSystemClipboard(int row) {
  const QMimeData* content = QGuiApplication::clipboard()->mimeData();
  if (content == nullptr) return false;
  const std::string text = content->hasFormat(QString::fromLatin1(kChannelTableMimeType))
                               ? content->data(QString::fromLatin1(kChannelTableMimeType)).toStdString()
                               : content->text().toStdString();
  if (text.empty() || (text == copiedTable_ && copiedRows_ <= 1)) return false;
  if (!presenter_.PasteTable(text, row, prompter_)) return false;
  model_.RowsRedrawn();
  RenderCommands();
  return true;
}

void MainWindow::RenderAll() {
  UseQtTranslations(context_.LanguageId());
  model_.SetTexts(&context_.Texts());
  RenderCommands();
  RenderTree();
  RedrawGrid();
}

void MainWindow::RenderTitle() {
  // Qt shows the platform's modified mark where "[*]" stands.
  QString title = ToQString(presenter_.Title());
  title.insert(title.endsWith(QLatin1Char(']')) ? title.size() - 1 : title.size(), QStringLiteral("[*]"));
  setWindowTitle(title);
  setWindowModified(presenter_.Modified());
}

void MainWindow::RenderCommands() {
  RenderTitle();
  statusMessage_->setText(ToQString(presenter_.Status()));
  for (QMenu* menu : menus_)
    menu->setTitle(ToQString(context_.Texts().LanguageText(menu->property("captionKey").toInt())));
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
    const CommandState state = presenter_.State(it.key());
    QAction* action = it.value();
    const QString caption = ToQString(presenter_.Caption(it.key()));
    action->setText(caption);
    action->setToolTip(ToolTipOf(caption));
    action->setVisible(state.Visible);
    action->setEnabled(state.Enabled && !session_.IsRunning());
    action->setChecked(state.Checked);
  }
  toolBar_->setWindowTitle(ToolTipOf(ToQString(presenter_.Caption(Command::ToolBar))));
  toolBar_->setVisible(presenter_.State(Command::ToolBar).Checked);
  statusBar()->setVisible(presenter_.State(Command::StatusBar).Checked);
}

void MainWindow::RenderTree() {
  tree_->setAccessibleName(ToQString(context_.Texts().LanguageText(text_key::NavigationName)));
  grid_->setAccessibleName(ToQString(context_.Texts().LanguageText(text_key::ChannelListName)));
  tree_->clear();
  QTreeWidgetItem* root = nullptr;
  for (const TreeNode& node : presenter_.Tree()) {
    auto* item = root == nullptr ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(root);
    item->setText(0, ToQString(node.Text));
    item->setData(0, Qt::UserRole, QString::fromStdString(node.Key));
    item->setData(0, Qt::UserRole + 1, node.Action ? static_cast<int>(*node.Action) : -1);
    if (!node.Enabled) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    if (root == nullptr) root = item;
  }
  if (root != nullptr) root->setExpanded(true);
  // A new language's texts may be longer.
  const QList<int> sizes = splitter_->sizes();
  const int needed = TreeWidthForTexts();
  if (sizes.size() == 2 && sizes[0] > 0 && sizes[0] < needed)
    splitter_->setSizes({needed, sizes[0] + sizes[1] - needed});
}

void MainWindow::RenderStatusClock() {
  const QLocale locale = LocaleOf(context_.LanguageId());
  statusDate_->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
  statusTime_->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

void MainWindow::RedrawGrid() {
  RenderTitle();
  presenter_.RedrawAll();
  model_.RowsRedrawn();
}

// By `step` numbers, or to `target` when the step is 0; the selection goes along with the channels.
void MainWindow::MoveSelectedChannels(int step, int target) {
  const std::vector<int> rows = SelectedChannelRows();
  if (rows.empty()) return;
  const int current = CurrentChannelRow();
  if (step == 0) step = target - rows.front();
  const bool moved =
      target != 0 ? presenter_.MoveChannelsTo(rows, target) : presenter_.MoveChannels(rows, step);
  if (!moved) return;
  model_.RowsRedrawn();
  RenderCommands();
  QItemSelection selection;
  for (const int row : rows) {
    if (!IsNormalChannel(row)) continue;
    const int modelRow = ChannelTableModel::ModelRowOf(row + step);
    selection.select(model_.index(modelRow, 0), model_.index(modelRow, model_.columnCount() - 1));
  }
  const QModelIndex currentIndex = grid_->currentIndex();
  grid_->selectionModel()->setCurrentIndex(model_.index(ChannelTableModel::ModelRowOf(current + step),
                                                        currentIndex.isValid() ? currentIndex.column() : 0),
                                           QItemSelectionModel::NoUpdate);
  grid_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

std::vector<int> MainWindow::SelectedChannelRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes()) {
    rows.push_back(ChannelTableModel::ChannelRowOf(index.row()));
  }
  if (rows.empty() && CurrentChannelRow() > 0) rows.push_back(CurrentChannelRow());
  std::ranges::sort(rows);
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

int MainWindow::CurrentChannelRow() const {
  const QModelIndex current = grid_->currentIndex();
  return current.isValid() ? ChannelTableModel::ChannelRowOf(current.row()) : 0;
}

void MainWindow::OnTreeItemActivated(QTreeWidgetItem* item) {
  if (item == nullptr || !(item->flags() & Qt::ItemIsEnabled)) return;
  const int action = item->data(0, Qt::UserRole + 1).toInt();
  if (action >= 0) {
    Run(static_cast<Command>(action));
  } else if (item->data(0, Qt::UserRole).toString() == QLatin1String("N1")) {
    grid_->setFocus();
  }
}

void MainWindow::OnGridActivated(const QModelIndex& index) {
  if (index.isValid()) Run(Command::EditChannel);
}

void MainWindow::Run(Command command) {
  const CommandState state = presenter_.State(command);
  if (!state.Enabled || session_.IsRunning()) return;
  switch (command) {
    case Command::New:
      if (workspace_.New()) AfterFileCommand(command);
      break;
    case Command::Initialise:
      if (workspace_.Initialise()) AfterFileCommand(command);
      break;
    case Command::Open:
      if (workspace_.Open()) AfterFileCommand(command);
      break;
    case Command::OpenBackup:
      if (RunBackupListDialog(this, context_, workspace_, prompter_)) AfterFileCommand(command);
      break;
    case Command::Save:
      if (workspace_.Save()) presenter_.NoteFileCommand(command);
      RenderCommands();
      break;
    case Command::SaveAs:
      if (workspace_.SaveAs()) presenter_.NoteFileCommand(command);
      RenderCommands();
      break;
    case Command::ImportChannels: {
      const Configuration before = workspace_.Current();
      if (workspace_.ImportChannelTable()) {
        workspace_.RecordStep(presenter_.StepName(command), before);
        presenter_.NoteFileCommand(command);
        RedrawGrid();
      }
      RenderCommands();
      break;
    }
    case Command::ExportChannels:
      workspace_.ExportChannelTable();
      break;
    case Command::Print:
      PrintConfiguration(this, context_, workspace_, prompter_);
      break;
    case Command::PrintPreview:
      PreviewConfiguration(this, context_, workspace_);
      break;
    case Command::ExportPdf:
      static_cast<void>(ExportPdf(context_, workspace_, prompter_));
      break;
    case Command::Exit:
      close();
      break;
    case Command::EditChannel:
      EditChannel(CurrentChannelRow());
      break;
    case Command::SortByFrequency:
    case Command::SortByName:
    case Command::InsertChannel:
    case Command::RemoveGap:
      if (presenter_.Arrange(command, CurrentChannelRow())) {
        model_.RowsRedrawn();
        RenderCommands();
      }
      break;
    case Command::MoveUp:
    case Command::MoveDown:
      MoveSelectedChannels(command == Command::MoveUp ? -1 : 1, 0);
      break;
    case Command::MoveTo: {
      const LanguageTexts& texts = context_.Texts();
      QInputDialog dialog(this);
      dialog.setWindowTitle(ToQString(CaptionAsTitle(texts.LanguageText(text_key::MenuMoveTo))));
      dialog.setLabelText(ToQString(texts.LanguageText(text_key::MoveToLabel)));
      dialog.setOkButtonText(ToQString(texts.LanguageText(text_key::OkButton)));
      dialog.setCancelButtonText(ToQString(texts.LanguageText(text_key::CancelButton)));
      dialog.setInputMode(QInputDialog::IntInput);
      dialog.setIntRange(1, kNormalChannelCount);
      dialog.setIntValue(std::max(CurrentChannelRow(), 1));
      if (dialog.exec() == QDialog::Accepted) MoveSelectedChannels(0, dialog.intValue());
      break;
    }
    case Command::Cut:
    case Command::Copy:
    case Command::Paste:
      RunClipboardCommand(command);
      break;
    case Command::DeleteChannels:
      if (presenter_.DeleteChannels(SelectedChannelRows(), prompter_)) {
        model_.RowsRedrawn();
        RenderCommands();
      }
      break;
    case Command::Undo:
      if (workspace_.Undo()) RenderAfterStep();
      break;
    case Command::Redo:
      if (workspace_.Redo()) RenderAfterStep();
      break;
    case Command::CommuBook:
      RunEditor(Command::CommuBook, RunCommuBookDialog);
      break;
    case Command::Options:
      RunEditor(Command::Options, RunOptionDialog);
      break;
    case Command::Keys:
      RunEditor(Command::Keys, RunKeyDialog);
      break;
    case Command::Scan:
      RunEditor(Command::Scan, RunScanDialog);
      break;
    case Command::Alert:
      RunEditor(Command::Alert, RunAlertDialog);
      break;
    case Command::FiveTone:
      RunEditor(Command::FiveTone, RunFiveToneDialog);
      break;
    case Command::Dtmf:
      RunEditor(Command::Dtmf, RunDtmfDialog);
      break;
    case Command::TwoTone:
      RunEditor(Command::TwoTone, RunTwoToneDialog);
      break;
    case Command::TestData:
      RunTestDataDialog(this, context_, workspace_, prompter_);
      break;
    case Command::AutoTest:
      RunAutoTestDialog(this, context_, workspace_, prompter_);
      break;
    case Command::ModelInfo:
      if (RunModelDialog(this, context_, workspace_, prompter_)) RenderAll();
      break;
    case Command::Port:
      RunPortDialog(this, context_, prompter_);
      break;
    case Command::Language:
      if (RunLanguageDialog(this, context_, prompter_)) RenderAll();
      break;
    case Command::Read:
      StartRadioOperation(OperationKind::Read);
      break;
    case Command::Write:
      StartRadioOperation(OperationKind::Write);
      break;
    case Command::WriteFleet:
      RunFleetDialog(this, context_, workspace_, prompter_);
      break;
    case Command::EmbeddedInfo:
      StartRadioOperation(OperationKind::InformationRead);
      break;
    case Command::ToolBar:
      presenter_.SetToolBarShown(!state.Checked);
      RenderCommands();
      break;
    case Command::StatusBar:
      presenter_.SetStatusBarShown(!state.Checked);
      RenderCommands();
      break;
    case Command::About:
      ShowAboutBox(this, context_, prompter_);
      break;
    case Command::HelpContents:
      static_cast<void>(OpenManual(context_, prompter_, [](const std::filesystem::path& file) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdU16String(file.u16string())));
      }));
      break;
    case Command::TestDataButton:
      presenter_.SetTestData(!state.Checked);
      session_.SetTestDataOn(presenter_.TestDataOn());
      RenderCommands();
      RenderTree();
      break;
    default:
      // The editors come with their own windows; until then their commands are disabled.
      break;
  }
}

void MainWindow::EditChannel(int number) {
  const Configuration before = workspace_.Current();
  if (number < 1 || !RunChannelDialog(this, context_, workspace_, prompter_, number)) return;
  workspace_.RecordStep(presenter_.StepName(Command::EditChannel), before);
  presenter_.RedrawRow(number);
  model_.RowRedrawn(number);
  RenderCommands();
}

void MainWindow::RunEditor(Command command, const EditorDialog& dialog) {
  const Configuration before = workspace_.Current();
  if (!dialog(this, context_, workspace_, prompter_)) return;
  workspace_.RecordStep(presenter_.StepName(command), before);
  // Only the channel dialog changes what the grid shows; the others change the title's state.
  RenderCommands();
}

void MainWindow::AfterFileCommand(Command command) {
  presenter_.NoteFileCommand(command);
  RenderAll();
}

// An undo or redo may change any record, the channels included.
void MainWindow::RenderAfterStep() {
  RedrawGrid();
  RenderCommands();
}

void MainWindow::OpenAtStart(const QString& file) {
  static_cast<void>(workspace_.OpenFile(std::filesystem::path(file.toStdU16String())));
  RenderAll();
}

void MainWindow::StartRadioOperation(OperationKind kind, bool confirmed) {
  link_.Use(context_.PortName());
  bool started = false;
  switch (kind) {
    case OperationKind::Read:
      started = session_.StartRead();
      break;
    case OperationKind::Write:
      started = session_.StartWrite(confirmed);
      break;
    case OperationKind::InformationRead:
      started = session_.StartInformationRead();
      break;
  }
  if (!started || !session_.IsRunning()) return;
  RenderCommands();
  if (kind == OperationKind::InformationRead) return;
  progress_ = new ProgressWindow(
      context_, kind, [this] { session_.Cancel(); }, this);
  progress_->setAttribute(Qt::WA_DeleteOnClose);
  progress_->open();
}

void MainWindow::OnRadioProgress(int percent) {
  if (progress_) progress_->SetPercent(percent);
}

void MainWindow::OnRadioFinished() {
  if (progress_) progress_->close();
  const auto& result = session_.LastResult();
  if (result) presenter_.NoteRadioOutcome(*result);
  RenderCommands();
  if (result && result->Cancelled && result->Kind == OperationKind::Write) {
    // After the link has finished its own steps, not inside them.
    QTimer::singleShot(0, this, [this] {
      if (session_.OfferWriteAgain(prompter_)) StartRadioOperation(OperationKind::Write, true);
    });
    return;
  }
  if (!result || !result->Success) return;
  switch (result->Kind) {
    case OperationKind::Read:
      RenderAll();
      break;
    case OperationKind::InformationRead:
      // After the link has finished its own steps, not inside them.
      QTimer::singleShot(0, this, [this] {
        if (session_.Information()) ShowEmbeddedInfoWindow(this, context_, *session_.Information());
      });
      break;
    case OperationKind::Write:
      break;
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (session_.IsRunning() || !presenter_.MayClose()) {
    event->ignore();
    return;
  }
  SavePlacement();
  static_cast<void>(context_.SaveFeatureWords());
  event->accept();
}

void MainWindow::RestorePlacement() {
  QSettings settings;
  settings.beginGroup(QLatin1String(kSettingsGroup));
  std::optional<WindowRect> saved;
  if (settings.contains(QStringLiteral("MainWidth"))) {
    saved = WindowRect{settings.value(QStringLiteral("MainLeft")).toInt(),
                       settings.value(QStringLiteral("MainTop")).toInt(),
                       settings.value(QStringLiteral("MainWidth")).toInt(),
                       settings.value(QStringLiteral("MainHeight")).toInt()};
  }
  std::vector<WindowRect> screens;
  const auto toRect = [](const QRect& r) { return WindowRect{r.left(), r.top(), r.width(), r.height()}; };
  if (QScreen* primary = QGuiApplication::primaryScreen())
    screens.push_back(toRect(primary->availableGeometry()));
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen != QGuiApplication::primaryScreen()) screens.push_back(toRect(screen->availableGeometry()));
  }
  const WindowRect place = PlaceMainWindow(saved, screens);
  resize(place.Width, place.Height);
  move(place.Left, place.Top);
}

void MainWindow::SavePlacement() const {
  if (isMinimized()) return;
  QSettings settings;
  settings.beginGroup(QLatin1String(kSettingsGroup));
  const QRect frame = geometry();
  settings.setValue(QStringLiteral("MainLeft"), frame.left());
  settings.setValue(QStringLiteral("MainTop"), frame.top());
  settings.setValue(QStringLiteral("MainWidth"), frame.width());
  settings.setValue(QStringLiteral("MainHeight"), frame.height());
}

}  // namespace hvt
