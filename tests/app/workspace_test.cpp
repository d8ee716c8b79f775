#include "app/workspace.h"

#include <gtest/gtest.h>

#include "files/snapshot.h"
#include "model/codec_chain.h"
#include "model/frequency.h"
#include "model/new_configuration.h"
#include "support/file_bytes.h"
#include "support/record_printer.h"
#include "support/rich_configuration.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

class WorkspaceTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_ / "language");
    WriteFileBytes(folder_ / "language" / "english.ini", "[MSG]\n9001=Save the changes?\n");
  }

  AppContext StartContext(BandVariant band = BandVariant::Full) {
    AppContext context = AppContext::Start({folder_.Path(), folder_.Path()}, "en_US");
    context.ApplyBandVariant(band);
    return context;
  }

  // A template file holding the rich configuration's channels under the given header band.
  void WriteTemplate(const std::string& name, int band, std::initializer_list<int> channels) {
    std::filesystem::create_directories(folder_ / "Init");
    Configuration configuration = RichConfiguration();
    configuration.BandVariant = static_cast<std::int16_t>(band);
    configuration.ModelName = "FACTORY";
    configuration.Channels = {};
    for (int n : channels) AddChannel(configuration.Channels, CreateChannel(n, "438.125"));
    ASSERT_EQ(WriteConfigurationFile(folder_ / "Init" / name, configuration), FileCheck::Ok);
  }

  static std::vector<std::pair<int, std::string>> ChannelsOf(const Workspace& workspace) {
    std::vector<std::pair<int, std::string>> channels;
    for (const ChannelRecord& c : workspace.Current().Channels.Channels()) {
      channels.emplace_back(c.ChannelNumber, FreqRecordToText(c.RxFreq.Raw()).Text);
    }
    return channels;
  }

  void TearDown() override {
    EXPECT_TRUE(prompter_.ScriptUsedUp()) << "the test scripted more than was asked";
  }

  TempFolder folder_;
  ScriptedPrompter prompter_;
};

