#include "app/model_presenter.h"

#include <gtest/gtest.h>

#include "model/channel_record.h"
#include "model/channel_table.h"
#include "support/file_bytes.h"
#include "support/rich_configuration.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;

const std::string kFullTwoLines =
    "UHF{Rx(400 - 490 MHz) Tx(400 - 490 MHz)}\r\nVHF{Rx(136 - 174 MHz) Tx(136 - 174 MHz)}";
const std::string kRestrictedTwoLines =
    "UHF{Rx(400 - 490 MHz) Tx(420 - 450 MHz)}\r\nVHF{Rx(136 - 174 MHz) Tx(144 - 148 MHz)}";
const std::string kSaveQuestion = "Save the changes?";
const std::string kClearWarning = "Frequency data will be cleared.";

// Each band's template holds channels of its own, so a new configuration shows which band it is.
class ModelPresenterTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_ / "language");
    WriteFileBytes(folder_ / "language" / "english.ini",
                   "[OTHER]\n101=OK\n102=Cancel\n2300=Model\n2301=Model\n2302=Band\n"
                   "3032=Band 1\n3033=Band 2\n[MSG]\n9001=Save the changes?\n");
    WriteTemplate("HVT7300_0.dat", 0, {7});
    WriteTemplate("HVT7300_1.dat", 1, {1, 2});
  }

  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  void WriteTemplate(const std::string& name, int band, std::initializer_list<int> channels) {
    fs::create_directories(folder_ / "Init");
    Configuration configuration = RichConfiguration();
    configuration.BandVariant = static_cast<std::int16_t>(band);
    configuration.Channels = {};
    for (int n : channels) AddChannel(configuration.Channels, CreateChannel(n, "438.125"));
    ASSERT_EQ(WriteConfigurationFile(folder_ / "Init" / name, configuration), FileCheck::Ok);
  }

  AppContext StartContext(BandVariant band) {
    AppContext context = AppContext::Start({folder_.Path(), folder_.Path()}, "en_US");
    context.ApplyBandVariant(band);
    return context;
  }

  static std::vector<int> ChannelNumbers(const Workspace& workspace) {
    std::vector<int> numbers;
    for (const ChannelRecord& c : workspace.Current().Channels.Channels()) numbers.push_back(c.ChannelNumber);
    return numbers;
  }

  TempFolder folder_;
  ScriptedPrompter prompter_;
};

