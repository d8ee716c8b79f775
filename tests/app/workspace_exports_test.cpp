#include <gtest/gtest.h>

#include <fstream>

#include "app/workspace.h"
#include "files/commu_book_file.h"
#include "files/epm_export.h"
#include "files/file_io.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

class WorkspaceExportsTest : public testing::Test {
 protected:
  WorkspaceExportsTest()
      : context_(AppContext::Start({folder_.Path(), folder_.Path()}, "en_US")),
        workspace_(context_, prompter_) {}

  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  void SetEntry(int index, std::string_view code, std::string_view name) {
    CommuBookEntry& entry = workspace_.Current().Book.Entries[static_cast<std::size_t>(index)];
    entry.Code = code;
    entry.Name = name;
  }

  std::string Text(std::size_t message) const { return prompter_.Messages.at(message).Text; }

  TempFolder folder_;
  ScriptedPrompter prompter_;
  AppContext context_;
  Workspace workspace_;
};

TEST_F(WorkspaceExportsTest, BookExportedAndImportedComesBackWithItsFileName) {
  SetEntry(0, "123", "HOME");
  SetEntry(127, "98765", "LASTONE");
  const CommuBook exported = workspace_.Current().Book;
  const auto path = folder_ / "mine.cb";
  ASSERT_EQ(workspace_.ExportBook(path), FileCommandResult::Done);
  EXPECT_EQ(workspace_.BookFileName(), path);

  workspace_.NewConfiguration();
  ASSERT_EQ(workspace_.ImportBook(path), FileCommandResult::Done);
  EXPECT_EQ(workspace_.Current().Book, exported);
  EXPECT_EQ(workspace_.BookFileName(), path);
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(WorkspaceExportsTest, ImportThatCannotReadItsFileKeepsEverything) {
  std::ofstream(folder_ / "short.cb") << "too short";
  std::filesystem::create_directories(folder_ / "folder.cb");
  const struct {
    std::string Name;
    std::string ReasonInDetail;
  } cases[] = {
      {"missing.cb", "missing.cb"}, {"short.cb", "9 bytes, expected 1792"}, {"folder.cb", "folder.cb"}};
  SetEntry(5, "555", "KEPT");
  const CommuBook before = workspace_.Current().Book;
  const bool modifiedBefore = workspace_.IsModified();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    prompter_.Messages.clear();
    EXPECT_EQ(workspace_.ImportBook(folder_ / c.Name), FileCommandResult::FileFailed);
    ASSERT_EQ(prompter_.Messages.size(), 1u);
    EXPECT_EQ(Text(0).rfind("file error.\n", 0), 0u) << Text(0);
    EXPECT_NE(Text(0).find(c.ReasonInDetail), std::string::npos) << Text(0);
    EXPECT_EQ(workspace_.Current().Book, before);
    EXPECT_EQ(workspace_.BookFileName(), kUntitledBookFileName);
    EXPECT_EQ(workspace_.IsModified(), modifiedBefore);
  }
}

TEST_F(WorkspaceExportsTest, BookExportThatCannotWriteSaysWhereAndKeepsTheName) {
  const auto path = folder_ / "no such folder" / "book.cb";
  EXPECT_EQ(workspace_.ExportBook(path), FileCommandResult::FileFailed);
  ASSERT_EQ(prompter_.Messages.size(), 1u);
  EXPECT_EQ(Text(0).rfind("file error.\n", 0), 0u);
  EXPECT_NE(Text(0).find(path.string()), std::string::npos) << Text(0);
  EXPECT_EQ(workspace_.BookFileName(), kUntitledBookFileName);
}

TEST_F(WorkspaceExportsTest, ProductionFileReportsEncoderAndWriteFailures) {
  constexpr std::array<bool, kAutoTestGroupCount> kGroups{true};
  const auto good = folder_ / "good.EPM";
  EXPECT_EQ(workspace_.ExportProductionFile(kGroups, good), FileCommandResult::Done);
  EXPECT_TRUE(prompter_.Messages.empty());
  EXPECT_TRUE(std::filesystem::file_size(good) > RadioImage::kSize);
  const auto goodBytes = FileBytes(good);

  // A power the image cannot hold: the encoder's message, and the file at the path kept.
  workspace_.Current().Channels.Entries[0].Power = 40;
  EXPECT_EQ(workspace_.ExportProductionFile(kGroups, good), FileCommandResult::EncoderFailed);
  ASSERT_EQ(prompter_.Messages.size(), 1u);
  EXPECT_EQ(Text(0).rfind("SetCommDataByFrequencyError: ", 0), 0u) << Text(0);
  EXPECT_EQ(Text(0).find("file"), std::string::npos) << "no word of a file that was not written";
  EXPECT_EQ(FileBytes(good), goodBytes);
  const auto fresh = folder_ / "fresh.EPM";
  EXPECT_EQ(workspace_.ExportProductionFile(kGroups, fresh), FileCommandResult::EncoderFailed);
  EXPECT_FALSE(std::filesystem::exists(fresh));

  // A file that cannot be written.
  workspace_.Current().Channels.Entries[0].Power = 0;
  prompter_.Messages.clear();
  const auto unwritable = folder_ / "no such folder" / "x.EPM";
  EXPECT_EQ(workspace_.ExportProductionFile(kGroups, unwritable), FileCommandResult::FileFailed);
  ASSERT_EQ(prompter_.Messages.size(), 1u);
  EXPECT_EQ(Text(0).rfind(std::string(kEpmWriteError) + "\n", 0), 0u) << Text(0);
  EXPECT_NE(Text(0).find(unwritable.string()), std::string::npos);
}

}  // namespace
}  // namespace hvt