TEST_F(WorkspaceTest, NewConfigurationWithoutTemplatesHoldsTheDefaultChannels) {
  AppContext context = StartContext();
  Workspace workspace(context, prompter_);
  EXPECT_EQ(
      ChannelsOf(workspace),
      (std::vector<std::pair<int, std::string>>{
          {201, "445.50000"}, {202, "155.50000"}, {203, "445.50000"}, {1, "445.50000"}, {2, "155.50000"}}));
  const ChannelRecord& rt = *workspace.Current().Channels.Find(203);
  EXPECT_EQ(TxDisplayText(rt.RxFreq.Raw(), rt.OffsetDir, rt.TxFreq.Raw()).Text, "446.50000");
  EXPECT_EQ(workspace.Current().Aux[99].Value.Raw(), "01000000");
  EXPECT_EQ(workspace.Current().ToneTips.Sets[0].RecycleTimes, 1);
  EXPECT_EQ(workspace.FileName(), "new.dat");
  EXPECT_TRUE(workspace.Untitled());
  EXPECT_FALSE(workspace.IsModified());
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(WorkspaceTest, BandTemplateIsTakenAsItIs) {
  WriteTemplate("HVT7300_0.dat", 0, {7, 8});
  AppContext context = StartContext(BandVariant::Restricted);
  Workspace workspace(context, prompter_);
  EXPECT_EQ(ChannelsOf(workspace),
            (std::vector<std::pair<int, std::string>>{{7, "438.12500"}, {8, "438.12500"}}));
  EXPECT_EQ(workspace.Current().Options, RichOptions());
  EXPECT_EQ(context.ModelName(), "FACTORY");
  EXPECT_FALSE(workspace.IsModified());
}

TEST_F(WorkspaceTest, FallbackTemplateIsStampedWithTheCurrentBandAndGetsTheDefaultChannels) {
  WriteTemplate("HVT7300_1.dat", 1, {7, 1});
  AppContext context = StartContext(BandVariant::Restricted);
  Workspace workspace(context, prompter_);
  EXPECT_EQ(ChannelsOf(workspace), (std::vector<std::pair<int, std::string>>{{7, "438.12500"},
                                                                             {1, "438.12500"},
                                                                             {201, "445.50000"},
                                                                             {202, "155.50000"},
                                                                             {203, "445.50000"},
                                                                             {2, "155.50000"}}))
      << "a channel the template holds keeps its place";
  EXPECT_EQ(workspace.Current().BandVariant, 0);
  EXPECT_EQ(context.Band(), BandVariant::Restricted);
  EXPECT_EQ(context.ModelName(), "HVT7300");
  EXPECT_FALSE(workspace.IsModified());
}

TEST_F(WorkspaceTest, UnreadableTemplateLeavesTheDefaults) {
  std::filesystem::create_directories(folder_ / "Init");
  WriteFileBytes(folder_ / "Init" / "HVT7300_1.dat", "too short");
  AppContext context = StartContext();
  Workspace workspace(context, prompter_);
  EXPECT_EQ(workspace.Current().Channels.Count, 5);
  EXPECT_FALSE(workspace.IsModified());
}

TEST_F(WorkspaceTest, OpenAndSaveGiveIdenticalBytes) {
  AppContext context = StartContext();
  Workspace workspace(context, prompter_);
  Configuration saved = RichConfiguration();
  saved.BandVariant = 0;
  ASSERT_EQ(WriteConfigurationFile(folder_ / "a.dat", saved), FileCheck::Ok);

  ASSERT_EQ(workspace.OpenFile(folder_ / "a.dat"), FileCheck::Ok);
  EXPECT_EQ(context.Band(), BandVariant::Restricted);
  EXPECT_FALSE(workspace.IsModified());
  EXPECT_FALSE(workspace.Untitled());
  ASSERT_EQ(workspace.SaveFile(folder_ / "b.dat"), FileCheck::Ok);
  Configuration a;
  Configuration b;
  ASSERT_EQ(ReadConfigurationFile(folder_ / "a.dat", a), FileCheck::Ok);
  ASSERT_EQ(ReadConfigurationFile(folder_ / "b.dat", b), FileCheck::Ok);
  EXPECT_EQ(ToFileBytes(a), ToFileBytes(b));
}

TEST_F(WorkspaceTest, RefusedOpenChangesNothing) {
  AppContext context = StartContext();
  Workspace workspace(context, prompter_);
  workspace.Current().Options.KeyBeep = 3;
  const Configuration before = workspace.Current();
  const Configuration snapshotBefore = workspace.Snapshot();
  Configuration other = RichConfiguration();
  other.ModelName = "HVT730";
  ASSERT_EQ(WriteConfigurationFile(folder_ / "other.dat", other), FileCheck::Ok);

  EXPECT_EQ(workspace.OpenFile(folder_ / "other.dat"), FileCheck::ModelError);
  EXPECT_EQ(workspace.OpenFile(folder_ / "missing.dat"), FileCheck::FileError);
  // The system's text stays as it is; what was found and where follows on its own line.
  EXPECT_EQ(
      prompter_.Texts(),
      (std::vector<std::string>{
          "Model Error!\n" + (folder_ / "other.dat").string() + ": model \"HVT730\", expected \"HVT7300\"",
          "file error.\n" + (folder_ / "missing.dat").string() + ": No such file or directory"}));
  EXPECT_EQ(prompter_.Messages.at(0).Icon, PromptIcon::Critical);
  EXPECT_EQ(workspace.Current(), before);
  EXPECT_EQ(workspace.Snapshot(), snapshotBefore);
  EXPECT_EQ(workspace.FileName(), "new.dat");
  EXPECT_TRUE(workspace.IsModified());
}

TEST_F(WorkspaceTest, FailedSaveStillCountsAsUnsaved) {
  AppContext context = StartContext();
  Workspace workspace(context, prompter_);
  workspace.Current().Options.KeyBeep = 3;
  EXPECT_EQ(workspace.SaveFile(folder_ / "missing" / "x.dat"), FileCheck::FileError);
  EXPECT_EQ(prompter_.Texts(),
            (std::vector<std::string>{"file error.\n" + (folder_ / "missing" / "x.dat").string() +
                                      ": No such file or directory"}));
  EXPECT_EQ(prompter_.Messages.at(0).Icon, PromptIcon::Critical);
  EXPECT_TRUE(workspace.IsModified());
  EXPECT_EQ(workspace.FileName(), "new.dat");
  EXPECT_TRUE(workspace.Untitled());
}

TEST_F(WorkspaceTest, SaveAsksBeforeOverwritingAndSaveAsAsksForAName) {
  AppContext context = StartContext();
  Workspace workspace(context, prompter_);
  workspace.Current().Options.KeyBeep = 3;

  prompter_.Files = {std::nullopt};
  EXPECT_FALSE(workspace.Save()) << "untitled: the file dialog, cancelled";
  prompter_.Files = {folder_ / "mine.dat"};
  EXPECT_TRUE(workspace.Save());
  EXPECT_FALSE(workspace.IsModified());
  EXPECT_EQ(workspace.FileName(), folder_ / "mine.dat");

  workspace.Current().Options.KeyBeep = 4;
  prompter_.Answers = {PromptAnswer::Cancel};
  EXPECT_FALSE(workspace.Save());
  EXPECT_TRUE(workspace.IsModified());
  prompter_.Answers = {PromptAnswer::Ok};
  EXPECT_TRUE(workspace.Save());
  EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"\"mine.dat\"file will be Overwrite,Continue?",
                                                         "\"mine.dat\"file will be Overwrite,Continue?"}));
  EXPECT_EQ(prompter_.Messages[0].Icon, PromptIcon::Question);
}

