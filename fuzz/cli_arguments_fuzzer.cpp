// The command line: words split from the input at newlines, run in a scratch folder that is made
// afresh for every input, with a fresh data folder as --home. Radio commands, which would open
// serial ports, and words naming other folders are left out. The tool must not crash and must
// write nowhere but its home and working folders.

#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/cli.h"
#include "files/commu_book_file.h"
#include "files/configuration_file.h"
#include "fuzz_support.h"
#include "model/codec_chain.h"
#include "model/commu_book.h"

namespace {

namespace fs = std::filesystem;

fs::path Home() { return hvt::fuzz::ScratchFolder() / "home"; }
fs::path Work() { return hvt::fuzz::ScratchFolder() / "work"; }
// HOME and the XDG folders point here; anything written here went outside the tool's folders.
fs::path UserFolders() { return hvt::fuzz::ScratchFolder() / "user"; }
fs::path Pristine() { return hvt::fuzz::ScratchFolder() / "pristine"; }

const fs::path& StartFolder() {
  static const fs::path folder = fs::current_path();
  return folder;
}

// Files the command lines can name: a configuration, a book, an image.
void MakePristineWorkFolder() {
  const fs::path folder = Pristine();
  fs::create_directories(folder);
  fs::copy_file(hvt::fuzz::DataFolder() / "Init" / "HVT7300_1.dat", folder / "a.dat");
  hvt::Configuration records;
  HVT_FUZZ_CHECK(hvt::ReadConfigurationFile(folder / "a.dat", records) == hvt::FileCheck::Ok);
  HVT_FUZZ_CHECK(hvt::SaveCommuBookFile(folder / "b.cb", records.Book) == hvt::CommuBookFileResult::Ok);
  hvt::RadioImage image;
  HVT_FUZZ_CHECK(!hvt::EncodeAll(records, image).has_value());
  const auto bytes = std::span<const std::uint8_t>(image.Bytes());
  static_cast<void>(hvt::fuzz::WriteScratchFile("pristine/c.bin", bytes));
}

void Recreate(const fs::path& folder, const fs::path& from) {
  // libFuzzer's timer signal interrupts a copy now and then; that is no finding of ours.
  for (;;) {
    std::error_code error;
    fs::remove_all(folder, error);
    fs::copy(from, folder, fs::copy_options::recursive, error);
    if (!error) return;
    HVT_FUZZ_CHECK(error == std::errc::interrupted);
  }
}

bool IsLeftOut(const std::string& word) {
  static const std::set<std::string_view> kRadioCommands = {"read", "write", "info", "ports", "sim"};
  return kRadioCommands.contains(word) || word == "--home" || word.find('/') != std::string::npos ||
         word.find("..") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static_cast<void>(StartFolder());
  const fs::path user = UserFolders();
  fs::create_directories(user);
  ::setenv("HOME", user.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (user / "config").c_str(), 1);
  ::setenv("XDG_DATA_HOME", (user / "data").c_str(), 1);
  ::setenv("XDG_CACHE_HOME", (user / "cache").c_str(), 1);
  ::setenv("TMPDIR", (user / "tmp").c_str(), 1);
  MakePristineWorkFolder();
  static int argc = 1;
  static std::array<char, 12> name = {"hvt7300-cli"};
  static std::array<char*, 2> argv = {name.data(), nullptr};
  static QCoreApplication application(argc, argv.data());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words = {"--home", Home().string()};
  std::string word;
  for (std::size_t i = 0; i <= size; ++i) {
    if (i < size && data[i] != '\n') {
      word += static_cast<char>(data[i]);
      continue;
    }
    if (!IsLeftOut(word)) words.push_back(word);
    word.clear();
  }

  Recreate(Home(), hvt::fuzz::DataFolder());
  Recreate(Work(), Pristine());
  HVT_FUZZ_CHECK(::chdir(Work().c_str()) == 0);
  std::ostringstream out;
  std::ostringstream err;
  const int exitCode = hvt::cli::Run(words, hvt::cli::Console{out, err});
  HVT_FUZZ_CHECK(exitCode >= 0 && exitCode < 128);
  // Back where the fuzzer reads its corpus from.
  HVT_FUZZ_CHECK(::chdir(StartFolder().c_str()) == 0);

  HVT_FUZZ_CHECK(fs::is_empty(UserFolders()));
  for (const auto& entry : fs::directory_iterator(hvt::fuzz::ScratchFolder())) {
    const fs::path name = entry.path().filename();
    HVT_FUZZ_CHECK(name == "home" || name == "work" || name == "user" || name == "pristine");
  }
  return 0;
}
