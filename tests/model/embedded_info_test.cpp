#include "model/embedded_info.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "support/sequences.h"

namespace hvt {

void PrintTo(const EmbeddedInfo& info, std::ostream* os) {
  *os << "{BandIndex=" << info.BandIndex << " SerialNumber=" << info.SerialNumber
      << " ProductionDate=" << info.ProductionDate << " MaintenanceDate=" << info.MaintenanceDate
      << " MaintenanceReason=" << info.MaintenanceReason << " Version=" << info.Version
      << " Model=" << info.Model << " AreaCode=" << info.AreaCode
      << " ManufactureCode=" << info.ManufactureCode << " UserCode=" << info.UserCode
      << " DealerCode=" << info.DealerCode << " StockDate=" << info.StockDate << " SellDate=" << info.SellDate
      << " Seller=" << info.Seller << " RfFirmware=" << info.RfFirmware << " LcdFirmware=" << info.LcdFirmware
      << "}";
}

namespace {

using Bytes = std::vector<std::uint8_t>;

// An information block as an unprogrammed radio holds it (erased, 0xFF), with fields put in.
class InfoBlock {
 public:
  InfoBlock() { bytes_.fill(0xFF); }

  InfoBlock& Put(std::size_t offset, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    return *this;
  }
  InfoBlock& Put(std::size_t offset, std::string_view text) {
    return Put(offset, Bytes(text.begin(), text.end()));
  }

  EmbeddedInfo Decode() const { return DecodeEmbeddedInfo(bytes_); }

