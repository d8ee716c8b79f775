#include "app/main_window_presenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "model/embedded_info.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

class MainWindowPresenterTest : public testing::Test {
 protected:
  TempFolder settings_;
  // The shipped language files and templates; settings in a scratch folder.
  AppContext context_ = AppContext::Start({HVT_DATA_DIR, settings_.Path()}, "en_US");
  ScriptedPrompter prompter_;
  Workspace workspace_{context_, prompter_};

  void TearDown() override {
    EXPECT_TRUE(prompter_.ScriptUsedUp()) << "the test scripted more than was asked";
  }

  ChannelTable& Channels() { return workspace_.Current().Channels; }

  static ChannelRecord Channel(int number, std::string_view rx) { return CreateChannel(number, rx); }
};

TEST_F(MainWindowPresenterTest, TitleNamesModelBandAndFile) {
  MainWindowPresenter presenter(context_, workspace_, false);
  EXPECT_EQ(
      presenter.Title(),
      "HVT7300[HVT7300:UHF{Rx(400 - 490 MHz) Tx(400 - 490 MHz)} VHF{Rx(136 - 174 MHz) Tx(136 - 174 MHz)}]"
      "[File:new.dat]");
  context_.ApplyBandVariant(BandVariant::Restricted);
  EXPECT_NE(presenter.Title().find("Tx(420 - 450 MHz)"), std::string::npos);
}

TEST_F(MainWindowPresenterTest, RowsShowInUseChannelsOnTheirNumbersOnly) {
  Channels() = {};
  AddChannel(Channels(), Channel(5, "438.125"));
  ChannelRecord unused = Channel(7, "439.000");
  unused.InUse = 0;
  AddChannel(Channels(), unused);
  AddChannel(Channels(), Channel(203, "145.500"));
  // Numbers without a row: 0 would land on the header, 204 past the last row.
  for (const int number : {0, 204, -1}) {
    ChannelRecord stray = Channel(9, "440.000");
    stray.ChannelNumber = static_cast<std::int16_t>(number);
    AddChannel(Channels(), stray);
  }
  MainWindowPresenter presenter(context_, workspace_, false);
  const ChannelGrid& grid = presenter.Grid();

  EXPECT_EQ(grid.Row(5)[0], "438.12500");
  EXPECT_EQ(grid.Row(203)[0], "145.50000");
  EXPECT_EQ(grid.Row(7), ChannelCells{}) << "a slot whose used flag is not 1 leaves its row empty";
  for (int row = 1; row <= kChannelCount; ++row) {
    if (row != 5 && row != 203) {
      EXPECT_EQ(grid.Row(row), ChannelCells{}) << row;
    }
  }
  EXPECT_EQ(grid.Row(0), ChannelCells{});
  EXPECT_EQ(grid.Row(204), ChannelCells{});
}

TEST_F(MainWindowPresenterTest, RowLabelsAndHeaders) {
  const std::map<int, std::string> labels = {
      {1, "1"}, {200, "200"}, {201, "VFO1"}, {202, "VFO2"}, {203, "TRF"}};
  for (const auto& [row, label] : labels) EXPECT_EQ(GridRowLabel(row), label);
  EXPECT_NE(GridHeaderText(GridColumn::Decode, context_.Texts()).find('\n'), std::string::npos);
  EXPECT_FALSE(GridColumnShown(GridColumn::Step));
  EXPECT_TRUE(GridRowShaded(2));
  EXPECT_FALSE(GridRowShaded(3));
}

// The described clipboard works only in band variant 0; here it works in every band.
class ClipboardTest : public MainWindowPresenterTest, public testing::WithParamInterface<BandVariant> {};

TEST_P(ClipboardTest, CopyOfAnEmptyRowPastedOnAChannelDeletesIt) {
  context_.ApplyBandVariant(GetParam());
  Channels() = {};
  AddChannel(Channels(), Channel(1, "438.125"));
  AddChannel(Channels(), Channel(2, "438.250"));
  MainWindowPresenter presenter(context_, workspace_, false);

  EXPECT_FALSE(presenter.Copy(9));
  EXPECT_TRUE(presenter.Paste(1));
  EXPECT_EQ(Channels().Count, 1);
  EXPECT_EQ(Channels().Entries[0].ChannelNumber, 2);
  EXPECT_EQ(presenter.Grid().Row(1), ChannelCells{});
}

TEST_P(ClipboardTest, PasteOnAnEmptyRowAppendsASlotShownOnThatRow) {
  context_.ApplyBandVariant(GetParam());
  Channels() = {};
  AddChannel(Channels(), Channel(1, "438.125"));
  MainWindowPresenter presenter(context_, workspace_, false);

  presenter.Copy(1);
  EXPECT_TRUE(presenter.Paste(150));
  ASSERT_EQ(Channels().Count, 2);
  EXPECT_EQ(Channels().Entries[1].ChannelNumber, 150);
  EXPECT_EQ(presenter.Grid().Row(150)[0], "438.12500");
  EXPECT_TRUE(workspace_.IsModified());
}

