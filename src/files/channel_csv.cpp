#include "files/channel_csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

#include "i18n/utf8.h"
#include "model/channel_codes.h"
#include "model/channel_rules.h"
#include "model/frequency.h"
#include "model/frequency_checks.h"
#include "model/text.h"
#include "model/tones.h"

namespace hvt {

namespace {

constexpr int kToneNone = 0;
constexpr int kToneCtcss = 1;
constexpr int kToneDcs = 2;
constexpr int kBandwidthNarrow = 0;
constexpr int kBandwidth20k = 1;
constexpr int kBandwidthWide = 2;
constexpr int kPowerLow = 0;
constexpr int kPowerMiddle = 1;
constexpr int kPowerHigh = 2;
constexpr std::array<std::string_view, 9> kStepKHz = {"2.50",  "5.00",  "6.25",  "10.00", "12.50",
                                                      "20.00", "25.00", "30.00", "50.00"};
constexpr std::array<std::string_view, 3> kPowerTexts = {"Low", "Mid", "High"};
constexpr std::string_view kUnusedTone = "88.5";
constexpr std::string_view kUnusedDcs = "023";
constexpr std::string_view kExtrasPrefix = "hvt:";

// ---- The CSV text itself ----

std::string Quoted(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

struct CsvRow {
  int Line = 0;
  std::vector<std::string> Fields;
};

struct CsvRows {
  std::vector<CsvRow> Rows;
  std::optional<int> OpenQuoteLine;  // a quote that is never closed, opened on this line
};

// RFC 4180 with CR, LF or CR LF line ends; a quoted field may hold commas, quotes and line breaks.
CsvRows SplitRows(std::string_view text) {
  CsvRows split;
  std::vector<CsvRow>& rows = split.Rows;
  CsvRow row{.Line = 1};
  std::string field;
  bool quoted = false;
  bool fieldStarted = false;
  int line = 1;
  int quoteLine = 0;
  const auto endRow = [&] {
    row.Fields.push_back(std::move(field));
    field.clear();
    const bool blank = row.Fields.size() == 1 && row.Fields[0].empty();
    if (!blank) rows.push_back(std::move(row));
    row = CsvRow{.Line = line};
    fieldStarted = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool lineEnd = c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        if (lineEnd) ++line;
        field += c;
      }
      continue;
    }
    switch (c) {
      case '"':
        if (!fieldStarted) {
          quoted = true;
          quoteLine = line;
        } else {
          field += c;
        }
        fieldStarted = true;
        break;
      case ',':
        row.Fields.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
        break;
      default:
        if (lineEnd) {
          ++line;
          endRow();
        } else if (c != '\r') {
          field += c;
          fieldStarted = true;
        }
        break;
    }
  }
  if (quoted) split.OpenQuoteLine = quoteLine;
  if (fieldStarted || !row.Fields.empty()) endRow();
  return split;
}

// The line of the byte at `offset`; CR LF ends one line.
int LineAt(std::string_view text, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++line;
  }
  return line;
}

// Where the text stops being UTF-8, if it does.
std::optional<std::size_t> FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    std::uint32_t least = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if ((lead & 0xE0) == 0xC0) {
      length = 2;
      least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      least = 0x800;
    } else if ((lead & 0xF8) == 0xF0 && lead <= 0xF4) {
      length = 4;
      least = 0x10000;
    } else {
      return i;
    }
    if (i + length > text.size()) return i;
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return i;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return i;
    i += length;
  }
  return std::nullopt;
}

