#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

namespace hvt::cli {
namespace {

struct Outcome {
  int Exit;
  std::string Out;
  std::string Err;
};

Outcome RunCli(std::vector<std::string> arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int exit = Run(arguments, out, err);
  return {exit, out.str(), err.str()};
}

TEST(Cli, HelpAndVersionGoToStandardOutput) {
  const Outcome help = RunCli({"--help"});
  EXPECT_EQ(help.Exit, 0);
  EXPECT_NE(help.Out.find("Usage: hvt7300-cli"), std::string::npos);
  EXPECT_TRUE(help.Err.empty());

  const Outcome version = RunCli({"--version"});
  EXPECT_EQ(version.Exit, 0);
  EXPECT_EQ(version.Out, "hvt7300-cli " HVT_VERSION "\n");
}

TEST(Cli, UsageErrorsExitWithTwoAndSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> Arguments;
    const char* Message;
  };
  for (const Case& c : {Case{{}, "Usage:"}, Case{{"--frobnicate"}, "unknown option --frobnicate"},
                        Case{{"frobnicate"}, "unknown command 'frobnicate'"}, Case{{"--home"}, "--home needs a folder"}}) {
    const Outcome outcome = RunCli(c.Arguments);
    EXPECT_EQ(outcome.Exit, 2) << c.Message;
    EXPECT_NE(outcome.Err.find(c.Message), std::string::npos) << outcome.Err;
    EXPECT_TRUE(outcome.Out.empty());
  }
}

}  // namespace
}  // namespace hvt::cli
