// The automatic test window and the command line write the same production file.

#include <gtest/gtest.h>

#include "app/auto_test_presenter.h"
#include "cli/cli_fixture.h"
#include "files/configuration_file.h"
#include "qt/app_folders.h"
#include "support/scripted_prompter.h"

namespace hvt::cli {
namespace {

using AutoTestExport = CliHome;

TEST_F(AutoTestExport, WindowAndCommandLineWriteTheSameFile) {
  ASSERT_EQ(Cli({"new", "-o", At("a.dat")}).Exit, 0);
  Configuration configuration;
  ASSERT_EQ(ReadConfigurationFile(At("a.dat"), configuration), FileCheck::Ok);
  ChannelRecord& first = configuration.Channels.Entries[0];
  first.DecodeType = 1;
  first.DecodeCtcss = 13;
  first.Power = 1;
  configuration.Book.Entries[0].Code = "123";
  configuration.Book.Entries[0].Name = "HOME";
  ASSERT_EQ(WriteConfigurationFile(At("a.dat"), configuration), FileCheck::Ok);

  ScriptedPrompter prompter;
  AppContext context = AppContext::Start({home_.Path(), home_.Path()}, SystemLocaleName());
  Workspace workspace(context, prompter);
  ASSERT_EQ(workspace.OpenFile(At("a.dat")), FileCheck::Ok);
  AutoTestPresenter presenter(context, workspace, prompter);
  for (int group : {4, 6, 8, 10}) presenter.ToggleGroup(group, true);
  prompter.Files = {At("window.EPM")};
  ASSERT_TRUE(presenter.Export());
  EXPECT_TRUE(prompter.Messages.empty());

  ASSERT_EQ(Cli({"export-epm", At("a.dat"), "--groups", "0,4,6,8,10", "-o", At("cli.EPM")}).Exit, 0);
  const std::string window = FileText(At("window.EPM"));
  EXPECT_EQ(window.substr(0, 6), "16,9\r\n");
  EXPECT_EQ(window, FileText(At("cli.EPM")));
}

}  // namespace
}  // namespace hvt::cli
