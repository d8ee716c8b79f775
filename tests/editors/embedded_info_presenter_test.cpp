#include "editors/embedded_info_presenter.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "i18n/language.h"

namespace hvt {
namespace {

EmbeddedInfo Sample() {
  EmbeddedInfo info;
  info.BandIndex = 1;
  info.SerialNumber = "SN-0001";
  info.ProductionDate = "2024-03-01";
  info.MaintenanceDate = "2025-01-15";
  info.MaintenanceReason = "Replaced the antenna socket";
  info.Version = "V1.00";
  info.Model = "HVT7300";
  info.AreaCode = "A01";
  info.ManufactureCode = "M2024";
  info.UserCode = "U7";
  info.DealerCode = "D-77";
  info.StockDate = "2024-04-02";
  info.SellDate = "2024-05-03";
  info.Seller = "王五";
  info.RfFirmware = "V1.05";
  info.LcdFirmware = "VA.10";
  return info;
}

// Every labelled box of the window, in the order the window shows them.
std::vector<LabelledText> Boxes(const EmbeddedInfoViewState& state) {
  return {state.AreaCode,     state.ManufactureCode, state.UserCode,
          state.SerialNumber, state.ProductionDate,  state.MaintenanceDate,
          state.RfFirmware,   state.LcdFirmware,     state.MaintenanceReason,
          state.DealerCode,   state.StockDate,       state.SellDate,
          state.Seller};
}

TEST(EmbeddedInfoPresenter, ShowsEachFieldUnderItsLabelInBothLanguages) {
  struct Case {
    int Language;
    std::string Title;
    std::vector<std::string> Labels;
    std::string RadioType, Frequency, DealerGroup, Close;
  };
  const std::vector<Case> cases = {
      {kEnglish,
       "Embedded Message",
       {"Area Code", "Manufacture Code", "User Code", "Serial Number", "Producted Date", "Maintained Date",
        "RF FW", "LCD FW", "Maintained", "Dealer Code", "Stock Date", "Sell Date", "Seller"},
       "Radio Type",
       "Frequency",
       "Dealer Information",
       "&Close"},
      {kChinese,
       "嵌入信息",
       {"销售区号", "生产批号", "客户代码", "序列号", "出厂日期", "维修日期", "主板固件", "LCD固件",
        "维修原因", "经销商代码", "入库时间", "销售时间", "经手人"},
       "机型",
       "频段",
       "经销商信息",
       "关闭(&C)"},
  };
  const std::vector<std::string> values = {"A01",     "M2024",      "U7",
                                           "SN-0001", "2024-03-01", "2025-01-15",
                                           "V1.05",   "VA.10",      "Replaced the antenna socket",
                                           "D-77",    "2024-04-02", "2024-05-03",
                                           "王五"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Language);
    const EmbeddedInfoPresenter presenter(Sample(), "HVT7300", c.Language);
    const EmbeddedInfoViewState& state = presenter.State();
    EXPECT_EQ(state.Title, c.Title);
    const std::vector<LabelledText> boxes = Boxes(state);
    ASSERT_EQ(boxes.size(), c.Labels.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_EQ(boxes[i].Label, c.Labels[i]);
      EXPECT_EQ(boxes[i].Text, values[i]) << c.Labels[i];
    }
    EXPECT_EQ(state.RadioType.Label, c.RadioType);
    EXPECT_EQ(state.Band.Label, c.Frequency);
    EXPECT_EQ(state.DealerGroup, c.DealerGroup);
    EXPECT_EQ(state.CloseButton, c.Close);
  }
}

TEST(EmbeddedInfoPresenter, ListsHoldTheModelTitleAndTheThreeBandsAndCannotBeChanged) {
  const EmbeddedInfoPresenter presenter(Sample(), "HVT7300", kChinese);
  const EmbeddedInfoViewState& state = presenter.State();
  EXPECT_EQ(state.RadioType.List.Entries, (std::vector<ListEntry>{{"HVT7300", 0}}));
  EXPECT_EQ(state.RadioType.List.Selected, 0);
  EXPECT_EQ(state.Band.List.Entries, (std::vector<ListEntry>{{"频段1", 0}, {"频段2", 1}, {"频段3", 2}}));
  EXPECT_EQ(EmbeddedInfoPresenter(Sample(), "HVT7300", kEnglish).State().Band.List.Entries,
            (std::vector<ListEntry>{{"Band 1", 0}, {"Band 2", 1}, {"Band 3", 2}}));
  EXPECT_FALSE(state.RadioType.List.Enabled);
  EXPECT_FALSE(state.Band.List.Enabled);
}

TEST(EmbeddedInfoPresenter, BandIndexSelectsItsEntryAndTwoLineText) {
  const std::string restricted =
      "UHF{Rx(400 - 490 MHz) Tx(420 - 450 MHz)}\nVHF{Rx(136 - 174 MHz) Tx(144 - 148 MHz)}";
  const std::string full =
      "UHF{Rx(400 - 490 MHz) Tx(400 - 490 MHz)}\nVHF{Rx(136 - 174 MHz) Tx(136 - 174 MHz)}";
  struct Case {
    std::int16_t BandIndex;
    int Selected;
    std::string Text;
  };
  const std::array cases = {
      Case{0, 0, restricted},  Case{1, 1, full}, Case{2, 2, ""},
      Case{7, 0, restricted},  // a band this program does not know shows as the first
      Case{-1, 0, restricted},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.BandIndex);
    EmbeddedInfo info = Sample();
    info.BandIndex = c.BandIndex;
    const EmbeddedInfoPresenter presenter(info, "HVT7300", kEnglish);
    EXPECT_EQ(presenter.State().Band.List.Selected, c.Selected);
    EXPECT_EQ(presenter.State().BandText, c.Text);
  }
}

// What the radio keeps but the window must not show: the decoded model and version, and the
// password, which the decoder already leaves out.
TEST(EmbeddedInfoPresenter, ShowsADecodedBlockWithoutItsVersionOrPassword) {
  std::array<std::uint8_t, kEmbeddedInfoSize> block{};
  block.fill(0xFF);
  const auto put = [&block](std::size_t offset, std::string_view text) {
    std::copy(text.begin(), text.end(), block.begin() + static_cast<std::ptrdiff_t>(offset));
  };
  put(0, "RADIO-X");
  put(24, "9876");  // password
  put(32, "ABCDEFGH");
  block[40] = 0x00;  // the serial number ends after 8 characters
  put(48, std::string(16, '\0'));
  put(64, std::string(8, '\0'));
  for (std::size_t offset = 80; offset < kEmbeddedInfoSize; ++offset) block[offset] = 0x00;
  block[15] = 2;

  const EmbeddedInfo info = DecodeEmbeddedInfo(block);
  ASSERT_EQ(info.Version, "Error Version");
  const EmbeddedInfoPresenter presenter(info, "HVT7300", kEnglish);
  const EmbeddedInfoViewState& state = presenter.State();
  EXPECT_EQ(state.SerialNumber.Text, "ABCDEFGH");
  EXPECT_EQ(state.RadioType.List.Entries.at(0).Text, "HVT7300") << "the model title, not the radio's name";
  EXPECT_EQ(state.Band.List.Selected, 2);
  for (const LabelledText& box : Boxes(state)) {
    EXPECT_EQ(box.Text.find("9876"), std::string::npos) << box.Label;
    EXPECT_EQ(box.Text.find("Error Version"), std::string::npos) << box.Label;
    EXPECT_EQ(box.Text.find("RADIO-X"), std::string::npos) << box.Label;
  }
}

}  // namespace
}  // namespace hvt
