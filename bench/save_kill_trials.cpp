#include "save_kill_trials.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "files/configuration_file.h"
#include "files/file_io.h"

namespace hvt {

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kTargetName = "a.dat";

Bytes ContentNamed(char letter) {
  Configuration configuration;
  for (std::size_t slot = 0; slot < configuration.Channels.Entries.size(); ++slot) {
    configuration.Channels.Entries[slot].Name = std::string(1, letter) + std::to_string(slot % 1000);
  }
  configuration.Reserved = letter;
  return ToFileBytes(configuration);
}

Bytes Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Save(const fs::path& path, const Bytes& bytes, SaveWay way) {
  return way == SaveWay::AnonymousFile ? WriteFileAtomically(path, bytes).Ok()
                                       : WriteFileAtomicallyThroughNamedFile(path, bytes).Ok();
}

// Starts a child that saves and exits; after `delay`, if given, it is killed if still running.
// True when the kill came first.
bool SaveInChild(const fs::path& path, const Bytes& bytes, SaveWay way,
                 std::optional<std::chrono::microseconds> delay) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(Save(path, bytes, way) ? 0 : 1);
  if (delay) {
    if (delay->count() > 0) std::this_thread::sleep_for(*delay);
    ::kill(child, SIGKILL);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// Names in the folder other than the target.
std::vector<std::string> OthersIn(const fs::path& folder) {
  std::vector<std::string> others;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != kTargetName) others.push_back(name);
  }
  return others;
}

}  // namespace

SaveKillFigures RunSaveKillTrials(const fs::path& folder, int trials, SaveWay way, std::uint32_t seed) {
  const fs::path target = folder / kTargetName;
  const Bytes contents[2] = {ContentNamed('A'), ContentNamed('B')};
  SaveKillFigures figures;
  if (!Save(target, contents[0], way)) return figures;

  // How long an uninterrupted save takes, child and all.
  constexpr int kCalibrationSaves = 20;
  const auto start = Clock::now();
  for (int i = 0; i < kCalibrationSaves; ++i) {
    SaveInChild(target, contents[i % 2], way, std::nullopt);
  }
  const auto whole =
      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start) / kCalibrationSaves;
  figures.MeanSaveMilliseconds = static_cast<double>(whole.count()) / 1000.0;
  Save(target, contents[0], way);

  std::mt19937 random(seed);
  std::uniform_int_distribution<long> delay(0, whole.count() * 5 / 4);
  for (int trial = 0; trial < trials; ++trial) {
    const Bytes& next = contents[(trial + 1) % 2];
    ++figures.Trials;
    if (SaveInChild(target, next, way, std::chrono::microseconds(delay(random)))) {
      ++figures.Killed;
    } else {
      ++figures.Completed;
    }
    const Bytes now = Contents(target);
    if (now == next) {
      ++figures.Replaced;
    } else if (now != contents[0] && now != contents[1]) {
      ++figures.MixedOrMissing;
    }
    bool leftSomething = false;
    for (const std::string& name : OthersIn(folder)) {
      leftSomething = true;
      ++(IsTemporaryNameFor(name, kTargetName, 255) ? figures.HiddenLeft : figures.StrayLeft);
    }
    if (leftSomething) {
      Save(target, now, way);
      figures.StrayAfterNextSave += static_cast<int>(OthersIn(folder).size());
    }
  }
  return figures;
}

}  // namespace hvt
