#include "cli/cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli_fixture.h"
#include "files/commu_book_file.h"
#include "files/configuration_file.h"
#include "model/codec_chain.h"

namespace hvt::cli {
namespace {

TEST(Cli, HelpAndVersionGoToStandardOutput) {
  const Outcome help = RunCli({"--help"});
  EXPECT_EQ(help.Exit, 0);
  EXPECT_NE(help.Out.find("Usage: hvt7300-cli"), std::string::npos);
  EXPECT_NE(help.Out.find("export-epm"), std::string::npos);
  EXPECT_TRUE(help.Err.empty());

  const Outcome version = RunCli({"--version"});
  EXPECT_EQ(version.Exit, 0);
  EXPECT_EQ(version.Out, "hvt7300-cli " HVT_VERSION "\n");

  const Outcome commandHelp = RunCli({"decode", "--help"});
  EXPECT_EQ(commandHelp.Exit, 0);
  EXPECT_NE(commandHelp.Out.find("Usage: hvt7300-cli decode [OPTIONS] IMAGE.bin"), std::string::npos);
  EXPECT_NE(commandHelp.Out.find("-o FILE  the file to write (required)"), std::string::npos);
}

TEST(Cli, HelpListsTheExitCodesAndHelpsWithACommand) {
  const Outcome help = RunCli({"--help"});
  for (const char* line :
       {"0  success", "1  failure", "2  usage error", "3  an encoder refused the configuration"}) {
    EXPECT_NE(help.Out.find(line), std::string::npos) << line;
  }
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--help", "read"},
                                                    {"read", "--help"},
                                                    {"read", "--port", "virtual", "--help"}}) {
    const Outcome readHelp = RunCli(arguments);
    EXPECT_EQ(readHelp.Exit, 0);
    EXPECT_EQ(readHelp.Out.rfind("Usage: hvt7300-cli read [OPTIONS]", 0), 0U) << readHelp.Out;
  }
}

TEST(Cli, UsageErrorsExitWithTwoAndSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> Arguments;
    const char* Message;
  };
  for (const Case& c : {
           Case{{}, "Usage:"},
           Case{{"--frobnicate"}, "unknown option --frobnicate"},
           Case{{"frobnicate"}, "unknown command 'frobnicate'"},
           Case{{"--home"}, "--home needs a folder"},
           Case{{"--home", "--help"}, "--home needs a folder"},
           Case{{"--home", ""}, "--home needs a folder"},
           Case{{"--home", "a", "--home", "b", "new"}, "option --home is given twice"},
           Case{{"--version", "new"}, "--version takes no arguments"},
           Case{{"--help", "new", "-o"}, "--help takes no arguments but a command's name"},
           Case{{"--help", "frobnicate"}, "--help takes no arguments but a command's name"},
           Case{{"new"}, "missing option -o FILE"},
           Case{{"new", "-o", "--help"}, "option -o needs a value (FILE), not --help"},
           Case{{"new", "-o", "--band", "1"}, "option -o needs a value (FILE), not --band"},
           Case{{"new", "-o", "a.dat", "-o", "b.dat"}, "option -o is given twice"},
           Case{{"new", "--band", "0", "--band", "1", "-o", "a.dat"}, "option --band is given twice"},
           Case{{"show"}, "expected 1 argument(s), got 0"},
           Case{{"show", "a.dat", "b.dat"}, "expected 1 argument(s), got 2"},
           Case{{"encode", "a.dat", "-o"}, "option -o needs a value (FILE)"},
           Case{{"show", "a.dat", "--jsn"}, "unknown option --jsn"},
           Case{{"info", "--yes"}, "unknown option --yes"},
           Case{{"read", "--port", "virtual", "--password", "--yes", "-o", "a.dat"},
                "option --password needs a value (P), not --yes"},
           Case{{"fleet", "a.dat"}, "missing option --port PORT"},
       }) {
    const Outcome outcome = RunCli(c.Arguments);
    EXPECT_EQ(outcome.Exit, 2) << c.Message;
    EXPECT_NE(outcome.Err.find(c.Message), std::string::npos) << outcome.Err;
    EXPECT_TRUE(outcome.Out.empty()) << c.Message;
  }
}

