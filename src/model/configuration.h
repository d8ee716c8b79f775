#pragma once

// The decoded records that make one configuration: the master copy of everything the user edits.

#include "model/alert_settings.h"
#include "model/aux_list.h"
#include "model/channel_table.h"
#include "model/commu_book.h"
#include "model/dtmf_settings.h"
#include "model/five_tone_settings.h"
#include "model/option_settings.h"
#include "model/scan_settings.h"
#include "model/tone_tip_settings.h"
#include "model/two_tone_settings.h"

namespace hvt {

struct Configuration {
  DtmfSettings Dtmf;
  TwoToneSettings TwoTone;
  FiveToneSettings FiveTone;
  OptionSettings Options;
  ScanSettings Scan;
  AlertSettings Alert;
  AuxList Aux{};
  CommuBook Book;
  ToneTipSettings ToneTips;
  ChannelTable Channels;

  bool operator==(const Configuration&) const = default;
};

}  // namespace hvt
