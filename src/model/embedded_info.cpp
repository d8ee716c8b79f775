#include "model/embedded_info.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "model/gbk_text.h"
#include "model/text.h"

namespace hvt {

namespace {

using Block = std::span<const std::uint8_t, kEmbeddedInfoSize>;

// Each byte is its own character (Latin-1), so an odd byte still shows as something readable.
std::string Latin1ToUtf8(std::string_view text) {
  std::string out;
  for (char c : text) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

// The raw bytes up to the first 0x00 or 0xFF (erased memory), trimmed.
std::string ByteText(Block block, std::size_t offset, std::size_t size) {
  const auto range = block.subspan(offset, size);
  const auto end =
      std::find_if(range.begin(), range.end(), [](std::uint8_t b) { return b == 0x00 || b == 0xFF; });
  const std::string raw(range.begin(), end);
  return std::string(TextTrim(raw));
}

std::string CodePageText(Block block, std::size_t offset, std::size_t size) {
  const auto range = block.subspan(offset, size);
  const auto end = std::find(range.begin(), range.end(), std::uint8_t{0x00});
  const std::string text = GbkToUtf8(range.first(static_cast<std::size_t>(end - range.begin())));
  return std::string(TextTrim(text));
}

// "V100" reads "V1.00".
std::string VersionText(std::string_view raw) {
  if (raw.size() < 2) return "Error Version";
  return Latin1ToUtf8(raw.substr(0, 2)) + "." + Latin1ToUtf8(raw.substr(2));
}

// Major and minor as "V1.05"; 0x0A 0x10 reads "VA.10".
std::string FirmwareText(std::uint8_t first, std::uint8_t second) {
  std::string firstHex = ByteToHex(first);
  if (firstHex.front() == '0') firstHex.erase(0, 1);
  return "V" + firstHex + "." + ByteToHex(second);
}

std::string TwoDigits(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02u", value % 100U);
  return text;
}

std::string FourDigitYear(std::chrono::year year) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", static_cast<int>(year));
  return text;
}

}  // namespace

EmbeddedInfo DecodeEmbeddedInfo(Block block) {
  EmbeddedInfo info;
  info.Model = Latin1ToUtf8(ByteText(block, 0, 7));
  info.Version = VersionText(ByteText(block, 7, 4));
  info.RfFirmware = FirmwareText(block[11], block[12]);
  info.LcdFirmware = FirmwareText(block[13], block[14]);
  info.BandIndex = block[15];
  info.UserCode = Latin1ToUtf8(ByteText(block, 20, 4));
  info.AreaCode = Latin1ToUtf8(ByteText(block, 28, 4));
  info.SerialNumber = CodePageText(block, 32, 16);
  info.ProductionDate = CodePageText(block, 48, 16);
  info.ManufactureCode = CodePageText(block, 64, 8);
  info.MaintenanceDate = CodePageText(block, 80, 16);
  info.DealerCode = CodePageText(block, 96, 16);
  info.StockDate = CodePageText(block, 112, 16);
  info.SellDate = CodePageText(block, 128, 16);
  info.Seller = CodePageText(block, 144, 16);
  info.MaintenanceReason = CodePageText(block, 160, 96);
  return info;
}

EmbeddedInfo EmbeddedInfoDefaults(std::string_view modelName, std::chrono::year_month_day today) {
  const std::string year = FourDigitYear(today.year());
  const std::string month = TwoDigits(static_cast<unsigned>(today.month()));
  const std::string day = TwoDigits(static_cast<unsigned>(today.day()));
  const std::string date = year + "-" + month + "-" + day;

  EmbeddedInfo info;
  info.SerialNumber = year + month + day + "00000001";
  info.ProductionDate = date;
  info.MaintenanceDate = date;
  info.StockDate = date;
  info.SellDate = date;
  info.ManufactureCode = month + "-1-E-1";
  info.UserCode = "001A";
  info.Version = "V1.00";
  info.RfFirmware = "V1.00";
  info.LcdFirmware = "V1.00";
  info.Model = std::string(modelName);
  return info;
}

EmbeddedInfo EmbeddedInfoDefaults(std::string_view modelName) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::chrono::year_month_day today{std::chrono::year(local.tm_year + 1900),
                                          std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                          std::chrono::day(static_cast<unsigned>(local.tm_mday))};
  return EmbeddedInfoDefaults(modelName, today);
}

}  // namespace hvt