TEST(Cli, DataFolderWithoutLanguageFilesIsRefusedAndNothingIsCreated) {
  TempFolder home;
  std::filesystem::copy(HVT_DATA_DIR, home.Path(), std::filesystem::copy_options::recursive);
  std::filesystem::remove(home / "language/chinese.ini");
  std::filesystem::remove(home / "Init/HVT7300_0.dat");
  const auto listing = [&home] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(home.Path()))
      names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> before = listing();
  struct Case {
    std::string Home;
    std::vector<std::string> Command;
    std::string Message;
  };
  const std::string out = (home / "out.dat").string();
  const Case cases[] = {
      {home.Path().string(), {"new", "-o", out}, "lacks language/chinese.ini (language files;"},
      {home.Path().string(), {"read", "--port", "virtual", "--yes", "-o", out}, "lacks language/chinese.ini"},
      {(home / "language").string(), {"show", out}, "lacks language/english.ini, language/chinese.ini"},
      {(home / "absent").string(),
       {"new", "-o", out},
       "the data folder " + (home / "absent").string() + " does not exist"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments{"--home", c.Home};
    arguments.insert(arguments.end(), c.Command.begin(), c.Command.end());
    const Outcome outcome = RunCli(arguments);
    EXPECT_EQ(outcome.Exit, 1) << c.Message;
    EXPECT_NE(outcome.Err.find(c.Message), std::string::npos) << outcome.Err;
  }
  EXPECT_EQ(listing(), before) << "no settings, no memory file, no folder";
  EXPECT_FALSE(std::filesystem::exists(home / "absent"));
}

using CliFiles = CliHome;

TEST_F(CliFiles, NewShowEncodeDecodeWorkTogether) {
  ASSERT_EQ(Cli({"new", "--band", "0", "-o", At("new.dat")}).Exit, 0);
  EXPECT_EQ(std::filesystem::file_size(At("new.dat")), 45755U);

  const Outcome shown = Cli({"show", At("new.dat")});
  EXPECT_EQ(shown.Exit, 0);
  EXPECT_NE(shown.Out.find("Tx(420 - 450 MHz)"), std::string::npos) << shown.Out;
  EXPECT_NE(shown.Out.find("TRF   445.50000      446.50000"), std::string::npos) << shown.Out;

  const Outcome json = Cli({"show", At("new.dat"), "--json"});
  EXPECT_EQ(json.Out.rfind("{\"ModelName\":\"HVT7300\",\"BandVariant\":0,\"Version\":\"V100\",", 0), 0U);
  EXPECT_NE(json.Out.find("\"ChannelCount\":19"), std::string::npos) << "the band template's";

  ASSERT_EQ(Cli({"encode", At("new.dat"), "-o", At("image.bin")}).Exit, 0);
  EXPECT_EQ(std::filesystem::file_size(At("image.bin")), 12960U);
  ASSERT_EQ(Cli({"decode", At("image.bin"), "--band", "1", "-o", At("decoded.dat")}).Exit, 0);
  Configuration decoded;
  ASSERT_EQ(ReadConfigurationFile(At("decoded.dat"), decoded), FileCheck::Ok);
  EXPECT_EQ(decoded.BandVariant, 1);
  EXPECT_EQ(decoded.Channels.Count, 19);
}