TEST_P(ClipboardTest, CutMovesAChannelAndPasteWithoutCopyDoesNothing) {
  context_.ApplyBandVariant(GetParam());
  Channels() = {};
  AddChannel(Channels(), Channel(1, "438.125"));
  AddChannel(Channels(), Channel(2, "438.250"));
  AddChannel(Channels(), Channel(3, "438.375"));
  MainWindowPresenter presenter(context_, workspace_, false);

  EXPECT_FALSE(presenter.Paste(1)) << "nothing was copied since New";
  EXPECT_TRUE(presenter.Cut(2));
  EXPECT_EQ(presenter.Grid().Row(2), ChannelCells{});
  EXPECT_TRUE(presenter.Paste(10));
  std::vector<int> numbers;
  for (const ChannelRecord& c : Channels().Channels()) numbers.push_back(c.ChannelNumber);
  EXPECT_EQ(numbers, (std::vector<int>{1, 3, 10})) << "the table stays contiguous";
  EXPECT_FALSE(presenter.Cut(2)) << "an empty row cuts nothing";
}

INSTANTIATE_TEST_SUITE_P(EveryBand, ClipboardTest,
                         testing::Values(BandVariant::Restricted, BandVariant::Full));

TEST_F(MainWindowPresenterTest, FactoryMarkerAndTestDataShowTheirCommandsAndNode) {
  struct Case {
    bool Factory;
    bool TestData;
    bool AutoTestShown;
    bool ButtonShown;
    bool TestDataMenuShown;
    bool NodeN14;
  };
  const Case cases[] = {
      {false, false, false, false, false, false},
      {true, false, true, true, false, false},
      {true, true, true, true, true, true},
  };
  for (const Case& c : cases) {
    MainWindowPresenter presenter(context_, workspace_, c.Factory);
    presenter.SetTestData(c.TestData);
    EXPECT_EQ(presenter.State(Command::AutoTest).Visible, c.AutoTestShown) << c.Factory;
    EXPECT_EQ(presenter.State(Command::TestDataButton).Visible, c.ButtonShown);
    EXPECT_EQ(presenter.State(Command::TestDataButton).Checked, c.TestData);
    EXPECT_EQ(presenter.State(Command::TestData).Visible, c.TestDataMenuShown);
    const auto tree = presenter.Tree();
    EXPECT_EQ(std::ranges::any_of(tree, [](const TreeNode& n) { return n.Key == "N14"; }), c.NodeN14);
  }
}

TEST_F(MainWindowPresenterTest, TreeHangsEveryNodeUnderTheModelWithItsCommand) {
  MainWindowPresenter presenter(context_, workspace_, false);
  const auto tree = presenter.Tree();
  std::vector<std::string> keys;
  for (const TreeNode& node : tree) keys.push_back(node.Key);
  EXPECT_EQ(keys, (std::vector<std::string>{"N0", "N1", "N4", "N16", "N17", "N18", "N5", "N7", "N8", "N9"}));
  EXPECT_EQ(tree[0].Text, "HVT7300");
  EXPECT_EQ(tree[4].Action, Command::Scan);
  EXPECT_EQ(tree[5].Action, Command::Alert);
  EXPECT_EQ(tree[9].Action, Command::EmbeddedInfo);
  for (const TreeNode& node : tree) EXPECT_TRUE(node.Enabled) << node.Key << ": every window is built";
}

TEST_F(MainWindowPresenterTest, HiddenAndUnavailableCommands) {
  MainWindowPresenter presenter(context_, workspace_, false);
  for (const Command hidden :
       {Command::RadioView, Command::ToneTip, Command::ReadReset, Command::WriteReset}) {
    EXPECT_FALSE(presenter.State(hidden).Visible) << static_cast<int>(hidden);
  }
  for (const Command available :
       {Command::New, Command::Open, Command::Save, Command::SaveAs, Command::Exit, Command::ModelInfo,
        Command::EmbeddedInfo, Command::Port, Command::Language, Command::Initialise, Command::Read,
        Command::Write, Command::About, Command::EditChannel, Command::Print, Command::PrintPreview,
        Command::ExportPdf, Command::HelpContents, Command::WriteFleet}) {
    EXPECT_TRUE(presenter.State(available).Visible && presenter.State(available).Enabled)
        << static_cast<int>(available);
  }
  EXPECT_TRUE(presenter.State(Command::Scan).Visible && presenter.State(Command::Alert).Visible)
      << "the records reach the configuration file, so their editors are offered";
  EXPECT_EQ(presenter.State(Command::TwoTone).Visible, context_.TwoToneEnabled());
}