TEST_F(ModelPresenterTest, OpensAtTheCurrentBandWithItsTwoLineText) {
  const struct {
    BandVariant Band;
    int Selected;
    std::string Text;
  } cases[] = {
      {BandVariant::Full, 1, kFullTwoLines},
      {BandVariant::Restricted, 0, kRestrictedTwoLines},
  };
  for (const auto& c : cases) {
    AppContext context = StartContext(c.Band);
    Workspace workspace(context, prompter_);
    const ModelPresenter presenter(context, workspace, prompter_);
    const ModelPresenter::ViewState& state = presenter.State();
    EXPECT_EQ(state.Bands.Entries, (std::vector<ListEntry>{{"Band 1", 0}, {"Band 2", 1}}));
    EXPECT_EQ(state.Bands.Selected, c.Selected);
    EXPECT_EQ(state.BandText.Text, c.Text);
    EXPECT_EQ(state.Models.Entries, (std::vector<ListEntry>{{"HVT7300", 0}}));
    EXPECT_EQ(state.Models.Selected, 0);
    EXPECT_FALSE(state.Models.Enabled);
    EXPECT_EQ(state.Title, "Model");
    EXPECT_EQ(state.ModelLabel, "Model");
    EXPECT_EQ(state.BandLabel, "Band");
  }

  AppContext context = StartContext(BandVariant::Full);
  Workspace workspace(context, prompter_);
  ModelPresenter presenter(context, workspace, prompter_);
  presenter.SelectBand(0);
  EXPECT_EQ(presenter.State().BandText.Text, kRestrictedTwoLines);
  presenter.SelectBand(5);
  EXPECT_EQ(presenter.State().Bands.Selected, 0);
  presenter.Cancel();
  EXPECT_EQ(context.Band(), BandVariant::Full) << "choosing alone changes nothing";
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(ModelPresenterTest, OkAsksAboutUnsavedChangesThenWarnsBeforeReplacingTheConfiguration) {
  struct Case {
    const char* What;
    bool Modified;
    int ChosenBand;
    std::deque<PromptAnswer> Answers;
    std::deque<std::optional<std::string>> Files;
    bool Closes;
    bool Replaced;
    std::vector<std::string> Texts;
  };
  const Case cases[] = {
      {"warning confirmed", false, 0, {PromptAnswer::Ok}, {}, true, true, {kClearWarning}},
      {"same band still warns and renews", false, 1, {PromptAnswer::Ok}, {}, true, true, {kClearWarning}},
      {"warning cancelled", false, 0, {PromptAnswer::Cancel}, {}, true, false, {kClearWarning}},
      {"changes dropped",
       true,
       0,
       {PromptAnswer::No, PromptAnswer::Ok},
       {},
       true,
       true,
       {kSaveQuestion, kClearWarning}},
      {"changes saved",
       true,
       0,
       {PromptAnswer::Yes, PromptAnswer::Ok},
       {"saved.dat"},
       true,
       true,
       {kSaveQuestion, kClearWarning}},
      {"changes dropped, warning cancelled",
       true,
       0,
       {PromptAnswer::No, PromptAnswer::Cancel},
       {},
       true,
       false,
       {kSaveQuestion, kClearWarning}},
      {"save question cancelled stays in the dialog",
       true,
       0,
       {PromptAnswer::Cancel},
       {},
       false,
       false,
       {kSaveQuestion}},
      {"save dialog cancelled stays in the dialog",
       true,
       0,
       {PromptAnswer::Yes},
       {std::nullopt},
       false,
       false,
       {kSaveQuestion}},
  };
  for (const Case& c : cases) {
    AppContext context = StartContext(BandVariant::Full);
    Workspace workspace(context, prompter_);
    ASSERT_EQ(ChannelNumbers(workspace), (std::vector<int>{1, 2}));
    if (c.Modified) workspace.Current().Options.KeyBeep = 9;
    ASSERT_EQ(workspace.IsModified(), c.Modified);
    const std::int16_t keyBeep = workspace.Current().Options.KeyBeep;
    prompter_.Messages.clear();
    prompter_.Answers = c.Answers;
    for (const auto& file : c.Files)
      prompter_.Files.push_back(file ? std::optional(folder_ / *file) : std::nullopt);

    ModelPresenter presenter(context, workspace, prompter_);
    presenter.SelectBand(c.ChosenBand);
    EXPECT_EQ(presenter.Ok(), c.Closes) << c.What;
    EXPECT_EQ(presenter.Replaced(), c.Replaced) << c.What;
    EXPECT_EQ(prompter_.Texts(), c.Texts) << c.What;
    if (!prompter_.Messages.empty()) {
      EXPECT_EQ(prompter_.Messages.back().Buttons,
                c.Texts.back() == kClearWarning ? PromptButtons::OkCancel : PromptButtons::YesNoCancel);
      EXPECT_EQ(prompter_.Messages.back().Icon, PromptIcon::Warning) << c.What;
    }
    if (c.Replaced) {
      EXPECT_EQ(static_cast<int>(context.Band()), c.ChosenBand) << c.What;
      EXPECT_EQ(ChannelNumbers(workspace),
                (c.ChosenBand == 0 ? std::vector<int>{7} : std::vector<int>{1, 2}));
      EXPECT_EQ(workspace.Current().Options.KeyBeep, RichConfiguration().Options.KeyBeep) << c.What;
      EXPECT_TRUE(workspace.Untitled()) << c.What;
      EXPECT_FALSE(workspace.IsModified()) << c.What;
    } else {
      EXPECT_EQ(context.Band(), BandVariant::Full) << c.What;
      EXPECT_EQ(ChannelNumbers(workspace), (std::vector<int>{1, 2})) << c.What;
      EXPECT_EQ(workspace.Current().Options.KeyBeep, keyBeep) << c.What;
    }
  }
}

}  // namespace
}  // namespace hvt
