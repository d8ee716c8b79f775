#include "app/channel_cell_editing.h"

#include <vector>

#include "i18n/text_keys.h"
#include "model/frequency.h"
#include "model/frequency_checks.h"
#include "model/tones.h"

namespace hvt {

namespace {

// Passes the first message on and remembers that it was shown; what follows from the same
// value would only repeat it.
class WatchingPrompter final : public Prompter {
 public:
  explicit WatchingPrompter(Prompter& inner) : inner_(inner) {}

  bool Spoke() const { return spoke_; }

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) override {
    if (spoke_) return PromptAnswer::Cancel;
    spoke_ = true;
    return inner_.Ask(text, buttons, icon);
  }
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view filter) override {
    return inner_.ChooseFileToOpen(filter);
  }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view filter,
                                                        const std::filesystem::path& suggested) override {
    return inner_.ChooseFileToSave(filter, suggested);
  }
  std::optional<std::string> AskPassword(std::string_view remembered) override {
    return inner_.AskPassword(remembered);
  }

 private:
  Prompter& inner_;
  bool spoke_ = false;
};

// A new receive frequency keeps the channel's offset and direction: a simplex channel stays
// simplex, a repeater channel keeps its shift.
void MoveTransmitWithReceive(ChannelEditPresenter& presenter, std::string_view receive) {
  const auto& state = presenter.State();
  const auto rx = ParseMHz(receive);
  const auto offset = ParseMHz(state.Offset);
  if (!rx || state.Direction == kOffsetSeparateTx) return;
  Frequency tx = *rx;
  if (offset && state.Direction == kOffsetPlus) tx = *rx + *offset;
  if (offset && state.Direction == kOffsetMinus) tx = *rx - *offset;
  presenter.EditTransmit(FormatMHz(tx));
}

constexpr int kToneNone = 0;
constexpr int kToneCtcss = 1;
constexpr int kToneDcs = 2;
// A tone cell's list packs the tone type with its code: type * kToneTypeStride + code.
constexpr int kToneTypeStride = 0x1000;

bool IsToneColumn(GridColumn column) { return column == GridColumn::Decode || column == GridColumn::Encode; }

// None, every standard CTCSS tone, then every DCS code normal and inverted: the same list for
// every channel, so one choice means the same tone on all selected rows.
std::vector<ListEntry> ToneEntries(const LanguageTexts& texts) {
  std::vector<ListEntry> entries = {{texts.LanguageText(text_key::NoSignalling), kToneNone}};
  for (int index = 0; index < kStandardCtcssCount; ++index) {
    entries.push_back({CtcssText(index, 0), kToneCtcss * kToneTypeStride + index});
  }
  for (const int inverted : {0, kDcsInvertedBit}) {
    for (int code = 0; code < kDcsValueCount; ++code) {
      entries.push_back({DcsText(code | inverted), kToneDcs * kToneTypeStride + (code | inverted)});
    }
  }
  return entries;
}

struct ToneFields {
  std::int16_t ChannelRecord::*Type;
  std::int16_t ChannelRecord::*Ctcss;
  std::int16_t ChannelRecord::*Dcs;
  ChannelList TypeList;
  ChannelList CtcssList;
  ChannelList DcsList;
  ChannelCheck Inverted;
};

ToneFields ToneFieldsOf(GridColumn column) {
  if (column == GridColumn::Decode) {
    return {&ChannelRecord::DecodeType,  &ChannelRecord::DecodeCtcss, &ChannelRecord::DecodeDcs,
            ChannelList::DecodeType,     ChannelList::DecodeCtcss,    ChannelList::DecodeDcs,
            ChannelCheck::DecodeInverted};
  }
  return {&ChannelRecord::EncodeType,  &ChannelRecord::EncodeCtcss, &ChannelRecord::EncodeDcs,
          ChannelList::EncodeType,     ChannelList::EncodeCtcss,    ChannelList::EncodeDcs,
          ChannelCheck::EncodeInverted};
}

int ToneValue(const ChannelRecord& channel, GridColumn column) {
  const ToneFields fields = ToneFieldsOf(column);
  switch (channel.*fields.Type) {
    case kToneCtcss:
      return kToneCtcss * kToneTypeStride + CtcssIndex(channel.*fields.Ctcss);
    case kToneDcs:
      return kToneDcs * kToneTypeStride + DcsValue(channel.*fields.Dcs);
    default:
      return kToneNone;
  }
}

// The user-defined tone has no place in the shared list; it stays the dialog's.
bool HasCustomTone(const ChannelRecord& channel, GridColumn column) {
  const ToneFields fields = ToneFieldsOf(column);
  return channel.*fields.Type == kToneCtcss && CtcssIndex(channel.*fields.Ctcss) == kCustomCtcssIndex;
}

void ChooseTone(ChannelEditPresenter& presenter, GridColumn column, int value) {
  const ToneFields fields = ToneFieldsOf(column);
  const int type = value / kToneTypeStride;
  const int code = value % kToneTypeStride;
  const auto select = [&presenter](ChannelList list, int stored) {
    const int index = presenter.State().List(list).IndexOf(stored);
    if (index != ChoiceList::kNone) presenter.SelectEntry(list, index);
  };
  select(fields.TypeList, type);
  if (type == kToneCtcss) select(fields.CtcssList, code);
  if (type == kToneDcs) {
    select(fields.DcsList, code & kDcsCodeMask);
    presenter.SetCheck(fields.Inverted, (code & kDcsInvertedBit) != 0);
  }
}

}  // namespace

