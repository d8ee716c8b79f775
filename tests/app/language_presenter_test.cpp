#include "app/language_presenter.h"

#include <gtest/gtest.h>

#include "i18n/language.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;

class LanguagePresenterTest : public testing::Test {
 protected:
  void SetUp() override { WriteLanguageFiles(); }

  void WriteLanguageFiles() {
    fs::create_directories(root_ / "language");
    WriteFileBytes(English(),
                   "[OTHER]\n101=OK\n102=Cancel\n1501=English\n1502=Chinese\n1503=Language\n"
                   "1504=Cannot read the language file:\n");
    WriteFileBytes(Chinese(), "[OTHER]\n101=确定\n102=取消\n1501=英语\n1502=简体中文\n1503=语言\n");
  }

  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  fs::path English() const { return root_ / "language" / "english.ini"; }
  fs::path Chinese() const { return root_ / "language" / "chinese.ini"; }

  TempFolder root_;
  AppFolders folders_ = {root_.Path(), root_.Path()};
  ScriptedPrompter prompter_;
};

TEST_F(LanguagePresenterTest, OpensAtTheCurrentLanguageInItsTexts) {
  const struct {
    std::string Locale;
    std::vector<ListEntry> Entries;
    int Selected;
    std::string Title;
  } cases[] = {
      {"en_US", {{"English", kEnglish}, {"Chinese", kChinese}}, 0, "Language"},
      {"zh_CN", {{"英语", kEnglish}, {"简体中文", kChinese}}, 1, "语言"},
  };
  for (const auto& c : cases) {
    AppContext context = AppContext::Start(folders_, c.Locale);
    const LanguagePresenter presenter(context, prompter_);
    EXPECT_EQ(presenter.State().Languages.Entries, c.Entries) << c.Locale;
    EXPECT_EQ(presenter.State().Languages.Selected, c.Selected) << c.Locale;
    EXPECT_EQ(presenter.State().Title, c.Title);
    EXPECT_EQ(presenter.State().Label, c.Title);
  }
}

TEST_F(LanguagePresenterTest, OkSwitchesAndCancelOrTheSameLanguageChangesNothing) {
  AppContext context = AppContext::Start(folders_, "en_US");
  LanguagePresenter cancelled(context, prompter_);
  cancelled.SelectEntry(1);
  cancelled.Cancel();
  EXPECT_EQ(context.LanguageId(), kEnglish);

  LanguagePresenter same(context, prompter_);
  EXPECT_TRUE(same.Ok());
  EXPECT_FALSE(same.Changed());

  LanguagePresenter switched(context, prompter_);
  switched.SelectEntry(1);
  EXPECT_TRUE(switched.Ok());
  EXPECT_TRUE(switched.Changed());
  EXPECT_EQ(context.LanguageId(), kChinese);
  EXPECT_EQ(context.LanguageFile(), Chinese());
  EXPECT_EQ(context.Texts().LanguageText(101), "确定");
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(LanguagePresenterTest, ALanguageWhoseFileCannotBeReadIsRefusedAndTheCurrentOneStays) {
  const struct {
    const char* What;
    std::function<void(const fs::path&)> Spoil;
  } cases[] = {
      {"missing", [](const fs::path& file) { fs::remove(file); }},
      {"a folder in its place",
       [](const fs::path& file) {
         fs::remove(file);
         fs::create_directory(file);
       }},
      {"empty", [](const fs::path& file) { WriteFileBytes(file, ""); }},
      {"no texts", [](const fs::path& file) { WriteFileBytes(file, "[MSG]\n9001=?\n"); }},
  };
  for (const auto& c : cases) {
    WriteLanguageFiles();
    AppContext context = AppContext::Start(folders_, "en_US");
    c.Spoil(Chinese());
    prompter_.Messages.clear();

    LanguagePresenter presenter(context, prompter_);
    presenter.SelectEntry(1);
    EXPECT_FALSE(presenter.Ok()) << c.What << ": the dialog stays open to choose again";
    EXPECT_FALSE(presenter.Changed()) << c.What;
    EXPECT_EQ(context.LanguageId(), kEnglish) << c.What;
    EXPECT_EQ(context.Texts().LanguageText(101), "OK") << c.What;
    ASSERT_EQ(prompter_.Messages.size(), 1U) << c.What;
    EXPECT_EQ(prompter_.Messages[0].Text, "Cannot read the language file:\n" + Chinese().string()) << c.What;
    EXPECT_EQ(prompter_.Messages[0].Icon, PromptIcon::Warning);
    fs::remove_all(Chinese());
  }
}

TEST_F(LanguagePresenterTest, TheCommandLinesLanguageStillLoadsWithoutItsFile) {
  fs::remove(Chinese());
  AppContext context = AppContext::Start(folders_, "zh_CN");
  EXPECT_EQ(context.LanguageId(), kChinese);
  EXPECT_EQ(context.Texts().LanguageText(101), "");
}

}  // namespace
}  // namespace hvt
