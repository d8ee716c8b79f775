#include "link/block_contents.h"

#include <cstdio>

#include "i18n/fill_in.h"
#include "i18n/text_keys.h"
#include "model/channel_codes.h"
#include "model/radio_image.h"
#include "model/test_mode_data.h"

namespace hvt {

namespace {

constexpr std::size_t kListedBlocks = 20;

std::string Channel(int number, const LanguageTexts& texts) {
  if (number > kNormalChannelCount) return ChannelLabel(number);
  return FillIn(texts.BuiltIn(BuiltInText::BlockOfChannel), {std::to_string(number)});
}

}  // namespace

std::string BlockContents(std::int32_t address, const LanguageTexts& texts) {
  using namespace memory_map;
  const auto window = [&texts](std::int32_t key) { return texts.LanguageText(key); };
  if (address < 0) return {};
  if (address < kVfo1Slot) return Channel(address / kChannelSlotSize + 1, texts);
  if (address < kInUseBitmap) return Channel(address < kVfo2Slot ? kVfo1Channel : kVfo2Channel, texts);
  if (address < kPowerOnText) return window(text_key::ChannelListName);
  if (address < kDtmfSettings) return window(text_key::TreeOptions);  // the power-on text
  if (address < kFiveToneSettings) return window(text_key::TreeDtmf);
  if (address < kCommuBook) return window(text_key::TreeFiveTone);
  if (address < kFiveTonePresence) return window(text_key::TreeCommuBook);
  if (address < kUnwrittenGap) return window(text_key::TreeFiveTone);
  if (address < kOptionBlock) return {};
  if (address < kRtSlot) return window(text_key::TreeOptions);
  if (address < kImageSize) return Channel(kRtChannel, texts);
  if (address >= kTestDataAreaAddress && address < kTestDataAreaAddress + static_cast<int>(kTestDataAreaSize))
    return window(text_key::TreeTestData);
  return {};
}

std::string DescribeDifferingBlocks(std::span<const std::int32_t> blocks, const LanguageTexts& texts) {
  std::string text = FillIn(texts.BuiltIn(BuiltInText::BlocksDiffer), {std::to_string(blocks.size())});
  for (std::size_t i = 0; i < blocks.size() && i < kListedBlocks; ++i) {
    char address[8];
    std::snprintf(address, sizeof address, "0x%04X", static_cast<unsigned>(blocks[i]) & 0xFFFFU);
    text += "\n";
    text += address;
    if (const std::string contents = BlockContents(blocks[i], texts); !contents.empty())
      text += "  " + contents;
  }
  if (blocks.size() > kListedBlocks)
    text += "\n" +
            FillIn(texts.BuiltIn(BuiltInText::MoreBlocks), {std::to_string(blocks.size() - kListedBlocks)});
  return text;
}

}  // namespace hvt
