#pragma once

// The 2-tone editor: the timing settings, the four tones A-D with the radio's own tone pair, and
// the 32-entry code list in a grid edited cell by cell.
//
// OK stores only what the user touched: an untouched list, box or tone pair keeps its stored
// value exactly, so opening and closing the editor never changes a configuration. A tone typed
// into the list is stored on any row.

#include <array>
#include <string>
#include <string_view>

#include "editors/presenter.h"
#include "i18n/language_texts.h"
#include "model/configuration.h"

namespace hvt {

enum class TwoToneList {
  FirstToneTime,
  SecondToneTime,
  LongToneTime,
  Interval,
  TenthsTime,
  TonePair,
  DecodeResponse
};
inline constexpr std::size_t kTwoToneListCount = static_cast<std::size_t>(TwoToneList::DecodeResponse) + 1;

class TwoTonePresenter final : public DialogPresenter {
 public:
  enum Column { kNumberColumn = 0, kFirstToneColumn = 1, kSecondToneColumn = 2, kNameColumn = 3 };
  static constexpr int kColumnCount = 4;
  static constexpr int kToneCount = 4;  // A, B, C, D
  static constexpr std::size_t kFrequencyLength = 6;
  static constexpr std::size_t kNameLength = 7;

  // Every entry's value is what the record stores: tenths of a second, hundreds of ms, the pair's
  // position.
  struct ViewState {
    std::string Title;
    std::string SettingsTab;
    std::string ListTab;
    std::array<std::string, kTwoToneListCount> ListLabels;
    std::string SideToneLabel;
    std::array<std::string, kToneCount> ToneLabels;
    std::array<std::string, kColumnCount> Headers;
    std::string Ok;
    std::string Cancel;

    std::array<ChoiceList, kTwoToneListCount> Lists;
    CheckField SideTone;
    std::array<TextField, kToneCount> Tones;  // Hz; only the pair's tones are enabled
  };

  TwoTonePresenter(Configuration& configuration, const LanguageTexts& texts, Prompter& prompter);

  const ViewState& State() const { return state_; }

  void SelectEntry(TwoToneList list, int index);
  void SetSideTone(bool checked);
  // Keeps digits and points, at most 6; answers what the box keeps.
  std::string TypeTone(int tone, std::string_view typed);
  // The tone becomes a frequency within 288.0 - 3106.0 Hz (an empty box the lowest).
  void LeaveTone(int tone);

  // The list: rows 0..31 are entries 1..32. A row's second tone and name take an edit once its
  // first tone is set; a first tone that is no number empties the entry.
  std::string CellText(int row, int column) const;
  bool CanEditCell(int row, int column) const;
  std::string FilterCellText(int column, std::string_view typed) const;
  void SetCellText(int row, int column, std::string_view text);

  [[nodiscard]] bool Ok() override;

 private:
  ChoiceList& List(TwoToneList list) { return state_.Lists[static_cast<std::size_t>(list)]; }
  void EnablePairTones();
  void StoreTouched();

  Configuration& configuration_;
  TwoToneSettings working_;
  ViewState state_;
  std::array<bool, kTwoToneListCount> listTouched_{};
  std::array<bool, kToneCount> toneTouched_{};
  bool sideToneTouched_ = false;
};

}  // namespace hvt
