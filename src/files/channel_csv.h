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
#include "model/configuration.h"

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
  // When set, the file as a whole cannot be read (no header, no rows, not UTF-8 text, a quote
  // never closed) and nothing else is.
  std::optional<std::string> FileProblem;
  std::vector<ChannelRecord> Channels;  // the rows that can be taken, in file order
  std::vector<CsvRowNote> Refused;      // rows that cannot be taken, with the reason
  // Rows taken with a change: a shortened name, settings that contradict each other; also a
  // header column that appears twice.
  std::vector<CsvRowNote> Adjusted;
};

struct ChannelCsvOptions {
  // The rows in file order become channels 1, 2, ...; the Location column is not read (tools
  // that number from 0 write files that never import whole otherwise).
  bool Renumber = false;
};

// Reads every row with the radio's channel rules under `limits`. Columns may come in any order;
// unknown ones are ignored and missing or empty optional ones take a new channel's values.
ChannelCsvImport ChannelsFromCsv(std::string_view text, const BandLimits& limits,
                                 const ChannelCsvOptions& options = {});

// Puts `channels` into the table at their locations; `replace` first deletes every normal channel.
void ApplyChannelImport(ChannelTable& table, const std::vector<ChannelRecord>& channels, bool replace);

// The same for a whole configuration, under the rules of a delete in the grid: false, with nothing
// changed, when no normal channel would be left; the settings that named a removed channel are
// repaired.
[[nodiscard]] bool ApplyChannelImport(Configuration& configuration,
                                      const std::vector<ChannelRecord>& channels, bool replace);

}  // namespace hvt
