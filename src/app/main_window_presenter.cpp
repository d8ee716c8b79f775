#include "app/main_window_presenter.h"

#include <algorithm>
#include <array>

#include "app/channel_cell_editing.h"
#include "files/channel_csv.h"
#include "i18n/fill_in.h"
#include "i18n/text_keys.h"
#include "model/channel_arrangement.h"
#include "model/channel_rules.h"
#include "model/channel_table.h"
#include "model/embedded_info.h"

namespace hvt {

namespace {

using C = Command;

constexpr std::array kCommands = {
    CommandSpec{C::New, text_key::MenuNew, "Ctrl+N", "document-new"},
    CommandSpec{C::Open, text_key::MenuOpen, "Ctrl+O", "document-open"},
    CommandSpec{C::Save, text_key::MenuSave, "Ctrl+S", "document-save"},
    CommandSpec{C::SaveAs, text_key::MenuSaveAs, "", ""},
    CommandSpec{C::OpenBackup, text_key::MenuOpenBackup, "", ""},
    CommandSpec{C::ImportChannels, text_key::MenuImportChannels, "", ""},
    CommandSpec{C::ExportChannels, text_key::MenuExportChannels, "", ""},
    CommandSpec{C::Print, text_key::MenuPrint, "Ctrl+P", ""},
    CommandSpec{C::PrintPreview, text_key::MenuPrintPreview, "", ""},
    CommandSpec{C::ExportPdf, text_key::MenuExportPdf, "", ""},
    CommandSpec{C::Undo, text_key::MenuUndo, "Ctrl+Z", ""},
    CommandSpec{C::Redo, text_key::MenuRedo, "Ctrl+Shift+Z; Ctrl+Y", ""},
    CommandSpec{C::Exit, text_key::MenuExit, "", ""},
    CommandSpec{C::ModelInfo, text_key::MenuModelInfo, "", ""},
    CommandSpec{C::EditChannel, text_key::MenuEditChannel, "", ""},
    CommandSpec{C::SortByFrequency, text_key::MenuSortByFrequency, "", ""},
    CommandSpec{C::SortByName, text_key::MenuSortByName, "", ""},
    CommandSpec{C::InsertChannel, text_key::MenuInsertChannel, "", ""},
    CommandSpec{C::RemoveGap, text_key::MenuRemoveGap, "", ""},
    CommandSpec{C::MoveUp, text_key::MenuMoveUp, "Alt+Up", ""},
    CommandSpec{C::MoveDown, text_key::MenuMoveDown, "Alt+Down", ""},
    CommandSpec{C::MoveTo, text_key::MenuMoveTo, "", ""},
    CommandSpec{C::Cut, text_key::MenuCut, "Ctrl+X", "edit-cut"},
    CommandSpec{C::Copy, text_key::MenuCopy, "Ctrl+C", "edit-copy"},
    CommandSpec{C::Paste, text_key::MenuPaste, "Ctrl+V", "edit-paste"},
    CommandSpec{C::DeleteChannels, text_key::MenuDeleteChannels, "Del", ""},
    CommandSpec{C::Options, text_key::MenuOptions, "", ""},
    CommandSpec{C::RadioView, text_key::MenuRadio, "", ""},
    CommandSpec{C::Dtmf, text_key::MenuDtmf, "", ""},
    CommandSpec{C::TwoTone, text_key::MenuTwoTone, "", ""},
    CommandSpec{C::FiveTone, text_key::MenuFiveTone, "", ""},
    CommandSpec{C::Scan, text_key::MenuScan, "", ""},
    CommandSpec{C::Keys, text_key::MenuKeys, "", ""},
    CommandSpec{C::Alert, text_key::MenuAlert, "", ""},
    CommandSpec{C::ToneTip, text_key::MenuToneTip, "", ""},
    CommandSpec{C::CommuBook, text_key::MenuCommuBook, "", ""},
    CommandSpec{C::EmbeddedInfo, text_key::MenuEmbeddedInfo, "", ""},
    CommandSpec{C::TestData, text_key::MenuTestData, "", ""},
    CommandSpec{C::Port, text_key::MenuPort, "", "network-wired"},
    CommandSpec{C::Language, text_key::MenuLanguage, "", ""},
    CommandSpec{C::Initialise, text_key::MenuInitialise, "", ""},
    CommandSpec{C::Read, text_key::MenuRead, "", "go-down"},
    CommandSpec{C::Write, text_key::MenuWrite, "", "go-up"},
    CommandSpec{C::WriteFleet, text_key::MenuWriteFleet, "", ""},
    CommandSpec{C::ReadReset, text_key::MenuReadReset, "", ""},
    CommandSpec{C::WriteReset, text_key::MenuWriteReset, "", ""},
    CommandSpec{C::ToolBar, text_key::MenuToolBar, "", "", true},
    CommandSpec{C::StatusBar, text_key::MenuStatusBar, "", "", true},
    CommandSpec{C::HelpContents, text_key::MenuHelpContents, "F1", ""},
    CommandSpec{C::About, text_key::MenuAbout, "", "help-about"},
    CommandSpec{C::AutoTest, text_key::MenuAutoTest, "", ""},
    CommandSpec{C::TestDataButton, text_key::MenuTestData, "", "applications-engineering", true},
};

constexpr std::array kToolBar = {C::Separator, C::New,   C::Open,      C::Save,  C::Separator,     C::Read,
                                 C::Port,      C::Write, C::Separator, C::About, C::TestDataButton};

constexpr std::array kGridContextMenu = {C::EditChannel, C::Separator,     C::Cut,
                                         C::Copy,        C::Paste,         C::DeleteChannels,
                                         C::Separator,   C::InsertChannel, C::RemoveGap};

// Entries of the menus that have nothing behind them.
constexpr std::array kAlwaysHidden = {C::RadioView, C::ToneTip, C::ReadReset, C::WriteReset};

template <std::size_t N>
bool Contains(const std::array<Command, N>& list, Command command) {
  return std::ranges::find(list, command) != list.end();
}

}  // namespace

std::span<const CommandSpec> CommandTable() { return kCommands; }

const CommandSpec& SpecOf(Command command) {
  static const CommandSpec kSeparator{};
  const auto found = std::ranges::find(kCommands, command, &CommandSpec::Id);
  return found == kCommands.end() ? kSeparator : *found;
}

const std::vector<MenuSpec>& MenuBar() {
  static const std::vector<MenuSpec> menus = {
      {text_key::MenuFile,
       {C::New, C::Open, C::OpenBackup, C::Save, C::SaveAs, C::Separator, C::ImportChannels,
        C::ExportChannels, C::Separator, C::Print, C::PrintPreview, C::ExportPdf, C::Separator, C::Exit}},
      {text_key::MenuModel, {C::ModelInfo}},
      {text_key::MenuEdit,
       {C::Undo,       C::Redo,           C::Separator,    C::Cut,         C::Copy,
        C::Paste,      C::DeleteChannels, C::Separator,    C::EditChannel, C::SortByFrequency,
        C::SortByName, C::InsertChannel,  C::RemoveGap,    C::MoveUp,      C::MoveDown,
        C::MoveTo,     C::Separator,      C::Options,      C::RadioView,   C::Dtmf,
        C::TwoTone,    C::FiveTone,       C::Scan,         C::Keys,        C::Alert,
        C::ToneTip,    C::CommuBook,      C::EmbeddedInfo, C::TestData}},
      {text_key::MenuSettings, {C::Port, C::Language, C::Initialise}},
      {text_key::MenuProgram, {C::Read, C::Write, C::WriteFleet, C::ReadReset, C::WriteReset}},
      {text_key::MenuView, {C::ToolBar, C::StatusBar}},
      {text_key::MenuHelp, {C::HelpContents, C::About, C::AutoTest}},
  };
  return menus;
}

std::span<const Command> ToolBarItems() { return kToolBar; }

std::span<const Command> GridContextMenu() { return kGridContextMenu; }

MainWindowPresenter::MainWindowPresenter(AppContext& context, Workspace& workspace, bool factory)
    : context_(context),
      workspace_(workspace),
      factory_(factory),
      status_(context.Texts().BuiltIn(BuiltInText::StatusReady)) {
  RedrawAll();
}

void MainWindowPresenter::NoteFileCommand(Command command) {
  const LanguageTexts& texts = context_.Texts();
  const std::string file = workspace_.FileName().filename().string();
  switch (command) {
    case C::New:
    case C::Initialise:
      status_ = texts.BuiltIn(BuiltInText::StatusNew);
      break;
    case C::Open:
    case C::OpenBackup:
      status_ = FillIn(texts.BuiltIn(BuiltInText::StatusOpened), {file});
      break;
    case C::Save:
    case C::SaveAs:
      status_ = FillIn(texts.BuiltIn(BuiltInText::StatusSaved), {file});
      break;
    case C::ImportChannels:
      status_ = texts.BuiltIn(BuiltInText::StatusChannelsImported);
      break;
    default:
      break;
  }
}

void MainWindowPresenter::NoteRadioOutcome(const OperationResult& result) {
  const LanguageTexts& texts = context_.Texts();
  const auto said = [&texts](BuiltInText text) { return std::string(texts.BuiltIn(text)); };
  const std::string channels = std::to_string(workspace_.Current().Channels.Channels().size());
  const std::string serial = DecodeEmbeddedInfo(result.Data.Information).SerialNumber;
  switch (result.Kind) {
    case OperationKind::Read:
      status_ = result.Cancelled  ? said(BuiltInText::StatusReadCancelled)
                : !result.Success ? said(BuiltInText::StatusReadFailed)
                : serial.empty()  ? FillIn(said(BuiltInText::StatusReadUnnamedRadio), {channels})
                                  : FillIn(said(BuiltInText::StatusRead), {channels, serial});
      break;
    case OperationKind::Write:
      status_ = result.Cancelled  ? said(BuiltInText::StatusWriteCancelled)
                : !result.Success ? said(BuiltInText::StatusWriteFailed)
                                  : FillIn(said(BuiltInText::StatusWritten), {channels});
      break;
    case OperationKind::InformationRead:
      status_ = result.Success ? FillIn(said(BuiltInText::StatusInformationRead), {serial})
                               : said(BuiltInText::StatusInformationFailed);
      break;
  }
}

std::string MainWindowPresenter::Title() const {
  return "HVT7300[" + context_.ModelTitle() + ":" + std::string(context_.BandText()) + "][" +
         context_.Texts().LanguageText(text_key::TitleFileLabel) + ":" + workspace_.FileName().string() + "]";
}

std::string MainWindowPresenter::Caption(Command command) const {
  if (command == C::Separator) return {};
  std::string caption = context_.Texts().LanguageText(SpecOf(command).CaptionKey);
  const UndoHistory& history = workspace_.History();
  const std::string_view step = command == C::Undo   ? history.UndoLabel()
                                : command == C::Redo ? history.RedoLabel()
                                                     : "";
  if (!step.empty()) caption += " " + std::string(step);
  return caption;
}

std::string MainWindowPresenter::StepName(Command command) const {
  return StepLabel(context_.Texts().LanguageText(SpecOf(command).CaptionKey));
}

CommandState MainWindowPresenter::State(Command command) const {
  CommandState state;
  state.Visible = !Contains(kAlwaysHidden, command);
  switch (command) {
    case C::TwoTone:
      state.Visible = context_.TwoToneEnabled();
      break;
    case C::TestData:
      state.Visible = testDataOn_;
      break;
    case C::AutoTest:
      state.Visible = factory_;
      break;
    // Without the factory marker nobody can switch test data on.
    case C::TestDataButton:
      state.Visible = factory_;
      state.Checked = testDataOn_;
      break;
    case C::Undo:
      state.Enabled = workspace_.History().CanUndo();
      break;
    case C::Redo:
      state.Enabled = workspace_.History().CanRedo();
      break;
    case C::ToolBar:
      state.Checked = toolBarShown_;
      break;
    case C::StatusBar:
      state.Checked = statusBarShown_;
      break;
    default:
      break;
  }
  return state;
}

std::vector<TreeNode> MainWindowPresenter::Tree() const {
  const auto text = [this](std::int32_t key) { return context_.Texts().LanguageText(key); };
  std::vector<TreeNode> nodes = {
      {"N0", context_.ModelTitle(), std::nullopt},
      {"N1", "CH", std::nullopt},
      {"N4", text(text_key::TreeOptions), C::Options},
      {"N16", text(text_key::TreeKeys), C::Keys},
      {"N17", text(text_key::TreeScan), C::Scan},
      {"N18", text(text_key::TreeAlert), C::Alert},
      {"N5", text(text_key::TreeDtmf), C::Dtmf},
      {"N7", text(text_key::TreeFiveTone), C::FiveTone},
      {"N8", text(text_key::TreeCommuBook), C::CommuBook},
      {"N9", text(text_key::TreeEmbeddedInfo), C::EmbeddedInfo},
  };
  if (testDataOn_) nodes.push_back({"N14", text(text_key::TreeTestData), C::TestData});
  for (TreeNode& node : nodes) node.Enabled = !node.Action || State(*node.Action).Enabled;
  return nodes;
}

void MainWindowPresenter::RedrawAll() { grid_.DrawAll(workspace_.Current().Channels, context_.Texts()); }

void MainWindowPresenter::RedrawRow(int row) {
  grid_.DrawRow(workspace_.Current().Channels, context_.Texts(), row);
}

bool MainWindowPresenter::Copy(int row) {
  if (!ChannelGrid::IsChannelRow(row)) return false;
  workspace_.SetClipboardFilled(true);
  CopyChannel(workspace_.Current().Channels, workspace_.Clipboard(), row);
  return false;
}

bool MainWindowPresenter::Cut(int row) {
  if (!ChannelGrid::IsChannelRow(row)) return false;
  const Configuration before = workspace_.Current();
  workspace_.SetClipboardFilled(true);
  CutChannel(workspace_.Current().Channels, workspace_.Clipboard(), row);
  const bool cut = workspace_.Clipboard().InUse == 1;
  workspace_.RecordStep(StepLabel(context_.Texts().LanguageText(text_key::CutChannelStep)), before);
  RedrawRow(row);
  return cut;
}

bool MainWindowPresenter::Paste(int row) {
  if (!ChannelGrid::IsChannelRow(row) || !workspace_.ClipboardFilled()) return false;
  const Configuration before = workspace_.Current();
  PasteChannel(workspace_.Current().Channels, workspace_.Clipboard(), row);
  workspace_.RecordStep(StepLabel(context_.Texts().LanguageText(text_key::PasteChannelStep)), before);
  RedrawRow(row);
  return !(workspace_.Current().Channels == before.Channels);
}

bool MainWindowPresenter::Arrange(Command command, int row) {
  const Configuration before = workspace_.Current();
  ChannelTable& table = workspace_.Current().Channels;
  ChannelMoves moves;
  switch (command) {
    case C::SortByFrequency:
      moves = SortChannels(table, ChannelOrder::ByFrequency);
      break;
    case C::SortByName:
      moves = SortChannels(table, ChannelOrder::ByName);
      break;
    case C::InsertChannel:
      moves = InsertEmptyChannel(table, row);
      break;
    case C::RemoveGap:
      moves = RemoveChannelGap(table, row);
      break;
    default:
      return false;
  }
  return FinishMoves(command, moves, before);
}

bool MainWindowPresenter::MoveChannels(const std::vector<int>& rows, int step) {
  const Configuration before = workspace_.Current();
  const ChannelMoves moves = hvt::MoveChannels(workspace_.Current().Channels, rows, step);
  return FinishMoves(step < 0 ? C::MoveUp : C::MoveDown, moves, before);
}

bool MainWindowPresenter::MoveChannelsTo(const std::vector<int>& rows, int target) {
  const auto first = std::ranges::find_if(rows, [](int row) { return IsNormalChannel(row); });
  if (first == rows.end() || !IsNormalChannel(target)) return false;
  int lowest = *first;
  for (const int row : rows) {
    if (IsNormalChannel(row)) lowest = std::min(lowest, row);
  }
  const Configuration before = workspace_.Current();
  const ChannelMoves moves = hvt::MoveChannels(workspace_.Current().Channels, rows, target - lowest);
  return FinishMoves(C::MoveTo, moves, before);
}

bool MainWindowPresenter::FinishMoves(Command command, const ChannelMoves& moves,
                                      const Configuration& before) {
  if (!moves) return false;
  FollowChannelMoves(workspace_.Current(), moves);
  if (workspace_.Current() == before) return false;
  workspace_.RecordStep(StepName(command), before);
  RedrawAll();
  return true;
}

bool MainWindowPresenter::CellEditable(int row, GridColumn column) const {
  return hvt::CellEditable(workspace_.Current(), row, column);
}

ChoiceList MainWindowPresenter::CellChoices(int row, GridColumn column) const {
  return CellEditOf(column) == CellEdit::Choice
             ? hvt::CellChoices(workspace_.Current(), row, column, context_)
             : ChoiceList{};
}

bool MainWindowPresenter::EditCell(int row, GridColumn column, std::string_view text, int choice,
                                   Prompter& prompter) {
  const Configuration before = workspace_.Current();
  if (!EditChannelCell(workspace_.Current(), row, column, text, choice, context_, prompter)) return false;
  workspace_.RecordStep(StepName(C::EditChannel), before);
  RedrawRow(row);
  return true;
}

bool MainWindowPresenter::DeleteChannels(const std::vector<int>& rows, Prompter& prompter) {
  const Configuration before = workspace_.Current();
  ChannelTable& table = workspace_.Current().Channels;
  ChannelTable after = table;
  for (const int row : rows) {
    if (IsNormalChannel(row)) DeleteChannel(after, row);
  }
  if (after == table) return false;
  if (NormalChannelCount(after) == 0) {
    prompter.Tell(context_.Texts().BuiltIn(BuiltInText::LastNormalChannel));
    return false;
  }
  table = after;
  RepairChannelRefsAfterDeletes(workspace_.Current());
  workspace_.RecordStep(StepName(C::DeleteChannels), before);
  RedrawAll();
  return true;
}

bool MainWindowPresenter::EditCells(const std::vector<int>& rows, GridColumn column, int choice,
                                    Prompter& prompter) {
  if (CellEditOf(column) != CellEdit::Choice) return false;
  const Configuration before = workspace_.Current();
  for (const int row : rows) {
    if (hvt::CellEditable(workspace_.Current(), row, column)) {
      static_cast<void>(EditChannelCell(workspace_.Current(), row, column, {}, choice, context_, prompter));
    }
  }
  if (workspace_.Current() == before) return false;
  workspace_.RecordStep(StepName(C::EditChannel), before);
  RedrawAll();
  return true;
}

std::string MainWindowPresenter::ChannelsAsTable(const std::vector<int>& rows) const {
  ChannelTable chosen;
  for (const int row : rows) {
    if (const ChannelRecord* channel = workspace_.Current().Channels.Find(row)) {
      static_cast<void>(AddChannel(chosen, *channel));
    }
  }
  return ChannelsToCsv(chosen);
}

bool MainWindowPresenter::PasteTable(std::string_view text, int row, Prompter& prompter) {
  if (!IsNormalChannel(row)) return false;
  ChannelCsvImport table = ChannelsFromCsv(text, context_.Limits());
  if (table.FileProblem || table.Channels.empty()) return false;
  const int first = std::ranges::min(table.Channels, {}, &ChannelRecord::ChannelNumber).ChannelNumber;
  std::vector<ChannelRecord> placed;
  int beyond = 0;
  for (ChannelRecord channel : table.Channels) {
    const int number = channel.ChannelNumber - first + row;
    if (!IsNormalChannel(number)) {
      ++beyond;
      continue;
    }
    channel.ChannelNumber = static_cast<std::int16_t>(number);
    placed.push_back(channel);
  }
  const Configuration before = workspace_.Current();
  ApplyChannelImport(workspace_.Current().Channels, placed, false);
  if (!table.Refused.empty() || beyond > 0) {
    std::string told(context_.Texts().BuiltIn(BuiltInText::RowsRefused));
    for (const CsvRowNote& note : table.Refused)
      told += "\nline " + std::to_string(note.Line) + ": " + note.Text;
    if (beyond > 0) told += "\n" + std::to_string(beyond) + " beyond channel 200";
    prompter.Tell(told);
  }
  if (workspace_.Current() == before) return false;
  workspace_.RecordStep(StepLabel(context_.Texts().LanguageText(text_key::PasteChannelStep)), before);
  RedrawAll();
  return true;
}

bool MainWindowPresenter::MayClose() { return workspace_.OfferToSaveChanges(); }

}  // namespace hvt
