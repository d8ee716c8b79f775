// The radio commands as a user runs them against the built-in virtual radio: what they check
// before a transfer, what they keep after it, which settings they write, how they ask.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "cli/cli_fixture.h"
#include "files/configuration_file.h"
#include "files/file_io.h"
#include "radio/virtual_radio.h"

namespace hvt::cli {
namespace {

namespace fs = std::filesystem;

class RadioCommands : public CliHome {
 protected:
  void SetUp() override {
    CliHome::SetUp();
    // Unlike the factory's, so that writing it changes the virtual radio's memory.
    ASSERT_EQ(Cli({"new", "-o", At("mine.dat")}).Exit, 0);
    Configuration mine;
    ASSERT_EQ(ReadConfigurationFile(At("mine.dat"), mine), FileCheck::Ok);
    ASSERT_NE(mine.Channels.Find(1), nullptr);
    mine.Channels.Find(1)->Name = std::string("MINE");
    ASSERT_EQ(WriteConfigurationFile(At("mine.dat"), mine), FileCheck::Ok);
  }

  // The virtual radio's memory with a programming password in it.
  void GivePassword(std::string_view password) {
    ASSERT_EQ(Cli({"write", "--port", "virtual", "--yes", At("mine.dat")}).Exit, 0);
    VirtualRadio radio;
    const auto memory = ReadWholeFile(At("virtual-radio.mem"), radio_memory::kSize);
    ASSERT_TRUE(memory && memory->size() == radio_memory::kSize);
    std::copy(memory->begin(), memory->end(), radio.Memory().begin());
    radio.SetPassword(password);
    ASSERT_TRUE(WriteFileAtomically(At("virtual-radio.mem"), radio.Memory()));
  }

