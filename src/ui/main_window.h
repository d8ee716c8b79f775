#pragma once

// The main window: the navigation tree and the channel grid side by side, with the menu bar,
// toolbar and status bar from the presenter's tables. It renders the presenter and runs the
// commands; the radio operations run on the event loop behind a window-modal progress window.

#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "app/main_window_presenter.h"
#include "app/radio_session.h"
#include "i18n/prompter.h"
#include "qt/radio_link.h"
#include "ui/channel_table_model.h"

namespace hvt {

// The system clipboard's format for channels: a CSV channel table.
inline constexpr const char* kChannelTableMimeType = "application/x-hvt7300-channels";

class ProgressWindow;

class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(AppContext& context, Workspace& workspace, Prompter& prompter, RadioLink& link,
             RadioSession& session, bool factory);
  ~MainWindow() override;

  MainWindowPresenter& Presenter() { return presenter_; }
  QTableView& Grid() { return *grid_; }
  QTreeWidget& Tree() { return *tree_; }
  QAction* Action(Command command) const { return actions_.value(command); }

  // Runs a command as its menu entry does.
  void Run(Command command);
  // Opens a file given on the command line; its message, when refused, shows over the window.
  void OpenAtStart(const QString& file);
  // Redraws title, texts, tree and every row (after a new language or a new configuration).
  void RenderAll();
  // The title and every row of the grid.
  void RedrawGrid();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void BuildCentre();
  void RenderCommands();
  void RenderTree();
  void RenderStatusClock();
  int TreeWidthForTexts() const;
  void RestorePlacement();
  void SavePlacement() const;

  void OnTreeItemActivated(QTreeWidgetItem* item);
  void OnGridActivated(const QModelIndex& index);
  void AddClipboardKey(const QKeySequence& keys, bool (MainWindowPresenter::*operation)(int));
  int CurrentChannelRow() const;
  // The channel rows with a selected cell, ascending; the current row when nothing is selected.
  std::vector<int> SelectedChannelRows() const;
  void MoveSelectedChannels(int step, int target);
  void PutOnSystemClipboard(const std::vector<int>& rows);
  bool PasteFromSystemClipboard(int row);
  void EditChannel(int number);
  using EditorDialog = bool (*)(QWidget*, AppContext&, Workspace&, Prompter&);
  void RunEditor(Command command, const EditorDialog& dialog);
  void RenderAfterStep();

  // `confirmed`: a write the user has just agreed to (writing again after a cancel).
  void StartRadioOperation(OperationKind kind, bool confirmed = false);
  void OnRadioProgress(int percent);
  void OnRadioFinished();

  AppContext& context_;
  Workspace& workspace_;
  Prompter& prompter_;
  RadioLink& link_;
  RadioSession& session_;
  MainWindowPresenter presenter_;
  ChannelTableModel model_;

  QMap<Command, QAction*> actions_;
  QList<QMenu*> menus_;
  QToolBar* toolBar_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QTableView* grid_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QLabel* statusText_ = nullptr;
  QLabel* statusDate_ = nullptr;
  QLabel* statusTime_ = nullptr;
  QTimer clock_;
  QPointer<ProgressWindow> progress_;
  // What this window last put on the system clipboard, to tell it from what others put there.
  std::string copiedTable_;
  std::size_t copiedRows_ = 0;
};

}  // namespace hvt
