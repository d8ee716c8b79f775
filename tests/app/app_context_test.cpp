#include "app/app_context.h"

#include <gtest/gtest.h>

#include "app/settings_files.h"
#include "i18n/language.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;

class AppContextTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "language");
    Write("language/english.ini", "[OTHER]\n101=OK\n");
    Write("language/chinese.ini", "[OTHER]\n101=确定\n");
  }

  void Write(const std::string& name, std::string_view bytes) { WriteFileBytes(root_ / name, bytes); }
  std::string Read(const std::string& name) { return FileText(root_ / name); }

  TempFolder root_;
  AppFolders folders_ = {root_.Path(), root_.Path()};
};

TEST_F(AppContextTest, StartsWithTheModelVersionAndFullBand) {
  const AppContext context = AppContext::Start(folders_, "en_US");
  EXPECT_EQ(context.ModelName(), "HVT7300");
  EXPECT_EQ(context.ModelTitle(), "HVT7300");
  EXPECT_EQ(context.FirmwareVersion(), "V100");
  EXPECT_EQ(context.Band(), BandVariant::Full);
  EXPECT_EQ(context.BandText(),
            "UHF{Rx(400 - 490 MHz) Tx(400 - 490 MHz)} VHF{Rx(136 - 174 MHz) Tx(136 - 174 MHz)}");
  EXPECT_EQ(context.TxRange(kVhfRow), (FrequencyRange{13600000, 17400000}));
}

TEST_F(AppContextTest, RestrictedBandLimitsOnlyTheTransmitRanges) {
  AppContext context = AppContext::Start(folders_, "en_US");
  context.ApplyBandVariant(BandVariant::Restricted);
  EXPECT_EQ(context.RxRange(kUhfRow), (FrequencyRange{40000000, 49000000}));
  EXPECT_EQ(context.TxRange(kUhfRow), (FrequencyRange{42000000, 45000000}));
  EXPECT_EQ(context.TxRange(kVhfRow), (FrequencyRange{14400000, 14800000}));
  EXPECT_EQ(context.BandText(), BandText(BandVariant::Restricted));
}

TEST_F(AppContextTest, LanguageAndItsFileFollowTheLocale) {
  const AppContext chinese = AppContext::Start(folders_, "zh_CN");
  EXPECT_EQ(chinese.LanguageId(), kChinese);
  EXPECT_EQ(chinese.LanguageFile(), root_ / "language" / "chinese.ini");
  EXPECT_EQ(chinese.Texts().LanguageText(101), "确定");
  EXPECT_EQ(chinese.Texts().BuiltIn(BuiltInText::BoxTitle), "警告");

  AppContext taiwan = AppContext::Start(folders_, "zh_TW");
  EXPECT_EQ(taiwan.LanguageId(), kEnglish);
  EXPECT_EQ(taiwan.Texts().LanguageText(101), "OK");
  taiwan.SetLanguage(kChinese);
  EXPECT_EQ(taiwan.Texts().LanguageText(101), "确定");
}

TEST_F(AppContextTest, StartWritesNothingAndTheFirstRunIsMarkedDoneOnlyWhenAsked) {
  const std::string setup = "[language]\r\nIsFirstRun=1\r\ncomPort= 3 \r\n";
  Write("language/mysetup.ini", setup);
  AppContext first = AppContext::Start(folders_, "en_US");
  EXPECT_TRUE(first.FirstRun());
  EXPECT_EQ(first.PortNumber(), 3);
  EXPECT_EQ(Read("language/mysetup.ini"), setup);
  EXPECT_FALSE(fs::exists(root_ / "Setting.ini"));

  ASSERT_TRUE(first.MarkFirstRunDone());
  EXPECT_EQ(Read("language/mysetup.ini"), "[language]\nIsFirstRun=0\ncomPort=3\ncomPortName=\n");
  const AppContext later = AppContext::Start(folders_, "en_US");
  EXPECT_FALSE(later.FirstRun());
  EXPECT_EQ(later.PortNumber(), 3);
}

TEST_F(AppContextTest, MissingOrBadSetupKeysGivePortZero) {
  for (const std::string_view content :
       {std::string_view(""), std::string_view("[language]\ncomPort=COM4\nIsFirstRun=yes\n"),
        std::string_view("[language]\ncomPort=99999\n")}) {
    Write("language/mysetup.ini", content);
    const AppContext context = AppContext::Start(folders_, "en_US");
    EXPECT_EQ(context.PortNumber(), 0) << content;
    EXPECT_FALSE(context.FirstRun()) << content;
    EXPECT_EQ(Read("language/mysetup.ini"), content);
  }
}

TEST_F(AppContextTest, ALargeSetupFileIsReadWholeAndKeptWholeWhenThePortIsSaved) {
  std::string setup = "[notes]\n";
  for (int line = 0; setup.size() < 100 * 1024; ++line) setup += "note" + std::to_string(line) + "=kept\n";
  setup += "[language]\nIsFirstRun=1\ncomPort=5\n";
  Write("language/mysetup.ini", setup);
  AppContext context = AppContext::Start(folders_, "en_US");
  EXPECT_EQ(context.PortNumber(), 5) << "the keys after the first 64 KiB count too";
  EXPECT_TRUE(context.FirstRun());
  context.SetPortNumber(6);
  ASSERT_TRUE(context.SavePortNumber());
  const std::string saved = Read("language/mysetup.ini");
  EXPECT_EQ(saved.substr(0, setup.find("[language]")), setup.substr(0, setup.find("[language]")));
  EXPECT_NE(saved.find("[language]\nIsFirstRun=1\ncomPort=6\n"), std::string::npos);
}

