#pragma once

// The radio's rules for a channel, over records: where it may receive and transmit, how the
// offset and its direction follow from a transmit frequency, which characters a name holds, the
// range of the user-defined tone, the squelch modes the tone choices leave, and that a
// configuration keeps a normal channel. The channel dialog, the grid's in-place editing and the
// channel table import all ask these functions; none keeps a rule of its own.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/band.h"
#include "model/channel_record.h"
#include "model/channel_table.h"
#include "model/configuration.h"
#include "model/frequency.h"

namespace hvt {

inline constexpr Frequency kMaxOffset = 80 * 100'000;
inline constexpr std::size_t kChannelNameLength = 5;
// The user-defined CTCSS tone in tenths of hertz; text that is no number stands for the fallback.
inline constexpr int kCustomToneMin = 500;
inline constexpr int kCustomToneMax = 2600;
inline constexpr int kCustomToneFallback = 2511;

// ---- Frequencies ----

// Within the receive range of one of the band rows.
bool ReceiveAllowed(const BandLimits& limits, Frequency rx);
// The transmit range of the band row the receive frequency lies in.
FrequencyRange TransmitRangeFor(const BandLimits& limits, Frequency rx);
// "420.00000-450.00000 MHz"; the receive ranges of both rows joined by ", ".
std::string RangeText(const FrequencyRange& range);
std::string ReceiveRangesText(const BandLimits& limits);

// The radio takes an offset up to 80 MHz, judged on the whole megahertz (halves to even).
bool OffsetAllowed(Frequency offset);

// Where the channel transmits: on its receive frequency, shifted by its offset, or on its own
// transmit frequency (zero included: that is what the radio would be given). None when a field
// it needs holds no frequency.
std::optional<Frequency> TransmitFrequency(const ChannelRecord& channel);

// Direction and transmit field that a receive and a transmit frequency give (the channel
// dialog's transmit box): within one band row the offset with its direction, across rows (and
// always for the RT channel, whose direction the radio does not read) the transmit frequency.
// The offset is capped at kMaxOffset, which moves the transmit frequency: `Capped` says so.
struct TransmitSetting {
  int Direction = 0;
  Frequency Field = 0;  // the offset, or the transmit frequency with direction 3
  Frequency Transmit = 0;
  bool Capped = false;
};
TransmitSetting TransmitSettingFor(const BandLimits& limits, int channelNumber, Frequency rx, Frequency tx);

// ---- Names ----

// A character the radio shows: "A"-"Z", "0"-"9" and "-". A blank only pads.
bool IsNameCharacter(char c);

struct ChannelName {
  std::string Text;  // at most kChannelNameLength characters, no trailing blank
  bool Changed = false;
};
// Lower case raised, inner blanks kept, other characters dropped, cut to the radio's length.
ChannelName ChannelNameOf(std::string_view text);

// ---- Tones ----

bool CustomToneAllowed(int tenths);
// A typed custom tone: held within the range, the fallback for text that is no number.
int CustomToneTenths(std::string_view text);

// The squelch modes (0 carrier ... 4) that the channel's tone and signalling choices leave: with
// reverse the transmit tone decides, with talk-around only carrier squelch is left.
std::vector<int> AllowedSquelchModes(const ChannelRecord& channel);
// The channel's squelch mode when it is still allowed, else carrier squelch.
int SquelchModeFor(const ChannelRecord& channel);

// ---- What a whole channel must satisfy ----

enum class ChannelFault {
  ReceiveOutside,      // Value outside the receive ranges
  TransmitOutside,     // Value outside Allowed, the transmit range of the receive band row
  OffsetAboveMaximum,  // Value, an offset OffsetAllowed refuses
  NoFrequency,         // a frequency field holds no frequency
  NameCharacters,      // a character the radio does not show
  CustomToneOutside,   // Value (tenths of hertz) outside kCustomToneMin-kCustomToneMax
  ReverseWithTalkAround,
  SquelchModeNotAllowed,
};

struct ChannelRuleFault {
  ChannelFault Kind;
  Frequency Value = 0;
  FrequencyRange Allowed{};
  bool operator==(const ChannelRuleFault&) const = default;
};

// Every rule a channel in use breaks; none for a channel the dialog could have stored. A
// transmit-inhibited channel is checked too: the inhibit can be lifted without a look at the
// frequency.
std::vector<ChannelRuleFault> ChannelFaults(const ChannelRecord& channel, const BandLimits& limits);

// ---- The table ----

int NormalChannelCount(const ChannelTable& table);

// After channels have been deleted, the settings naming a channel keep naming one that exists:
// the memory channels move to the last normal channel.
void RepairChannelRefsAfterDeletes(Configuration& configuration);

}  // namespace hvt
