#include "model/option_codec.h"

#include <array>
#include <string_view>

#include "model/text.h"

namespace hvt {

namespace {

using FieldOf = std::int16_t& (*)(OptionSettings&);

struct ByteField {
  int Address;
  FieldOf Field;
};

// Fields kept one byte each, in the order of their addresses.
const std::array<ByteField, 25> kByteFields = {{
    {12800, [](OptionSettings& o) -> std::int16_t& { return o.KeyBeep; }},
    {12801, [](OptionSettings& o) -> std::int16_t& { return o.FrequencyStep; }},
    {12802, [](OptionSettings& o) -> std::int16_t& { return o.DisplayModeA; }},
    {12804, [](OptionSettings& o) -> std::int16_t& { return o.SquelchLevelA; }},
    {12805, [](OptionSettings& o) -> std::int16_t& { return o.SquelchLevelB; }},
    {12806, [](OptionSettings& o) -> std::int16_t& { return o.SpeakerVolume; }},
    {12807, [](OptionSettings& o) -> std::int16_t& { return o.PowerOnPasswordEnabled; }},
    {12808, [](OptionSettings& o) -> std::int16_t& { return o.ScanMode; }},
    {12809, [](OptionSettings& o) -> std::int16_t& { return o.ScanResumeTime; }},
    {12810, [](OptionSettings& o) -> std::int16_t& { return o.AutoPowerOn; }},
    {12811, [](OptionSettings& o) -> std::int16_t& { return o.MainSubDirection; }},
    {12812, [](OptionSettings& o) -> std::int16_t& { return o.ChannelSelect; }},
    {12813, [](OptionSettings& o) -> std::int16_t& { return o.BacklightBrightness; }},
    {12814, [](OptionSettings& o) -> std::int16_t& { return o.TimeOutTimer; }},
    {12815, [](OptionSettings& o) -> std::int16_t& { return o.AutoPowerOff; }},
    {12816, [](OptionSettings& o) -> std::int16_t& { return o.PilotTone; }},
    {12817, [](OptionSettings& o) -> std::int16_t& { return o.ScreenDirection; }},
    {12818, [](OptionSettings& o) -> std::int16_t& { return o.MicKeyBrightness; }},
    {12819, [](OptionSettings& o) -> std::int16_t& { return o.SpeakerSwitch; }},
    {12820, [](OptionSettings& o) -> std::int16_t& { return o.ShortcutKey[0]; }},
    {12821, [](OptionSettings& o) -> std::int16_t& { return o.ShortcutKey[1]; }},
    {12822, [](OptionSettings& o) -> std::int16_t& { return o.ShortcutKey[2]; }},
    {12823, [](OptionSettings& o) -> std::int16_t& { return o.ShortcutKey[3]; }},
    {12824, [](OptionSettings& o) -> std::int16_t& { return o.TailEliminationMode; }},
    {12825, [](OptionSettings& o) -> std::int16_t& { return o.TailEliminationFrequency; }},
}};

// Bits 0-5 of the flag byte.
const std::array<FieldOf, 6> kFlagBits = {
    [](OptionSettings& o) -> std::int16_t& { return o.KnobMode; },
    [](OptionSettings& o) -> std::int16_t& { return o.TrfEnable; },
    [](OptionSettings& o) -> std::int16_t& { return o.PowerOnResetAllowed; },
    [](OptionSettings& o) -> std::int16_t& { return o.NormalChannelStorage; },
    [](OptionSettings& o) -> std::int16_t& { return o.ChannelLock; },
    [](OptionSettings& o) -> std::int16_t& { return o.SqlKeyFunction; },
};

const std::array<std::pair<int, FieldOf>, 4> kWorkAreas = {{
    {12896, [](OptionSettings& o) -> std::int16_t& { return o.MemoryChannelA; }},
    {12897, [](OptionSettings& o) -> std::int16_t& { return o.WorkModeA; }},
    {12903, [](OptionSettings& o) -> std::int16_t& { return o.MemoryChannelB; }},
    {12904, [](OptionSettings& o) -> std::int16_t& { return o.WorkModeB; }},
}};

constexpr int kDisplayText = memory_map::kPowerOnText;
constexpr int kDisplayTextLength = 7;
constexpr int kDtmfSendTime = 12826;
constexpr int kFlags = 12827;
constexpr int kPassword = 12864;
constexpr int kPasswordLength = 6;
constexpr int kKeyFunctions = 12880;

bool PutByte(RadioImage& image, int address, int value) {
  if (value < 0 || value > 0xFF) return false;
  image[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(value);
  return true;
}

// Characters of the text from the left, the rest of the field filled with `fill`.
void PutText(RadioImage& image, int address, int length, std::string_view text, std::uint8_t fill) {
  for (int i = 0; i < length; ++i) {
    const auto index = static_cast<std::size_t>(i);
    image[static_cast<std::size_t>(address + i)] =
        index < text.size() ? static_cast<std::uint8_t>(text[index]) : fill;
  }
}

}  // namespace

bool SetCommDataByOption(const OptionSettings& options, std::int16_t dtmfSendTime, RadioImage& image,
                         AutoTestRecording* recording) {
  OptionSettings copy = options;
  PutText(image, kDisplayText, kDisplayTextLength, TextTrim(copy.PowerOnDisplayText.Raw()), 0x20);
  for (const ByteField& byte : kByteFields) {
    if (!PutByte(image, byte.Address, byte.Field(copy))) return false;
  }
  if (!PutByte(image, kDtmfSendTime, dtmfSendTime)) return false;
  int flags = 0;
  for (std::size_t bit = 0; bit < kFlagBits.size(); ++bit) flags += kFlagBits[bit](copy) << bit;
  if (!PutByte(image, kFlags, flags)) return false;
  PutText(image, kPassword, kPasswordLength, TextTrim(copy.PowerOnPassword.Raw()), 0x00);
  for (std::size_t k = 0; k < copy.KeyFunction.size(); ++k) {
    if (!PutByte(image, kKeyFunctions + static_cast<int>(k), copy.KeyFunction[k])) return false;
  }
  for (const auto& [address, field] : kWorkAreas) {
    if (!PutByte(image, address, field(copy))) return false;
  }
  if (recording != nullptr && recording->Records(AutoTestGroup::Options)) {
    recording->Blocks.MarkBlocks(kDisplayText, 16);
    recording->Blocks.MarkBlocks(memory_map::kOptionBlock, 112);
  }
  return true;
}

void GetCommDataByOption(const RadioImage& image, OptionSettings& options, std::int16_t& dtmfSendTime) {
  const auto byteAt = [&image](int address) -> std::int16_t {
    return image[static_cast<std::size_t>(address)];
  };

  std::string displayText;
  for (int i = 0; i < kDisplayTextLength; ++i) {
    displayText += NameByteToChar(image[static_cast<std::size_t>(kDisplayText + i)]);
  }
  options.PowerOnDisplayText = TextTrim(displayText);

  for (const ByteField& byte : kByteFields) byte.Field(options) = byteAt(byte.Address);
  dtmfSendTime = byteAt(kDtmfSendTime);
  const int flags = byteAt(kFlags);
  for (std::size_t bit = 0; bit < kFlagBits.size(); ++bit) {
    kFlagBits[bit](options) = static_cast<std::int16_t>(flags >> bit & 1);
  }

  std::string password;
  for (int j = 0; j < kPasswordLength; ++j) {
    const char c = static_cast<char>(image[static_cast<std::size_t>(kPassword + j)]);
    if (c < '0' || c > '9') break;
    password += c;
  }
  options.PowerOnPassword = TextTrim(password);

  for (std::size_t k = 0; k < options.KeyFunction.size(); ++k) {
    options.KeyFunction[k] = byteAt(kKeyFunctions + static_cast<int>(k));
  }
  for (const auto& [address, field] : kWorkAreas) field(options) = byteAt(address);
}

}  // namespace hvt
