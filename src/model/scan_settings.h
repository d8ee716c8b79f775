#pragma once

// Scan type, priority channels and delays; kept in configuration files only.

#include <cstdint>

#include "model/record.h"

namespace hvt {

struct ScanSettings {
  std::uint8_t ScanType = 0;
  std::uint8_t PriorityMode = 0;  // 0 none, 1 priority 1, 2 priority 2, 3 both
  std::uint8_t RevertChannel = 0;
  std::uint8_t ScanBackTimeA = 0;  // tenths of a second
  std::uint8_t ScanBackTimeB = 0;
  std::uint8_t RxResumeDelay = 0;
  std::uint8_t TxResumeDelay = 0;
  std::uint8_t Reserved7 = 0;
  std::uint8_t ScanEntryTone = 0;
  std::uint8_t Reserved9 = 0;
  std::uint8_t Reserved10 = 0;
  std::uint8_t Priority1Group1 = 0;  // channel number - 1
  std::uint8_t Reserved12 = 0;
  std::uint8_t Priority2Group1 = 0;
  std::uint8_t Priority1Group2 = 0;
  std::uint8_t Priority2Group2 = 0;
  std::uint8_t Priority1Group3 = 0;
  std::uint8_t Priority2Group3 = 0;

  HVT_FIELDS(ScanType, PriorityMode, RevertChannel, ScanBackTimeA, ScanBackTimeB, RxResumeDelay,
             TxResumeDelay, Reserved7, ScanEntryTone, Reserved9, Reserved10, Priority1Group1, Reserved12,
             Priority2Group1, Priority1Group2, Priority2Group2, Priority1Group3, Priority2Group3)

  bool operator==(const ScanSettings&) const = default;
};

static_assert(FileSize<ScanSettings>() == 18);

// Scan-back 2.0 s and 3.0 s, resume delays 3.1 s, priority 1 on channel 1 and 2 on channel 2.
constexpr ScanSettings NewScanSettings() {
  return {.ScanBackTimeA = 20,
          .ScanBackTimeB = 30,
          .RxResumeDelay = 31,
          .TxResumeDelay = 31,
          .Priority2Group1 = 1,
          .Priority2Group2 = 1,
          .Priority2Group3 = 1};
}

}  // namespace hvt
