#pragma once

// The radio's service information: production and sales data, firmware versions and band, kept in
// a 256-byte block beside its configuration. The program only reads and shows it.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace hvt {

inline constexpr int kEmbeddedInfoAddress = 0x3B00;       // radio addresses 15104-15359
inline constexpr int kSerialNumberBlockAddress = 0x3B20;  // the block holding the serial number
inline constexpr std::size_t kEmbeddedInfoSize = 256;

// Texts are UTF-8 and trimmed, as the window shows them. The record never goes into a file, so it
// keeps no blank padding; a 16-byte field holds at most 16 characters.
struct EmbeddedInfo {
  std::int16_t BandIndex = 0;  // 0-2 on a sound radio; the window shows others as the first band
  std::string SerialNumber;
  std::string ProductionDate;
  std::string MaintenanceDate;
  std::string MaintenanceReason;
  std::string Version;
  std::string Model;
  std::string AreaCode;
  std::string ManufactureCode;
  std::string UserCode;
  std::string DealerCode;
  std::string StockDate;
  std::string SellDate;
  std::string Seller;
  std::string RfFirmware;
  std::string LcdFirmware;

  bool operator==(const EmbeddedInfo&) const = default;
};

// Never fails: bytes that make no sense show as "Error Version" or U+FFFD. The password bytes
// (offsets 24-27) are deliberately left out.
EmbeddedInfo DecodeEmbeddedInfo(std::span<const std::uint8_t, kEmbeddedInfoSize> block);

// What the program shows before any radio has been read: a serial number and dates made from
// `today`, dates written as YYYY-MM-DD.
EmbeddedInfo EmbeddedInfoDefaults(std::string_view modelName, std::chrono::year_month_day today);
// The same for today's local date.
EmbeddedInfo EmbeddedInfoDefaults(std::string_view modelName);

}  // namespace hvt