TEST_F(AppContextTest, ASetupFileThatCannotBeReadIsNeverWrittenOver) {
  fs::create_directories(root_ / "language" / "mysetup.ini");  // a folder where the file should be
  AppContext context = AppContext::Start(folders_, "en_US");
  EXPECT_EQ(context.PortNumber(), 0);
  context.SetPortNumber(4);
  EXPECT_FALSE(context.SavePortNumber());
  EXPECT_FALSE(context.MarkFirstRunDone());
  EXPECT_TRUE(fs::is_directory(root_ / "language" / "mysetup.ini"));
}

// The band templates may be missing: a new configuration comes from the other one or the defaults.
TEST_F(AppContextTest, DataFolderNamesTheLanguageFilesItLacks) {
  EXPECT_TRUE(MissingDataFiles(root_.Path()).empty()) << "no templates at all";
  fs::remove(root_ / "language/chinese.ini");
  EXPECT_EQ(MissingDataFiles(root_.Path()), (std::vector<fs::path>{"language/chinese.ini"}));
  fs::remove(root_ / "language/english.ini");
  EXPECT_EQ(MissingDataFiles(root_.Path()),
            (std::vector<fs::path>{"language/english.ini", "language/chinese.ini"}));
}

TEST_F(AppContextTest, FeatureWordsEnableTwoTone) {
  struct Case {
    std::string Bytes;
    bool Present;
    FeatureWords Words;
  };
  const Case cases[] = {
      {std::string("\x00\x00\x01\x00\x00\x00\x00\x00", 8), true, {0, 1, 0, 0}},
      {std::string("\x05\x00\x00\x00\x07\x00\xFF\xFF", 8), true, {5, 0, 7, -1}},
      {std::string("\x05\x00\x01", 3), true, {5, 1, 0, 0}},
      {"", false, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    fs::remove(root_ / "Setting.ini");
    if (c.Present) Write("Setting.ini", c.Bytes);
    const AppContext context = AppContext::Start(folders_, "en_US");
    EXPECT_EQ(context.Features(), c.Words);
    EXPECT_EQ(context.TwoToneEnabled(), c.Words[1] != 0);
  }
}

TEST_F(AppContextTest, FeatureWordsAreWrittenBackAsRead) {
  const std::string bytes("\x05\x00\x01\x00\x07\x00\xFF\xFF", 8);
  Write("Setting.ini", bytes);
  const AppContext context = AppContext::Start(folders_, "en_US");
  fs::remove(root_ / "Setting.ini");
  ASSERT_TRUE(context.SaveFeatureWords());
  EXPECT_EQ(Read("Setting.ini"), bytes);

  Write("Setting.ini", std::string(8, '\0') + "and what follows");
  ASSERT_TRUE(context.SaveFeatureWords());
  EXPECT_EQ(Read("Setting.ini"), bytes + "and what follows") << "a longer file keeps its tail";
}

TEST_F(AppContextTest, SettingsComeFromTheDataFolderUntilTheUserHasHisOwn) {
  const fs::path userFolder = root_ / "user";
  Write("language/mysetup.ini", "[language]\nIsFirstRun=1\ncomPort=2\n");
  AppContext context = AppContext::Start({root_.Path(), userFolder}, "en_US");
  EXPECT_TRUE(context.FirstRun());
  EXPECT_EQ(context.PortNumber(), 2);
  EXPECT_FALSE(fs::exists(userFolder)) << "start-up creates nothing";
  ASSERT_TRUE(context.MarkFirstRunDone());
  EXPECT_EQ(Read("language/mysetup.ini"), "[language]\nIsFirstRun=1\ncomPort=2\n")
      << "the installed file stays";
  EXPECT_EQ(ReadSetupSettings(SetupFilePath(userFolder)).PortNumber, 2);
  EXPECT_FALSE(AppContext::Start({root_.Path(), userFolder}, "en_US").FirstRun());
}

TEST_F(AppContextTest, UnwritableSettingsFolderDoesNotStopStartUp) {
  Write("language/mysetup.ini", "[language]\nIsFirstRun=1\ncomPort=2\n");
  Write("blocker", "a file where the settings folder should be");
  AppContext context = AppContext::Start({root_.Path(), root_ / "blocker"}, "en_US");
  EXPECT_EQ(context.PortNumber(), 2);
  EXPECT_FALSE(context.SaveFeatureWords());
  context.SetPortNumber(4);
  EXPECT_FALSE(context.SavePortNumber());
}

TEST_F(AppContextTest, PortIsKeptAsANumberForComPortsAndAsANameOtherwise) {
  struct Case {
    const char* Name;
    int Number;
    const char* Kept;
  };
  for (const Case& c : {Case{"COM3", 3, "COM3"}, Case{"/dev/ttyUSB0", 0, "/dev/ttyUSB0"},
                        Case{"virtual", 0, "virtual"}, Case{"COM", 0, "COM"}, Case{"COM3x", 0, "COM3x"}}) {
    AppContext context = AppContext::Start(folders_, "en_US");
    context.SetPortName(c.Name);
    ASSERT_TRUE(context.SavePortNumber());
    const AppContext next = AppContext::Start(folders_, "en_US");
    EXPECT_EQ(next.PortNumber(), c.Number) << c.Name;
    EXPECT_EQ(next.PortName(), c.Kept) << c.Name;
  }
}

}  // namespace
}  // namespace hvt