TEST_F(CliFiles, FailuresSayWhyAndWriteNothing) {
  ASSERT_EQ(Cli({"new", "-o", At("good.dat")}).Exit, 0);
  WriteFileBytes(At("short.dat"), "short");
  Configuration other;
  other.ModelName = "HVT730";
  ASSERT_EQ(WriteConfigurationFile(At("model.dat"), other), FileCheck::Ok);
  Configuration spoiled;
  ASSERT_EQ(ReadConfigurationFile(At("good.dat"), spoiled), FileCheck::Ok);
  spoiled.Channels.Entries[0].BusyLock = 300;
  ASSERT_EQ(WriteConfigurationFile(At("spoiled.dat"), spoiled), FileCheck::Ok);
  spoiled.Channels.Entries[0].BusyLock = 0;
  spoiled.Channels.Entries[2].Power = 40;  // would have set TalkAround and a spare bit
  ASSERT_EQ(WriteConfigurationFile(At("power.dat"), spoiled), FileCheck::Ok);
  WriteFileBytes(At("short.cb"), std::string(100, '1'));
  // A count that indexed past the 203 slots overflowed memory in every command that opened it.
  std::vector<std::uint8_t> crafted = ToFileBytes(spoiled);
  crafted[6960] = 0x30;
  crafted[6961] = 0x75;
  WriteFileBytes(At("count.dat"), crafted);

  struct Case {
    std::vector<std::string> Arguments;
    int Exit;
    std::string Message;
  };
  const std::string out = At("out");
  const Case cases[] = {
      {{"show", At("missing.dat")}, 1, "file error."},
      {{"encode", At("short.dat"), "-o", out}, 1, "File Data Error!"},
      {{"encode", At("model.dat"), "-o", out}, 1, "Model Error!"},
      {{"encode", At("spoiled.dat"), "-o", out}, 3, "SetCommDataByFrequencyError"},
      {{"encode", At("power.dat"), "-o", out},
       3,
       "hvt7300-cli encode: SetCommDataByFrequencyError: channel RT: Power 40 does not fit 2 bits (0-3)\n"},
      {{"show", At("count.dat")},
       1,
       "File Data Error! " + At("count.dat") + ": channel count 30000, expected 0-203"},
      {{"encode", At("count.dat"), "-o", out}, 1, "channel count 30000"},
      {{"write", At("count.dat"), "--port", "virtual", "--yes"}, 1, "channel count 30000"},
      {{"sim", "--pty", "--config", At("count.dat")}, 1, "channel count 30000"},
      {{"encode", At("good.dat"), "-o", At("no/such/folder/x.bin")}, 1, "file error."},
      {{"new", "--band", "2", "-o", out}, 2, "--band takes 0 or 1"},
      {{"new", "-o", At("no/such/folder/x.dat")}, 1, "file error."},
      {{"decode", At("good.dat"), "-o", out}, 1, "not an image of 12960 bytes"},
      {{"export-epm", At("good.dat"), "--groups", "0,12", "-o", out}, 2, "--groups takes numbers 0-11"},
      {{"export-epm", At("good.dat"), "--groups", "", "-o", out}, 2, "--groups takes numbers 0-11"},
      {{"export-epm", At("good.dat"), "--groups", "0,", "-o", out}, 2, "--groups takes numbers 0-11"},
      {{"cb-import", At("short.cb"), At("good.dat"), "-o", out}, 1, "file error."},
      {{"cb-import", At("missing.cb"), At("good.dat"), "-o", out},
       1,
       "hvt7300-cli cb-import: file error. " + At("missing.cb") + ": "},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Cli(c.Arguments);
    EXPECT_EQ(outcome.Exit, c.Exit) << c.Arguments[0] << " " << c.Message;
    EXPECT_NE(outcome.Err.find(c.Message), std::string::npos) << outcome.Err;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.Message;
  }
  // An encoder's refusal writes no production file, and an older one stays as it was.
  WriteFileBytes(out, "an older export");
  const Outcome epm = Cli({"export-epm", At("power.dat"), "-o", out});
  EXPECT_EQ(epm.Exit, 3);
  EXPECT_NE(
      epm.Err.find("hvt7300-cli export-epm: SetCommDataByFrequencyError: channel RT: Power 40 does not fit 2 "
                   "bits (0-3)\n"),
      std::string::npos)
      << epm.Err;
  EXPECT_EQ(FileText(out), "an older export");
  EXPECT_FALSE(std::filesystem::exists(At("no")));
}

TEST_F(CliFiles, ADamagedBandTemplateGivesTheDefaults) {
  Configuration damaged;
  std::vector<std::uint8_t> bytes = ToFileBytes(damaged);
  bytes[6960] = 0xFF;  // channel count -1
  bytes[6961] = 0xFF;
  for (const char* name : {"Init/HVT7300_0.dat", "Init/HVT7300_1.dat"}) WriteFileBytes(At(name), bytes);
  ASSERT_EQ(Cli({"new", "-o", At("new.dat")}).Exit, 0);
  Configuration made;
  ASSERT_EQ(ReadConfigurationFile(At("new.dat"), made), FileCheck::Ok);
  EXPECT_GT(made.Channels.Count, 0) << "the default channels";
  EXPECT_LE(made.Channels.Count, 203);
}

