#include "app/auto_test_presenter.h"

#include <gtest/gtest.h>

#include "model/channel_table.h"
#include "model/gbk_text.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const auto end = text.find("\r\n", start);
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class AutoTestPresenterTest : public testing::Test {
 protected:
  AutoTestPresenterTest() {
    ChannelTable& channels = workspace_.Current().Channels;
    channels.Count = 0;
    for (const auto& channel :
         {CreateChannel(5, "462.5625"), CreateChannel(9, "146"), CreateChannel(12, "438")}) {
      EXPECT_TRUE(AddChannel(channels, channel));
    }
  }
  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  std::vector<std::string> ExportedLines(AutoTestPresenter& presenter) {
    prompter_.Files = {path_};
    EXPECT_TRUE(presenter.Export());
    return Lines(GbkToUtf8(FileBytes(path_)));
  }

  TempFolder folder_;
  ScriptedPrompter prompter_;
  AppContext context_ = AppContext::Start({HVT_DATA_DIR, folder_.Path()}, "en_US");
  Workspace workspace_{context_, prompter_};
  std::filesystem::path path_ = folder_ / "out.EPM";
};

TEST_F(AutoTestPresenterTest, OpensWithTheChannelGroupAloneAndSummarisesEveryChannel) {
  AutoTestPresenter presenter(context_, workspace_, prompter_);
  for (int i = 0; i < kAutoTestGroupCount; ++i)
    EXPECT_EQ(presenter.State().Groups[static_cast<std::size_t>(i)].Checked, i == 0) << i;
  EXPECT_EQ(presenter.State().GroupCaptions[0], "信道");
  EXPECT_EQ(presenter.State().GroupCaptions[11], "信道扫描信息");

  const auto lines = ExportedLines(presenter);
  ASSERT_EQ(lines.size(), 1u + 27 + 810 + 12960);
  EXPECT_EQ(lines[0], "3,9");
  EXPECT_EQ(lines[1], "\"显示信道ID|5\"");
  EXPECT_EQ(lines[2], "\"通信信道ID|4\"");
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(AutoTestPresenterTest, TheBookGroupAloneMarksExactlyItsBlocks) {
  AutoTestPresenter presenter(context_, workspace_, prompter_);
  presenter.ToggleGroup(0, false);
  presenter.ToggleGroup(10, true);
  const auto lines = ExportedLines(presenter);
  ASSERT_EQ(lines.size(), 1u + 810 + 12960);
  EXPECT_EQ(lines[0], "0,9");
  for (int block = 0; block < 810; ++block) {
    ASSERT_EQ(lines[static_cast<std::size_t>(1 + block)], block >= 654 && block <= 781 ? "1" : "0") << block;
  }
}

TEST_F(AutoTestPresenterTest, StaysOpenWithoutAFileWhenCancelledOrAnEncoderRefuses) {
  AutoTestPresenter presenter(context_, workspace_, prompter_);
  prompter_.Files = {std::nullopt};
  EXPECT_FALSE(presenter.Export());
  EXPECT_TRUE(prompter_.Messages.empty());

  workspace_.Current().Channels.Entries[1].BusyLock = 999;
  prompter_.Files = {path_};
  EXPECT_FALSE(presenter.Export());
  ASSERT_EQ(prompter_.Messages.size(), 1u);
  EXPECT_EQ(prompter_.Messages[0].Text,
            "SetCommDataByFrequencyError: channel 9: BusyLock 999 does not fit 8 bits (0-255)");
  EXPECT_FALSE(std::filesystem::exists(path_));

  workspace_.Current().Channels.Entries[1].BusyLock = 0;
  prompter_.Messages.clear();
  prompter_.Files = {folder_ / "no such folder" / "x.EPM"};
  EXPECT_FALSE(presenter.Export());
  ASSERT_EQ(prompter_.Messages.size(), 1u);
  EXPECT_EQ(prompter_.Messages[0].Text.rfind("错误！文件无法操作！\n", 0), 0u);
}

}  // namespace
}  // namespace hvt
