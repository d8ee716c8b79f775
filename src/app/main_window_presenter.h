#pragma once

// The main window's rules: its commands with their captions, shortcuts and states, the menu bar
// and toolbar they sit in, the navigation tree, the title, the channel grid's rows and the
// channel clipboard. The window itself only builds widgets from these tables and renders.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_context.h"
#include "app/channel_grid.h"
#include "app/workspace.h"
#include "editors/presenter.h"
#include "link/radio_operation.h"
#include "model/channel_arrangement.h"

namespace hvt {

enum class Command {
  Separator,  // a line between entries, not a command
  New,
  Open,
  Save,
  SaveAs,
  OpenBackup,
  ImportChannels,
  ExportChannels,
  Print,
  PrintPreview,
  ExportPdf,
  Undo,
  Redo,
  Exit,
  ModelInfo,
  EditChannel,
  SortByFrequency,
  SortByName,
  InsertChannel,
  RemoveGap,
  MoveUp,
  MoveDown,
  MoveTo,
  Cut,
  Copy,
  Paste,
  DeleteChannels,
  Options,
  RadioView,
  Dtmf,
  TwoTone,
  FiveTone,
  Scan,
  Keys,
  Alert,
  ToneTip,
  CommuBook,
  EmbeddedInfo,
  TestData,
  Port,
  Language,
  Initialise,
  Read,
  Write,
  ReadReset,
  WriteReset,
  ToolBar,
  StatusBar,
  HelpContents,
  About,
  AutoTest,
  TestDataButton,
  WriteFleet,
};

struct CommandSpec {
  Command Id = Command::Separator;
  std::int32_t CaptionKey = 0;   // also its tooltip on the toolbar
  std::string_view Shortcut;     // in Qt's portable form, "Ctrl+N"; several separated by "; "
  std::string_view ToolBarIcon;  // the icon theme's name; empty: not on the toolbar
  bool Checkable = false;
};

struct MenuSpec {
  std::int32_t CaptionKey = 0;
  std::vector<Command> Items;
};

std::span<const CommandSpec> CommandTable();
const CommandSpec& SpecOf(Command command);
const std::vector<MenuSpec>& MenuBar();
std::span<const Command> ToolBarItems();
// The grid's context menu, Separator between groups.
std::span<const Command> GridContextMenu();

struct CommandState {
  bool Visible = true;
  bool Enabled = true;
  bool Checked = false;

  bool operator==(const CommandState&) const = default;
};

struct TreeNode {
  std::string Key;  // "N0", "N1", ...
  std::string Text;
  std::optional<Command> Action;  // what a click runs; none for the root and the grid
  bool Enabled = true;
};

class MainWindowPresenter {
 public:
  // `factory`: the factory marker was found at start-up.
  MainWindowPresenter(AppContext& context, Workspace& workspace, bool factory);

  std::string Title() const;
  // Unsaved changes: the title carries the platform's modified mark.
  bool Modified() const { return workspace_.IsModified(); }
  // What the status bar says: what last happened.
  const std::string& Status() const { return status_; }
  // After a file command that went through (New, Open, Save, Save As, Open Backup, Import).
  void NoteFileCommand(Command command);
  // After a radio operation ended; the workspace already holds what a read brought.
  void NoteRadioOutcome(const OperationResult& result);
  std::string Caption(Command command) const;
  CommandState State(Command command) const;
  // Root first, every other node directly under it.
  std::vector<TreeNode> Tree() const;

  // The grid as last drawn.
  const ChannelGrid& Grid() const { return grid_; }
  void RedrawAll();
  void RedrawRow(int row);

  // The clipboard keys on the grid's current row; each answers whether the configuration
  // changed (row `row` has then been redrawn, and the change can be undone).
  bool Copy(int row);
  bool Cut(int row);
  bool Paste(int row);

  // Sorting, or opening or closing a gap at the grid's row `row`; true when the channels changed
  // (the grid has then been redrawn, and the change can be undone).
  bool Arrange(Command command, int row);

  // The channels on `rows` move as one block by `step` numbers, or so that the first lands on
  // `target`; the channels they pass fill the places they left, and the settings naming a moved
  // channel follow it. True when the channels changed (redrawn; one undo step).
  bool MoveChannels(const std::vector<int>& rows, int step);
  bool MoveChannelsTo(const std::vector<int>& rows, int target);

  // The grid's common columns edited in place, with the channel dialog's rules. EditCell takes
  // a text for a text column and an index for a list column; true when the channel changed (the
  // row has then been redrawn, and the change can be undone).
  bool CellEditable(int row, GridColumn column) const;
  ChoiceList CellChoices(int row, GridColumn column) const;
  bool EditCell(int row, GridColumn column, std::string_view text, int choice, Prompter& prompter);

  // Several rows at once, each one undo step: deleting their channels (never the special ones,
  // never every normal channel), and choosing the same entry of a list column for all of them.
  bool DeleteChannels(const std::vector<int>& rows, Prompter& prompter);
  bool EditCells(const std::vector<int>& rows, GridColumn column, int choice, Prompter& prompter);

  // The system clipboard's form of the channels: the CSV channel table, which spreadsheets and
  // another window of the program read alike. A pasted table places its first channel at `row`
  // and the others at the same distances; one undo step.
  std::string ChannelsAsTable(const std::vector<int>& rows) const;
  bool PasteTable(std::string_view text, int row, Prompter& prompter);

  // A command's caption as the name of its undo step.
  std::string StepName(Command command) const;

  // The toolbar's check button; on adds the test-data area to reads and writes.
  void SetTestData(bool on) { testDataOn_ = on; }
  bool TestDataOn() const { return testDataOn_; }
  void SetToolBarShown(bool shown) { toolBarShown_ = shown; }
  void SetStatusBarShown(bool shown) { statusBarShown_ = shown; }

  // Closing the window: offers to save unsaved changes; false when the window must stay open.
  bool MayClose();

 private:
  bool FinishMoves(Command command, const ChannelMoves& moves, const Configuration& before);

  AppContext& context_;
  Workspace& workspace_;
  bool factory_;
  bool testDataOn_ = false;
  bool toolBarShown_ = true;
  bool statusBarShown_ = true;
  ChannelGrid grid_;
  std::string status_;
};

}  // namespace hvt