// Without its own band template a new configuration comes from the full-range one, marked with
// the band asked for and the default channels it lacks after its own; without that one too, from
// the defaults alone.
TEST_F(CliFiles, NewWithoutBandTemplatesTakesTheOtherTemplateOrTheDefaults) {
  Configuration fallback;
  ASSERT_EQ(ReadConfigurationFile(At("Init/HVT7300_1.dat"), fallback), FileCheck::Ok);
  const std::vector<int> defaults = {201, 202, 203, 1, 2};
  std::vector<int> fallbackThenDefaults;
  for (int i = 0; i < fallback.Channels.Count; ++i)
    fallbackThenDefaults.push_back(fallback.Channels.Entries[static_cast<std::size_t>(i)].ChannelNumber);
  // A default channel the template holds already is not added twice.
  for (const int number : defaults) {
    if (std::ranges::find(fallbackThenDefaults, number) == fallbackThenDefaults.end())
      fallbackThenDefaults.push_back(number);
  }
  struct Case {
    std::vector<std::string> Removed;
    std::string Band;
    std::vector<int> Channels;
  };
  const Case cases[] = {
      {{"Init/HVT7300_0.dat"}, "0", fallbackThenDefaults},
      {{"Init/HVT7300_1.dat"}, "1", defaults},
      {{"Init/HVT7300_0.dat", "Init/HVT7300_1.dat"}, "0", defaults},
  };
  for (const Case& c : cases) {
    for (const std::string& name : c.Removed) std::filesystem::remove(At(name));
    const Outcome outcome = Cli({"new", "--band", c.Band, "-o", At("new.dat")});
    ASSERT_EQ(outcome.Exit, 0) << c.Removed.size() << " " << outcome.Err;
    Configuration made;
    ASSERT_EQ(ReadConfigurationFile(At("new.dat"), made), FileCheck::Ok);
    EXPECT_EQ(made.BandVariant, std::stoi(c.Band));
    std::vector<int> numbers;
    for (int i = 0; i < made.Channels.Count; ++i)
      numbers.push_back(made.Channels.Entries[static_cast<std::size_t>(i)].ChannelNumber);
    EXPECT_EQ(numbers, c.Channels) << "band " << c.Band;
    std::filesystem::copy(HVT_DATA_DIR "/Init", At("Init"),
                          std::filesystem::copy_options::overwrite_existing);
  }
}

TEST_F(CliFiles, CommunicationBookAndProductionExport) {
  ASSERT_EQ(Cli({"new", "-o", At("a.dat")}).Exit, 0);
  Configuration configuration;
  ASSERT_EQ(ReadConfigurationFile(At("a.dat"), configuration), FileCheck::Ok);
  configuration.Book.Entries[0].Code = std::string("123\0", 4);
  configuration.Book.Entries[0].Name = std::string("HOME\0", 5);
  ASSERT_EQ(WriteConfigurationFile(At("b.dat"), configuration), FileCheck::Ok);

  ASSERT_EQ(Cli({"cb-export", At("b.dat"), "-o", At("book.cb")}).Exit, 0);
  EXPECT_EQ(std::filesystem::file_size(At("book.cb")), 1792U);
  ASSERT_EQ(Cli({"cb-import", At("book.cb"), At("a.dat"), "-o", At("c.dat")}).Exit, 0);
  Configuration imported;
  ASSERT_EQ(ReadConfigurationFile(At("c.dat"), imported), FileCheck::Ok);
  EXPECT_EQ(imported.Book, configuration.Book);

  ASSERT_EQ(Cli({"export-epm", At("b.dat"), "--groups", "0,10", "-o", At("x.EPM")}).Exit, 0);
  const std::string epm = FileText(At("x.EPM"));
  EXPECT_EQ(epm.substr(0, 6), "16,9\r\n") << "the template's 16 normal channels";
  EXPECT_EQ(std::count(epm.begin(), epm.end(), '\n'), 13915);
}

