#pragma once

// The list of channels an editor may point at: the numbers of the present channels.

#include "editors/presenter.h"
#include "model/channel_table.h"

namespace hvt {

// Present channel numbers from 1 to `highest`, ascending, each entry's value its number; the
// single entry "1" when there is none, so the list always offers something to store.
ChoiceList ChannelNumberChoices(const ChannelTable& table, int highest);

}  // namespace hvt
