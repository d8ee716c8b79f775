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
constexpr Frequency kMaxOffset = 80 * 100'000;
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

// RFC 4180 with LF or CR LF line ends; a quoted field may hold commas, quotes and line breaks.
std::vector<CsvRow> SplitRows(std::string_view text) {
  std::vector<CsvRow> rows;
  CsvRow row{.Line = 1};
  std::string field;
  bool quoted = false;
  bool fieldStarted = false;
  int line = 1;
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
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        if (c == '\n') ++line;
        field += c;
      }
      continue;
    }
    switch (c) {
      case '"':
        if (!fieldStarted)
          quoted = true;
        else
          field += c;
        fieldStarted = true;
        break;
      case ',':
        row.Fields.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
        break;
      case '\r':
        break;
      case '\n':
        ++line;
        endRow();
        break;
      default:
        field += c;
        fieldStarted = true;
        break;
    }
  }
  if (fieldStarted || !row.Fields.empty()) endRow();
  return rows;
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

// A frequency in MHz; finer than 10 Hz is refused rather than rounded.
std::optional<Frequency> ParseFrequency(std::string_view text) {
  text = Trimmed(text);
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  while (decimals.size() > 5 && decimals.back() == '0') decimals.remove_suffix(1);
  if (whole.empty() || whole.size() > 4 || decimals.size() > 5) return std::nullopt;
  const auto digits = [](std::string_view s) {
    return std::ranges::all_of(s, [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(whole) || !digits(decimals)) return std::nullopt;
  std::string padded(decimals);
  padded.append(5 - padded.size(), '0');
  return std::stoll(std::string(whole)) * 100'000 + std::stoll(padded);
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

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == ' ';
}

std::optional<int> StoredCtcss(std::string_view text, ChannelRecord& c, std::string& refusal) {
  const auto tenths = ParseTenths(text);
  if (!tenths) {
    refusal = "tone '" + std::string(text) + "' is not a number of hertz";
    return std::nullopt;
  }
  for (int i = 0; i < kStandardCtcssCount; ++i) {
    if (TenthsOf(kCtcssTones[static_cast<std::size_t>(i)]) == *tenths) return i;
  }
  if (*tenths < 500 || *tenths > 2600) {
    refusal = "tone " + std::string(text) + " Hz is outside 50.0-260.0 Hz";
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
    refusal = "DCS code '" + std::string(code) + "' is not an octal code 000-777";
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
    refusal = "DtcsPolarity '" + std::string(polarity) + "' is not NN, NR, RN or RR";
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
      refusal = "CrossMode '" + std::string(cross) + "' has no ->";
      return false;
    }
    txSide = cross.substr(0, arrow);
    rxSide = cross.substr(arrow + 2);
    for (const std::string& side : {txSide, rxSide}) {
      if (!side.empty() && side != "Tone" && side != "DTCS") {
        refusal = "CrossMode '" + std::string(cross) + "' is not one the radio has";
        return false;
      }
    }
  } else {
    refusal = "Tone '" + std::string(mode) + "' is none of Tone, TSQL, DTCS, Cross";
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

// "hvt: key=value ..." from an export of ours; anything else in the comment is the user's.
bool ReadExtras(std::string_view comment, ChannelRecord& c, std::string& refusal) {
  if (!comment.starts_with(kExtrasPrefix)) return true;
  struct Extra {
    std::string_view Key;
    int Max;
    std::function<void(int)> Store;
  };
  const auto into = [&c](std::int16_t ChannelRecord::*field) {
    return [&c, field](int value) { c.*field = static_cast<std::int16_t>(value); };
  };
  const Extra extras[] = {
      {"bw20", 1,
       [&c](int on) {
         if (on != 0) c.Bandwidth = kBandwidth20k;
       }},
      {"dir", 3, into(&ChannelRecord::OffsetDir)},
      {"busy", 2, into(&ChannelRecord::BusyLock)},
      {"sql", 4, into(&ChannelRecord::SquelchMode)},
      {"signal", 3, into(&ChannelRecord::OptSignal)},
      {"dtmf", 15, into(&ChannelRecord::DtmfCode)},
      {"2tone", 31, into(&ChannelRecord::TwoToneCode)},
      {"5tone", 99, into(&ChannelRecord::FiveToneCode)},
      {"dtmfid", 3, into(&ChannelRecord::DtmfPttId)},
      {"5toneid", 3, into(&ChannelRecord::FiveTonePttId)},
      {"talkaround", 1, into(&ChannelRecord::TalkAround)},
      {"reverse", 1, into(&ChannelRecord::Reverse)},
      {"scramble", 1, into(&ChannelRecord::Scramble)},
      {"custom", 2600, into(&ChannelRecord::CustomCtcss)},
      {"step", static_cast<int>(kStepKHz.size()) - 1, into(&ChannelRecord::Step)},
  };
  std::istringstream words{std::string(comment.substr(kExtrasPrefix.size()))};
  std::string word;
  while (words >> word) {
    const std::size_t equals = word.find('=');
    const std::string_view key = std::string_view(word).substr(0, equals);
    const int value =
        equals == std::string::npos ? -1 : ParseInt(std::string_view(word).substr(equals + 1)).value_or(-1);
    const auto extra = std::ranges::find(extras, key, &Extra::Key);
    if (extra == std::end(extras)) continue;  // a later version's setting
    if (value < 0 || value > extra->Max) {
      refusal = "setting '" + word + "' in the comment is outside 0-" + std::to_string(extra->Max);
      return false;
    }
    extra->Store(value);
  }
  return true;
}

RowResult ReadRow(const RowReader& row, const BandLimits& limits) {
  RowResult result;
  std::string& refusal = result.Refusal;
  const auto location = ParseInt(row["Location"]);
  if (!location || !IsNormalChannel(*location)) {
    refusal = "Location '" + std::string(row["Location"]) + "' is not a channel 1-200";
    return result;
  }
  ChannelRecord c = NewChannelRecord(*location);
  c.InUse = 1;

  const auto rx = ParseFrequency(row["Frequency"]);
  if (!rx) {
    refusal = "Frequency '" + std::string(row["Frequency"]) + "' is not a frequency in MHz";
    return result;
  }
  const int band = RxBandRow(limits, *rx);
  if (!limits.Rx[static_cast<std::size_t>(band)].Contains(*rx)) {
    refusal = "Frequency " + MHzText(*rx) + " MHz is outside the radio's receive bands";
    return result;
  }
  c.RxFreq = RecordOf(*rx);

  const std::string_view duplex = row["Duplex"];
  const auto offset = row["Offset"].empty() ? std::optional<Frequency>(0) : ParseFrequency(row["Offset"]);
  if (!offset) {
    refusal = "Offset '" + std::string(row["Offset"]) + "' is not a frequency in MHz";
    return result;
  }
  Frequency tx = *rx;
  if (duplex == "+" || duplex == "-") {
    if (*offset > kMaxOffset) {
      refusal = "Offset " + MHzText(*offset) + " MHz is above 80 MHz";
      return result;
    }
    tx = duplex == "+" ? *rx + *offset : *rx - *offset;
    c.OffsetDir = static_cast<std::int16_t>(duplex == "+" ? kOffsetPlus : kOffsetMinus);
    c.TxFreq = RecordOf(*offset);
  } else if (duplex == "split") {
    tx = *offset;
    c.OffsetDir = kOffsetSeparateTx;
    c.TxFreq = RecordOf(*offset);
  } else if (duplex == "off") {
    c.TxForbid = 1;
    c.TxFreq = RecordOf(*offset);
  } else if (!duplex.empty()) {
    refusal = "Duplex '" + std::string(duplex) + "' is none of +, -, split, off";
    return result;
  }
  if (c.TxForbid == 0 &&
      !std::ranges::any_of(limits.Tx, [tx](const FrequencyRange& r) { return r.Contains(tx); })) {
    refusal = "transmit frequency " + MHzText(tx) + " MHz is outside the radio's transmit bands";
    return result;
  }

  std::string name;
  for (const char raw : row["Name"]) {
    const char upper = raw >= 'a' && raw <= 'z' ? static_cast<char>(raw - 'a' + 'A') : raw;
    if (IsNameCharacter(upper)) name += upper;
  }
  name = std::string(TextTrim(name));
  if (name.size() > 5) name.resize(5);
  name = std::string(TextTrim(name));
  if (name != Trimmed(row["Name"])) {
    result.Adjustments.push_back("name '" + std::string(row["Name"]) + "' becomes '" + name + "'");
  }
  c.Name = name.size() < 5 ? name + '\0' : name;

  const std::string_view mode = row["Mode"];
  if (mode == "NFM") {
    c.Bandwidth = kBandwidthNarrow;
  } else if (mode.empty() || mode == "FM") {
    c.Bandwidth = kBandwidthWide;
  } else {
    refusal = "Mode '" + std::string(mode) + "' is neither FM nor NFM";
    return result;
  }

  if (const std::string_view step = row["TStep"]; !step.empty()) {
    const auto tenths = ParseFrequency(step);
    const auto found = std::ranges::find_if(
        kStepKHz, [&](std::string_view s) { return tenths && ParseFrequency(s) == tenths; });
    if (found == kStepKHz.end()) {
      refusal = "TStep '" + std::string(step) + "' is not a step the radio has";
      return result;
    }
    c.Step = static_cast<std::int16_t>(found - kStepKHz.begin());
  }

  const std::string_view skip = row["Skip"];
  c.ScanAdd = skip == "S" ? 0 : 1;

  std::string power(row["Power"]);
  std::ranges::transform(power, power.begin(),
                         [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  if (power.empty() || power.starts_with("h")) {
    c.Power = kPowerHigh;
  } else if (power.starts_with("m")) {
    c.Power = kPowerMiddle;
  } else if (power.starts_with("l")) {
    c.Power = kPowerLow;
  } else if (const double watts = std::atof(power.c_str()); watts > 0) {
    c.Power = static_cast<std::int16_t>(watts >= 4 ? kPowerHigh : watts >= 2 ? kPowerMiddle : kPowerLow);
  } else {
    refusal = "Power '" + std::string(row["Power"]) + "' is not High, Mid, Low or watts";
    return result;
  }

  if (!ReadExtras(row["Comment"], c, refusal)) return result;
  if (!ReadTones(row, c, refusal)) return result;
  result.Channel = c;
  return result;
}

bool IsUtf8(std::string_view text) { return SanitizeUtf8(text) == text; }

}  // namespace

ChannelCsvImport ChannelsFromCsv(std::string_view text, const BandLimits& limits) {
  ChannelCsvImport import;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (!IsUtf8(text)) {
    import.FileProblem = "the file is not UTF-8 text";
    return import;
  }
  const std::vector<CsvRow> rows = SplitRows(text);
  std::map<std::string, std::size_t> columns;
  if (!rows.empty()) {
    for (std::size_t i = 0; i < rows[0].Fields.size(); ++i)
      columns.emplace(std::string(Trimmed(rows[0].Fields[i])), i);
  }
  for (const std::string_view required : {"Location", "Frequency"}) {
    if (!columns.contains(std::string(required))) {
      import.FileProblem = "the first line is no header with the columns Location and Frequency";
      return import;
    }
  }
  std::vector<bool> taken(kNormalChannelCount + 1, false);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    RowResult result = ReadRow(RowReader(columns, rows[i]), limits);
    const int line = rows[i].Line;
    if (result.Channel && taken[static_cast<std::size_t>(result.Channel->ChannelNumber)]) {
      result.Channel.reset();
      result.Refusal = "Location " + std::string(RowReader(columns, rows[i])["Location"]) + " appears twice";
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

}  // namespace hvt