 private:
  std::array<std::uint8_t, kEmbeddedInfoSize> bytes_{};
};

const Bytes kChinese = {0xD6, 0xD0, 0xCE, 0xC4};  // "中文"

TEST(EmbeddedInfo, DecodesEveryFieldFromItsOffset) {
  InfoBlock block;
  block.Put(0, "HVT7300")
      .Put(7, "V100")
      .Put(11, {0x01, 0x05, 0x0A, 0x10, 0x02})
      .Put(16, "XXXX")  // not interpreted
      .Put(20, "001A")
      .Put(24, "PW99")  // the password
      .Put(28, "0086")
      .Put(32, "2024030500000001")
      .Put(48, std::string_view("2024-03-05\0", 11))
      .Put(64, "03-1-E-1")
      .Put(72, "YYYYYYYY")  // not interpreted
      .Put(80, std::string_view("2024-06-01  \0", 13))
      .Put(96, kChinese)
      .Put(100, Bytes{0x00})
      .Put(112, std::string_view("2024-04-01\0", 11))
      .Put(128, std::string_view("2024-04-02\0", 11))
      .Put(144, std::string_view("Li Si\0", 6))
      .Put(160, std::string_view("Display broken\0", 15));

  EmbeddedInfo expected;
  expected.Model = "HVT7300";
  expected.Version = "V1.00";
  expected.RfFirmware = "V1.05";
  expected.LcdFirmware = "VA.10";
  expected.BandIndex = 2;
  expected.UserCode = "001A";
  expected.AreaCode = "0086";
  expected.SerialNumber = "2024030500000001";
  expected.ProductionDate = "2024-03-05";
  expected.ManufactureCode = "03-1-E-1";
  expected.MaintenanceDate = "2024-06-01";
  expected.DealerCode = "中文";
  expected.StockDate = "2024-04-01";
  expected.SellDate = "2024-04-02";
  expected.Seller = "Li Si";
  expected.MaintenanceReason = "Display broken";
  EXPECT_EQ(block.Decode(), expected);
}

TEST(EmbeddedInfo, VersionGetsAPointAfterItsSecondCharacter) {
  struct Case {
    Bytes Raw;
    std::string Version;
  };
  // clang-format off
  const Case cases[] = {
      {{'V', '1', '0', '0'}, "V1.00"},
      {{0xFF, 0xFF, 0xFF, 0xFF}, "Error Version"},
      {{'V', 0x00, '1', '0'}, "Error Version"},  // ends at the NUL: one character
      {{' ', ' ', ' ', ' '}, "Error Version"},
      {{'V', '1', 0x00, 0x00}, "V1."},
      {{'V', '1', '2', ' '}, "V1.2"},
      {{'V', '1', 0xFF, '9'}, "V1."},  // 0xFF ends it too
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(InfoBlock().Put(7, c.Raw).Decode().Version, c.Version) << c.Version;
  }
}

TEST(EmbeddedInfo, FirmwareVersionsAreHexadecimal) {
  struct Case {
    std::uint8_t First;
    std::uint8_t Second;
    std::string Text;
  };
  for (const Case& c : {Case{0x01, 0x05, "V1.05"}, Case{0x0A, 0x10, "VA.10"}, Case{0x00, 0x00, "V0.00"},
                        Case{0xFF, 0x0F, "VFF.0F"}, Case{0x10, 0x99, "V10.99"}}) {
    const EmbeddedInfo info = InfoBlock().Put(11, {c.First, c.Second, c.First, c.Second}).Decode();
    EXPECT_EQ(info.RfFirmware, c.Text);
    EXPECT_EQ(info.LcdFirmware, c.Text);
  }
}

TEST(EmbeddedInfo, TextsEndWhereTheirKindSays) {
  const std::string bad = "\xEF\xBF\xBD";
  struct Case {
    const char* What;
    std::size_t Offset;
    Bytes Raw;
    std::string EmbeddedInfo::*Field;
    std::string Text;
  };
  const Case cases[] = {
      {"16 non-zero bytes are shown whole", 32, Bytes(16, '7'), &EmbeddedInfo::SerialNumber,
       std::string(16, '7')},
      {"a NUL at offset 40 ends the serial number",
       32,
       {'1', '2', '3', '4', '5', '6', '7', '8', 0x00, '9'},
       &EmbeddedInfo::SerialNumber,
       "12345678"},
      {"a code-page text does not end at 0xFF",
       144,
       {'A', 0xFF, 'B', 0x00},
       &EmbeddedInfo::Seller,
       "A" + bad + "B"},
      {"an erased code-page text shows as unreadable", 64, Bytes(8, 0xFF), &EmbeddedInfo::ManufactureCode,
       Repeat(bad, 8)},
      {"Chinese text after ASCII", 144, {'L', 'i', ' ', 0xD6, 0xD0, 0x00}, &EmbeddedInfo::Seller, "Li 中"},
      {"a Chinese character cut by the field end",
       64,
       {'A', 'B', 'C', 'D', 'E', 'F', 'G', 0xD6},
       &EmbeddedInfo::ManufactureCode,
       "ABCDEFG" + bad},
      {"a reason of 48 Chinese characters fills its 96 bytes", 160, Repeat(Bytes{0xD6, 0xD0}, 48),
       &EmbeddedInfo::MaintenanceReason, Repeat(std::string("中"), 48)},
      {"leading blanks stay, trailing ones go",
       96,
       {' ', 'D', '1', ' ', ' ', 0x00},
       &EmbeddedInfo::DealerCode,
       " D1"},
      {"a byte text ends at 0xFF", 20, {'0', '1', 0xFF, '2'}, &EmbeddedInfo::UserCode, "01"},
      {"a byte text ends at NUL", 28, {'8', 0x00, '6', '6'}, &EmbeddedInfo::AreaCode, "8"},
      {"a byte text keeps an odd byte as its own character",
       28,
       {'A', 0xE9, ' ', ' '},
       &EmbeddedInfo::AreaCode,
       "A\xC3\xA9"},
      {"the model name ends at NUL", 0, {'H', 'V', 'T', 0x00, '3', '0', '0'}, &EmbeddedInfo::Model, "HVT"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InfoBlock().Put(c.Offset, c.Raw).Decode().*c.Field, c.Text) << c.What;
  }
}

TEST(EmbeddedInfo, BandIndexIsTakenAsStored) {
  EXPECT_EQ(InfoBlock().Put(15, {0x07}).Decode().BandIndex, 7);
  EXPECT_EQ(InfoBlock().Put(15, {0xFF}).Decode().BandIndex, 255);
}

TEST(EmbeddedInfo, DefaultsAreMadeFromTheDate) {
  using namespace std::chrono;
  struct Case {
    year_month_day Today;
    std::string Serial;
    std::string Date;
    std::string ManufactureCode;
  };
  const Case cases[] = {
      {2024y / March / 5, "2024030500000001", "2024-03-05", "03-1-E-1"},
      {1999y / December / 31, "1999123100000001", "1999-12-31", "12-1-E-1"},
  };
  for (const Case& c : cases) {
    EmbeddedInfo expected;
    expected.BandIndex = 0;
    expected.SerialNumber = c.Serial;
    expected.ProductionDate = c.Date;
    expected.MaintenanceDate = c.Date;
    expected.StockDate = c.Date;
    expected.SellDate = c.Date;
    expected.ManufactureCode = c.ManufactureCode;
    expected.UserCode = "001A";
    expected.Version = "V1.00";
    expected.RfFirmware = "V1.00";
    expected.LcdFirmware = "V1.00";
    expected.Model = "HVT7300";
    EXPECT_EQ(EmbeddedInfoDefaults("HVT7300", c.Today), expected);
  }
}

}  // namespace
}  // namespace hvt
