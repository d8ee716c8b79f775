#pragma once

// The built-in defaults of a new configuration, before any band template is applied.

#include "model/band.h"
#include "model/configuration.h"

namespace hvt {

// Every settings record at its defaults, in the order DTMF, 2-tone, 5-tone, options, scan, alert,
// communication book; then no channels and the default broadcast-FM list.
void ResetAllSettings(Configuration& configuration);

// VFO1, VFO2, RT (+1 MHz offset), 1 and 2 at the middles of the UHF and VHF receive ranges.
// A channel number already in the table is left as it is.
void AddDefaultChannels(ChannelTable& table, const BandLimits& limits);

// The defaults of all of the above plus the tone tips: what a new configuration is when no
// template can be read.
void ResetToDefaults(Configuration& configuration, const BandLimits& limits);

}  // namespace hvt
