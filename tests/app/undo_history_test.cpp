#include "app/undo_history.h"

#include <gtest/gtest.h>

#include "app/main_window_presenter.h"
#include "files/configuration_file.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

Configuration WithKeyBeep(int beep) {
  Configuration c;
  c.Options.KeyBeep = static_cast<std::int16_t>(beep);
  return c;
}

// A script of steps (beep value > 0), undos (-1) and redos (-2), with the value and the labels
// expected after each.
TEST(UndoHistory, UndoAndRedoWalkTheStepsAndANewStepEndsTheRedos) {
  struct Case {
    const char* What;
    std::vector<int> Script;
    int Beep;
    std::string UndoLabel;
    std::string RedoLabel;
  };
  const Case cases[] = {
      {"two steps", {1, 2}, 2, "2", ""},
      {"one undone", {1, 2, -1}, 1, "1", "2"},
      {"all undone and more", {1, 2, -1, -1, -1}, 0, "", "1"},
      {"undone and redone", {1, 2, -1, -1, -2, -2, -2}, 2, "2", ""},
      {"a step after an undo", {1, 2, -1, 5}, 5, "5", ""},
      {"a step that changes nothing", {1, 1}, 1, "1", ""},
  };
  for (const Case& c : cases) {
    UndoHistory history;
    Configuration current = WithKeyBeep(0);
    for (const int action : c.Script) {
      if (action == -1) {
        history.Undo(current);
      } else if (action == -2) {
        history.Redo(current);
      } else {
        const Configuration before = current;
        current = WithKeyBeep(action);
        history.Record(std::to_string(action), before, current);
      }
    }
    EXPECT_EQ(current.Options.KeyBeep, c.Beep) << c.What;
    EXPECT_EQ(history.UndoLabel(), c.UndoLabel) << c.What;
    EXPECT_EQ(history.RedoLabel(), c.RedoLabel) << c.What;
  }
}

TEST(UndoHistory, KeepsTheNewestStepsOnly) {
  UndoHistory history;
  Configuration current = WithKeyBeep(0);
  for (int i = 1; i <= static_cast<int>(UndoHistory::kDepth) + 5; ++i) {
    const Configuration before = current;
    current = WithKeyBeep(i);
    history.Record("", before, current);
  }
  int undone = 0;
  while (history.Undo(current)) ++undone;
  EXPECT_EQ(undone, static_cast<int>(UndoHistory::kDepth));
  EXPECT_EQ(current.Options.KeyBeep, 5);
}

TEST(UndoHistory, StepLabelsAreCaptionsWithoutAccelerators) {
  EXPECT_EQ(StepLabel("&Edit Channel..."), "Edit Channel");
  EXPECT_EQ(StepLabel("编辑信道(&E)..."), "编辑信道");
  EXPECT_EQ(StepLabel("Cut Channel"), "Cut Channel");
}

class WorkspaceUndoTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  TempFolder folder_;
  ScriptedPrompter prompter_;
  AppContext context_ = AppContext::Start({HVT_DATA_DIR, folder_.Path()}, "en_US");
  Workspace workspace_{context_, prompter_};
  MainWindowPresenter presenter_{context_, workspace_, false};
};

// Undo back to what was saved counts as unmodified again; opening a file starts a new history.
TEST_F(WorkspaceUndoTest, UndoToTheSavedStateClearsTheModifiedMark) {
  ASSERT_EQ(workspace_.SaveFile(folder_ / "saved.dat"), FileCheck::Ok);
  EXPECT_FALSE(presenter_.State(Command::Undo).Enabled);

  ASSERT_TRUE(presenter_.Cut(1));
  EXPECT_TRUE(workspace_.IsModified());
  EXPECT_TRUE(presenter_.State(Command::Undo).Enabled);
  EXPECT_EQ(presenter_.Caption(Command::Undo), "&Undo Cut Channel");
  ASSERT_TRUE(presenter_.Paste(150));
  EXPECT_EQ(presenter_.Caption(Command::Undo), "&Undo Paste Channel");

  ASSERT_TRUE(workspace_.Undo());
  ASSERT_TRUE(workspace_.Undo());
  EXPECT_FALSE(workspace_.IsModified()) << "back to the saved configuration";
  EXPECT_EQ(presenter_.Caption(Command::Redo), "&Redo Cut Channel");
  ASSERT_TRUE(workspace_.Redo());
  EXPECT_EQ(workspace_.Current().Channels.Find(1), nullptr);
  EXPECT_TRUE(workspace_.IsModified());

  ASSERT_EQ(workspace_.OpenFile(folder_ / "saved.dat"), FileCheck::Ok);
  EXPECT_FALSE(workspace_.History().CanUndo() || workspace_.History().CanRedo());
}

