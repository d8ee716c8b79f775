#pragma once

// The configuration the link benchmarks move: 200 channels, normal channels 1-197 beside the
// VFOs and RT of the factory template, so a read or write takes every channel slot.

#include <string>

#include "app/factory_template.h"
#include "model/channel_table.h"

namespace hvt {

inline Configuration TwoHundredChannels() {
  Configuration records = FactoryTemplate(BandVariant::Full);
  for (int n = 1; n <= 197; ++n) {
    if (records.Channels.Find(n) != nullptr) continue;
    ChannelRecord channel = CreateChannel(n, n % 2 == 0 ? "446.50000" : "151.62500");
    channel.Name = "CH" + std::to_string(n);
    channel.ScanAdd = static_cast<std::int16_t>(n % 2);
    AddChannel(records.Channels, channel);
  }
  return records;
}

}  // namespace hvt