TEST_F(MainWindowPresenterTest, EveryMenuCommandSitsInOneMenuAndHasACaption) {
  MainWindowPresenter presenter(context_, workspace_, false);
  std::map<Command, int> seen;
  for (const MenuSpec& menu : MenuBar()) {
    EXPECT_FALSE(context_.Texts().LanguageText(menu.CaptionKey).empty()) << menu.CaptionKey;
    for (const Command command : menu.Items) {
      if (command != Command::Separator) ++seen[command];
    }
  }
  for (const CommandSpec& spec : CommandTable()) {
    if (spec.Id == Command::TestDataButton) continue;
    EXPECT_EQ(seen[spec.Id], 1) << static_cast<int>(spec.Id);
    EXPECT_FALSE(presenter.Caption(spec.Id).empty()) << static_cast<int>(spec.Id);
  }
  const std::vector<Command> toolBar(ToolBarItems().begin(), ToolBarItems().end());
  EXPECT_EQ(toolBar, (std::vector<Command>{Command::Separator, Command::New, Command::Open, Command::Save,
                                           Command::Separator, Command::Read, Command::Port, Command::Write,
                                           Command::Separator, Command::About, Command::TestDataButton}));
}

// Decided: closing asks about unsaved changes; the described program closes and loses them.
TEST_F(MainWindowPresenterTest, ClosingAsksAboutUnsavedChanges) {
  MainWindowPresenter presenter(context_, workspace_, false);
  EXPECT_TRUE(presenter.MayClose()) << "nothing to ask without changes";

  AddChannel(Channels(), Channel(150, "438.125"));
  prompter_.Answers = {PromptAnswer::Cancel, PromptAnswer::No, PromptAnswer::Yes};
  prompter_.Files = {std::nullopt};
  EXPECT_FALSE(presenter.MayClose());
  EXPECT_TRUE(presenter.MayClose());
  EXPECT_FALSE(presenter.MayClose()) << "Yes, then the save dialog cancelled: the window stays";
  ASSERT_EQ(prompter_.Messages.size(), 3u);
  EXPECT_EQ(prompter_.Messages[0].Text, context_.Texts().SectionText("MSG", "9001"));
  EXPECT_EQ(prompter_.Messages[0].Buttons, PromptButtons::YesNoCancel);
  EXPECT_EQ(prompter_.Messages[0].Icon, PromptIcon::Warning);
}

}  // namespace
}  // namespace hvt

namespace hvt {
namespace {

// The status bar says what last happened, in words a dealer can act on.
TEST_F(MainWindowPresenterTest, TheStatusSaysWhatLastHappened) {
  Channels() = {};
  for (const int number : {1, 2, 3}) AddChannel(Channels(), Channel(number, "438.125"));
  MainWindowPresenter presenter(context_, workspace_, false);
  EXPECT_EQ(presenter.Status(), "Ready");

  const auto result = [](OperationKind kind, bool success, bool cancelled, std::string_view serial) {
    OperationResult r;
    r.Kind = kind;
    r.Success = success;
    r.Cancelled = cancelled;
    std::ranges::copy(serial, r.Data.Information.begin() + 32);
    return r;
  };
  struct Case {
    OperationResult Result;
    std::string Status;
  };
  const std::vector<Case> cases = {
      {result(OperationKind::Read, true, false, "2024030500000001"),
       "Read 3 channels from radio 2024030500000001"},
      {result(OperationKind::Read, true, false, ""), "Read 3 channels from the radio"},
      {result(OperationKind::Read, false, true, ""), "Read cancelled"},
      {result(OperationKind::Read, false, false, ""), "Read failed"},
      {result(OperationKind::Write, true, false, ""), "Wrote 3 channels to the radio"},
      {result(OperationKind::Write, false, true, ""), "Write cancelled"},
      {result(OperationKind::Write, false, false, ""), "Write failed"},
      {result(OperationKind::InformationRead, true, false, "SN1"), "Read the information of radio SN1"},
      {result(OperationKind::InformationRead, false, false, ""), "Reading the radio's information failed"},
  };
  for (const Case& c : cases) {
    presenter.NoteRadioOutcome(c.Result);
    EXPECT_EQ(presenter.Status(), c.Status);
  }

  const auto file = settings_ / "saved.dat";
  prompter_.Files = {file};
  ASSERT_TRUE(workspace_.SaveAs());
  presenter.NoteFileCommand(Command::SaveAs);
  EXPECT_EQ(presenter.Status(), "Saved saved.dat");
  presenter.NoteFileCommand(Command::New);
  EXPECT_EQ(presenter.Status(), "New configuration");
}

}  // namespace
}  // namespace hvt
