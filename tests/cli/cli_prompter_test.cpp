#include "cli/cli_prompter.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_fixture.h"

namespace hvt::cli {
namespace {

TEST(CliPrompter, MessagesAreOneLineAndChineseOnlyTextsGetTheirEnglish) {
  struct Case {
    std::string_view Text;
    std::string_view Shown;
  };
  for (const Case& c : {
           Case{"Read data from radio.\r\nDo you wish continue?",
                "Read data from radio. Do you wish continue?"},
           Case{"文件错误。", "文件错误。 (file error.)"},
           Case{"文件错误。 a.dat: No such file", "文件错误。 (file error.) a.dat: No such file"},
           Case{"文件错误。 (file error.)", "文件错误。 (file error.)"},
           Case{"错误！文件无法操作！", "错误！文件无法操作！ (error: the file cannot be written.)"},
           Case{"频段错误！", "频段错误！"},
       }) {
    EXPECT_EQ(Readable(c.Text), c.Shown);
  }
}

TEST(CliPrompter, ProgressOnATerminalIsOneLineEndedBeforeTheNextMessage) {
  std::ostringstream err;
  CliPrompter prompter(err, nullptr, true);
  for (int percent : {0, 1, 2, 50, 100}) prompter.ShowProgress(percent);
  prompter.Tell("Data read from the radio successfully.");
  const std::string shown = err.str();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 2) << shown;
  EXPECT_NE(shown.find("] 100%\nhvt7300-cli: Data read from the radio successfully.\n"), std::string::npos)
      << shown;
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\r'), 5);
}

TEST(CliPrompter, ProgressWithoutATerminalIsALineForEachTenthAndEachRestart) {
  std::ostringstream err;
  CliPrompter prompter(err);
  for (int percent : {0, 3, 9, 10, 15, 19, 20, 0, 5, 50, 99, 100}) prompter.ShowProgress(percent);
  EXPECT_EQ(err.str(), "0%\n10%\n20%\n0%\n50%\n99%\n100%\n");
}

TEST(CliPrompter, WithoutATerminalAnUnansweredQuestionNamesTheOptionThatAnswers) {
  struct Case {
    PromptButtons Buttons;
    PromptAnswer Answer;
    const char* Shown;
  };
  for (const Case& c : {Case{PromptButtons::OkCancel, PromptAnswer::Cancel,
                             "[Cancel] (no terminal to ask: --yes answers OK)"},
                        Case{PromptButtons::RetryCancel, PromptAnswer::Cancel,
                             "[Cancel] (no terminal to ask: --retries N answers Retry)"}}) {
    std::ostringstream err;
    CliPrompter prompter(err);
    EXPECT_EQ(prompter.Ask("Go on?", c.Buttons, PromptIcon::Question), c.Answer);
    EXPECT_NE(err.str().find(c.Shown), std::string::npos) << err.str();
  }
  std::ostringstream err;
  CliPrompter prompter(err);
  EXPECT_EQ(prompter.AskPassword(""), std::nullopt);
  EXPECT_NE(err.str().find("(no terminal to ask: --password gives it)"), std::string::npos);
}

TEST(CliPrompter, TheTerminalAnswersWhatTheQuestionOffers) {
  struct Case {
    PromptButtons Buttons;
    std::string Typed;
    PromptAnswer Answer;
    const char* Choices;
  };
  for (const Case& c : {
           Case{PromptButtons::OkCancel, "y", PromptAnswer::Ok, " [y/N] "},
           Case{PromptButtons::OkCancel, "Yes", PromptAnswer::Ok, " [y/N] "},
           Case{PromptButtons::OkCancel, "n", PromptAnswer::Cancel, " [y/N] "},
           Case{PromptButtons::OkCancel, "", PromptAnswer::Cancel, " [y/N] "},
           Case{PromptButtons::RetryCancel, "y", PromptAnswer::Retry, " Retry? [y/N] "},
           Case{PromptButtons::YesNo, "", PromptAnswer::No, " [y/N] "},
           Case{PromptButtons::YesNoCancel, "n", PromptAnswer::No, " [y/n/C] "},
           Case{PromptButtons::YesNoCancel, "", PromptAnswer::Cancel, " [y/n/C] "},
       }) {
    std::ostringstream err;
    TypedTerminal terminal;
    terminal.Push(c.Typed);
    CliPrompter prompter(err, &terminal);
    EXPECT_EQ(prompter.Ask("Go on?", c.Buttons, PromptIcon::Question), c.Answer) << c.Typed;
    EXPECT_EQ(err.str(), std::string("hvt7300-cli: Go on?") + c.Choices) << c.Typed;
    EXPECT_EQ(terminal.Echoes(), std::vector<bool>{true});
  }
}

}  // namespace
}  // namespace hvt::cli