ChannelEditEnvironment::ChannelEditEnvironment(const AppContext& context, const Configuration& configuration)
    : twoTone_(TwoTonePresence(configuration.TwoTone)),
      fiveTone_(FiveTonePresence(configuration.FiveTone)),
      setup_{.Limits = context.Limits(),
             .TwoToneEnabled = context.TwoToneEnabled(),
             .Codes = {.TwoTone = twoTone_, .FiveTone = fiveTone_}} {}

CellEdit CellEditOf(GridColumn column) {
  switch (column) {
    case GridColumn::Rx:
    case GridColumn::Tx:
    case GridColumn::Name:
      return CellEdit::Text;
    case GridColumn::Bandwidth:
    case GridColumn::Scan:
    case GridColumn::Power:
    case GridColumn::Decode:
    case GridColumn::Encode:
      return CellEdit::Choice;
    default:
      return CellEdit::None;
  }
}

bool CellEditable(const Configuration& configuration, int number, GridColumn column) {
  if (CellEditOf(column) == CellEdit::None || number < 1 || number > kChannelCount) return false;
  if (column == GridColumn::Scan && !IsNormalChannel(number)) return false;
  if (column == GridColumn::Rx) return true;
  const ChannelRecord* channel = configuration.Channels.Find(number);
  return channel != nullptr && !(IsToneColumn(column) && HasCustomTone(*channel, column));
}

ChoiceList CellChoices(const Configuration& configuration, int number, GridColumn column,
                       const AppContext& context) {
  const ChannelRecord* channel = configuration.Channels.Find(number);
  if (channel == nullptr) return {};
  if (column == GridColumn::Scan) {
    const auto& texts = context.Texts();
    return ChoiceListOf({{texts.LanguageText(text_key::ScanMembership[0]), 0},
                         {texts.LanguageText(text_key::ScanMembership[1]), 1}},
                        channel->ScanAdd);
  }
  if (IsToneColumn(column)) return ChoiceListOf(ToneEntries(context.Texts()), ToneValue(*channel, column));
  // The dialog's own lists, so the grid offers exactly what the dialog offers.
  Configuration copy = configuration;
  const ChannelEditEnvironment environment(context, copy);
  SilentPrompter quiet;
  const ChannelEditPresenter presenter(copy.Channels, copy.Options, number, environment.Setup(),
                                       context.Texts(), quiet);
  if (column == GridColumn::Bandwidth) return presenter.State().Bandwidth;
  if (column == GridColumn::Power) return presenter.State().Power;
  return {};
}

bool EditChannelCell(Configuration& configuration, int number, GridColumn column, std::string_view text,
                     int choice, const AppContext& context, Prompter& prompter) {
  if (!CellEditable(configuration, number, column)) return false;
  const Configuration before = configuration;
  const ChannelEditEnvironment environment(context, configuration);
  WatchingPrompter watching(prompter);
  ChannelEditPresenter presenter(configuration.Channels, configuration.Options, number, environment.Setup(),
                                 context.Texts(), watching);
  // A box drops what it does not accept; in a cell that would change the value behind the
  // user's back (letters in a frequency would even empty it, which deletes the channel).
  const auto refuseAltered = [&](const std::string& kept) {
    if (kept == text) return false;
    watching.Tell(context.Texts().LanguageText(text_key::FrequencyOutOfRange), PromptIcon::Warning);
    return true;
  };
  switch (column) {
    case GridColumn::Rx:
      presenter.EditReceive(text);
      if (refuseAltered(presenter.State().Receive.Text)) break;
      MoveTransmitWithReceive(presenter, presenter.State().Receive.Text);
      break;
    case GridColumn::Tx:
      presenter.EditTransmit(text);
      if (refuseAltered(presenter.State().Transmit.Text)) break;
      presenter.LeaveTransmit();
      break;
    case GridColumn::Name:
      for (int box = 0; box < ChannelEditPresenter::kNameBoxes; ++box) presenter.ClearNameBox(box);
      // Characters a name cannot hold are left out, as the dialog's boxes refuse them.
      for (int box = 0; const char character : text) {
        if (box < ChannelEditPresenter::kNameBoxes && presenter.TypeNameCharacter(box, character)) ++box;
      }
      break;
    case GridColumn::Bandwidth:
      presenter.SelectEntry(ChannelList::Bandwidth, choice);
      break;
    case GridColumn::Power:
      presenter.SelectEntry(ChannelList::Power, choice);
      break;
    case GridColumn::Scan:
      presenter.SetCheck(ChannelCheck::ScanAdd, choice == 1);
      break;
    case GridColumn::Decode:
    case GridColumn::Encode: {
      const std::vector<ListEntry> tones = ToneEntries(context.Texts());
      if (choice < 0 || choice >= static_cast<int>(tones.size())) return false;
      ChooseTone(presenter, column, tones[static_cast<std::size_t>(choice)].Value);
      break;
    }
    default:
      return false;
  }
  if (watching.Spoke() || !presenter.Ok() || watching.Spoke()) {
    // Corrected or refused: the reason has been shown, and nothing is taken.
    configuration = before;
    return false;
  }
  return !(configuration == before);
}

}  // namespace hvt