// A channel plan through a spreadsheet: exported, edited, imported; a bad row stops the import
// unless the user takes the rest.
TEST_F(CliFiles, ChannelTableExportAndImport) {
  ASSERT_EQ(Cli({"new", "-o", At("a.dat")}).Exit, 0);
  ASSERT_EQ(Cli({"csv-export", At("a.dat"), "-o", At("ch.csv")}).Exit, 0);
  ASSERT_EQ(Cli({"csv-import", At("ch.csv"), At("a.dat"), "-o", At("same.dat")}).Exit, 0);
  EXPECT_EQ(FileText(At("same.dat")), FileText(At("a.dat"))) << "an export imports back unchanged";

  std::string table = FileText(At("ch.csv"));
  table += "150,New,438.500000,,0,,88.5,88.5,023,NN,023,,FM,12.50,,High,,,,,\r\n";
  table += "151,Bad,300.000000,,0,,88.5,88.5,023,NN,023,,FM,12.50,,High,,,,,\r\n";
  WriteFileBytes(At("edited.csv"), table);
  const Outcome refused = Cli({"csv-import", At("edited.csv"), At("a.dat"), "-o", At("b.dat")});
  EXPECT_EQ(refused.Exit, 1);
  EXPECT_NE(refused.Err.find("line 19: Frequency 300.000000 MHz is outside the radio's receive bands"),
            std::string::npos)
      << refused.Err;
  EXPECT_FALSE(std::filesystem::exists(At("b.dat")));

  ASSERT_EQ(
      Cli({"csv-import", "--skip-bad-rows", "--replace", At("edited.csv"), At("a.dat"), "-o", At("b.dat")})
          .Exit,
      0);
  Configuration imported;
  ASSERT_EQ(ReadConfigurationFile(At("b.dat"), imported), FileCheck::Ok);
  ASSERT_NE(imported.Channels.Find(150), nullptr);
  EXPECT_EQ(imported.Channels.Find(150)->Name.Trimmed(), "NEW");
  EXPECT_EQ(imported.Channels.Find(151), nullptr);
}

// A table numbered from Location 0 by another tool: refused with the way out named, taken with
// --renumber; every refused row is listed on a line of its own, however many there are.
TEST_F(CliFiles, ChannelTableImportRenumbersAndReportsEveryRow) {
  ASSERT_EQ(Cli({"new", "-o", At("a.dat")}).Exit, 0);
  std::string table = "Location,Name,Frequency\r\n0,zero,438.5\r\n1,one,438.6\r\n";
  for (int row = 2; row < 32; ++row) table += std::to_string(row) + ",bad,300\r\n";
  WriteFileBytes(At("zero.csv"), table);

  const Outcome refused = Cli({"csv-import", At("zero.csv"), At("a.dat"), "-o", At("b.dat")});
  EXPECT_EQ(refused.Exit, 1);
  EXPECT_NE(refused.Err.find("\n  line 2: Location '0' is not a channel 1-200 (--renumber"),
            std::string::npos)
      << refused.Err;
  for (int line = 4; line < 34; ++line) {
    EXPECT_NE(refused.Err.find("\n  line " + std::to_string(line) + ": Frequency 300.000000 MHz"),
              std::string::npos)
        << line << "\n"
        << refused.Err;
  }
  EXPECT_EQ(refused.Err.find("more"), std::string::npos) << "no line is left out";

  const Outcome renumbered =
      Cli({"csv-import", "--renumber", "--skip-bad-rows", At("zero.csv"), At("a.dat"), "-o", At("b.dat")});
  ASSERT_EQ(renumbered.Exit, 0) << renumbered.Err;
  Configuration imported;
  ASSERT_EQ(ReadConfigurationFile(At("b.dat"), imported), FileCheck::Ok);
  ASSERT_NE(imported.Channels.Find(1), nullptr);
  EXPECT_EQ(imported.Channels.Find(1)->Name.Trimmed(), "ZERO");
  EXPECT_EQ(imported.Channels.Find(2)->Name.Trimmed(), "ONE");
  EXPECT_NE(renumbered.Err.find("\n  line 33: Frequency 300.000000 MHz"), std::string::npos)
      << renumbered.Err;
}

