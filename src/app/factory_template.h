#pragma once

// The factory defaults shipped as the band templates "Init/HVT7300_0.dat" and "HVT7300_1.dat".
// `hvt7300-cli template --band N -o FILE` writes them from here, so they are reproducible.

#include "model/band.h"
#include "model/configuration.h"

namespace hvt {

// The built-in defaults with a starting channel plan that lies within the band's limits:
// amateur 70 cm and 2 m channels for the restricted variant, PMR446 and VHF business channels
// for the full one; the VFOs and RT as a new configuration has them.
Configuration FactoryTemplate(BandVariant band);

}  // namespace hvt
