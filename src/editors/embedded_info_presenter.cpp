#include "editors/embedded_info_presenter.h"

#include <array>
#include <optional>

#include "i18n/built_in_texts.h"
#include "i18n/language.h"
#include "model/band.h"

namespace hvt {

namespace {

enum class Label {
  Title,
  AreaCode,
  ManufactureCode,
  UserCode,
  RadioType,
  Frequency,
  SerialNumber,
  ProductionDate,
  MaintenanceDate,
  RfFirmware,
  LcdFirmware,
  MaintenanceReason,
  DealerGroup,
  DealerCode,
  StockDate,
  SellDate,
  Seller,
};

struct LabelPair {
  Label Id;
  std::string_view English;
  std::string_view Chinese;
};

// The radio's own service vocabulary, kept word for word as dealers know it.
constexpr std::array kLabels = {
    LabelPair{Label::Title, "Embedded Message", "嵌入信息"},
    LabelPair{Label::AreaCode, "Area Code", "销售区号"},
    LabelPair{Label::ManufactureCode, "Manufacture Code", "生产批号"},
    LabelPair{Label::UserCode, "User Code", "客户代码"},
    LabelPair{Label::RadioType, "Radio Type", "机型"},
    LabelPair{Label::Frequency, "Frequency", "频段"},
    LabelPair{Label::SerialNumber, "Serial Number", "序列号"},
    LabelPair{Label::ProductionDate, "Producted Date", "出厂日期"},
    LabelPair{Label::MaintenanceDate, "Maintained Date", "维修日期"},
    LabelPair{Label::RfFirmware, "RF FW", "主板固件"},
    LabelPair{Label::LcdFirmware, "LCD FW", "LCD固件"},
    LabelPair{Label::MaintenanceReason, "Maintained", "维修原因"},
    LabelPair{Label::DealerGroup, "Dealer Information", "经销商信息"},
    LabelPair{Label::DealerCode, "Dealer Code", "经销商代码"},
    LabelPair{Label::StockDate, "Stock Date", "入库时间"},
    LabelPair{Label::SellDate, "Sell Date", "销售时间"},
    LabelPair{Label::Seller, "Seller", "经手人"},
};

static_assert(
    [] {
      for (std::size_t i = 0; i < kLabels.size(); ++i) {
        if (static_cast<std::size_t>(kLabels[i].Id) != i) return false;
      }
      return true;
    }(),
    "the labels are listed in the order of Label");

constexpr int kBandEntries = 3;

// The band variant's limits on two lines, UHF then VHF; empty for a band with no variant. A text
// box breaks lines at "\n".
std::string TwoLineBandText(int bandIndex) {
  std::string text = BandTextTwoLines(bandIndex);
  if (const auto lineEnd = text.find("\r\n"); lineEnd != std::string::npos) text.erase(lineEnd, 1);
  return text;
}

}  // namespace

EmbeddedInfoPresenter::EmbeddedInfoPresenter(const EmbeddedInfo& info, std::string_view modelTitle,
                                             int languageId) {
  const auto text = [languageId](Label label) {
    const LabelPair& pair = kLabels[static_cast<std::size_t>(label)];
    return std::string(languageId == kChinese ? pair.Chinese : pair.English);
  };
  const auto field = [&text](Label label, const std::string& value) {
    return LabelledText{text(label), value};
  };

  state_.Title = text(Label::Title);
  state_.AreaCode = field(Label::AreaCode, info.AreaCode);
  state_.ManufactureCode = field(Label::ManufactureCode, info.ManufactureCode);
  state_.UserCode = field(Label::UserCode, info.UserCode);

  state_.RadioType.Label = text(Label::RadioType);
  state_.RadioType.List = {.Entries = {{std::string(modelTitle), 0}}, .Selected = 0, .Enabled = false};

  state_.Band.Label = text(Label::Frequency);
  state_.Band.List.Enabled = false;
  for (int band = 0; band < kBandEntries; ++band) {
    state_.Band.List.Entries.push_back(
        {(languageId == kChinese ? "频段" : "Band ") + std::to_string(band + 1), band});
  }
  // A radio reporting a band this program does not know is shown as the first band.
  const int band = info.BandIndex >= 0 && info.BandIndex < kBandEntries ? info.BandIndex : 0;
  state_.Band.List.Selected = band;
  state_.BandText = TwoLineBandText(band);

  state_.SerialNumber = field(Label::SerialNumber, info.SerialNumber);
  state_.ProductionDate = field(Label::ProductionDate, info.ProductionDate);
  state_.MaintenanceDate = field(Label::MaintenanceDate, info.MaintenanceDate);
  state_.RfFirmware = field(Label::RfFirmware, info.RfFirmware);
  state_.LcdFirmware = field(Label::LcdFirmware, info.LcdFirmware);
  state_.MaintenanceReason = field(Label::MaintenanceReason, info.MaintenanceReason);
  state_.DealerGroup = text(Label::DealerGroup);
  state_.DealerCode = field(Label::DealerCode, info.DealerCode);
  state_.StockDate = field(Label::StockDate, info.StockDate);
  state_.SellDate = field(Label::SellDate, info.SellDate);
  state_.Seller = field(Label::Seller, info.Seller);
  state_.CloseButton = std::string(BuiltInTextOf(BuiltInText::CloseButton, languageId));
}

}  // namespace hvt
