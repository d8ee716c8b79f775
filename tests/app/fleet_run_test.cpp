// Several radios written at once in simulated time, each on its own loopback port and timer: one
// failing or silent radio leaves the others to finish, and the run takes as long as one radio.

#include "app/fleet_run.h"

#include <gtest/gtest.h>

#include "app/factory_template.h"
#include "app/fleet_reads.h"
#include "app/radio_backups.h"
#include "files/configuration_file.h"
#include "i18n/language.h"
#include "model/codec_chain.h"
#include "radio/loopback_pump.h"
#include "radio/radio_faults.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

constexpr std::string_view kNotAnswering =
    "The radio does not respond. Check the cable and the radio and try again.";
constexpr std::string_view kWriteSucceeded = "Data written to the radio successfully.";

// The radios on "port0", "port1", ...; each with its own faults.
class Fleet : public FleetListener {
 public:
  explicit Fleet(const std::vector<std::string>& faults) {
    for (const std::string& text : faults) {
      VirtualRadioSettings settings{.Paced = true};
      settings.Faults = ParseRadioFaults(text).Faults.value();
      radios_.push_back(std::make_unique<VirtualRadio>(settings));
      ports_.push_back("port" + std::to_string(ports_.size()));
    }
    run_.SetListener(this);
  }

  std::optional<std::string> Write(FleetOptions options = {}) {
    const auto problem = run_.StartWrite(ports_, records_, BandVariant::Full, options);
    LoopbackPump(clock_, links_).RunUntilIdle();
    EXPECT_FALSE(run_.IsRunning());
    return problem;
  }

  std::optional<std::string> Read(FleetOptions options = {}) {
    const auto problem = run_.StartRead(ports_, options);
    LoopbackPump(clock_, links_).RunUntilIdle();
    EXPECT_FALSE(run_.IsRunning());
    return problem;
  }

  RadioImage Image() const {
    Configuration records = records_;
    RadioImage image;
    EXPECT_FALSE(EncodeAll(records, image).has_value());
    return image;
  }

  void OnRadioChanged(std::size_t) override {}
  void OnFleetFinished() override { ++finished_; }

  ManualClock clock_;
  std::vector<std::unique_ptr<VirtualRadio>> radios_;
  std::vector<std::string> ports_;
  std::vector<LoopbackPump::Link> links_;
  std::vector<LoopbackPort*> loopbacks_;
  Configuration records_ = FactoryTemplate(BandVariant::Full);
  LanguageTexts texts_ = LanguageTexts::Load(kEnglish, std::string(HVT_DATA_DIR) + "/language/english.ini");
  FleetRun run_{texts_, [this](const std::string& port) {
                  const auto index =
                      static_cast<std::size_t>(std::ranges::find(ports_, port) - ports_.begin());
                  auto loopback = std::make_unique<LoopbackPort>(*radios_[index], clock_);
                  auto timer = std::make_unique<ManualTimer>(clock_);
                  links_.push_back({loopback.get(), timer.get()});
                  loopbacks_.push_back(loopback.get());
                  if (index < openFails_.size() && openFails_[index]) loopback->SetOpenFails(true);
                  return FleetLink{std::move(loopback), std::move(timer)};
                }};
  std::vector<bool> openFails_;
  int finished_ = 0;
};

TEST(FleetRun, OneSilentRadioFailsAndTheOthersAreWritten) {
  Fleet fleet({"", "", "silent-after=0", ""});
  ASSERT_EQ(fleet.Write({.Retries = 1}), std::nullopt);

  const std::vector<FleetRadioStatus>& radios = fleet.run_.Radios();
  ASSERT_EQ(radios.size(), 4U);
  for (std::size_t i = 0; i < radios.size(); ++i) {
    const bool silent = i == 2;
    EXPECT_EQ(radios[i].PortName, fleet.ports_[i]);
    EXPECT_EQ(radios[i].State, silent ? FleetState::Failed : FleetState::Succeeded) << i;
    EXPECT_EQ(radios[i].Detail, silent ? kNotAnswering : kWriteSucceeded) << i;
    EXPECT_EQ(radios[i].Percent, silent ? 0 : 100) << i;
    if (!silent) {
      EXPECT_EQ(fleet.radios_[i]->Image(), fleet.Image()) << i;
    }
  }
  EXPECT_EQ(fleet.run_.Count(FleetState::Succeeded), 3U);
  EXPECT_EQ(fleet.finished_, 1);
}

