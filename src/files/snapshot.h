#pragma once

// The configuration as last loaded or saved, and whether the current one differs from it.

#include "model/band.h"
#include "model/configuration.h"

namespace hvt {

// Stamps the model, version and band into the current header, then copies the header and the
// channels in use into the snapshot. Snapshot slots from the count on keep what they held.
void TakeSnapshot(Configuration& current, Configuration& snapshot, BandVariant band);

// Copies the snapshot's header and channels in use into the current configuration.
void ApplySnapshot(const Configuration& snapshot, Configuration& current);

// True when the user must be asked to save: model, version, band, the reserved word, the
// broadcast-FM list and the slots above the count take no part; texts compare after TextTrim,
// codes with a digit count only over their digits, and channels by number in any slot order.
bool IsModified(const Configuration& current, const Configuration& snapshot);

}  // namespace hvt
