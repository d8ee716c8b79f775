#pragma once

// The 5-tone editor: the general 5-tone settings, the own ID, the two PTT ID codes, the eight
// decode info codes and the 100-entry code list, on a working copy of the 5-tone settings.
//
// The list is a grid read cell by cell (CellText) and edited cell by cell as a table's delegate
// would: a code or name is typed through FilterCellText and stored by SetCellText, a tone set or
// tone length is chosen from CellChoices and stored by SetCellChoice. Special codes (data
// messages, ANI codes) come from the special-call window through ApplySpecialCall and are left
// alone by the code cell until ResetSpecialCall clears them.
//
// OK stores what the boxes show, refuses an own ID that is not 5 digits and info codes whose
// kill, stun and wake functions cannot work, then writes back and moves channels and the alert
// off entries that are now empty.

#include <array>
#include <string>
#include <string_view>

#include "editors/presenter.h"
#include "i18n/language_texts.h"
#include "model/configuration.h"

namespace hvt {

enum class FiveToneList {
  Standard,
  DecodeResponse,
  ToneLength,
  IntervalA,
  TenthsTime,
  IntervalB,
  OptionalValue,
  FirstDigitDelay,
  PauseCode,
  PauseTime,
};
inline constexpr std::size_t kFiveToneListCount = static_cast<std::size_t>(FiveToneList::PauseTime) + 1;

// Who the special-call window makes a code for.
enum class SpecialTarget { ListEntry, PttIdBegin, PttIdEnd };

class FiveTonePresenter final : public DialogPresenter {
 public:
  enum Column {
    kNumberColumn = 0,
    kTypeColumn = 1,
    kCodeColumn = 2,
    kToneSetColumn = 3,
    kToneLengthColumn = 4,
    kNameColumn = 5,  // kept in the record, not shown
  };
  static constexpr int kColumnCount = 6;
  static constexpr std::size_t kOwnIdDigits = 5;
  static constexpr std::size_t kListCodeDigits = 40;
  static constexpr std::size_t kPttIdCodeDigits = 24;
  static constexpr std::size_t kNameLength = 7;

  struct PttIdState {
    std::string Caption;
    TextField Code;
    ChoiceList Standard;
    ChoiceList ToneLength;
  };

  // Every entry's value is what the record stores for it: 10 ms units, tenths of a second, the
  // pause digit's value, a tone-set index, milliseconds for tone lengths.
  struct ViewState {
    std::string Title;
    std::string OwnIdLabel;
    std::array<std::string, kFiveToneListCount> ListLabels;
    std::string SideToneLabel;
    std::string CodeLabel;
    std::string ToneLengthLabel;
    std::string SpecialCallText;
    std::string DataMessageText;  // the longest type a row shows
    std::string InfoNumberLabel;
    std::string InfoFunctionLabel;
    std::string InfoResponseLabel;
    std::string InfoCodeLabel;
    std::string InfoNameLabel;
    std::array<std::string, kColumnCount> Headers;
    std::string Ok;
    std::string Cancel;

    TextField OwnId;
    std::array<ChoiceList, kFiveToneListCount> Lists;  // by FiveToneList
    CheckField SideTone;
    std::array<PttIdState, 2> PttIds;  // begin, end

    std::string InfoFrameTitle;
    ChoiceList InfoNumber;  // values 1..8
    ChoiceList InfoFunction;
    ChoiceList InfoResponse;
    TextField InfoCode;
    TextField InfoName;

    std::string ToneSetDescription;  // lines separated by "\r\n"
  };

  FiveTonePresenter(Configuration& configuration, const LanguageTexts& texts, Prompter& prompter);

  const ViewState& State() const { return state_; }
  const FiveToneSettings& WorkingCopy() const { return working_; }
  const LanguageTexts& Texts() const { return texts_; }

  // Events on a disabled list, and indexes outside the list, are ignored.
  void SelectEntry(FiveToneList list, int index);
  void SetSideTone(bool checked);

  // Each Type... keeps what its box accepts of the typed text, stores it in the state and answers
  // it, so the view can put it back when it differs.
  std::string TypeOwnId(std::string_view typed);
  // False, after the message, while the own ID is shorter than 5 digits: the focus goes back.
  // Otherwise codes that carried the previous own ID are moved to the new one.
  bool LeaveOwnId();

  std::string TypePttIdCode(int which, std::string_view typed);
  void LeavePttIdCode(int which);
  void SelectPttIdStandard(int which, int index);
  void SelectPttIdToneLength(int which, int index);

  void SelectInfoNumber(int index);
  void SelectInfoFunction(int index);
  void SelectInfoResponse(int index);
  std::string TypeInfoCode(std::string_view typed);
  std::string TypeInfoName(std::string_view typed);

  // The grid: rows 0..99 are list entries 1..100.
  std::string CellText(int row, int column) const;
  bool CanEditCell(int row, int column) const;
  std::string FilterCellText(int column, std::string_view typed) const;
  void SetCellText(int row, int column, std::string_view text);
  // The tone-set or tone-length choices a cell's box offers, showing the cell's value.
  ChoiceList CellChoices(int row, int column) const;
  void SetCellChoice(int row, int column, int value);
  // Asks first; the entry stays present with an empty code. False when the row holds no special
  // code or the user declined.
  bool ResetSpecialCall(int row);
  bool IsSpecialCall(int row) const;

  // A code from the special-call window. A list entry stores the code prepared for sending and
  // becomes present; a PTT ID box shows it.
  void ApplySpecialCall(SpecialTarget target, int row, std::string_view code, int separator);

  [[nodiscard]] bool Ok() override;

 private:
  ChoiceList& List(FiveToneList list) { return state_.Lists[static_cast<std::size_t>(list)]; }
  FiveToneEntry& Entry(int row) { return working_.Codes[static_cast<std::size_t>(row)]; }
  const FiveToneEntry& Entry(int row) const { return working_.Codes[static_cast<std::size_t>(row)]; }
  std::string SectionText(std::string_view key) const;
  std::string RowType(const FiveToneEntry& entry) const;
  std::string RowCode(const FiveToneEntry& entry) const;

  void ShowWorkingCopy();
  void StoreControls();
  void ReAddress(std::string_view previousOwnId);
  void SaveInfoCode();
  void ShowInfoCode();
  void ApplyFunctionRules();
  bool KillStunWakeWork();
  void DescribeToneSet(int standard);

  Configuration& configuration_;
  const LanguageTexts& texts_;
  FiveToneSettings working_;
  ViewState state_;
  int shownInfoCode_ = 0;  // 1..8, 0 before the first is shown
};

}  // namespace hvt