// A field's text in a message: at most 40 characters of it.
constexpr std::size_t kEchoedCharacters = 40;
std::string Echo(std::string_view text) {
  const std::string_view kept = FirstCodePoints(text, kEchoedCharacters);
  return "'" + std::string(kept) + (kept.size() < text.size() ? "...'" : "'");
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// ---- Values ----

// Six decimals, as the other tools write them.
std::string MHzText(Frequency frequency) {
  const Frequency whole = frequency / 100'000;
  const Frequency tens = frequency % 100'000;
  std::string decimals = std::to_string(tens * 10);
  decimals.insert(0, 6 - decimals.size(), '0');
  return std::to_string(whole) + "." + decimals;
}

struct ParsedMHz {
  std::optional<Frequency> Value;
  bool TooPrecise = false;  // a number in MHz, but finer than 10 Hz
};

// A frequency in MHz; finer than 10 Hz is refused rather than rounded.
ParsedMHz ParseFrequencyText(std::string_view text) {
  text = Trimmed(text);
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  while (decimals.size() > 5 && decimals.back() == '0') decimals.remove_suffix(1);
  const auto digits = [](std::string_view s) {
    return std::ranges::all_of(s, [](char c) { return c >= '0' && c <= '9'; });
  };
  if (whole.empty() || whole.size() > 4 || !digits(whole) || !digits(decimals)) return {};
  if (decimals.size() > 5) return {.TooPrecise = true};
  std::string padded(decimals);
  padded.append(5 - padded.size(), '0');
  return {.Value = std::stoll(std::string(whole)) * 100'000 + std::stoll(padded)};
}

std::optional<Frequency> ParseFrequency(std::string_view text) { return ParseFrequencyText(text).Value; }

std::string NotAFrequency(std::string_view column, std::string_view text) {
  const std::string what = std::string(column) + " " + Echo(text);
  return ParseFrequencyText(text).TooPrecise ? what + " is finer than 10 Hz: at most five decimals of MHz"
                                             : what + " is not a frequency in MHz";
}

std::string RecordOf(Frequency frequency) { return FreqTextToRecord(FormatMHz(frequency)); }

// Tones in tenths of hertz: "88.5" is 885.
std::optional<int> ParseTenths(std::string_view text) {
  const auto value = ParseFrequency(text);  // same digits rule, five decimals
  if (!value || *value % 10'000 != 0) return std::nullopt;
  return static_cast<int>(*value / 10'000);
}

int TenthsOf(std::string_view toneText) { return ParseTenths(toneText).value_or(0); }

std::string ToneText(int stored, int customTenths) { return CtcssText(stored, customTenths); }

std::optional<int> ParseInt(std::string_view text) {
  text = Trimmed(text);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<int> ParseDcs(std::string_view text) {
  text = Trimmed(text);
  if (text.empty() || text.size() > 3) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '7') return std::nullopt;
    value = value * 8 + (c - '0');
  }
  return value;
}

// ---- Export ----

struct ToneColumns {
  std::string Mode;
  std::string RTone{kUnusedTone};
  std::string CTone{kUnusedTone};
  std::string Dtcs{kUnusedDcs};
  std::string RxDtcs{kUnusedDcs};
  std::string Polarity = "NN";
  std::string Cross = "Tone->Tone";
};

ToneColumns TonesOf(const ChannelRecord& c) {
  ToneColumns t;
  const int tx = c.EncodeType;
  const int rx = c.DecodeType;
  const auto ctcss = [&c](int stored) { return ToneText(CtcssIndex(stored), c.CustomCtcss); };
  const auto dcs = [](int stored) { return DcsCodeText(DcsValue(stored) & kDcsCodeMask); };
  const auto inverted = [](int stored) { return (DcsValue(stored) & kDcsInvertedBit) != 0 ? 'R' : 'N'; };
  if (tx == kToneCtcss) t.RTone = ctcss(c.EncodeCtcss);
  if (rx == kToneCtcss) t.CTone = ctcss(c.DecodeCtcss);
  if (tx == kToneDcs) t.Dtcs = dcs(c.EncodeDcs);
  if (rx == kToneDcs) t.RxDtcs = dcs(c.DecodeDcs);
  t.Polarity = {tx == kToneDcs ? inverted(c.EncodeDcs) : 'N', rx == kToneDcs ? inverted(c.DecodeDcs) : 'N'};

  if (tx == kToneNone && rx == kToneNone) return t;
  if (tx == kToneCtcss && rx == kToneNone) {
    t.Mode = "Tone";
  } else if (tx == kToneCtcss && rx == kToneCtcss && t.RTone == t.CTone) {
    t.Mode = "TSQL";
  } else if (tx == kToneDcs && rx == kToneDcs && t.Dtcs == t.RxDtcs) {
    t.Mode = "DTCS";
  } else {
    t.Mode = "Cross";
    const auto side = [](int type) { return type == kToneCtcss ? "Tone" : type == kToneDcs ? "DTCS" : ""; };
    t.Cross = std::string(side(tx)) + "->" + side(rx);
  }
  return t;
}

// The settings the columns cannot carry, those that differ from a new channel only.
std::string ExtrasOf(const ChannelRecord& c) {
  const ChannelRecord fresh = NewChannelRecord(c.ChannelNumber);
  std::ostringstream extras;
  const auto add = [&](std::string_view key, int value, int usual) {
    if (value != usual) extras << (extras.tellp() == 0 ? "" : " ") << key << '=' << value;
  };
  add("bw20", c.Bandwidth == kBandwidth20k ? 1 : 0, 0);
  if (c.TxForbid != 0) add("dir", c.OffsetDir, kOffsetOff);
  add("busy", c.BusyLock, fresh.BusyLock);
  add("sql", c.SquelchMode, fresh.SquelchMode);
  add("signal", c.OptSignal, fresh.OptSignal);
  add("dtmf", c.DtmfCode, fresh.DtmfCode);
  add("2tone", c.TwoToneCode, fresh.TwoToneCode);
  add("5tone", c.FiveToneCode, fresh.FiveToneCode);
  add("dtmfid", c.DtmfPttId, fresh.DtmfPttId);
  add("5toneid", c.FiveTonePttId, fresh.FiveTonePttId);
  add("talkaround", c.TalkAround, fresh.TalkAround);
  add("reverse", c.Reverse, fresh.Reverse);
  add("scramble", c.Scramble, fresh.Scramble);
  add("custom", c.CustomCtcss, fresh.CustomCtcss);
  add("step", c.Step, fresh.Step);
  const std::string text = extras.str();
  return text.empty() ? text : std::string(kExtrasPrefix) + " " + text;
}

}  // namespace

std::string ChannelsToCsv(const ChannelTable& table) {
  std::vector<const ChannelRecord*> channels;
  for (const ChannelRecord& c : table.Channels()) {
    if (IsNormalChannel(c.ChannelNumber) && c.InUse == 1) channels.push_back(&c);
  }
  std::ranges::sort(channels, {}, &ChannelRecord::ChannelNumber);

  std::string csv = std::string(kChannelCsvHeader) + "\r\n";
  for (const ChannelRecord* channel : channels) {
    const ChannelRecord& c = *channel;
    const Frequency rx = FreqRecordValue(c.RxFreq.Raw()).value_or(0);
    const Frequency tx = FreqRecordValue(c.TxFreq.Raw()).value_or(0);
    std::string duplex;
    Frequency offset = 0;
    if (c.TxForbid != 0) {
      duplex = "off";
      offset = tx;  // kept for when transmitting is allowed again; the comment keeps the direction
    } else if (c.OffsetDir == kOffsetPlus || c.OffsetDir == kOffsetMinus) {
      duplex = c.OffsetDir == kOffsetPlus ? "+" : "-";
      offset = tx;
    } else if (c.OffsetDir == kOffsetSeparateTx) {
      duplex = "split";
      offset = tx;
    }
    const ToneColumns tones = TonesOf(c);
    const std::size_t step = static_cast<std::size_t>(std::clamp<int>(c.Step, 0, kStepKHz.size() - 1));
    const int power = std::clamp<int>(c.Power, kPowerLow, kPowerHigh);
    const std::array<std::string, 21> fields = {std::to_string(c.ChannelNumber),
                                                c.Name.Trimmed(),
                                                MHzText(rx),
                                                duplex,
                                                MHzText(offset),
                                                tones.Mode,
                                                tones.RTone,
                                                tones.CTone,
                                                tones.Dtcs,
                                                tones.Polarity,
                                                tones.RxDtcs,
                                                tones.Cross,
                                                c.Bandwidth == kBandwidthNarrow ? "NFM" : "FM",
                                                std::string(kStepKHz[step]),
                                                c.ScanAdd == 0 ? "S" : "",
                                                std::string(kPowerTexts[static_cast<std::size_t>(power)]),
                                                ExtrasOf(c),
                                                "",
                                                "",
                                                "",
                                                ""};
    for (std::size_t i = 0; i < fields.size(); ++i) csv += (i == 0 ? "" : ",") + Quoted(fields[i]);
    csv += "\r\n";
  }
  return csv;
}

namespace {

// ---- Import ----

class RowReader {
 public:
  RowReader(const std::map<std::string, std::size_t>& columns, const CsvRow& row)
      : columns_(columns), row_(row) {}

  // The column's text, empty when the file has no such column or the row is short.
  std::string_view operator[](std::string_view name) const {
    const auto found = columns_.find(std::string(name));
    if (found == columns_.end() || found->second >= row_.Fields.size()) return {};
    return Trimmed(row_.Fields[found->second]);
  }

 private:
  const std::map<std::string, std::size_t>& columns_;
  const CsvRow& row_;
};

struct RowResult {
  std::optional<ChannelRecord> Channel;
  std::string Refusal;
  std::vector<std::string> Adjustments;
};

std::optional<int> StoredCtcss(std::string_view text, ChannelRecord& c, std::string& refusal) {
  const auto tenths = ParseTenths(text);
  if (!tenths) {
    refusal = "tone " + Echo(text) + " is not a number of hertz";
    return std::nullopt;
  }
  for (int i = 0; i < kStandardCtcssCount; ++i) {
    if (TenthsOf(kCtcssTones[static_cast<std::size_t>(i)]) == *tenths) return i;
  }
  if (!CustomToneAllowed(*tenths)) {
    refusal = "tone " + std::string(text) + " Hz is outside " + CustomCtcssText(kCustomToneMin) + "-" +
              CustomCtcssText(kCustomToneMax) + " Hz";
    return std::nullopt;
  }
  // One user-defined tone per channel, shared by both directions.
  if (c.CustomCtcss != *tenths && c.EncodeType == kToneCtcss &&
      CtcssIndex(c.EncodeCtcss) == kCustomCtcssIndex) {
    refusal = "two tones that are not standard CTCSS tones";
    return std::nullopt;
  }
  c.CustomCtcss = static_cast<std::int16_t>(*tenths);
  return kCustomCtcssIndex;
}

std::optional<int> StoredDcs(std::string_view code, char polarity, std::string& refusal) {
  const auto value = ParseDcs(code);
  if (!value) {
    refusal = "DCS code " + Echo(code) + " is not an octal code 000-777";
    return std::nullopt;
  }
  return *value | (polarity == 'R' ? kDcsInvertedBit : 0);
}

bool ReadTones(const RowReader& row, ChannelRecord& c, std::string& refusal) {
  const std::string_view mode = row["Tone"];
  std::string_view cross = row["CrossMode"];
  const std::string_view polarity =
      row["DtcsPolarity"].empty() ? std::string_view("NN") : row["DtcsPolarity"];
  if (polarity.size() != 2 || (polarity[0] != 'N' && polarity[0] != 'R') ||
      (polarity[1] != 'N' && polarity[1] != 'R')) {
    refusal = "DtcsPolarity " + Echo(polarity) + " is not NN, NR, RN or RR";
    return false;
  }
  std::string txSide;
  std::string rxSide;
  if (mode.empty()) {
  } else if (mode == "Tone") {
    txSide = "Tone";
  } else if (mode == "TSQL") {
    txSide = rxSide = "TSQL";
  } else if (mode == "DTCS") {
    txSide = rxSide = "DTCS";
  } else if (mode == "Cross") {
    if (cross.empty()) cross = "Tone->Tone";
    const std::size_t arrow = cross.find("->");
    if (arrow == std::string_view::npos) {
      refusal = "CrossMode " + Echo(cross) + " has no ->";
      return false;
    }
    txSide = cross.substr(0, arrow);
    rxSide = cross.substr(arrow + 2);
    for (const std::string& side : {txSide, rxSide}) {
      if (!side.empty() && side != "Tone" && side != "DTCS") {
        refusal = "CrossMode " + Echo(cross) + " is not one the radio has";
        return false;
      }
    }
  } else {
    refusal = "Tone " + Echo(mode) + " is none of Tone, TSQL, DTCS, Cross";
    return false;
  }

  const auto ctcss = [&](std::string_view column) {
    const std::string_view text = row[column].empty() ? kUnusedTone : row[column];
    return StoredCtcss(text, c, refusal);
  };
  const auto dcs = [&](std::string_view column, char side) {
    const std::string_view text = row[column].empty() ? kUnusedDcs : row[column];
    return StoredDcs(text, side, refusal);
  };
  // TSQL and DTCS use one tone for both directions: rToneFreq/cToneFreq and DtcsCode.
  if (txSide == "Tone" || txSide == "TSQL") {
    const auto tone = ctcss(txSide == "TSQL" ? "cToneFreq" : "rToneFreq");
    if (!tone) return false;
    c.EncodeType = kToneCtcss;
    c.EncodeCtcss = static_cast<std::int16_t>(*tone);
  } else if (txSide == "DTCS") {
    const auto code = dcs("DtcsCode", polarity[0]);
    if (!code) return false;
    c.EncodeType = kToneDcs;
    c.EncodeDcs = static_cast<std::int16_t>(*code);
  }
  if (rxSide == "Tone" || rxSide == "TSQL") {
    const auto tone = ctcss("cToneFreq");
    if (!tone) return false;
    c.DecodeType = kToneCtcss;
    c.DecodeCtcss = static_cast<std::int16_t>(*tone);
  } else if (rxSide == "DTCS") {
    const auto code = dcs(mode == "DTCS" ? "DtcsCode" : "RxDtcsCode", polarity[1]);
    if (!code) return false;
    c.DecodeType = kToneDcs;
    c.DecodeDcs = static_cast<std::int16_t>(*code);
  }
  return true;
}

struct Extra {
  std::string Key;
  int Value = 0;
};

struct ExtraKey {
  std::string_view Key;
  int Max;
  std::int16_t ChannelRecord::*Field;  // none for the settings read with their column
};

const ExtraKey kExtraKeys[] = {
    {"bw20", 1, nullptr},
    {"dir", 3, nullptr},
    {"step", static_cast<int>(kStepKHz.size()) - 1, nullptr},
    {"busy", 2, &ChannelRecord::BusyLock},
    {"sql", 4, &ChannelRecord::SquelchMode},
    {"signal", 3, &ChannelRecord::OptSignal},
    {"dtmf", 15, &ChannelRecord::DtmfCode},
    {"2tone", 31, &ChannelRecord::TwoToneCode},
    {"5tone", 99, &ChannelRecord::FiveToneCode},
    {"dtmfid", 3, &ChannelRecord::DtmfPttId},
    {"5toneid", 3, &ChannelRecord::FiveTonePttId},
    {"talkaround", 1, &ChannelRecord::TalkAround},
    {"reverse", 1, &ChannelRecord::Reverse},
    {"scramble", 1, &ChannelRecord::Scramble},
    {"custom", kCustomToneMax, &ChannelRecord::CustomCtcss},
};

// "hvt: key=value ..." from an export of ours, in the comment's order; anything else in the
// comment is the user's, and a key of a later version is passed over.
std::optional<std::vector<Extra>> ReadExtras(std::string_view comment, std::string& refusal) {
  std::vector<Extra> extras;
  if (!comment.starts_with(kExtrasPrefix)) return extras;
  std::istringstream words{std::string(comment.substr(kExtrasPrefix.size()))};
  std::string word;
  while (words >> word) {
    const std::size_t equals = word.find('=');
    const std::string_view key = std::string_view(word).substr(0, equals);
    const int value =
        equals == std::string::npos ? -1 : ParseInt(std::string_view(word).substr(equals + 1)).value_or(-1);
    const auto known = std::ranges::find(kExtraKeys, key, &ExtraKey::Key);
    if (known == std::end(kExtraKeys)) continue;
    if (value < 0 || value > known->Max) {
      refusal = "setting " + Echo(word) + " in the comment is outside 0-" + std::to_string(known->Max);
      return std::nullopt;
    }
    extras.push_back({std::string(key), value});
  }
  return extras;
}

// The first rule of the radio the channel breaks, in words.
std::optional<std::string> BrokenRule(const ChannelRecord& c, const BandLimits& limits) {
  const std::vector<ChannelRuleFault> faults = ChannelFaults(c, limits);
  if (faults.empty()) return std::nullopt;
  const ChannelRuleFault& fault = faults.front();
  switch (fault.Kind) {
    case ChannelFault::ReceiveOutside:
      return "Frequency " + MHzText(fault.Value) + " MHz is outside the radio's receive bands " +
             ReceiveRangesText(limits);
    case ChannelFault::TransmitOutside:
      return "transmit frequency " + MHzText(fault.Value) + " MHz is outside " + RangeText(fault.Allowed) +
             ", the transmit range of its receive band";
    case ChannelFault::OffsetAboveMaximum:
      return "Offset " + MHzText(fault.Value) + " MHz is above 80 MHz";
    case ChannelFault::NoFrequency:
      return std::string("the transmit frequency is missing");
    case ChannelFault::CustomToneOutside:
      return "user-defined tone " + CustomCtcssText(static_cast<int>(fault.Value)) + " Hz is outside " +
             CustomCtcssText(kCustomToneMin) + "-" + CustomCtcssText(kCustomToneMax) + " Hz";
    case ChannelFault::NameCharacters:
      return std::string("the name holds characters the radio does not show");
    case ChannelFault::ReverseWithTalkAround:
      return std::string("reverse and talk-around together");
    case ChannelFault::SquelchModeNotAllowed:
      return std::string("a squelch mode the tones and signalling do not allow");
  }
  return std::string("a setting the radio does not take");
}

// `renumbered` is the channel the row becomes, 0 when its Location says.
RowResult ReadRow(const RowReader& row, const BandLimits& limits, int renumbered) {
  RowResult result;
  std::string& refusal = result.Refusal;
  const auto note = [&result](std::string text) { result.Adjustments.push_back(std::move(text)); };
  int number = 0;
  if (renumbered != 0) {
    if (!IsNormalChannel(renumbered)) {
      refusal = "row " + std::to_string(renumbered) + " would be channel " + std::to_string(renumbered) +
                ", beyond channel 200";
      return result;
    }
    number = renumbered;
  } else {
    const auto location = ParseInt(row["Location"]);
    if (!location || !IsNormalChannel(*location)) {
      refusal = "Location " + Echo(row["Location"]) +
                " is not a channel 1-200 (--renumber takes the rows in file order as channels 1, 2, ...)";
      return result;
    }
    number = *location;
  }
  ChannelRecord c = NewChannelRecord(number);
  c.InUse = 1;

  const std::string_view frequency = row["Frequency"];
  const auto rx = ParseFrequency(frequency);
  if (!rx) {
    refusal = NotAFrequency("Frequency", frequency);
    return result;
  }
  if (!ReceiveAllowed(limits, *rx)) {
    refusal = "Frequency " + MHzText(*rx) + " MHz is outside the radio's receive bands " +
              ReceiveRangesText(limits);
    return result;
  }
  c.RxFreq = RecordOf(*rx);

  const std::string_view duplex = row["Duplex"];
  const auto offset = row["Offset"].empty() ? std::optional<Frequency>(0) : ParseFrequency(row["Offset"]);
  if (!offset) {
    refusal = NotAFrequency("Offset", row["Offset"]);
    return result;
  }
  if (duplex == "+" || duplex == "-") {
    c.OffsetDir = static_cast<std::int16_t>(duplex == "+" ? kOffsetPlus : kOffsetMinus);
    c.TxFreq = RecordOf(*offset);
  } else if (duplex == "split") {
    c.OffsetDir = kOffsetSeparateTx;
    c.TxFreq = RecordOf(*offset);
  } else if (duplex == "off") {
    c.TxForbid = 1;
    c.TxFreq = RecordOf(*offset);
  } else if (!duplex.empty()) {
    refusal = "Duplex " + Echo(duplex) + " is none of +, -, split, off";
    return result;
  }

  const ChannelName name = ChannelNameOf(row["Name"]);
  if (name.Changed) note("name " + Echo(row["Name"]) + " becomes '" + name.Text + "'");
  c.Name = name.Text.size() < kChannelNameLength ? name.Text + '\0' : name.Text;

  // A column the file lacks, or leaves empty, keeps a new channel's value.
  const std::string_view mode = row["Mode"];
  if (mode == "NFM") {
    c.Bandwidth = kBandwidthNarrow;
  } else if (mode == "FM") {
    c.Bandwidth = kBandwidthWide;
  } else if (!mode.empty()) {
    refusal = "Mode " + Echo(mode) + " is neither FM nor NFM";
    return result;
  }

  const std::string_view stepText = row["TStep"];
  if (!stepText.empty()) {
    const auto tenths = ParseFrequency(stepText);
    const auto found = std::ranges::find_if(
        kStepKHz, [&](std::string_view s) { return tenths && ParseFrequency(s) == tenths; });
    if (found == kStepKHz.end()) {
      refusal = "TStep " + Echo(stepText) + " is not a step the radio has";
      return result;
    }
    c.Step = static_cast<std::int16_t>(found - kStepKHz.begin());
  }

  const std::string_view skip = row["Skip"];
  c.ScanAdd = skip == "S" ? 0 : 1;
  if (skip == "P") {
    note("Skip 'P' (a priority channel) becomes a channel of the scan list");
  } else if (!skip.empty() && skip != "S") {
    note("Skip " + Echo(skip) + " is neither S nor P: the channel is in the scan list");
  }

  std::string power(row["Power"]);
  std::ranges::transform(power, power.begin(),
                         [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  if (power.empty()) {
  } else if (power.starts_with("h")) {
    c.Power = kPowerHigh;
  } else if (power.starts_with("m")) {
    c.Power = kPowerMiddle;
  } else if (power.starts_with("l")) {
    c.Power = kPowerLow;
  } else if (const double watts = std::atof(power.c_str()); watts > 0) {
    c.Power = static_cast<std::int16_t>(watts >= 4 ? kPowerHigh : watts >= 2 ? kPowerMiddle : kPowerLow);
  } else {
    refusal = "Power " + Echo(row["Power"]) + " is not High, Mid, Low or watts";
    return result;
  }

  const auto extras = ReadExtras(row["Comment"], refusal);
  if (!extras) return result;
  for (const Extra& extra : *extras) {
    const std::string setting = extra.Key + "=" + std::to_string(extra.Value);
    if (extra.Key == "bw20") {
      if (extra.Value == 0) continue;
      if (mode == "NFM") note(setting + " in the comment overrides Mode NFM: 20 kHz");
      c.Bandwidth = kBandwidth20k;
    } else if (extra.Key == "dir") {
      // The direction of a transmit-inhibited channel; otherwise Duplex gives it.
      if (c.TxForbid != 0) {
        c.OffsetDir = static_cast<std::int16_t>(extra.Value);
      } else if (extra.Value != c.OffsetDir) {
        note(setting + " in the comment is passed over: Duplex " + Echo(duplex) + " gives the direction");
      }
    } else if (extra.Key == "step") {
      if (!stepText.empty() && extra.Value != c.Step) {
        note(setting + " in the comment overrides TStep " + Echo(stepText) + ": " +
             std::string(kStepKHz[static_cast<std::size_t>(extra.Value)]) + " kHz");
      }
      c.Step = static_cast<std::int16_t>(extra.Value);
    } else {
      const auto known = std::ranges::find(kExtraKeys, extra.Key, &ExtraKey::Key);
      c.*(known->Field) = static_cast<std::int16_t>(extra.Value);
    }
  }
  if (!ReadTones(row, c, refusal)) return result;

  // Settings that exclude each other resolve as the channel dialog resolves them, and say so.
  if (c.Reverse != 0 && c.TalkAround != 0) {
    c.TalkAround = 0;
    note("reverse=1 and talkaround=1 exclude each other: talk-around is off");
  }
  if (const int squelch = SquelchModeFor(c); squelch != c.SquelchMode) {
    note("sql=" + std::to_string(c.SquelchMode) +
         " does not go with the channel's tones and signalling: carrier squelch");
    c.SquelchMode = static_cast<std::int16_t>(squelch);
  }
  if (const auto broken = BrokenRule(c, limits)) {
    refusal = *broken;
    return result;
  }
  result.Channel = c;
  return result;
}

}  // namespace

ChannelCsvImport ChannelsFromCsv(std::string_view text, const BandLimits& limits,
                                 const ChannelCsvOptions& options) {
  ChannelCsvImport import;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (const auto invalid = FirstInvalidUtf8(text)) {
    import.FileProblem = "line " + std::to_string(LineAt(text, *invalid)) + ": the file is not UTF-8 text";
    return import;
  }
  const CsvRows split = SplitRows(text);
  if (split.OpenQuoteLine) {
    import.FileProblem = "line " + std::to_string(*split.OpenQuoteLine) +
                         ": a quote opened here is never closed, so the rest of the file would be one field";
    return import;
  }
  const std::vector<CsvRow>& rows = split.Rows;
  std::map<std::string, std::size_t> columns;
  std::vector<CsvRowNote> headerNotes;
  if (!rows.empty()) {
    for (std::size_t i = 0; i < rows[0].Fields.size(); ++i) {
      const std::string name(Trimmed(rows[0].Fields[i]));
      if (!columns.emplace(name, i).second && !name.empty()) {
        headerNotes.push_back(
            {rows[0].Line, "column " + Echo(name) + " appears twice: the first one is read"});
      }
    }
  }
  const bool header = columns.contains("Frequency") && (options.Renumber || columns.contains("Location"));
  if (!header) {
    import.FileProblem = options.Renumber
                             ? "the first line is no header with the column Frequency"
                             : "the first line is no header with the columns Location and Frequency";
    return import;
  }
  if (rows.size() < 2) {
    import.FileProblem = "the file has a header but no channel rows";
    return import;
  }
  import.Adjusted = std::move(headerNotes);
  std::vector<bool> taken(kNormalChannelCount + 1, false);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const RowReader reader(columns, rows[i]);
    RowResult result = ReadRow(reader, limits, options.Renumber ? static_cast<int>(i) : 0);
    const int line = rows[i].Line;
    if (result.Channel && taken[static_cast<std::size_t>(result.Channel->ChannelNumber)]) {
      result.Channel.reset();
      result.Refusal = "Location " + Echo(reader["Location"]) + " appears twice";
    }
    if (!result.Channel) {
      import.Refused.push_back({line, result.Refusal});
      continue;
    }
    taken[static_cast<std::size_t>(result.Channel->ChannelNumber)] = true;
    for (std::string& adjustment : result.Adjustments)
      import.Adjusted.push_back({line, std::move(adjustment)});
    import.Channels.push_back(*result.Channel);
  }
  return import;
}

namespace {

// Tone slots of a type a direction does not use, an offset without a direction, the reserved
// words and a name's filler.
void KeepWhatTheTableCannotSay(const ChannelRecord& old, ChannelRecord& channel) {
  channel.Reserved = old.Reserved;
  if (old.Name.Trimmed() == channel.Name.Trimmed()) channel.Name = old.Name;
  if (channel.EncodeType != kToneCtcss) channel.EncodeCtcss = old.EncodeCtcss;
  if (channel.DecodeType != kToneCtcss) channel.DecodeCtcss = old.DecodeCtcss;
  if (channel.EncodeType != kToneDcs) channel.EncodeDcs = old.EncodeDcs;
  if (channel.DecodeType != kToneDcs) channel.DecodeDcs = old.DecodeDcs;
  if (channel.OffsetDir == kOffsetOff && channel.TxForbid == 0) channel.TxFreq = old.TxFreq;
}

}  // namespace

void ApplyChannelImport(ChannelTable& table, const std::vector<ChannelRecord>& channels, bool replace) {
  ChannelTable before = table;
  if (replace) {
    for (int number = 1; number <= kNormalChannelCount; ++number) DeleteChannel(table, number);
  }
  for (ChannelRecord channel : channels) {
    // What the table has no column for, and a name that only differs in its filler, stay as
    // they were: importing an export changes nothing.
    if (const ChannelRecord* old = before.Find(channel.ChannelNumber))
      KeepWhatTheTableCannotSay(*old, channel);
    if (ChannelRecord* slot = table.Find(channel.ChannelNumber)) {
      *slot = channel;
    } else {
      static_cast<void>(AddChannel(table, channel));
    }
  }
}

bool ApplyChannelImport(Configuration& configuration, const std::vector<ChannelRecord>& channels,
                        bool replace) {
  ChannelTable table = configuration.Channels;
  ApplyChannelImport(table, channels, replace);
  if (NormalChannelCount(table) == 0) return false;
  configuration.Channels = table;
  RepairChannelRefsAfterDeletes(configuration);
  return true;
}

}  // namespace hvt
