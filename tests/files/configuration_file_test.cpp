#include "files/configuration_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <random>

#include "i18n/language.h"
#include "support/file_bytes.h"
#include "support/record_printer.h"
#include "support/rich_configuration.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

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
  EXPECT_EQ(FileBytes(folder / "b.dat"), FileBytes(folder / "a.dat"));
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
    WriteFileBytes(folder / "f.dat", c.Bytes);
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
  WriteFileBytes(folder / "t.dat", with(0, "OTHER   "sv));
  EXPECT_EQ(ReadTemplateFile(folder / "t.dat", into), FileCheck::Ok) << "templates skip the model check";
  WriteFileBytes(folder / "t.dat", with(6960, "\x30\x75"sv));
  EXPECT_EQ(ReadTemplateFile(folder / "t.dat", into), FileCheck::FileDataError) << "not the channel count";
}

TEST(ConfigurationFile, FailedSaveKeepsTheOldFile) {
  TempFolder folder;
  const Configuration configuration = RichConfiguration();
  ASSERT_EQ(WriteConfigurationFile(folder / "keep.dat", configuration), FileCheck::Ok);
  const auto before = FileBytes(folder / "keep.dat");
  EXPECT_EQ(WriteConfigurationFile(folder / "missing" / "x.dat", configuration), FileCheck::FileError);
  std::filesystem::create_directory(folder / "dir.dat");
  EXPECT_EQ(WriteConfigurationFile(folder / "dir.dat", configuration), FileCheck::FileError);
  EXPECT_EQ(FileBytes(folder / "keep.dat"), before);
}

// Every entry of a folder with its bytes (or its kind), to show nothing was touched.
std::map<std::string, std::string> FolderState(const std::filesystem::path& folder) {
  std::map<std::string, std::string> state;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_symlink()) {
      state[name] = "link to " + std::filesystem::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      state[name] = FileText(entry.path());
    } else {
      state[name] = "other";
    }
  }
  return state;
}

TEST(ConfigurationFile, ABadFileToOpenEndsWithTheReasonAndChangesNothing) {
  TempFolder folder;
  const auto good = ToFileBytes(RichConfiguration());
  const auto withCount = [&good](std::uint8_t low, std::uint8_t high) {
    auto bytes = good;
    bytes[6960] = low;
    bytes[6961] = high;
    return bytes;
  };
  std::vector<std::uint8_t> random(good.size());
  std::mt19937 generator(5);
  for (auto& byte : random) byte = static_cast<std::uint8_t>(generator());
  random[0] = 0x01;  // makes the model field show a byte that is not printable
  WriteFileBytes(folder / "good.dat", good);
  WriteFileBytes(folder / "short.dat", std::vector<std::uint8_t>(good.begin(), good.end() - 1));
  WriteFileBytes(folder / "long.dat", std::vector<std::uint8_t>(100000, 0));
  WriteFileBytes(folder / "random.dat", random);
  WriteFileBytes(folder / "count.dat", withCount(0xCC, 0x00));
  auto band = good;
  band[8] = 2;
  WriteFileBytes(folder / "band.dat", band);
  std::filesystem::create_directory(folder / "folder.dat");
  ::mkfifo((folder / "pipe.dat").c_str(), 0644);
  std::filesystem::create_symlink("good.dat", folder / "link.dat");
  std::filesystem::create_symlink("gone.dat", folder / "dangling.dat");
  const std::string name255(251, 'n');
  WriteFileBytes(folder / (name255 + ".dat"), good);

  struct Case {
    std::filesystem::path Path;
    FileCheck Expected;
    std::string Message;  // the whole message, or its start when it ends with "..."
  };
  const auto at = [&folder](const std::string& name) { return (folder / name).string(); };
  const Case cases[] = {
      {folder / "missing.dat", FileCheck::FileError,
       "file error.\n" + at("missing.dat") + ": No such file or directory"},
      {folder / "folder.dat", FileCheck::FileError, "file error.\n" + at("folder.dat") + ": Is a directory"},
      {folder / "pipe.dat", FileCheck::FileError, "file error.\n" + at("pipe.dat") + ": not a regular file"},
      {"/dev/null", FileCheck::FileError, "file error.\n/dev/null: not a regular file"},
      {folder / "dangling.dat", FileCheck::FileError,
       "file error.\n" + at("dangling.dat") + ": No such file or directory"},
      {folder / "short.dat", FileCheck::FileDataError,
       "File Data Error!\n" + at("short.dat") + ": 45754 bytes, expected 45755"},
      {folder / "long.dat", FileCheck::FileDataError,
       "File Data Error!\n" + at("long.dat") + ": 100000 bytes, expected 45755"},
      {folder / "random.dat", FileCheck::ModelError, "Model Error!\n" + at("random.dat") + ": model \"?..."},
      {folder / "count.dat", FileCheck::FileDataError,
       "File Data Error!\n" + at("count.dat") + ": channel count 204, expected 0-203"},
      {folder / "band.dat", FileCheck::FileDataError,
       "File Data Error!\n" + at("band.dat") + ": band variant 2, expected 0 or 1"},
      {folder / "link.dat", FileCheck::Ok, ""},
      {folder / (name255 + ".dat"), FileCheck::Ok, ""},
  };
  const auto before = FolderState(folder.Path());
  for (const Case& c : cases) {
    Configuration into;
    into.Reserved = 77;
    const FileCheckResult result = ReadConfigurationFile(c.Path, into);
    EXPECT_EQ(result.Check, c.Expected) << c.Path;
    const std::string message = FileCheckMessage(result, kEnglish);
    if (c.Message.ends_with("...")) {
      EXPECT_EQ(message.substr(0, c.Message.size() - 3), c.Message.substr(0, c.Message.size() - 3));
      EXPECT_EQ(message.find_first_of("\r\t\x01"), std::string::npos) << "shown bytes are printable";
    } else {
      EXPECT_EQ(message, c.Message);
    }
    if (c.Expected != FileCheck::Ok) {
      EXPECT_EQ(into.Reserved, 77) << c.Path;
    }
  }
  EXPECT_EQ(FolderState(folder.Path()), before);
}

