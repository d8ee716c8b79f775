#pragma once

// The special-call window of the 5-tone editor: builds a data message or an ANI code for a list
// entry or one of the PTT ID codes and hands it to the 5-tone editor.
//
// A data message is "E1", the called ID, "E" and the message's characters as pairs of
// hexadecimal digits; an ANI code is the called ID, the separator digit and the own ID (for a
// list entry "SelfID", which the editor turns into the own ID).

#include <string>
#include <string_view>

#include "editors/five_tone_presenter.h"
#include "editors/presenter.h"

namespace hvt {

class SpecialCallPresenter final : public DialogPresenter {
 public:
  enum class CallType { DataMessage = 0, Ani = 1 };
  static constexpr std::size_t kCalledIdLength = 5;
  static constexpr std::size_t kMessageLength = 8;

  struct ViewState {
    std::string Title;
    std::string TargetLabel;
    std::string TypeLabel;
    std::string CalledIdLabel;
    std::string MessageLabel;
    std::string SeparatorLabel;
    std::string DataFrameTitle;
    std::string AniFrameTitle;
    std::string Ok;
    std::string Cancel;

    ChoiceList Entry;  // values 0..99; shown for a list entry only
    ChoiceList Type;   // by CallType
    bool DataFrameVisible = true;
    TextField DataCalledId;
    TextField Message;
    bool AniFrameVisible = false;
    TextField AniCalledId;
    ChoiceList Separator;  // values 0..15
  };

  // `row` is the grid's current row (0..99), or a negative number when there is none.
  SpecialCallPresenter(FiveTonePresenter& fiveTone, SpecialTarget target, int row, Prompter& prompter);

  const ViewState& State() const { return state_; }

  void SelectEntry(int index);
  void SelectType(int index);
  void SelectSeparator(int index);
  std::string TypeCalledId(CallType call, std::string_view typed);
  // False, after the message, while the called ID is shorter than 5 characters.
  bool LeaveCalledId(CallType call);
  std::string TypeMessage(std::string_view typed);

  // Does nothing and keeps the window open until the called ID of the chosen type is complete.
  [[nodiscard]] bool Ok() override;

 private:
  TextField& CalledId(CallType call) {
    return call == CallType::Ani ? state_.AniCalledId : state_.DataCalledId;
  }

  FiveTonePresenter& fiveTone_;
  SpecialTarget target_;
  ViewState state_;
};

}  // namespace hvt