  std::vector<fs::path> Recovered() const {
    std::vector<fs::path> files;
    if (!fs::exists(home_ / "recovered")) return files;
    for (const auto& entry : fs::directory_iterator(home_ / "recovered")) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
  }
};

TEST_F(RadioCommands, ReadOnlyCommandsLeaveTheSettingsFilesAlone) {
  ASSERT_EQ(Cli({"write", "--port", "virtual", "--yes", At("mine.dat")}).Exit, 0);
  const std::string setup = "[language]\r\nIsFirstRun=1\r\ncomPort=0\r\ncomPortName=virtual\r\n; mine\r\n";
  WriteFileBytes(At("language/mysetup.ini"), setup);
  WriteFileBytes(At("Setting.ini"), std::string("\x00\x00\x01\x00\x00\x00\x00\x00", 8));
  ASSERT_EQ(Cli({"encode", At("mine.dat"), "-o", At("image.bin")}).Exit, 0);
  const fs::path watched[] = {home_ / "language/mysetup.ini", home_ / "Setting.ini",
                              home_ / "virtual-radio.mem"};
  const auto past = fs::file_time_type::clock::now() - std::chrono::hours(24);
  std::vector<std::string> bytes;
  for (const fs::path& file : watched) {
    fs::last_write_time(file, past);
    bytes.push_back(FileText(file));
  }

  const std::vector<std::vector<std::string>> commands = {
      {"show", At("mine.dat")},
      {"show", "--json", At("mine.dat")},
      {"encode", At("mine.dat"), "-o", At("image2.bin")},
      {"decode", At("image.bin"), "-o", At("decoded.dat")},
      {"export-epm", At("mine.dat"), "-o", At("x.EPM")},
      {"cb-export", At("mine.dat"), "-o", At("book.cb")},
      {"template", "--band", "0", "-o", At("t.dat")},
      {"new", "-o", At("other.dat")},
      {"info"},
      {"read", "--yes", "-o", At("back.dat")},
      {"ports"},
  };
  for (const auto& command : commands) {
    const Outcome outcome = Cli(command);
    EXPECT_EQ(outcome.Exit, 0) << command[0] << ": " << outcome.Err;
    for (std::size_t i = 0; i < std::size(watched); ++i) {
      EXPECT_EQ(FileText(watched[i]), bytes[i]) << command[0] << " " << watched[i];
      EXPECT_EQ(fs::last_write_time(watched[i]), past) << command[0] << " " << watched[i];
    }
  }
}

TEST_F(RadioCommands, APortThatWorkedBecomesTheDefaultAndTheRestOfTheFileStays) {
  const std::string notes = "; kept\n" + std::string(80 * 1024, ';') + "\n";  // past 64 KiB
  WriteFileBytes(At("language/mysetup.ini"), notes + "[language]\nIsFirstRun=1\ncomPort=3\n[other]\nx=1\n");
  ASSERT_EQ(Cli({"info", "--port", "virtual"}).Exit, 0);
  const std::string saved = FileText(At("language/mysetup.ini"));
  EXPECT_EQ(saved.substr(0, notes.size()), notes);
  EXPECT_NE(saved.find("IsFirstRun=1"), std::string::npos)
      << "the desktop program's first run is still to come";
  EXPECT_NE(saved.find("comPortName=virtual"), std::string::npos);
  EXPECT_NE(saved.find("[other]\nx=1"), std::string::npos);
  EXPECT_EQ(Cli({"info"}).Exit, 0) << "the port used last is the default";
}

TEST_F(RadioCommands, ReadRefusesAnOutputItCouldNotWriteBeforeAnyTransfer) {
  fs::create_directory(At("folder.dat"));
  struct Case {
    std::vector<std::string> Options;
    std::string Message;
  };
  const Case cases[] = {
      {{"-o", At("no/such/folder/out.dat")}, "the folder " + At("no/such/folder") + " does not exist"},
      {{"-o", At("folder.dat")}, At("folder.dat") + " is not a regular file"},
      {{"-o", ""}, "no file name is given"},
      {{"-o", At("out.dat"), "--test-data", At("gone/area.bin")},
       "the folder " + At("gone") + " does not exist"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments{"read", "--port", "virtual", "--yes"};
    arguments.insert(arguments.end(), c.Options.begin(), c.Options.end());
    const Outcome outcome = Cli(arguments);
    EXPECT_EQ(outcome.Exit, 1) << c.Message;
    EXPECT_NE(outcome.Err.find(c.Message + "; nothing was read"), std::string::npos) << outcome.Err;
    EXPECT_EQ(outcome.Err.find("Read data from radio"), std::string::npos) << "asked nothing, sent nothing";
    EXPECT_EQ(outcome.Err.find("%"), std::string::npos) << outcome.Err;
  }
  EXPECT_FALSE(fs::exists(At("out.dat")));
  EXPECT_FALSE(fs::exists(At("virtual-radio.mem")));
}

TEST_F(RadioCommands, ASaveThatFailsAfterTheReadKeepsTheConfigurationInARecoveryFile) {
  ASSERT_EQ(Cli({"write", "--port", "virtual", "--yes", At("mine.dat")}).Exit, 0);
  fs::create_directories(At("stick"));
  fs::create_directories(At("areas"));
  WriteFileBytes(At("areas/area.bin"), "the area of an earlier read");
  TypedTerminal terminal;
  // The memory stick is pulled while the user confirms the read.
  terminal.Push("y", [this] { fs::remove_all(At("stick")); });
  const Outcome outcome =
      Cli({"read", "--port", "virtual", "--test-data", At("areas/area.bin"), "-o", At("stick/out.dat")},
          &terminal);
  EXPECT_EQ(outcome.Exit, 1);
  EXPECT_NE(outcome.Err.find("the configuration could not be written to " + At("stick/out.dat")),
            std::string::npos)
      << outcome.Err;
  EXPECT_EQ(FileText(At("areas/area.bin")), "the area of an earlier read") << "both files or neither";

  const std::vector<fs::path> recovered = Recovered();
  ASSERT_EQ(recovered.size(), 2U) << outcome.Err;
  const fs::path& area = recovered[0];  // "read-<time>-test.bin" sorts before "read-<time>.dat"
  const fs::path& configuration = recovered[1];
  EXPECT_EQ(configuration.extension(), ".dat");
  EXPECT_EQ(configuration.filename().string().rfind("read-", 0), 0U);
  EXPECT_NE(outcome.Err.find("is kept in " + configuration.string()), std::string::npos) << outcome.Err;
  EXPECT_NE(outcome.Err.find("its test-mode area in " + area.string()), std::string::npos);
  Configuration read;
  EXPECT_EQ(ReadConfigurationFile(configuration, read), FileCheck::Ok);
  ASSERT_NE(read.Channels.Find(1), nullptr);
  EXPECT_EQ(read.Channels.Find(1)->Name.Trimmed(), "MINE") << "what the radio holds";
  EXPECT_EQ(fs::file_size(area), 64U);
}

TEST_F(RadioCommands, AVirtualRadioMemoryFileOfAnotherSizeIsNeitherUsedNorWrittenOver) {
  WriteFileBytes(At("virtual-radio.mem"), "not a memory");
  const Outcome outcome = Cli({"write", "--port", "virtual", "--yes", At("mine.dat")});
  EXPECT_EQ(outcome.Exit, 1);
  EXPECT_NE(outcome.Err.find(At("virtual-radio.mem") + " is not a virtual radio's memory of 16384 bytes"),
            std::string::npos)
      << outcome.Err;
  EXPECT_EQ(FileText(At("virtual-radio.mem")), "not a memory");
}

TEST_F(RadioCommands, WriteOfAConfigurationTheEncodersRefuseExitsWithThreeAndSendsNothing) {
  Configuration spoiled;
  ASSERT_EQ(ReadConfigurationFile(At("mine.dat"), spoiled), FileCheck::Ok);
  spoiled.Channels.Entries[0].BusyLock = 300;
  ASSERT_EQ(WriteConfigurationFile(At("spoiled.dat"), spoiled), FileCheck::Ok);
  const Outcome outcome = Cli({"write", "--port", "virtual", "--yes", At("spoiled.dat")});
  EXPECT_EQ(outcome.Exit, 3);
  EXPECT_NE(outcome.Err.find("SetCommDataByFrequencyError"), std::string::npos) << outcome.Err;
  EXPECT_EQ(outcome.Err.find("Write data to radio"), std::string::npos) << "not even asked";
  EXPECT_FALSE(fs::exists(At("virtual-radio.mem")));
}

// Refused before the confirmation is asked: the terminal has no answer to give.
TEST_F(RadioCommands, FleetRefusesWhatCannotRunBeforeAskingOrTouchingAPort) {
  // Not even root may make files under /proc.
  const struct {
    std::vector<std::string> Arguments;
    std::string Message;
  } cases[] = {
      {{"fleet", "--port", "/dev/hvt-a", "--port", "virtual", At("mine.dat")},
       "the built-in virtual radio cannot be one of several"},
      {{"fleet", "--port", "/dev/hvt-a", "--retries", "x", At("mine.dat")}, "--retries takes a whole number"},
      {{"fleet", "--port", "/dev/hvt-a", "--port", "/dev/hvt-b", "--port", "/dev/hvt-a", At("mine.dat")},
       "a port is given twice"},
      {{"fleet-read", "--port", "/dev/hvt-a", "--port", "/dev/hvt-a", "-o", At("batch")},
       "a port is given twice"},
      {{"fleet-read", "--port", "/dev/hvt-a", "-o", At("mine.dat")}, At("mine.dat") + " is not a folder"},
      {{"fleet-read", "--port", "/dev/hvt-a", "-o", At("mine.dat/batch")},
       At("mine.dat") + " is not a folder"},
      {{"fleet-read", "--port", "/dev/hvt-a", "-o", "/proc/hvt-batch"}, "the folder /proc is not writable ("},
      {{"fleet-read", "--port", "/dev/hvt-a", "-o", ""}, "no folder is given"},
  };
  for (const auto& c : cases) {
    TypedTerminal terminal;
    const Outcome outcome = Cli(c.Arguments, &terminal);
    EXPECT_NE(outcome.Exit, 0) << c.Message;
    EXPECT_NE(outcome.Err.find(c.Message), std::string::npos) << outcome.Err;
    EXPECT_TRUE(terminal.Echoes().empty()) << c.Message << ": nothing was asked";
    EXPECT_TRUE(outcome.Out.empty()) << c.Message;
  }
  EXPECT_FALSE(fs::exists(At("batch")));
}

TEST_F(RadioCommands, ProgressWithoutATerminalIsALineForEachTenth) {
  const Outcome outcome = Cli({"write", "--port", "virtual", "--yes", At("mine.dat")});
  ASSERT_EQ(outcome.Exit, 0) << outcome.Err;
  std::vector<std::string> lines;
  std::istringstream err(outcome.Err);
  for (std::string line; std::getline(err, line);) {
    if (!line.empty() && line.back() == '%') lines.push_back(line);
  }
  ASSERT_FALSE(lines.empty());
  EXPECT_LE(lines.size(), 11U) << outcome.Err;
  EXPECT_EQ(lines.back(), "100%");
}

TEST_F(RadioCommands, QuestionsAreAskedOnTheTerminalAndAnsweredThere) {
  struct Case {
    std::vector<std::string> Answers;
    int Exit;
    bool Written;
  };
  for (const Case& c : {Case{{"y"}, 0, true}, Case{{"n"}, 1, false}, Case{{""}, 1, false}}) {
    fs::remove(At("back.dat"));
    TypedTerminal terminal;
    for (const std::string& answer : c.Answers) terminal.Push(answer);
    const Outcome outcome = Cli({"read", "--port", "virtual", "-o", At("back.dat")}, &terminal);
    EXPECT_EQ(outcome.Exit, c.Exit) << c.Answers[0] << outcome.Err;
    EXPECT_NE(outcome.Err.find("Do you wish continue? [y/N]"), std::string::npos) << outcome.Err;
    EXPECT_EQ(fs::exists(At("back.dat")), c.Written);
    EXPECT_TRUE(terminal.AllAnswered());
  }
}

TEST_F(RadioCommands, PasswordIsAskedWithoutEchoOrTakenFromTheOption) {
  GivePassword("1234");
  struct Case {
    const char* Name;
    std::vector<std::string> Options;
    std::vector<std::string> Typed;  // the confirmation, then the password
    int Exit;
    const char* Message;
  };
  const Case cases[] = {
      {"no terminal", {"--yes"}, {}, 1, "the radio has a password (no terminal to ask: --password gives it)"},
      {"wrong option", {"--yes", "--password", "9999"}, {}, 1, "wrong password: the radio did not accept it"},
      {"right option", {"--yes", "--password", "1234"}, {}, 0, ""},
      {"typed", {}, {"y", "1234"}, 0, "the radio has a password. Password: "},
      {"typed wrong", {}, {"y", "12"}, 1, "wrong password: the radio did not accept it"},
  };
  for (const Case& c : cases) {
    TypedTerminal terminal;
    for (const std::string& line : c.Typed) terminal.Push(line);
    std::vector<std::string> read{"read", "--port", "virtual", "-o", At("back.dat")};
    read.insert(read.end(), c.Options.begin(), c.Options.end());
    const Outcome outcome = Cli(read, c.Typed.empty() ? nullptr : &terminal);
    EXPECT_EQ(outcome.Exit, c.Exit) << c.Name << ": " << outcome.Err;
    EXPECT_NE(outcome.Err.find(c.Message), std::string::npos) << c.Name << ": " << outcome.Err;
    EXPECT_EQ(outcome.Err.find("1234"), std::string::npos) << c.Name;
    if (!c.Typed.empty()) {
      EXPECT_EQ(terminal.Echoes(), (std::vector<bool>{true, false})) << c.Name;
    }
    EXPECT_TRUE(terminal.AllAnswered()) << c.Name;
  }
}

}  // namespace
}  // namespace hvt::cli
