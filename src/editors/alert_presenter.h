#pragma once

// The alert dialog: the emergency alarm, its ID code, times and channel, and the lone worker.
//
// The ID code list depends on the ID code type: the DTMF codes that hold digits (M1 to M16) or
// the present 5-tone entries by position. Opening selects the stored code when the list offers it,
// else the first entry; a change of the type selects the first entry of the new list. Values
// outside their lists show (and OK stores) the first entry; a lone-worker flag above 1 is corrected by OK
// only, so Cancel leaves the record exactly as it was.

#include <string>

#include "editors/presenter.h"
#include "i18n/language_texts.h"
#include "model/alert_settings.h"
#include "model/channel_table.h"
#include "model/dtmf_settings.h"
#include "model/five_tone_settings.h"

namespace hvt {

enum class AlertList {
  AlarmType,
  IdCodeType,
  IdCode,
  AlarmTime,
  TxTime,
  RxTime,
  ChannelMode,
  Channel,
  Cycle,
  PreAlertTime,
  LoneWorkerTime,
};

class AlertPresenter final : public DialogPresenter {
 public:
  struct Captions {
    std::string AlarmType;
    std::string IdCodeType;
    std::string IdCode;
    std::string AlarmTime;
    std::string TxTime;
    std::string RxTime;
    std::string ChannelMode;
    std::string Channel;
    std::string Cycle;
    std::string LoneWorker;
    std::string PreAlertTime;
    std::string LoneWorkerTime;
    std::string AlarmGroup;
    std::string ChannelGroup;
    std::string LoneWorkerGroup;
    std::string Ok;
    std::string Cancel;
  };

  // Every entry's value is what the record stores for it: the ID code's DTMF code number - 1 or
  // 5-tone position, seconds for the times, the channel number itself, 0 for the cycle's "off".
  struct ViewState {
    std::string Title;
    Captions Caption;

    ChoiceList AlarmType;
    ChoiceList IdCodeType;
    ChoiceList IdCode;
    ChoiceList AlarmTime;
    ChoiceList TxTime;
    ChoiceList RxTime;
    ChoiceList ChannelMode;
    ChoiceList Channel;
    ChoiceList Cycle;
    CheckField LoneWorker;
    ChoiceList PreAlertTime;
    ChoiceList LoneWorkerTime;
  };

  AlertPresenter(AlertSettings& alert, const ChannelTable& channels, const DtmfSettings& dtmf,
                 const FiveToneSettings& fiveTone, const LanguageTexts& texts, Prompter& prompter);

  const ViewState& State() const { return state_; }

  // Events on a disabled list, and indexes outside the list, are ignored.
  void SelectEntry(AlertList list, int index);
  void SetLoneWorker(bool checked);

  [[nodiscard]] bool Ok() override;

 private:
  ChoiceList& List(AlertList list);
  void RebuildIdCodes(int code);
  void UpdateEnabling();

  AlertSettings& alert_;
  const DtmfSettings& dtmf_;
  const FiveToneSettings& fiveTone_;
  ViewState state_;
};

// After the 5-tone list changed: a 5-tone ID code whose entry is gone moves to the first present
// entry, or 0 when none is. Other ID code types are left alone.
void RepairAlertIdCode(AlertSettings& alert, const FiveToneSettings& fiveTone);

}  // namespace hvt
