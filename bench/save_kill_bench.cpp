// Kills saves half-way and counts what they leave: the target must always be one whole content,
// and nothing but the killed save's hidden file may be left, and that only until the next save.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "save_kill_trials.h"

int main(int argc, char** argv) {
  const int trials = argc > 1 ? std::atoi(argv[1]) : 1000;
  const std::filesystem::path folder =
      argc > 2 ? std::filesystem::path(argv[2])
               : std::filesystem::temp_directory_path() / ("hvt_save_kill_" + std::to_string(::getpid()));
  int failures = 0;
  for (const auto& [way, name] : {std::pair{hvt::SaveWay::AnonymousFile, "anonymous file (O_TMPFILE)"},
                                  std::pair{hvt::SaveWay::NamedFile, "named hidden file (fallback)"}}) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const hvt::SaveKillFigures f = hvt::RunSaveKillTrials(folder, trials, way, 7300);
    std::printf("%s in %s\n", name, folder.c_str());
    std::printf(
        "  trials %d: killed before the child exited %d, finished before the kill %d, target replaced %d\n",
        f.Trials, f.Killed, f.Completed, f.Replaced);
    std::printf("  mean uninterrupted save (child and all): %.2f ms\n", f.MeanSaveMilliseconds);
    std::printf("  mixed or missing targets: %d\n", f.MixedOrMissing);
    std::printf("  hidden temporary name left: %d\n", f.HiddenLeft);
    std::printf("  stray files left: %d\n", f.StrayLeft);
    std::printf("  stray files after the next save: %d\n", f.StrayAfterNextSave);
    if (f.Trials != trials || f.MixedOrMissing != 0 || f.StrayLeft != 0 || f.StrayAfterNextSave != 0)
      ++failures;
  }
  std::filesystem::remove_all(folder);
  return failures == 0 ? 0 : 1;
}