TEST_F(WorkspaceUndoTest, ArrangingTheChannelsIsOneStepAndAnArrangementThatChangesNothingIsNone) {
  const Configuration before = workspace_.Current();
  EXPECT_FALSE(presenter_.Arrange(Command::SortByName, 0)) << "the template is in name order already";
  ASSERT_TRUE(presenter_.Arrange(Command::SortByFrequency, 0));
  ASSERT_TRUE(presenter_.Arrange(Command::InsertChannel, 1));
  EXPECT_EQ(presenter_.Grid().Row(1)[0], "") << "the grid shows the new gap";
  EXPECT_FALSE(presenter_.Arrange(Command::RemoveGap, 2)) << "channel 2 is in use";
  EXPECT_EQ(presenter_.Caption(Command::Undo), "&Undo Insert Empty Channel");
  ASSERT_TRUE(workspace_.Undo());
  ASSERT_TRUE(workspace_.Undo());
  EXPECT_TRUE(workspace_.Current() == before);
  EXPECT_FALSE(workspace_.History().CanUndo());
}

TEST_F(WorkspaceUndoTest, MovingSelectedChannelsIsOneStepAndTheMemoryChannelGoesAlong) {
  const std::string second = presenter_.Grid().Row(2)[0];
  workspace_.Current().Options.MemoryChannelA = 1;  // channel 2
  const Configuration pointed = workspace_.Current();
  ASSERT_TRUE(presenter_.MoveChannelsTo({2}, 10));
  EXPECT_EQ(presenter_.Grid().Row(10)[0], second);
  EXPECT_EQ(workspace_.Current().Options.MemoryChannelA, 9);
  EXPECT_EQ(presenter_.Caption(Command::Undo), "&Undo Move Channels To");
  EXPECT_FALSE(presenter_.MoveChannels({1}, -1)) << "channel 1 cannot move up";
  ASSERT_TRUE(presenter_.MoveChannels({10}, -1));
  EXPECT_EQ(presenter_.Caption(Command::Undo), "&Undo Move Channels Up");
  ASSERT_TRUE(workspace_.Undo());
  ASSERT_TRUE(workspace_.Undo());
  EXPECT_TRUE(workspace_.Current() == pointed);
}

TEST_F(WorkspaceUndoTest, SeveralRowsChangeInOneStep) {
  const Configuration before = workspace_.Current();
  ASSERT_TRUE(presenter_.EditCells({1, 2, 3, 150}, GridColumn::Power, 2, prompter_));
  for (const int number : {1, 2, 3}) EXPECT_EQ(workspace_.Current().Channels.Find(number)->Power, 2) << number;
  EXPECT_EQ(workspace_.Current().Channels.Find(150), nullptr) << "a channel that does not exist stays so";
  ASSERT_TRUE(presenter_.DeleteChannels({2, 3, 201}, prompter_));
  EXPECT_EQ(workspace_.Current().Channels.Find(2), nullptr);
  EXPECT_NE(workspace_.Current().Channels.Find(201), nullptr) << "the special channels are not deleted";
  EXPECT_EQ(presenter_.Caption(Command::Undo), "&Undo Delete Channels");
  ASSERT_TRUE(workspace_.Undo());
  ASSERT_TRUE(workspace_.Undo());
  EXPECT_TRUE(workspace_.Current() == before) << "two steps, not one per row";

  std::vector<int> all;
  for (int number = 1; number <= 200; ++number) all.push_back(number);
  EXPECT_FALSE(presenter_.DeleteChannels(all, prompter_));
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{"Leave at least one normal channel!"});
  EXPECT_TRUE(workspace_.Current() == before);
}

TEST_F(WorkspaceUndoTest, APastedTableKeepsTheDistancesBetweenItsChannels) {
  const std::string table = presenter_.ChannelsAsTable({1, 3});
  ASSERT_TRUE(presenter_.PasteTable(table, 198, prompter_));
  EXPECT_EQ(workspace_.Current().Channels.Find(198)->RxFreq, workspace_.Current().Channels.Find(1)->RxFreq);
  EXPECT_EQ(workspace_.Current().Channels.Find(199), nullptr) << "channel 2 was not copied";
  EXPECT_EQ(workspace_.Current().Channels.Find(200)->RxFreq, workspace_.Current().Channels.Find(3)->RxFreq);

  ASSERT_TRUE(presenter_.PasteTable(table, 199, prompter_));
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{"These rows cannot be taken:\n1 beyond channel 200"});
  EXPECT_FALSE(presenter_.PasteTable("just some text", 5, prompter_)) << "no table, nothing pasted";
}

}  // namespace
}  // namespace hvt