TEST(FleetRun, ReadsEveryAnsweringRadioIntoAnImageOfItsOwn) {
  Fleet fleet({"", "silent-after=0", ""});
  for (std::size_t i = 0; i < fleet.radios_.size(); ++i) {
    Configuration records = fleet.records_;
    records.Channels.Find(1)->Name = "R" + std::to_string(i);
    RadioImage image;
    ASSERT_FALSE(EncodeAll(records, image).has_value());
    fleet.radios_[i]->LoadImage(image);
  }
  ASSERT_EQ(fleet.Read(), std::nullopt);

  for (std::size_t i = 0; i < fleet.radios_.size(); ++i) {
    const bool silent = i == 1;
    const FleetRadioStatus& status = fleet.run_.Radios()[i];
    EXPECT_EQ(status.State, silent ? FleetState::Failed : FleetState::Succeeded) << i;
    EXPECT_EQ(status.Detail, silent ? kNotAnswering : "Data read from the radio successfully.") << i;
    ASSERT_TRUE(fleet.run_.Result(i).has_value()) << i;
    EXPECT_EQ(fleet.run_.Result(i)->Success, !silent);
    if (!silent) {
      Configuration read = fleet.records_;
      DecodeAll(fleet.run_.Result(i)->Data.Image, read);
      EXPECT_EQ(read.Channels.Find(1)->Name.Trimmed(), "R" + std::to_string(i));
    }
  }
}

TEST(FleetRun, ReadsAreSavedBySerialNumberOrPortNameAndEachKeptAsABackup) {
  Fleet fleet({"", "", "", "silent-after=0"});
  fleet.ports_ = {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3"};
  const std::vector<std::string> serials = {"SN-7", "", "SN-7", "SN-9"};
  for (std::size_t i = 0; i < serials.size(); ++i) {
    fleet.radios_[i]->LoadImage(fleet.Image());
    std::ranges::copy(serials[i], fleet.radios_[i]->InformationBlock().begin() + 32);
  }
  TempFolder home;
  AppContext context = AppContext::Start({home.Path(), home.Path()}, "en_US");
  ScriptedPrompter prompter;
  ASSERT_EQ(fleet.Read(), std::nullopt);

  const std::vector<FleetReadFile> files =
      SaveFleetReads(fleet.run_, context, prompter, home.Path() / "batch");
  ASSERT_EQ(files.size(), 4U);
  const std::filesystem::path batch = home.Path() / "batch";
  EXPECT_EQ(files[0].File, batch / "SN-7.dat");
  EXPECT_EQ(files[1].File, batch / "ttyUSB1.dat") << "no serial number: the port names it";
  EXPECT_EQ(files[2].File, batch / "SN-7-2.dat") << "a name taken already";
  EXPECT_EQ(files[3].File, std::nullopt) << "the silent radio was not read";
  EXPECT_TRUE(files[3].Problem.empty());
  Configuration saved;
  ASSERT_EQ(ReadConfigurationFile(batch / "SN-7.dat", saved), FileCheck::Ok);
  EXPECT_EQ(saved.Channels.Count, fleet.records_.Channels.Count);
  EXPECT_EQ(ListBackups(context.Folders().BackupFolder()).size(), 3U);
  EXPECT_TRUE(prompter.Messages.empty());
}

// The folder went away after the check (a stick pulled): each read is kept in the settings
// folder's "recovered" folder instead, and its backup is named.
TEST(FleetRun, ReadsThatCannotBeSavedAreKeptAsRecoveredCopies) {
  Fleet fleet({"", ""});
  const std::vector<std::string> serials = {"SN-1", "SN-2"};
  for (std::size_t i = 0; i < serials.size(); ++i) {
    fleet.radios_[i]->LoadImage(fleet.Image());
    std::ranges::copy(serials[i], fleet.radios_[i]->InformationBlock().begin() + 32);
  }
  TempFolder home;
  AppContext context = AppContext::Start({home.Path(), home.Path()}, "en_US");
  ScriptedPrompter prompter;
  ASSERT_EQ(fleet.Read(), std::nullopt);
  std::filesystem::create_directories(home.Path() / "recovered");
  WriteFileBytes(home.Path() / "recovered" / "SN-1.dat", "an earlier recovery");
  WriteFileBytes(home.Path() / "stick", "a file where the folder was");

  const std::vector<FleetReadFile> files =
      SaveFleetReads(fleet.run_, context, prompter, home.Path() / "stick");
  ASSERT_EQ(files.size(), 2U);
  const std::filesystem::path recovered = home.Path() / "recovered";
  EXPECT_EQ(files[0].Recovered, recovered / "SN-1-2.dat") << "an earlier recovery is kept";
  EXPECT_EQ(files[1].Recovered, recovered / "SN-2.dat");
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(files[i].File, std::nullopt) << i;
    EXPECT_EQ(files[i].Problem,
              "could not be saved as " + (home.Path() / "stick" / (serials[i] + ".dat")).string());
    ASSERT_TRUE(files[i].Recovered.has_value()) << i;
    Configuration saved;
    EXPECT_EQ(ReadConfigurationFile(*files[i].Recovered, saved), FileCheck::Ok) << i;
    EXPECT_EQ(saved.Channels.Count, fleet.records_.Channels.Count) << i;
    ASSERT_TRUE(files[i].Backup.has_value()) << i;
    EXPECT_TRUE(std::filesystem::is_regular_file(*files[i].Backup)) << i;
  }
  EXPECT_EQ(FileText(recovered / "SN-1.dat"), "an earlier recovery");
}

