#include "files/configuration_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "i18n/language.h"
#include "support/record_printer.h"
#include "support/rich_configuration.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),  // NOLINT
             static_cast<std::streamsize>(bytes.size()));
}

TEST(ConfigurationFile, LayoutPlacesTheCountInTheHeaderAndTheSlotsAtTheEnd) {
  Configuration configuration = RichConfiguration();
  configuration.Reserved = 0x1234;
  const auto bytes = ToFileBytes(configuration);
  ASSERT_EQ(bytes.size(), 45755U);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 14), std::string("HVT7300 \x01\x00V100", 14));
  EXPECT_EQ(bytes[6960], configuration.Channels.Count);
  EXPECT_EQ(bytes[6962], 0x34);
  EXPECT_EQ(bytes[6963], 0x12);
  EXPECT_EQ(bytes[8364], 0) << "the communication book's first number";
  EXPECT_EQ(bytes[10636], configuration.Channels.Entries[0].ChannelNumber) << "slot 0";
  const auto slot1Rx = bytes.begin() + 10636 + 173 + 6;
  EXPECT_EQ(std::string(slot1Rx, slot1Rx + 9), "014601250") << "slot 1's receive frequency text";
}

TEST(ConfigurationFile, SavedFilesReadBackByteForByte) {
  TempFolder folder;
  Configuration configuration = RichConfiguration();
  configuration.Channels.Entries[150].Name = "STALE";  // above the count, still kept
  configuration.Aux[3].Used = 1;
  ASSERT_EQ(WriteConfigurationFile(folder / "a.dat", configuration), FileCheck::Ok);

  Configuration read;
  ASSERT_EQ(ReadConfigurationFile(folder / "a.dat", read), FileCheck::Ok);
  EXPECT_EQ(read, configuration);
  ASSERT_EQ(WriteConfigurationFile(folder / "b.dat", read), FileCheck::Ok);
  EXPECT_EQ(ReadBytes(folder / "b.dat"), ReadBytes(folder / "a.dat"));
}

TEST(ConfigurationFile, ChecksRefuseAFileAndChangeNothing) {
  TempFolder folder;
  const auto good = ToFileBytes(Configuration{});
  const auto with = [&good](std::size_t offset, std::string_view text) {
    auto bytes = good;
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return bytes;
  };
  using namespace std::string_view_literals;
  struct Case {
    const char* What;
    std::vector<std::uint8_t> Bytes;
    FileCheck Expected;
  };
  const Case cases[] = {
      {"one byte short", std::vector<std::uint8_t>(good.begin(), good.end() - 1), FileCheck::FileDataError},
      {"one byte long",
       [&good] {
         auto b = good;
         b.push_back(0);
         return b;
       }(),
       FileCheck::FileDataError},
      {"empty", {}, FileCheck::FileDataError},
      {"model followed by NULs", with(0, "HVT7300\0"sv), FileCheck::Ok},
      {"model followed by a blank", with(0, "HVT7300 "sv), FileCheck::Ok},
      {"model cut short", with(0, "HVT730  "sv), FileCheck::ModelError},
      {"another model", with(0, "HVT7301 "sv), FileCheck::ModelError},
      {"another version", with(10, "V101"sv), FileCheck::VersionError},
      {"version followed by NUL", with(10, "V10\0"sv), FileCheck::VersionError},
      {"band variant 2", with(8, "\x02\x00"sv), FileCheck::FileDataError},
      {"band variant 0", with(8, "\x00\x00"sv), FileCheck::Ok},
      {"channel count 203", with(6960, "\xCB\x00"sv), FileCheck::Ok},
      {"channel count 204", with(6960, "\xCC\x00"sv), FileCheck::FileDataError},
      {"channel count 30000", with(6960, "\x30\x75"sv), FileCheck::FileDataError},
      {"channel count -1", with(6960, "\xFF\xFF"sv), FileCheck::FileDataError},
  };
  for (const Case& c : cases) {
    WriteBytes(folder / "f.dat", c.Bytes);
    Configuration into;
    into.Reserved = 77;
    EXPECT_EQ(ReadConfigurationFile(folder / "f.dat", into), c.Expected) << c.What;
    if (c.Expected != FileCheck::Ok) {
      EXPECT_EQ(into.Reserved, 77) << c.What;
    }
  }
  Configuration into;
  EXPECT_EQ(ReadConfigurationFile(folder / "missing.dat", into), FileCheck::FileError);
  EXPECT_EQ(ReadConfigurationFile(folder.Path(), into), FileCheck::FileError);
  WriteBytes(folder / "t.dat", with(0, "OTHER   "sv));
  EXPECT_EQ(ReadTemplateFile(folder / "t.dat", into), FileCheck::Ok) << "templates skip the model check";
  WriteBytes(folder / "t.dat", with(6960, "\x30\x75"sv));
  EXPECT_EQ(ReadTemplateFile(folder / "t.dat", into), FileCheck::FileDataError) << "not the channel count";
}

TEST(ConfigurationFile, FailedSaveKeepsTheOldFile) {
  TempFolder folder;
  const Configuration configuration = RichConfiguration();
  ASSERT_EQ(WriteConfigurationFile(folder / "keep.dat", configuration), FileCheck::Ok);
  const auto before = ReadBytes(folder / "keep.dat");
  EXPECT_EQ(WriteConfigurationFile(folder / "missing" / "x.dat", configuration), FileCheck::FileError);
  std::filesystem::create_directory(folder / "dir.dat");
  EXPECT_EQ(WriteConfigurationFile(folder / "dir.dat", configuration), FileCheck::FileError);
  EXPECT_EQ(ReadBytes(folder / "keep.dat"), before);
}

TEST(ConfigurationFile, MessagesOfTheChecks) {
  EXPECT_EQ(FileCheckMessage(FileCheck::FileDataError, kEnglish), "File Data Error!");
  EXPECT_EQ(FileCheckMessage(FileCheck::ModelError, kChinese), "Model Error!");
  EXPECT_EQ(FileCheckMessage(FileCheck::VersionError, kEnglish), "Version Error!");
  EXPECT_EQ(FileCheckMessage(FileCheck::FileError, kEnglish), "file error.");
  EXPECT_EQ(FileCheckMessage(FileCheck::FileError, kChinese), "文件错误。");
}

}  // namespace
}  // namespace hvt
