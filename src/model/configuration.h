#pragma once

#include "model/channel_table.h"

namespace hvt {

// The decoded records that make one configuration: the master copy of everything the user edits.
struct Configuration {
  ChannelTable Channels;

  bool operator==(const Configuration&) const = default;
};

}  // namespace hvt
