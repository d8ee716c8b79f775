#pragma once

#include <ostream>

#include "app/app_context.h"
#include "model/configuration.h"

namespace hvt::cli {

// Model, band and version, then the channels as the channel grid shows them, by channel number.
void WriteChannelListing(const Configuration& configuration, const AppContext& context, std::ostream& out);

}  // namespace hvt::cli
