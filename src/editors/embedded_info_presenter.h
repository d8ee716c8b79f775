#pragma once

// The radio's service information as its window shows it: read-only, every label and the title
// carried by the program itself in English and Chinese.

#include <string>
#include <string_view>

#include "editors/presenter.h"
#include "model/embedded_info.h"

namespace hvt {

// A read-only box and the label in front of it.
struct LabelledText {
  std::string Label;
  std::string Text;

  bool operator==(const LabelledText&) const = default;
};

// A read-only list and the label in front of it.
struct LabelledChoice {
  std::string Label;
  ChoiceList List;

  bool operator==(const LabelledChoice&) const = default;
};

struct EmbeddedInfoViewState {
  std::string Title;
  LabelledText AreaCode;
  LabelledText ManufactureCode;
  LabelledText UserCode;
  LabelledChoice RadioType;  // one entry: the model title
  LabelledChoice Band;       // "Band 1".."Band 3"
  std::string BandText;      // two lines, "\n" between them; empty for the third band
  LabelledText SerialNumber;
  LabelledText ProductionDate;
  LabelledText MaintenanceDate;
  LabelledText RfFirmware;
  LabelledText LcdFirmware;
  LabelledText MaintenanceReason;
  std::string DealerGroup;
  LabelledText DealerCode;
  LabelledText StockDate;
  LabelledText SellDate;
  LabelledText Seller;
  std::string CloseButton;
};

// Nothing can be changed here, so there are no events: the view shows the state and closes.
class EmbeddedInfoPresenter {
 public:
  using ViewState = EmbeddedInfoViewState;

  EmbeddedInfoPresenter(const EmbeddedInfo& info, std::string_view modelTitle, int languageId);

  const ViewState& State() const { return state_; }

 private:
  ViewState state_;
};

}  // namespace hvt
