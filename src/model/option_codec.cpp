#include "model/option_codec.h"

#include <array>
#include <string_view>

#include "model/packed_field.h"
#include "model/text.h"

namespace hvt {

namespace {

#define HVT_OPTION_BYTE(Field, Address) HVT_PACKED_FIELD(OptionSettings, Field, Address, 0, 8)
#define HVT_OPTION_FLAG(Field, Bit) HVT_PACKED_FIELD(OptionSettings, Field, kFlags, Bit, 1)

constexpr int kFlags = 12827;

// Every numeric field at its image address: one byte each, except the flags that share 12827.
const std::array<PackedField<OptionSettings>, 47> kLayout = {{
    HVT_OPTION_BYTE(KeyBeep, 12800),
    HVT_OPTION_BYTE(FrequencyStep, 12801),
    HVT_OPTION_BYTE(DisplayModeA, 12802),
    HVT_OPTION_BYTE(SquelchLevelA, 12804),
    HVT_OPTION_BYTE(SquelchLevelB, 12805),
    HVT_OPTION_BYTE(SpeakerVolume, 12806),
    HVT_OPTION_BYTE(PowerOnPasswordEnabled, 12807),
    HVT_OPTION_BYTE(ScanMode, 12808),
    HVT_OPTION_BYTE(ScanResumeTime, 12809),
    HVT_OPTION_BYTE(AutoPowerOn, 12810),
    HVT_OPTION_BYTE(MainSubDirection, 12811),
    HVT_OPTION_BYTE(ChannelSelect, 12812),
    HVT_OPTION_BYTE(BacklightBrightness, 12813),
    HVT_OPTION_BYTE(TimeOutTimer, 12814),
    HVT_OPTION_BYTE(AutoPowerOff, 12815),
    HVT_OPTION_BYTE(PilotTone, 12816),
    HVT_OPTION_BYTE(ScreenDirection, 12817),
    HVT_OPTION_BYTE(MicKeyBrightness, 12818),
    HVT_OPTION_BYTE(SpeakerSwitch, 12819),
    HVT_OPTION_BYTE(ShortcutKey[0], 12820),
    HVT_OPTION_BYTE(ShortcutKey[1], 12821),
    HVT_OPTION_BYTE(ShortcutKey[2], 12822),
    HVT_OPTION_BYTE(ShortcutKey[3], 12823),
    HVT_OPTION_BYTE(TailEliminationMode, 12824),
    HVT_OPTION_BYTE(TailEliminationFrequency, 12825),
    HVT_OPTION_FLAG(KnobMode, 0),
    HVT_OPTION_FLAG(TrfEnable, 1),
    HVT_OPTION_FLAG(PowerOnResetAllowed, 2),
    HVT_OPTION_FLAG(NormalChannelStorage, 3),
    HVT_OPTION_FLAG(ChannelLock, 4),
    HVT_OPTION_FLAG(SqlKeyFunction, 5),
    HVT_OPTION_BYTE(KeyFunction[0], 12880),
    HVT_OPTION_BYTE(KeyFunction[1], 12881),
    HVT_OPTION_BYTE(KeyFunction[2], 12882),
    HVT_OPTION_BYTE(KeyFunction[3], 12883),
    HVT_OPTION_BYTE(KeyFunction[4], 12884),
    HVT_OPTION_BYTE(KeyFunction[5], 12885),
    HVT_OPTION_BYTE(KeyFunction[6], 12886),
    HVT_OPTION_BYTE(KeyFunction[7], 12887),
    HVT_OPTION_BYTE(KeyFunction[8], 12888),
    HVT_OPTION_BYTE(KeyFunction[9], 12889),
    HVT_OPTION_BYTE(KeyFunction[10], 12890),
    HVT_OPTION_BYTE(KeyFunction[11], 12891),
    HVT_OPTION_BYTE(MemoryChannelA, 12896),
    HVT_OPTION_BYTE(WorkModeA, 12897),
    HVT_OPTION_BYTE(MemoryChannelB, 12903),
    HVT_OPTION_BYTE(WorkModeB, 12904),
}};

// The one DTMF setting that travels in the option block.
const std::array<PackedField<std::int16_t>, 1> kDtmfSendTimeLayout = {{
    {"DTMF SendTime", 12826, 0, 8, [](std::int16_t& sendTime) -> std::int16_t& { return sendTime; }},
}};

#undef HVT_OPTION_BYTE
#undef HVT_OPTION_FLAG

constexpr int kDisplayText = memory_map::kPowerOnText;
constexpr int kDisplayTextLength = 7;
constexpr int kPassword = 12864;
constexpr int kPasswordLength = 6;

// Characters of the text from the left, the rest of the field filled with `fill`.
void PutText(RadioImage& image, int address, int length, std::string_view text, std::uint8_t fill) {
  for (int i = 0; i < length; ++i) {
    const auto index = static_cast<std::size_t>(i);
    image[static_cast<std::size_t>(address + i)] =
        index < text.size() ? static_cast<std::uint8_t>(text[index]) : fill;
  }
}

}  // namespace

EncodeResult SetCommDataByOption(const OptionSettings& options, std::int16_t dtmfSendTime, RadioImage& image,
                                 AutoTestRecording* recording) {
  // Everything is checked before anything is written: a failing field leaves the image as it was.
  const PackedField<std::int16_t>& sendTime = kDtmfSendTimeLayout[0];
  if (!FitsBits(dtmfSendTime, sendTime.Width)) {
    return EncodeResult::Failure("options: " + Describe({sendTime.Name, dtmfSendTime, sendTime.Width}));
  }
  if (const auto unfit = PackFields(kLayout, options, image.Bytes())) {
    return EncodeResult::Failure("options: " + Describe(*unfit));
  }
  static_cast<void>(PackFields(kDtmfSendTimeLayout, dtmfSendTime, image.Bytes()));  // checked above
  PutText(image, kDisplayText, kDisplayTextLength, TextTrim(options.PowerOnDisplayText.Raw()), 0x20);
  PutText(image, kPassword, kPasswordLength, TextTrim(options.PowerOnPassword.Raw()), 0x00);
  if (recording != nullptr && recording->Records(AutoTestGroup::Options)) {
    recording->Blocks.MarkBlocks(kDisplayText, 16);
    recording->Blocks.MarkBlocks(memory_map::kOptionBlock, 112);
  }
  return EncodeResult::Success();
}

void GetCommDataByOption(const RadioImage& image, OptionSettings& options, std::int16_t& dtmfSendTime) {
  std::string displayText;
  for (int i = 0; i < kDisplayTextLength; ++i) {
    displayText += NameByteToChar(image[static_cast<std::size_t>(kDisplayText + i)]);
  }
  options.PowerOnDisplayText = TextTrim(displayText);

  UnpackFields(kLayout, image.Bytes(), options);
  UnpackFields(kDtmfSendTimeLayout, image.Bytes(), dtmfSendTime);

  std::string password;
  for (int j = 0; j < kPasswordLength; ++j) {
    const char c = static_cast<char>(image[static_cast<std::size_t>(kPassword + j)]);
    if (c < '0' || c > '9') break;
    password += c;
  }
  options.PowerOnPassword = TextTrim(password);
}

}  // namespace hvt