TEST_F(WorkspaceTest, NewAsksAboutUnsavedChangesThenTheReset) {
  struct Case {
    const char* What;
    std::deque<PromptAnswer> Answers;
    std::deque<std::optional<std::filesystem::path>> Files;
    bool Initialise;
    bool Renewed;
    std::vector<std::string> Texts;
  };
  const std::string save = "Save the changes?";
  const std::string reset = "All data will be reset.";
  const Case cases[] = {
      {"no, then OK", {PromptAnswer::No, PromptAnswer::Ok}, {}, false, true, {save, reset}},
      {"no, then cancel", {PromptAnswer::No, PromptAnswer::Cancel}, {}, false, false, {save, reset}},
      {"cancel keeps the changes", {PromptAnswer::Cancel}, {}, false, false, {save}},
      {"yes but the save is cancelled", {PromptAnswer::Yes}, {std::nullopt}, false, false, {save}},
      {"yes and saved", {PromptAnswer::Yes, PromptAnswer::Ok}, {"saved.dat"}, false, true, {save, reset}},
      {"initialise skips the reset question", {PromptAnswer::No}, {}, true, true, {save}},
      {"initialise cancelled", {PromptAnswer::Cancel}, {}, true, false, {save}},
  };
  for (const Case& c : cases) {
    AppContext context = StartContext();
    Workspace workspace(context, prompter_);
    workspace.Current().Options.KeyBeep = 3;
    prompter_.Messages.clear();
    prompter_.Answers = c.Answers;
    prompter_.Files.clear();
    for (const auto& file : c.Files)
      prompter_.Files.push_back(file ? std::optional(folder_ / *file) : std::nullopt);

    EXPECT_EQ(c.Initialise ? workspace.Initialise() : workspace.New(), c.Renewed) << c.What;
    EXPECT_EQ(workspace.Current().Options.KeyBeep, c.Renewed ? 0 : 3) << c.What;
    EXPECT_EQ(prompter_.Texts(), c.Texts) << c.What;
  }
}

TEST_F(WorkspaceTest, OpenOffersToSaveFirst) {
  AppContext context = StartContext();
  Workspace workspace(context, prompter_);
  ASSERT_EQ(WriteConfigurationFile(folder_ / "a.dat", RichConfiguration()), FileCheck::Ok);
  workspace.Current().Options.KeyBeep = 3;

  prompter_.Answers = {PromptAnswer::Cancel};
  EXPECT_FALSE(workspace.Open());
  prompter_.Answers = {PromptAnswer::No};
  prompter_.Files = {folder_ / "a.dat"};
  EXPECT_TRUE(workspace.Open());
  EXPECT_EQ(workspace.Current().Options, RichOptions());
  EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"File has been modify,save it now?",
                                                         "File has been modify,save it now?"}));
}

TEST_F(WorkspaceTest, AcceptingAReadDecodesTheImageAsSaved) {
  AppContext context = StartContext();
  Workspace workspace(context, prompter_);
  ASSERT_EQ(workspace.SaveFile(folder_ / "a.dat"), FileCheck::Ok);
  Configuration radio = RichConfiguration();
  RadioImage image;
  ASSERT_FALSE(EncodeAll(radio, image).has_value());

  workspace.AcceptImage(image, BandVariant::Restricted);
  EXPECT_EQ(workspace.Current().Options, RichOptions());
  EXPECT_EQ(workspace.Current().Channels.Count, radio.Channels.Count);
  EXPECT_EQ(context.Band(), BandVariant::Restricted);
  EXPECT_EQ(workspace.FileName(), "new.dat");
  EXPECT_TRUE(workspace.Untitled());
  EXPECT_FALSE(workspace.IsModified());
}

}  // namespace
}  // namespace hvt
