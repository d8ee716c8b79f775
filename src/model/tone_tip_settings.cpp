#include "model/tone_tip_settings.h"

#include <initializer_list>

namespace hvt {

namespace {

struct ToneInHz {
  int Hz;
  int Ms;
};

void WriteSet(ToneTipSet& set, std::initializer_list<ToneInHz> tones) {
  std::size_t index = 0;
  for (const ToneInHz& tone : tones) {
    set.Tones[index].Frequency = static_cast<std::int16_t>(tone.Hz / 10);
    set.Tones[index].ToneLong = static_cast<std::int16_t>(tone.Ms / 10);
    ++index;
  }
  set.RecycleTimes = 1;
  set.InterTime = 0;
}

}  // namespace

void ResetToneTips(ToneTipSettings& settings) {
  auto& sets = settings.Sets;
  WriteSet(sets[0], {{2100, 100}, {0, 100}, {2100, 100}, {0, 100}, {2100, 100}, {0, 100}, {2100, 100}});
  WriteSet(sets[1], {{800, 40},
                     {0, 40},
                     {800, 40},
                     {0, 40},
                     {800, 40},
                     {0, 40},
                     {800, 40},
                     {0, 40},
                     {800, 40},
                     {0, 40},
                     {800, 40},
                     {0, 40},
                     {800, 40},
                     {0, 40}});
  WriteSet(sets[2], {{1700, 30}, {900, 30}, {1700, 30}, {900, 30}, {1700, 30}, {900, 30}, {1700, 30}});
  WriteSet(sets[3], {{640, 60}, {940, 60}, {1340, 60}, {1630, 60}, {1920, 60}});
  WriteSet(sets[4], {{1500, 200}, {700, 200}, {1500, 200}, {700, 200}, {1500, 200}, {700, 200}});
}

}  // namespace hvt
