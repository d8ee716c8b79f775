#pragma once

// Channels as the comma-separated table most radio programming tools exchange: one row per
// normal channel, frequencies in MHz. What that table has no column for (the 20 kHz bandwidth,
// the middle power level, busy lock, squelch mode, signalling) travels in the Comment column as
// "hvt:" settings, so an export imports back field for field.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/band.h"
#include "model/channel_table.h"

namespace hvt {

inline constexpr std::string_view kChannelCsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// Every channel 1-200 in use, by number; CR LF line ends.
std::string ChannelsToCsv(const ChannelTable& table);

struct CsvRowNote {
  int Line = 0;  // in the file, the header being line 1
  std::string Text;

  bool operator==(const CsvRowNote&) const = default;
};

struct ChannelCsvImport {
  // When set, the file as a whole cannot be read (no header, not UTF-8 text) and nothing else is.
  std::optional<std::string> FileProblem;
  std::vector<ChannelRecord> Channels;  // the rows that can be taken, in file order
  std::vector<CsvRowNote> Refused;      // rows that cannot be taken, with the reason
  std::vector<CsvRowNote> Adjusted;     // rows taken with a change, such as a shortened name
};

// Reads every row with the channel dialog's rules under `limits`. Columns may come in any order;
// unknown ones are ignored and missing optional ones take a new channel's values.
ChannelCsvImport ChannelsFromCsv(std::string_view text, const BandLimits& limits);

// Puts `channels` into the table at their locations; `replace` first deletes every normal channel.
void ApplyChannelImport(ChannelTable& table, const std::vector<ChannelRecord>& channels, bool replace);

}  // namespace hvt
