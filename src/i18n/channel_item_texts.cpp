#include "i18n/channel_item_texts.h"

#include "i18n/text_keys.h"
#include "model/channel_codes.h"
#include "model/tones.h"

namespace hvt {

namespace {

template <class Table>
std::string Lookup(const Table& table, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return {};
  return std::string(table[static_cast<std::size_t>(index)]);
}

template <class Keys>
std::string LookupText(const Keys& keys, int index, const LanguageTexts& texts) {
  if (index < 0 || static_cast<std::size_t>(index) >= keys.size()) return {};
  return texts.LanguageText(keys[static_cast<std::size_t>(index)]);
}

std::string ToneText(int type, int ctcss, int dcs, int customCtcss, const LanguageTexts& texts) {
  switch (type) {
    case 1:
      return CtcssText(ctcss, customCtcss);
    case 2:
      return DcsText(dcs);
    default:
      return texts.LanguageText(text_key::NoSignalling);
  }
}

}  // namespace

std::string StepText(int step) { return Lookup(kStepTexts, step); }

std::string BandwidthText(int bandwidth) { return Lookup(kBandwidthTexts, bandwidth); }

std::string ScanText(int scanAdd, const LanguageTexts& texts) {
  return LookupText(text_key::ScanMembership, scanAdd, texts);
}

std::string PowerText(int power, const LanguageTexts& texts) {
  return LookupText(text_key::PowerLevels, power, texts);
}

std::string DecodeSignallingText(const ChannelRecord& channel, const LanguageTexts& texts) {
  return ToneText(channel.DecodeType, channel.DecodeCtcss, channel.DecodeDcs, channel.CustomCtcss, texts);
}

std::string EncodeSignallingText(const ChannelRecord& channel, const LanguageTexts& texts) {
  return ToneText(channel.EncodeType, channel.EncodeCtcss, channel.EncodeDcs, channel.CustomCtcss, texts);
}

std::string OptionalSignallingText(const ChannelRecord& channel, const LanguageTexts& texts) {
  switch (channel.OptSignal) {
    case kSignallingDtmf:
      return "DTMF M" + std::to_string(channel.DtmfCode + 1);
    case kSignallingFiveTone:
      return "5tone " + std::to_string(channel.FiveToneCode);
    default:
      return texts.LanguageText(text_key::NoSignalling);
  }
}

}  // namespace hvt
