#pragma once

// Saves of a configuration killed at random moments, and what each left in the folder.

#include <cstdint>
#include <filesystem>

namespace hvt {

enum class SaveWay { AnonymousFile, NamedFile };

struct SaveKillFigures {
  int Trials = 0;
  int Killed = 0;                   // the child, saving or about to exit, was still running at the kill
  int Completed = 0;                // the child had finished before it
  int Replaced = 0;                 // the target held the new contents afterwards
  int MixedOrMissing = 0;           // the target was neither whole content: never acceptable
  int HiddenLeft = 0;               // the save's hidden file was left, for the next save to remove
  int StrayLeft = 0;                // any other file left beside the target: never acceptable
  int StrayAfterNextSave = 0;       // anything left beside the target after the next save
  double MeanSaveMilliseconds = 0;  // a whole save in a child, uninterrupted
};

// Runs `trials` saves of a 45755-byte configuration over the one in `folder`/a.dat, alternating
// two contents that differ in every channel slot; each save runs in a child process that is
// SIGKILLed after a random delay of up to a little more than a whole save takes.
SaveKillFigures RunSaveKillTrials(const std::filesystem::path& folder, int trials, SaveWay way,
                                  std::uint32_t seed);

}  // namespace hvt
