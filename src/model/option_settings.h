#pragma once

// The radio's function options: beeps, squelch, scan, power-on and power-off behaviour, display,
// the two work areas, the programmable keys, the power-on password and display text.

#include <array>
#include <cstdint>

#include "model/fixed_text.h"
#include "model/record.h"

namespace hvt {

struct OptionSettings {
  std::int16_t KeyBeep = 0;
  std::int16_t FrequencyStep = 0;
  std::int16_t DisplayModeA = 0;
  std::int16_t DisplayModeB = 0;  // kept in files only
  std::int16_t SquelchLevelA = 0;
  std::int16_t SquelchLevelB = 0;
  std::int16_t SpeakerVolume = 0;
  std::int16_t PowerOnPasswordEnabled = 0;
  FixedText<6> PowerOnPassword;
  std::int16_t ScanMode = 0;
  std::int16_t ScanResumeTime = 0;
  std::int16_t AutoPowerOn = 0;
  std::int16_t MainSubDirection = 0;
  std::int16_t ChannelSelect = 0;
  std::int16_t BacklightBrightness = 0;
  std::int16_t TimeOutTimer = 0;
  std::int16_t AutoPowerOff = 0;
  std::int16_t PilotTone = 0;
  std::int16_t ScreenDirection = 0;
  std::int16_t MicKeyBrightness = 0;
  std::int16_t SpeakerSwitch = 0;
  std::array<std::int16_t, 4> ShortcutKey{};  // PA, PB, PC, PD
  std::int16_t TailEliminationMode = 0;
  std::int16_t TailEliminationFrequency = 0;
  std::int16_t KnobMode = 0;
  std::int16_t TrfEnable = 0;
  std::int16_t PowerOnResetAllowed = 0;
  std::int16_t NormalChannelStorage = 0;
  std::int16_t ChannelLock = 0;
  std::int16_t SqlKeyFunction = 0;
  std::array<std::int16_t, 12> KeyFunction{};  // P1-P6 in key mode 1, then in key mode 2
  std::int16_t MemoryChannelA = 0;             // channel number - 1
  std::int16_t WorkModeA = 0;
  std::int16_t MemoryChannelB = 0;
  std::int16_t WorkModeB = 0;
  FixedText<8> PowerOnDisplayText;
  std::array<std::int16_t, 50> Reserved{};

  HVT_FIELDS(KeyBeep, FrequencyStep, DisplayModeA, DisplayModeB, SquelchLevelA, SquelchLevelB, SpeakerVolume,
             PowerOnPasswordEnabled, PowerOnPassword, ScanMode, ScanResumeTime, AutoPowerOn, MainSubDirection,
             ChannelSelect, BacklightBrightness, TimeOutTimer, AutoPowerOff, PilotTone, ScreenDirection,
             MicKeyBrightness, SpeakerSwitch, ShortcutKey, TailEliminationMode, TailEliminationFrequency,
             KnobMode, TrfEnable, PowerOnResetAllowed, NormalChannelStorage, ChannelLock, SqlKeyFunction,
             KeyFunction, MemoryChannelA, WorkModeA, MemoryChannelB, WorkModeB, PowerOnDisplayText, Reserved)

  bool operator==(const OptionSettings&) const = default;
};

static_assert(FileSize<OptionSettings>() == 210);

// The values of a new configuration; Reserved keeps its content.
void ResetOptions(OptionSettings& options);

}  // namespace hvt
