#pragma once

// Records with every field the image carries set away from its default, within its range.

#include "model/configuration.h"

namespace hvt {

ChannelTable RichChannelTable();
OptionSettings RichOptions();
FiveToneSettings RichFiveTone();
DtmfSettings RichDtmf();
CommuBook RichBook();

// All of the above in one configuration.
Configuration RichConfiguration();

}  // namespace hvt
