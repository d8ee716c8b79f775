#pragma once

// The DTMF editor: the sixteen codes M1-M16, the PTT ID, kill and stun codes, the own ID and the
// timing lists, on a working copy of the DTMF settings.
//
// Codes are typed with the DTMF keys ("*" and "#" included) and stored with "E" and "F" for them.
// A new own ID or separator re-addresses only the codes that end in the own ID they replace, so
// codes the user typed are never altered behind their back. OK refuses equal kill and stun codes
// and keeps every code and the own ID the user did not change byte for byte.

#include <array>
#include <string>
#include <string_view>

#include "editors/presenter.h"
#include "i18n/language_texts.h"
#include "model/dtmf_settings.h"

namespace hvt {

enum class DtmfList {
  Ani,
  SendTime,
  PttIdMode,  // kept, never shown
  Separator,
  GroupCode,
  DecodeResponse,
  FirstDigitDelay,
  PreSendDelay,
  ResetTime,
  PostSendDelay,
  PauseTime,
  IdDisplay,
};
inline constexpr std::size_t kDtmfListCount = static_cast<std::size_t>(DtmfList::IdDisplay) + 1;

class DtmfPresenter final : public DialogPresenter {
 public:
  // Boxes 0-15 are M1-M16, then the PTT ID begin and end codes, the kill and the stun code.
  static constexpr int kPttIdBeginBox = 16;
  static constexpr int kPttIdEndBox = 17;
  static constexpr int kKillBox = 18;
  static constexpr int kStunBox = 19;
  static constexpr int kCodeBoxCount = 20;
  static constexpr std::size_t kOwnIdMaxDigits = 5;

  // Every entry's value is what the record stores for it.
  struct ViewState {
    std::string Title;
    std::string CodesFrame;
    std::string PttIdFrame;
    std::string RemoteFrame;
    std::string SettingsFrame;
    std::array<std::string, kCodeBoxCount> CodeLabels;
    std::string OwnIdLabel;
    std::array<std::string, kDtmfListCount> ListLabels;
    std::string SpecialCallText;
    std::string Ok;
    std::string Cancel;

    std::array<TextField, kCodeBoxCount> Codes;  // as shown: "*" and "#"
    TextField OwnId;
    std::array<ChoiceList, kDtmfListCount> Lists;
    bool SpecialCallEnabled = false;  // a code box to fill has been chosen
    int FocusBox = -1;                // where OK sends the user back, or -1
  };

  DtmfPresenter(DtmfSettings& dtmf, const LanguageTexts& texts, Prompter& prompter);

  const ViewState& State() const { return state_; }
  const LanguageTexts& Texts() const { return texts_; }

  void SelectEntry(DtmfList list, int index);
  // Each answers what its box keeps of the typed text.
  std::string TypeCode(int box, std::string_view typed);
  std::string TypeOwnId(std::string_view typed);
  // The special-call window fills the code box that had the focus last.
  void EnterCodeBox(int box);
  // A short own ID is filled up with zeros to 3 digits; codes that ended in the old one move.
  void LeaveOwnId();

  // The separator key as a code shows it.
  std::string SeparatorText() const;
  // The special-call window's code: called ID, separator, own ID, into the chosen box.
  void ApplyAniCode(std::string_view calledId);

  [[nodiscard]] bool Ok() override;

 private:
  ChoiceList& List(DtmfList list) { return state_.Lists[static_cast<std::size_t>(list)]; }
  std::string CodeShown(int box) const;
  void StoreCode(int box);

  DtmfSettings& dtmf_;
  const LanguageTexts& texts_;
  ViewState state_;
  std::array<std::string, kCodeBoxCount> opened_;  // the boxes as the editor opened
  std::string openedOwnId_;
  std::string ownId_;  // the own ID the codes were last addressed with
  int codeBox_ = -1;
};

}  // namespace hvt
