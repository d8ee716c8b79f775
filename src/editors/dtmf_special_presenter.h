#pragma once

// The DTMF special-call window: an ANI code (called ID, separator, own ID) for the code box of
// the DTMF editor that had the focus last.

#include <string>
#include <string_view>

#include "editors/dtmf_presenter.h"
#include "editors/presenter.h"

namespace hvt {

class DtmfSpecialPresenter final : public DialogPresenter {
 public:
  static constexpr std::size_t kCalledIdDigits = 3;

  struct ViewState {
    std::string Title;
    std::string TypeLabel;
    std::string CalledIdLabel;
    std::string Ok;
    std::string Cancel;
    ChoiceList Type;  // "ANI" only
    TextField CalledId;
  };

  DtmfSpecialPresenter(DtmfPresenter& dtmf, Prompter& prompter);

  const ViewState& State() const { return state_; }

  // Digits, at most 3; leaving fills the ID up with zeros.
  std::string TypeCalledId(std::string_view typed);
  void LeaveCalledId();

  [[nodiscard]] bool Ok() override;

 private:
  DtmfPresenter& dtmf_;
  ViewState state_;
};

}  // namespace hvt
