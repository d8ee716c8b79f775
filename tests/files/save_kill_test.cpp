#include <gtest/gtest.h>

#include "save_kill_trials.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

// The short version of hvt_save_kill_bench.
TEST(SaveKill, AKilledSaveLeavesOneWholeContentAndNothingTheNextSaveKeeps) {
  for (const SaveWay way : {SaveWay::AnonymousFile, SaveWay::NamedFile}) {
    TempFolder folder;
    const SaveKillFigures f = RunSaveKillTrials(folder.Path(), 30, way, 1);
    const int w = static_cast<int>(way);
    EXPECT_EQ(f.Trials, 30) << w;
    EXPECT_GT(f.Killed, 0) << w << ": no save was interrupted";
    EXPECT_EQ(f.MixedOrMissing, 0) << w;
    EXPECT_EQ(f.StrayLeft, 0) << w;
    EXPECT_EQ(f.StrayAfterNextSave, 0) << w;
  }
}

}  // namespace
}  // namespace hvt