TEST(FleetRun, RadiosRunSideBySideSoEightTakeAsLongAsOne) {
  Fleet one({""});
  ASSERT_EQ(one.Write(), std::nullopt);
  Fleet eight(std::vector<std::string>(8, ""));
  ASSERT_EQ(eight.Write(), std::nullopt);
  EXPECT_EQ(eight.run_.Count(FleetState::Succeeded), 8U);
  EXPECT_GT(one.clock_.Now().time_since_epoch(), std::chrono::seconds(10));
  EXPECT_EQ(eight.clock_.Now(), one.clock_.Now());
}

TEST(FleetRun, EachRadioEndsForItsOwnReason) {
  Fleet fleet({"", "misstore=0x0000", "", ""});
  fleet.openFails_ = {false, false, true, false};
  ASSERT_EQ(fleet.Write({.Verify = true}), std::nullopt);
  const std::vector<FleetRadioStatus>& radios = fleet.run_.Radios();
  EXPECT_EQ(radios[0].State, FleetState::Succeeded);
  EXPECT_EQ(radios[0].Detail,
            "Data written to the radio successfully. Every block read back matches what was written.");
  EXPECT_EQ(radios[1].State, FleetState::Failed);
  EXPECT_EQ(radios[1].Detail,
            "Writing data to the radio failed: reading back found blocks that differ from what was written "
            "(1):\n0x0000  channel 1");
  EXPECT_EQ(radios[2].State, FleetState::NotStarted);
  EXPECT_NE(radios[2].Detail.find("port"), std::string::npos) << radios[2].Detail;
  EXPECT_EQ(radios[3].State, FleetState::Succeeded);
  EXPECT_EQ(fleet.finished_, 1);
}

TEST(FleetRun, CancelStopsEveryRadioAfterItsPacketInFlight) {
  Fleet fleet({"", "", ""});
  ASSERT_EQ(fleet.run_.StartWrite(fleet.ports_, fleet.records_, BandVariant::Full, {}), std::nullopt);
  LoopbackPump pump(fleet.clock_, fleet.links_);
  ASSERT_TRUE(pump.RunUntilIdle(std::chrono::seconds(3)) == false) << "still running after 3 s";
  fleet.run_.Cancel();
  ASSERT_TRUE(pump.RunUntilIdle());
  EXPECT_EQ(fleet.run_.Count(FleetState::Cancelled), 3U);
  EXPECT_EQ(fleet.finished_, 1);
}

TEST(FleetRun, NothingStartsWithoutPortsWithAPortTwiceOrWithARefusedConfiguration) {
  Fleet fleet({"", ""});
  struct Case {
    std::vector<std::string> Ports;
    bool Spoiled;
    std::string Problem;
  };
  const Case cases[] = {
      {{}, false, "no port is given"},
      {{"port0", "port0"}, false, "a port is given twice"},
      {{"port0", "port1"}, true, "SetCommDataByFrequencyError"},
  };
  for (const Case& c : cases) {
    Configuration records = fleet.records_;
    if (c.Spoiled) records.Channels.Entries[0].BusyLock = 300;
    const auto problem = fleet.run_.StartWrite(c.Ports, records, BandVariant::Full, {});
    ASSERT_TRUE(problem.has_value()) << c.Problem;
    EXPECT_EQ(problem->substr(0, c.Problem.size()), c.Problem);
    EXPECT_TRUE(fleet.links_.empty()) << "no port was touched";
  }
}

}  // namespace
}  // namespace hvt
