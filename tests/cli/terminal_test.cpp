// The built tool on a pseudo-terminal, as a user at a terminal meets it: questions to answer, a
// password typed without echo, one progress line; and in another process environment (locale).

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "cli/cli_fixture.h"
#include "files/file_io.h"
#include "radio/radio_faults.h"
#include "radio/virtual_radio.h"
#include "support/served_radio.h"

namespace hvt::cli {
namespace {

struct Exchange {
  std::string WaitFor;  // on the screen since the last answer
  std::string Type;     // then typed, Enter included
};

struct TerminalRun {
  int Exit = -1;
  std::string Screen;  // everything the tool showed, with the terminal's echo
  bool EchoAfterwards = false;
  bool PasswordEchoed = false;  // the echo was on when the password was asked
  bool AllSeen = true;
};

// Runs the tool on a new pseudo-terminal (standard input, output and error) with `environment`
// added, answering each exchange in turn.
TerminalRun RunOnTerminal(const std::vector<std::string>& arguments, const std::vector<Exchange>& script,
                          const std::vector<std::pair<std::string, std::string>>& environment = {}) {
  TerminalRun run;
  int master = -1;
  const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
  if (child == 0) {
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(HVT_CLI_PROGRAM)};  // NOLINT
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));  // NOLINT
    argv.push_back(nullptr);
    execv(HVT_CLI_PROGRAM, argv.data());
    _exit(127);
  }
  if (child < 0) {
    ADD_FAILURE() << "forkpty failed";
    return run;
  }
  std::size_t step = 0;
  std::size_t seenUpTo = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (;;) {
    if (step < script.size()) {
      const auto found = run.Screen.find(script[step].WaitFor, seenUpTo);
      if (found != std::string::npos) {
        termios settings{};
        if (script[step].WaitFor.find("Password") != std::string::npos && tcgetattr(master, &settings) == 0) {
          run.PasswordEchoed = run.PasswordEchoed || (settings.c_lflag & ECHO) != 0;
        }
        const std::string typed = script[step].Type + "\n";
        EXPECT_EQ(write(master, typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
        seenUpTo = found + script[step].WaitFor.size();
        ++step;
        continue;
      }
    }
    if (std::chrono::steady_clock::now() > deadline) {
      ADD_FAILURE() << "the tool did not finish; screen so far:\n" << run.Screen;
      kill(child, SIGKILL);
      break;
    }
    pollfd ready{master, POLLIN, 0};
    if (poll(&ready, 1, 100) <= 0) continue;
    char buffer[4096];
    const ssize_t got = read(master, buffer, sizeof buffer);
    if (got <= 0) break;  // EIO: the tool has closed the terminal
    run.Screen.append(buffer, static_cast<std::size_t>(got));
  }
  termios settings{};
  run.EchoAfterwards = tcgetattr(master, &settings) == 0 && (settings.c_lflag & ECHO) != 0;
  int status = 0;
  waitpid(child, &status, 0);
  close(master);
  run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.AllSeen = step == script.size();
  return run;
}

class ToolOnATerminal : public CliHome {
 protected:
  std::vector<std::string> Home(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {"--home", home_.Path().string()});
    return arguments;
  }

  // The virtual radio with a password, as the next command finds it.
  void GivePassword(std::string_view password) {
    VirtualRadio radio;
    radio.SetPassword(password);
    ASSERT_TRUE(WriteFileAtomically(At("virtual-radio.mem"), radio.Memory()));
  }
};

TEST_F(ToolOnATerminal, AsksTheQuestionAndThePasswordWithoutEchoAndShowsOneProgressLine) {
  GivePassword("1234");
  const TerminalRun run = RunOnTerminal(
      Home({"read", "--port", "virtual", "-o", At("back.dat")}),
      {{"Do you wish continue? [y/N] ", "y"}, {"the radio has a password. Password: ", "1234"}});
  EXPECT_EQ(run.Exit, 0) << run.Screen;
  EXPECT_TRUE(run.AllSeen) << run.Screen;
  EXPECT_EQ(run.Screen.find("1234"), std::string::npos) << "typed without echo:\n" << run.Screen;
  EXPECT_NE(run.Screen.find("[y/N] y\r\n"), std::string::npos) << "the answer echoes:\n" << run.Screen;
  EXPECT_FALSE(run.PasswordEchoed);
  EXPECT_TRUE(run.EchoAfterwards) << "the terminal gets its echo back";
  // One bar rewritten in place, ended before the final message.
  EXPECT_NE(run.Screen.find("\r["), std::string::npos) << run.Screen;
  EXPECT_NE(run.Screen.find("] 99%\r\nhvt7300-cli: Data read from the radio successfully."),
            std::string::npos)
      << run.Screen;
  EXPECT_EQ(run.Screen.find("%\r\n0%"), std::string::npos) << "no line per percent";
  EXPECT_TRUE(std::filesystem::exists(At("back.dat")));
}

