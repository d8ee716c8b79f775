#pragma once

// Editing the common columns of the channel grid in place, with the channel rules the channel
// dialog applies (model/channel_rules.h). A value the rules would correct is refused: the reason
// is shown (the allowed range, and the value the cell keeps) and the channel stays as it was.

#include <string_view>

#include "app/app_context.h"
#include "app/channel_grid.h"
#include "editors/presenter.h"
#include "i18n/prompter.h"
#include "model/configuration.h"

namespace hvt {

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