TEST_F(CliFiles, VirtualRadioKeepsWhatIsWrittenForTheNextRead) {
  ASSERT_EQ(Cli({"new", "--band", "0", "-o", At("restricted.dat")}).Exit, 0);
  const Outcome refused = Cli({"write", "--port", "virtual", "--yes", At("restricted.dat")});
  EXPECT_EQ(refused.Exit, 1);
  EXPECT_NE(
      refused.Err.find("Band Error! The radio is Band 2 (UHF{Rx(400 - 490 MHz) Tx(400 - 490 MHz)} "
                       "VHF{Rx(136 - 174 MHz) Tx(136 - 174 MHz)}); the configuration is Band 1 (UHF{Rx(400 - "
                       "490 MHz) Tx(420 - 450 MHz)} VHF{Rx(136 - 174 MHz) Tx(144 - 148 MHz)})."),
      std::string::npos)
      << "the virtual radio is a full-band radio: " << refused.Err;

  ASSERT_EQ(Cli({"new", "-o", At("mine.dat")}).Exit, 0);
  const std::string area(64, '\x5A');
  WriteFileBytes(At("area.bin"), area);

  const Outcome written =
      Cli({"write", "--port", "virtual", "--yes", "--test-data", At("area.bin"), At("mine.dat")});
  ASSERT_EQ(written.Exit, 0) << written.Err;
  EXPECT_NE(written.Err.find("100%"), std::string::npos);

  const Outcome read =
      Cli({"read", "--port", "virtual", "--yes", "--test-data", At("back.bin"), "-o", At("back.dat")});
  ASSERT_EQ(read.Exit, 0) << read.Err;
  Configuration mine;
  Configuration back;
  ASSERT_EQ(ReadConfigurationFile(At("mine.dat"), mine), FileCheck::Ok);
  ASSERT_EQ(ReadConfigurationFile(At("back.dat"), back), FileCheck::Ok);
  // Special channels and a few settings come back in the radio's own form; the normal channels
  // and the options come back as they were written.
  for (const ChannelRecord& channel : mine.Channels.Channels()) {
    if (!IsNormalChannel(channel.ChannelNumber)) continue;
    const ChannelRecord* readBack = back.Channels.Find(channel.ChannelNumber);
    ASSERT_NE(readBack, nullptr) << channel.ChannelNumber;
    EXPECT_EQ(readBack->RxFreq, channel.RxFreq);
    EXPECT_EQ(readBack->Name.Trimmed(), channel.Name.Trimmed());
  }
  EXPECT_EQ(back.Options.KeyFunction, mine.Options.KeyFunction);
  EXPECT_EQ(FileText(At("back.bin")), area);
  EXPECT_EQ(Cli({"info", "--retries", "1"}).Exit, 0) << "the port used last is the default";
}

TEST_F(CliFiles, RadioCommandsWithoutConfirmationTransferNothing) {
  struct Case {
    std::vector<std::string> Arguments;
    int Exit;
    const char* Message;
  };
  const Case cases[] = {
      {{"read", "--yes", "-o", At("out.dat")}, 2, "no --port given and none used before"},
      {{"read", "--port", "virtual", "-o", At("out.dat")}, 1, "(no terminal to ask: --yes answers OK)"},
      {{"read", "--port", "virtual", "--yes", "--retries", "x", "-o", At("out.dat")}, 2, "--retries takes"},
      {{"write", "--port", "virtual", "--yes", At("missing.dat")}, 1, "file error."},
      {{"write", "--port", "virtual", "--yes", "--test-data", At("missing.bin"), At("missing.dat")},
       1,
       "file error."},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Cli(c.Arguments);
    EXPECT_EQ(outcome.Exit, c.Exit) << c.Message;
    EXPECT_NE(outcome.Err.find(c.Message), std::string::npos) << outcome.Err;
    EXPECT_FALSE(std::filesystem::exists(At("out.dat")));
  }
}

}  // namespace
}  // namespace hvt::cli
