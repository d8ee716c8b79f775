#pragma once

// The decoded records that make one configuration: the master copy of everything the user edits.

#include <cstdint>
#include <string_view>

#include "model/alert_settings.h"
#include "model/aux_list.h"
#include "model/channel_table.h"
#include "model/commu_book.h"
#include "model/dtmf_settings.h"
#include "model/five_tone_settings.h"
#include "model/option_settings.h"
#include "model/radio_model.h"
#include "model/scan_settings.h"
#include "model/tone_tip_settings.h"
#include "model/two_tone_settings.h"

namespace hvt {

struct Configuration {
  FixedText<8> ModelName{kModelName};
  std::int16_t BandVariant = 1;
  FixedText<4> Version{kFirmwareVersion};
  DtmfSettings Dtmf;
  TwoToneSettings TwoTone;
  FiveToneSettings FiveTone;
  OptionSettings Options;
  ScanSettings Scan;
  AlertSettings Alert;
  ChannelTable Channels;
  std::int16_t Reserved = 0;  // written back as read
  AuxList Aux{};
  CommuBook Book;
  ToneTipSettings ToneTips;

  // The file form: the header with the channel count after the alert settings, then all 203
  // channel slots, those from the count on included.
  template <class Self, class Visitor>
  static constexpr void VisitFields(Self& self, Visitor&& visit) {
    visit("ModelName", self.ModelName);
    visit("BandVariant", self.BandVariant);
    visit("Version", self.Version);
    visit("Dtmf", self.Dtmf);
    visit("TwoTone", self.TwoTone);
    visit("FiveTone", self.FiveTone);
    visit("Options", self.Options);
    visit("Scan", self.Scan);
    visit("Alert", self.Alert);
    visit("ChannelCount", self.Channels.Count);
    visit("Reserved", self.Reserved);
    visit("Aux", self.Aux);
    visit("Book", self.Book);
    visit("ToneTips", self.ToneTips);
    visit("Channels", self.Channels.Entries);
  }

  bool operator==(const Configuration&) const = default;
};

inline constexpr std::size_t kConfigurationHeaderSize = 10636;
inline constexpr std::size_t kConfigurationFileSize = kConfigurationHeaderSize + 203 * 173;
static_assert(FileSize<Configuration>() == kConfigurationFileSize);

}  // namespace hvt
