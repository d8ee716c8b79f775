#pragma once

// The scan dialog: scan type, priority mode and channels, revert channel, delays, entry tone.
//
// The revert list offers only what the priority mode allows; its entries' values are the stored
// revert indexes, so a revert channel the list does not offer shows (and OK stores) the first
// entry. Values the radio cannot take (an entry tone above 1, a delay outside its list) are
// corrected by OK only: Cancel leaves the record exactly as it was.

#include <string>

#include "editors/presenter.h"
#include "i18n/language_texts.h"
#include "model/channel_table.h"
#include "model/scan_settings.h"

namespace hvt {

enum class ScanList {
  ScanType,
  PriorityMode,
  Priority1Group1,
  Priority1Group2,
  Priority2Group1,
  Priority2Group2,
  Priority1Group3,
  Priority2Group3,
  RevertChannel,
  ScanBackTimeA,
  ScanBackTimeB,
  RxResumeDelay,
  TxResumeDelay,
};

class ScanPresenter final : public DialogPresenter {
 public:
  struct Captions {
    std::string ScanType;
    std::string PriorityMode;
    std::string Priority1Group1;
    std::string Priority1Group2;
    std::string Priority2Group1;
    std::string Priority2Group2;
    std::string Priority1Group3;
    std::string Priority2Group3;
    std::string RevertChannel;
    std::string ScanBackTimeA;
    std::string ScanBackTimeB;
    std::string RxResumeDelay;
    std::string TxResumeDelay;
    std::string EntryTone;
    std::string GeneralGroup;
    std::string PriorityGroup;
    std::string TimeGroup;
    std::string Ok;
    std::string Cancel;
  };

  // Every entry's value is what the record stores for it: channel number - 1 for the channel
  // lists, tenths of a second for the delays, the revert index for the revert list.
  struct ViewState {
    std::string Title;
    Captions Caption;

    ChoiceList ScanType;
    ChoiceList PriorityMode;
    ChoiceList Priority1Group1;
    ChoiceList Priority1Group2;
    ChoiceList Priority2Group1;
    ChoiceList Priority2Group2;
    ChoiceList Priority1Group3;
    ChoiceList Priority2Group3;
    ChoiceList RevertChannel;
    ChoiceList ScanBackTimeA;
    ChoiceList ScanBackTimeB;
    ChoiceList RxResumeDelay;
    ChoiceList TxResumeDelay;
    CheckField EntryTone;
  };

  ScanPresenter(ScanSettings& scan, const ChannelTable& channels, const LanguageTexts& texts,
                Prompter& prompter);

  const ViewState& State() const { return state_; }

  // Events on a disabled list, and indexes outside the list, are ignored.
  void SelectEntry(ScanList list, int index);
  void SetEntryTone(bool checked);

  [[nodiscard]] bool Ok() override;

 private:
  ChoiceList& List(ScanList list);
  void RebuildRevertList();
  void UpdateEnabling();

  ScanSettings& scan_;
  const LanguageTexts& texts_;
  ScanSettings working_;
  ViewState state_;
};

}  // namespace hvt
