#include "i18n/tone_tip_texts.h"

#include <array>

#include "i18n/language.h"

namespace hvt {

namespace {

struct ToneTipPair {
  std::int32_t Key;
  std::string_view English;
  std::string_view Chinese;
};

constexpr std::array kToneTipTexts = {
    ToneTipPair{10221, "&Roger Beep", "RB音(&R)"},
    ToneTipPair{12014, "Roger Beep", "RB音"},
    ToneTipPair{29000, "Roger Beep", "RB音"},
    ToneTipPair{29001, "RB Tone", "RB音"},
    ToneTipPair{29002, "Recycle Times", "循环次数"},
    ToneTipPair{29003, "Inter Time[ms]", "间隔时间[ms]"},
    ToneTipPair{29004, "Frequency[Hz]", "频率[Hz]"},
    ToneTipPair{29005, "Tone Long[ms]", "音长[ms]"},
    ToneTipPair{29006, "&Play", "播放(&P)"},
    ToneTipPair{29007, "&Stop", "停止(&S)"},
    ToneTipPair{29100, "First Tone", "第一个音"},
    ToneTipPair{29101, "Second Tone", "第二个音"},
    ToneTipPair{29102, "Third Tone", "第三个音"},
    ToneTipPair{29103, "Fourth Tone", "第四个音"},
    ToneTipPair{29104, "Fifth Tone", "第五个音"},
    ToneTipPair{29105, "Sixth Tone", "第六个音"},
    ToneTipPair{29106, "Seventh Tone", "第七个音"},
    ToneTipPair{29107, "Eighth Tone", "第八个音"},
    ToneTipPair{29108, "Ninth Tone", "第九个音"},
    ToneTipPair{29109, "Tenth Tone", "第十个音"},
    ToneTipPair{29110, "Eleventh Tone", "第十一个音"},
    ToneTipPair{29111, "Twelfth Tone", "第十二个音"},
    ToneTipPair{29112, "Thirteenth Tone", "第十三个音"},
    ToneTipPair{29113, "Fourteenth Tone", "第十四个音"},
    ToneTipPair{29200, "Off", "关"},
    ToneTipPair{29201, "None", "无"},
};

}  // namespace

std::string_view ToneTipText(std::int32_t key, int languageId) {
  for (const ToneTipPair& pair : kToneTipTexts) {
    if (pair.Key == key) return languageId == kChinese ? pair.Chinese : pair.English;
  }
  return {};
}

}  // namespace hvt
