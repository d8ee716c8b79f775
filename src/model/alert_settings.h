#pragma once

// Emergency alarm and lone-worker settings; kept in configuration files only.

#include <cstdint>

#include "model/record.h"

namespace hvt {

struct AlertSettings {
  std::uint8_t AlarmType = 0;
  std::uint8_t IdCodeType = 0;  // 0 none, 1 DTMF, 2 5-tone
  std::uint8_t IdCode = 0;      // DTMF code number - 1, or 5-tone list position
  std::uint8_t AlarmTime = 0;   // seconds
  std::uint8_t TxTime = 0;
  std::uint8_t RxTime = 0;
  std::uint8_t EmergencyChannelMode = 0;
  std::uint8_t EmergencyChannel = 0;  // the channel number itself
  std::uint8_t Cycle = 0;
  std::uint8_t LoneWorker = 0;
  std::uint8_t PreAlertTime = 0;
  std::uint8_t LoneWorkerTime = 0;

  HVT_FIELDS(AlarmType, IdCodeType, IdCode, AlarmTime, TxTime, RxTime, EmergencyChannelMode, EmergencyChannel,
             Cycle, LoneWorker, PreAlertTime, LoneWorkerTime)

  bool operator==(const AlertSettings&) const = default;
};

static_assert(FileSize<AlertSettings>() == 12);

inline constexpr std::uint8_t kAlertIdFiveTone = 2;

constexpr AlertSettings NewAlertSettings() { return {.PreAlertTime = 1, .LoneWorkerTime = 5}; }

}  // namespace hvt
