#include "app/radio_backups.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "model/new_configuration.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

std::tm At(int day, int hour, int minute, int second) {
  std::tm time{};
  time.tm_year = 2026 - 1900;
  time.tm_mon = 11;
  time.tm_mday = day;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

TEST(RadioBackups, NamedByTheSerialNumberAndTheTime) {
  struct Case {
    std::string Serial;
    std::string Name;
  };
  const std::vector<Case> cases = {
      {"SN7300-000123", "SN7300-000123_2026-12-11_010203.dat"},
      {"", "radio_2026-12-11_010203.dat"},
      {"A/B C.1", "A_B_C_1_2026-12-11_010203.dat"},     // nothing a path could misread
      {"\xE5\x8F\xB7", "radio_2026-12-11_010203.dat"},  // a blank or foreign block: no name
      {std::string(40, '7'), std::string(32, '7') + "_2026-12-11_010203.dat"},
  };
  for (const Case& c : cases) EXPECT_EQ(BackupFileName(c.Serial, At(11, 1, 2, 3)), c.Name) << c.Serial;
}

TEST(RadioBackups, TheNewestFiftyAreKeptAndListedNewestFirst) {
  TempFolder folder;
  Configuration configuration;
  ResetAllSettings(configuration);
  { std::ofstream(folder / "notes.txt") << "mine"; }
  for (int i = 0; i < 52; ++i) {
    const BackupResult kept = KeepBackup(folder.Path(), configuration, "SN1", At(1 + i / 24, i % 24, 0, 0));
    ASSERT_TRUE(kept.File) << kept.Problem;
  }
  const BackupResult again = KeepBackup(folder.Path(), configuration, "SN1", At(3, 3, 0, 0));  // same second
  ASSERT_TRUE(again.File);
  EXPECT_EQ(again.File->filename(), "SN1_2026-12-03_030000-2.dat");

  const std::vector<Backup> backups = ListBackups(folder.Path());
  ASSERT_EQ(backups.size(), kBackupsKept);
  EXPECT_EQ(backups[0].File, *again.File) << "the later of two in one second comes first";
  EXPECT_EQ(backups[1].Time, "2026-12-03 03:00:00");
  EXPECT_EQ(backups[0].Radio, "SN1");
  EXPECT_EQ(backups.back().Time, "2026-12-01 03:00:00") << "the three oldest are gone";
  EXPECT_TRUE(std::filesystem::exists(folder / "notes.txt")) << "other files are left alone";

  Configuration opened;
  EXPECT_EQ(ReadConfigurationFile(backups[0].File, opened), FileCheck::Ok);
  EXPECT_EQ(opened, configuration);
}

TEST(RadioBackups, AFolderThatCannotBeMadeIsReported) {
  TempFolder folder;
  { std::ofstream(folder / "file") << "x"; }
  const BackupResult kept = KeepBackup(folder / "file" / "backups", Configuration{}, "SN1", At(1, 0, 0, 0));
  EXPECT_FALSE(kept.File);
  EXPECT_FALSE(kept.Problem.empty());
}

}  // namespace
}  // namespace hvt