TEST_F(ToolOnATerminal, AWrongPasswordSaysSoAndTheEchoComesBack) {
  GivePassword("1234");
  const TerminalRun run = RunOnTerminal(Home({"info", "--port", "virtual"}), {});
  EXPECT_EQ(run.Exit, 0) << "the information read needs no password:\n" << run.Screen;
  const TerminalRun wrong = RunOnTerminal(Home({"read", "--port", "virtual", "--yes", "-o", At("back.dat")}),
                                          {{"Password: ", "4321"}});
  EXPECT_EQ(wrong.Exit, 1) << wrong.Screen;
  EXPECT_NE(wrong.Screen.find("wrong password: the radio did not accept it"), std::string::npos)
      << wrong.Screen;
  EXPECT_TRUE(wrong.EchoAfterwards);
  EXPECT_FALSE(std::filesystem::exists(At("back.dat")));
}

// Ctrl+C during a read over a real (pseudo-terminal) port: the transfer stops after the packet in
// flight, the radio is told the end, and the tool exits with its own code and writes nothing.
TEST_F(ToolOnATerminal, CtrlCStopsAReadWithItsOwnExitCodeAndNoOutputFile) {
  VirtualRadio radio({.Paced = true});
  ServedRadio served(radio);
  std::string error;
  if (!served.Open(error)) GTEST_SKIP() << "no pseudo-terminal here: " << error;
  served.Start();
  const TerminalRun run =
      RunOnTerminal(Home({"read", "--port", served.Path(), "--yes", "-o", At("back.dat")}), {{"%", "\x03"}});
  EXPECT_TRUE(served.Stop()) << served.Error();
  EXPECT_EQ(run.Exit, 130) << run.Screen;
  EXPECT_TRUE(run.AllSeen) << run.Screen;
  EXPECT_NE(run.Screen.find("The read was cancelled."), std::string::npos) << run.Screen;
  EXPECT_NE(run.Screen.find("hvt7300-cli read: cancelled: nothing was kept"), std::string::npos)
      << run.Screen;
  EXPECT_FALSE(std::filesystem::exists(At("back.dat")));
}

// --verify over a real (pseudo-terminal) port to a radio whose memory keeps one block wrongly.
TEST_F(ToolOnATerminal, VerifyNamesTheBlockTheRadioKeptWronglyAndFailsTheWrite) {
  ASSERT_EQ(RunOnTerminal(Home({"new", "-o", At("new.dat")}), {}).Exit, 0);
  struct Case {
    const char* Faults;
    int Exit;
    const char* Said;
  };
  const Case cases[] = {
      {"", 0, "Every block read back matches what was written."},
      {"misstore=0x0000", 1,
       "Writing data to the radio failed: reading back found blocks that differ from what was written "
       "(1): 0x0000  channel 1"},
  };
  for (const Case& c : cases) {
    VirtualRadio radio({.Faults = *ParseRadioFaults(c.Faults).Faults});
    ServedRadio served(radio);
    std::string error;
    if (!served.Open(error)) GTEST_SKIP() << "no pseudo-terminal here: " << error;
    served.Start();
    const TerminalRun run =
        RunOnTerminal(Home({"write", "--port", served.Path(), "--yes", "--verify", At("new.dat")}), {});
    EXPECT_TRUE(served.Stop()) << served.Error();
    EXPECT_EQ(run.Exit, c.Exit) << c.Faults << run.Screen;
    EXPECT_NE(run.Screen.find(c.Said), std::string::npos) << c.Faults << run.Screen;
  }
}

