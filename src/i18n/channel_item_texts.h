#pragma once

// The texts a channel's items are shown with, in the channel grid and the factory export.

#include <string>

#include "i18n/language_texts.h"
#include "model/channel_record.h"

namespace hvt {

std::string StepText(int step);
std::string BandwidthText(int bandwidth);
std::string ScanText(int scanAdd, const LanguageTexts& texts);
std::string PowerText(int power, const LanguageTexts& texts);
// Receive (decode) and transmit (encode) tone: a CTCSS tone, a DCS code, or "none".
std::string DecodeSignallingText(const ChannelRecord& channel, const LanguageTexts& texts);
std::string EncodeSignallingText(const ChannelRecord& channel, const LanguageTexts& texts);
// "DTMF M1".."DTMF M16", "5tone n", or "none".
std::string OptionalSignallingText(const ChannelRecord& channel, const LanguageTexts& texts);

}  // namespace hvt
