#pragma once

// Editing the common columns of the channel grid in place, with the channel dialog's rules: each
// edit runs through the dialog's presenter as if the user had typed or chosen it there. A value
// the rules would correct is refused: the reason is shown and the channel stays as it was.

#include <array>
#include <string_view>

#include "app/app_context.h"
#include "app/channel_grid.h"
#include "editors/channel_edit_presenter.h"
#include "model/configuration.h"
#include "model/five_tone_settings.h"
#include "model/two_tone_settings.h"

namespace hvt {

// What the channel dialog needs beyond the channel; its lists of present codes live as long as
// this object, so presenters made from it may read them.
class ChannelEditEnvironment {
 public:
  ChannelEditEnvironment(const AppContext& context, const Configuration& configuration);
  ChannelEditEnvironment(const ChannelEditEnvironment&) = delete;
  ChannelEditEnvironment& operator=(const ChannelEditEnvironment&) = delete;

  const ChannelEditSetup& Setup() const { return setup_; }

 private:
  std::array<bool, kTwoToneEntryCount> twoTone_;
  std::array<bool, kFiveToneCodeCount> fiveTone_;
  ChannelEditSetup setup_;
};

enum class CellEdit { None, Text, Choice };

// Receive, transmit and name take a text; bandwidth, scan, power and the decode and encode tones
// a choice; the rest only the dialog.
CellEdit CellEditOf(GridColumn column);

// Whether channel `number`'s cell in `column` takes an edit: a channel that does not exist takes
// only a receive frequency, and a user-defined CTCSS tone is changed in the dialog only.
bool CellEditable(const Configuration& configuration, int number, GridColumn column);

// The entries a choice column offers, the channel's value selected.
ChoiceList CellChoices(const Configuration& configuration, int number, GridColumn column,
                       const AppContext& context);

// A text typed into a text column, or the index chosen in a choice column (the other one is
// ignored). True when the channel changed.
bool EditChannelCell(Configuration& configuration, int number, GridColumn column, std::string_view text,
                     int choice, const AppContext& context, Prompter& prompter);

}  // namespace hvt
