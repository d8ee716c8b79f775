#pragma once

// The channel dialog: one channel of the table, edited on a working copy.
//
// The receive box decides whether the channel exists: typed, it enables the rest of the dialog;
// emptied, OK deletes the channel (never a special channel, never the last normal one). The
// transmit box is where the user types a transmit frequency; the offset and its direction are
// derived from it and kept within the receive frequency's band. Frequency boxes the user did not
// change store the channel's frequencies exactly as they were, so a channel read from a radio
// survives an edit of its name or tones unchanged.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "editors/presenter.h"
#include "i18n/language_texts.h"
#include "model/band.h"
#include "model/channel_record.h"
#include "model/channel_table.h"
#include "model/option_settings.h"

namespace hvt {

// What the dialog needs to know beyond the records it writes.
struct ChannelEditSetup {
  BandLimits Limits;
  bool TwoToneEnabled = false;
  // Which 2-tone and 5-tone entries a channel may select; read while the presenter is made.
  CodePresence Codes;
};

enum class ChannelList {
  Bandwidth,
  Power,
  OptSignal,
  DecodeType,
  DecodeCtcss,
  DecodeDcs,
  EncodeType,
  EncodeCtcss,
  EncodeDcs,
  DtmfPttId,
  FiveTonePttId,
  SquelchMode,
  BusyLock,
  DtmfCode,
  TwoToneCode,
  FiveToneCode,
};

enum class ChannelCheck { TxForbid, Reverse, TalkAround, Scramble, ScanAdd, DecodeInverted, EncodeInverted };

// Where the view puts the keyboard focus after an event.
enum class ChannelFocus { Unchanged, ReceiveBox, NameBox, PastNameBoxes };

class ChannelEditPresenter final : public DialogPresenter {
 public:
  static constexpr int kNameBoxes = 5;
  static constexpr std::size_t kFrequencyBoxLength = 9;
  static constexpr std::size_t kCustomToneBoxLength = 5;

  struct Captions {
    std::string Receive;
    std::string Transmit;
    std::string Name;
    std::string Bandwidth;
    std::string Power;
    std::string OptSignal;
    std::string Decode;
    std::string Encode;
    std::string DtmfPttId;
    std::string FiveTonePttId;
    std::string SquelchMode;
    std::string BusyLock;
    std::string CustomTone;
    std::string TxForbid;
    std::string Reverse;
    std::string TalkAround;
    std::string Scramble;
    std::string ScanAdd;
    std::string Inverted;
    std::string Ok;
    std::string Cancel;
  };

  struct ViewState {
    std::string Title;
    Captions Caption;

    TextField Receive;
    TextField Transmit;
    std::array<TextField, kNameBoxes> Name;
    TextField CustomTone;

    ChoiceList Bandwidth;
    ChoiceList Power;
    ChoiceList OptSignal;  // entry values are the stored codes: 0 none, 1 DTMF, 2 2-tone, 3 5-tone
    ChoiceList DecodeType;
    ChoiceList DecodeCtcss;  // 51 tones, then "Define"
    ChoiceList DecodeDcs;    // "000" to "777"
    ChoiceList EncodeType;
    ChoiceList EncodeCtcss;
    ChoiceList EncodeDcs;
    ChoiceList DtmfPttId;
    ChoiceList FiveTonePttId;
    ChoiceList SquelchMode;  // the modes the tone and signalling choices allow; values 0-4
    ChoiceList BusyLock;
    ChoiceList DtmfCode;      // "M1" to "M16"
    ChoiceList TwoToneCode;   // never shown: holds the channel's 2-tone entry
    ChoiceList FiveToneCode;  // the present 5-tone entries

    CheckField TxForbid;
    CheckField Reverse;
    CheckField TalkAround;
    CheckField Scramble;
    CheckField ScanAdd;
    CheckField DecodeInverted;
    CheckField EncodeInverted;

    // Derived from the transmit box; never shown.
    int Direction = 0;
    std::string Offset;

    ChannelFocus Focus = ChannelFocus::Unchanged;
    int FocusNameBox = 0;  // with ChannelFocus::NameBox

    const ChoiceList& List(ChannelList list) const;
    ChoiceList& List(ChannelList list) { return const_cast<ChoiceList&>(std::as_const(*this).List(list)); }
    const CheckField& Check(ChannelCheck check) const;
    CheckField& Check(ChannelCheck check) {
      return const_cast<CheckField&>(std::as_const(*this).Check(check));
    }
  };

  ChannelEditPresenter(ChannelTable& table, OptionSettings& options, int channelNumber,
                       const ChannelEditSetup& setup, const LanguageTexts& texts, Prompter& prompter);

  const ViewState& State() const { return state_; }
  int ChannelNumber() const { return number_; }

  // Typing keeps the characters each box accepts, up to its length.
  void EditReceive(std::string_view text);
  void EditTransmit(std::string_view text);
  void LeaveTransmit();
  void EditCustomTone(std::string_view text);
  void LeaveCustomTone();
  // A name box takes one digit, letter or "-" (lower case made upper) and passes the focus on;
  // false when the character is refused.
  bool TypeNameCharacter(int box, char character);
  void ClearNameBox(int box);

  // Events on a hidden or disabled control are ignored, as are indexes outside the list.
  void SelectEntry(ChannelList list, int index);
  void SetCheck(ChannelCheck check, bool checked);

  // Writes the channel (or deletes it when the receive box is empty) and repairs the options'
  // memory-channel references. False, with the focus on the receive box, when the deletion is
  // refused.
  [[nodiscard]] bool Ok() override;

 private:
  void ShowRecord(const ChannelEditSetup& setup);
  void ShowToneControls();
  void ShowCodeLists();
  void RebuildSquelchModes();
  void UpdateEnabling();
  void SelectTypeEntry(ChoiceList& type, int index, ChoiceList& ctcss, ChoiceList& dcs, CheckField& inverted);

  bool FrequenciesTouched() const;
  void ApplyTransmitRule();
  void WarnOutOfRange(std::string_view allowed, std::string_view now);
  ChannelRecord SavedRecord();

  ChannelTable& table_;
  OptionSettings& options_;
  const LanguageTexts& texts_;
  int number_;
  BandLimits limits_;
  ChannelRecord record_;
  std::string openedReceive_;
  std::string openedTransmit_;
  ViewState state_;
};

// The custom tone as the box keeps it: 50.0 to 260.0 Hz, "251.1" for anything that is no number.
std::string NormalisedCustomTone(std::string_view text);

// The out-of-range warning: what the value may be, and what it has become.
std::string OutOfRangeMessage(const LanguageTexts& texts, std::string_view allowed, std::string_view now);

}  // namespace hvt