// A radio that stops answering, over a real (pseudo-terminal) port and without a terminal answer
// to the Retry question: one line asks it, one says what came of it.
TEST_F(ToolOnATerminal, ARadioThatStopsAnsweringIsToldOnceAndAPartWrittenRadioIsNamed) {
  ASSERT_EQ(RunOnTerminal(Home({"new", "-o", At("new.dat")}), {}).Exit, 0);
  struct Case {
    const char* Faults;
    std::vector<std::string> Command;
    const char* Said;
  };
  const Case cases[] = {
      {"silent-after=0",
       {"read", "--yes", "-o", At("back.dat")},
       "hvt7300-cli read: the radio did not respond; nothing was kept"},
      {"silent-after=20",
       {"write", "--yes", At("new.dat")},
       "hvt7300-cli: Writing data to the radio failed. The radio now holds a partly written "
       "configuration; write it again."},
  };
  for (const Case& c : cases) {
    VirtualRadio radio({.Faults = *ParseRadioFaults(c.Faults).Faults});
    ServedRadio served(radio);
    std::string error;
    if (!served.Open(error)) GTEST_SKIP() << "no pseudo-terminal here: " << error;
    served.Start();
    std::vector<std::string> command = c.Command;
    command.insert(command.begin() + 1, {"--port", served.Path()});
    const TerminalRun run = RunOnTerminal(Home(command), {{"Retry? [y/N] ", "n"}});
    EXPECT_TRUE(served.Stop()) << served.Error();
    EXPECT_EQ(run.Exit, 1) << c.Faults << run.Screen;
    const auto question = run.Screen.find("The radio does not respond.");
    EXPECT_NE(question, std::string::npos) << c.Faults << run.Screen;
    EXPECT_EQ(run.Screen.find("The radio does not respond.", question + 1), std::string::npos)
        << "asked once, not told again; " << c.Faults << run.Screen;
    EXPECT_NE(run.Screen.find(c.Said), std::string::npos) << c.Faults << run.Screen;
  }
}

// Three radios at once over real (pseudo-terminal) ports, one of them silent: the other two are
// written, the table says which failed and why, and the exit code says not all succeeded.
TEST_F(ToolOnATerminal, FleetWritesTheAnsweringRadiosAndReportsTheSilentOne) {
  ASSERT_EQ(RunOnTerminal(Home({"new", "-o", At("new.dat")}), {}).Exit, 0);
  std::vector<std::unique_ptr<VirtualRadio>> radios;
  std::vector<std::unique_ptr<ServedRadio>> served;
  std::vector<std::string> arguments = {"fleet", "--yes", "--verify", At("new.dat")};
  for (const char* faults : {"", "silent-after=0", ""}) {
    radios.push_back(
        std::make_unique<VirtualRadio>(VirtualRadioSettings{.Faults = *ParseRadioFaults(faults).Faults}));
    served.push_back(std::make_unique<ServedRadio>(*radios.back()));
    std::string error;
    if (!served.back()->Open(error)) GTEST_SKIP() << "no pseudo-terminal here: " << error;
    served.back()->Start();
    arguments.insert(arguments.end(), {"--port", served.back()->Path()});
  }
  const TerminalRun run = RunOnTerminal(Home(arguments), {});
  for (const auto& radio : served) EXPECT_TRUE(radio->Stop()) << radio->Error();

  EXPECT_EQ(run.Exit, 1) << run.Screen;
  const auto line = [&run](const std::string& port) {
    const auto start = run.Screen.rfind("\n" + port + "  ");
    return start == std::string::npos
               ? std::string{}
               : run.Screen.substr(start + 1, run.Screen.find('\r', start) - start - 1);
  };
  for (std::size_t i = 0; i < served.size(); ++i) {
    const std::string result = line(served[i]->Path());
    const bool silent = i == 1;
    EXPECT_NE(result.find(silent ? "failed" : "written"), std::string::npos) << result << run.Screen;
    EXPECT_NE(result.find(silent ? "The radio does not respond." : "Every block read back matches"),
              std::string::npos)
        << result;
  }
  EXPECT_EQ(radios[0]->Image(), radios[2]->Image());
  EXPECT_NE(radios[0]->Image(), radios[1]->Image()) << "the silent radio kept its empty memory";
  EXPECT_NE(run.Screen.find("2 of 3 radios written"), std::string::npos) << run.Screen;
}

TEST_F(ToolOnATerminal, MessagesNameThePortAndReadInEnglishToo) {
  const TerminalRun port = RunOnTerminal(Home({"info", "--port", "/dev/hvt-no-such-port"}), {});
  EXPECT_EQ(port.Exit, 1);
  EXPECT_NE(port.Screen.find("hvt7300-cli info: the port /dev/hvt-no-such-port could not be opened"),
            std::string::npos)
      << port.Screen;
  EXPECT_NE(port.Screen.find("/dev/hvt-no-such-port: No such file or directory"), std::string::npos)
      << "the system's reason is told: " << port.Screen;

  const TerminalRun chinese = RunOnTerminal(Home({"show", At("missing.dat")}), {},
                                            {{"LC_ALL", "zh_CN.UTF-8"}, {"LANG", "zh_CN.UTF-8"}});
  EXPECT_EQ(chinese.Exit, 1);
  EXPECT_NE(chinese.Screen.find("文件错误。 (file error.)"), std::string::npos) << chinese.Screen;
}

}  // namespace
}  // namespace hvt::cli
