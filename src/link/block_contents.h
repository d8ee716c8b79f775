#pragma once

// What the user edits in a block of the radio's memory, so a block that failed can be named by
// the channel or the window it belongs to rather than by its address alone.

#include <cstdint>
#include <span>
#include <string>

#include "i18n/language_texts.h"

namespace hvt {

// "channel 12", "VFO1", "DTMF", "Function Settings", ...; empty for an address nothing uses.
std::string BlockContents(std::int32_t address, const LanguageTexts& texts);

// The failed verification as the user reads it: how many blocks differ, then one line per block
// ("0x0040  channel 3"), at most 20 lines.
std::string DescribeDifferingBlocks(std::span<const std::int32_t> blocks, const LanguageTexts& texts);

}  // namespace hvt