TEST(ConfigurationFile, ABadPlaceToSaveEndsWithTheReasonAndHarmsNothing) {
  TempFolder folder;
  const Configuration configuration = RichConfiguration();
  WriteFileBytes(folder / "old.dat", std::vector<std::uint8_t>(45755, 1));
  std::filesystem::create_directory(folder / "folder.dat");
  ::mkfifo((folder / "pipe.dat").c_str(), 0644);
  std::filesystem::create_symlink("old.dat", folder / "link.dat");
  const auto at = [&folder](const std::string& name) { return (folder / name).string(); };
  struct Case {
    std::filesystem::path Path;
    std::string Message;
  };
  const Case cases[] = {
      {"/dev/full", "file error.\n/dev/full: not a regular file"},
      {"/dev/null", "file error.\n/dev/null: not a regular file"},
      {folder / "pipe.dat", "file error.\n" + at("pipe.dat") + ": not a regular file"},
      {folder / "folder.dat", "file error.\n" + at("folder.dat") + ": Is a directory"},
      {folder / "no" / "x.dat", "file error.\n" + at("no/x.dat") + ": No such file or directory"},
      {folder / std::string(256, 'n'), "file error.\n" + at(std::string(256, 'n')) + ": File name too long"},
  };
  const auto before = FolderState(folder.Path());
  for (const Case& c : cases) {
    const FileCheckResult result = WriteConfigurationFile(c.Path, configuration);
    EXPECT_EQ(result.Check, FileCheck::FileError) << c.Path;
    EXPECT_EQ(FileCheckMessage(result, kChinese), "文件错误。" + c.Message.substr(c.Message.find('\n')));
    EXPECT_EQ(FileCheckMessage(result, kEnglish), c.Message);
  }
  EXPECT_EQ(FolderState(folder.Path()), before);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));

  // Through a link: the file it names is replaced, the link stays.
  ASSERT_EQ(WriteConfigurationFile(folder / "link.dat", configuration), FileCheck::Ok);
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.dat"));
  EXPECT_EQ(FileBytes(folder / "old.dat"), ToFileBytes(configuration));
  for (const std::size_t length : {240U, 255U}) {
    const std::string name = std::string(length - 4, 'n') + ".dat";
    ASSERT_EQ(WriteConfigurationFile(folder / name, configuration), FileCheck::Ok) << length;
    ASSERT_EQ(WriteConfigurationFile(folder / name, configuration), FileCheck::Ok) << length;
    std::filesystem::remove(folder / name);
  }
  EXPECT_EQ(FolderState(folder.Path()).size(), before.size()) << "no temporary file stays";
}

TEST(ConfigurationFile, MessagesOfTheChecks) {
  EXPECT_EQ(FileCheckMessage(FileCheck::FileDataError, kEnglish), "File Data Error!");
  EXPECT_EQ(FileCheckMessage(FileCheck::ModelError, kChinese), "Model Error!");
  EXPECT_EQ(FileCheckMessage(FileCheck::VersionError, kEnglish), "Version Error!");
  EXPECT_EQ(FileCheckMessage(FileCheck::FileError, kEnglish), "file error.");
  EXPECT_EQ(FileCheckMessage(FileCheck::FileError, kChinese), "文件错误。");
  EXPECT_EQ(FileCheckMessage(
                FileCheckResult{FileCheck::FileDataError, "/x/a.dat: 45754 bytes, expected 45755"}, kEnglish),
            "File Data Error!\n/x/a.dat: 45754 bytes, expected 45755");
  EXPECT_EQ(FileCheckMessage(FileCheckResult{}, kEnglish), "");
}

}  // namespace
}  // namespace hvt
