#include "app/factory_template.h"

#include <array>
#include <string_view>
#include <vector>

#include "model/frequency.h"
#include "model/new_configuration.h"

namespace hvt {

namespace {

struct PlannedChannel {
  std::string_view Name;
  std::string_view Rx;
  int OffsetDir = 0;  // 0 simplex, 1 "+", 2 "-"
  std::string_view Offset = "0";
};

// 70 cm and 2 m amateur channels: simplex, then repeaters with their usual offsets.
const std::vector<PlannedChannel> kRestrictedPlan = {
    {"U-CAL", "433.500"},          {"U-S1", "433.525"},           {"U-S2", "433.550"},
    {"U-S3", "433.575"},           {"U-S4", "433.600"},           {"U-S5", "433.625"},
    {"U-R1", "439.000", 2, "7.6"}, {"U-R2", "439.025", 2, "7.6"}, {"V-CAL", "145.500"},
    {"V-S1", "145.525"},           {"V-S2", "145.550"},           {"V-S3", "145.575"},
    {"V-R1", "145.600", 2, "0.6"}, {"V-R2", "145.625", 2, "0.6"}, {"V-R3", "145.650", 2, "0.6"},
    {"V-R4", "145.675", 2, "0.6"},
};

// PMR446 channels 1-8, then VHF business channels.
const std::vector<PlannedChannel> kFullPlan = {
    {"PMR1", "446.00625"}, {"PMR2", "446.01875"}, {"PMR3", "446.03125"}, {"PMR4", "446.04375"},
    {"PMR5", "446.05625"}, {"PMR6", "446.06875"}, {"PMR7", "446.08125"}, {"PMR8", "446.09375"},
    {"VHF1", "151.625"},   {"VHF2", "151.955"},   {"VHF3", "152.885"},   {"VHF4", "152.915"},
    {"VHF5", "154.490"},   {"VHF6", "154.515"},   {"VHF7", "154.570"},   {"VHF8", "154.600"},
};

constexpr std::int16_t kBandwidth12k5 = 0;
constexpr std::int16_t kBandwidth25k = 2;
constexpr std::int16_t kLowPower = 0;
constexpr std::int16_t kHighPower = 2;

// Replaces the channel of that number, or appends it.
void PutChannel(Configuration& configuration, const ChannelRecord& channel) {
  if (ChannelRecord* existing = configuration.Channels.Find(channel.ChannelNumber)) {
    *existing = channel;
  } else {
    AddChannel(configuration.Channels, channel);
  }
}

}  // namespace

Configuration FactoryTemplate(BandVariant band) {
  Configuration configuration;
  ResetToDefaults(configuration, LimitsOf(band));
  configuration.BandVariant = static_cast<std::int16_t>(band);
  const auto& plan = band == BandVariant::Restricted ? kRestrictedPlan : kFullPlan;
  int number = 1;
  for (const PlannedChannel& planned : plan) {
    ChannelRecord channel = CreateChannel(number, planned.Rx);
    channel.Name = planned.Name;
    channel.OffsetDir = static_cast<std::int16_t>(planned.OffsetDir);
    channel.TxFreq =
        planned.OffsetDir == 0 ? std::string(kZeroFrequencyRecord) : FreqTextToRecord(planned.Offset);
    const bool pmr446 = band == BandVariant::Full && number <= 8;  // licence-free: narrow and low power
    channel.Bandwidth = pmr446 ? kBandwidth12k5 : kBandwidth25k;
    channel.Power = pmr446 ? kLowPower : kHighPower;
    PutChannel(configuration, channel);
    ++number;
  }
  if (band == BandVariant::Restricted) {
    // The VFOs start on the calling channels: the range middles lie outside the VHF transmit range.
    PutChannel(configuration, CreateChannel(kVfo1Channel, "433.500"));
    PutChannel(configuration, CreateChannel(kVfo2Channel, "145.500"));
  }
  return configuration;
}

}  // namespace hvt
