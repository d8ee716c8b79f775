#include "files/channel_csv.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/channel_rules.h"
#include "model/frequency.h"
#include "model/frequency_checks.h"
#include "model/tones.h"
#include "support/record_printer.h"
#include "support/rich_configuration.h"

namespace hvt {

void PrintTo(const CsvRowNote& note, std::ostream* out) { *out << "line " << note.Line << ": " << note.Text; }

namespace {

const BandLimits kFull = LimitsOf(BandVariant::Full);

std::vector<ChannelRecord> NormalChannels(const ChannelTable& table) {
  std::vector<ChannelRecord> channels;
  for (const ChannelRecord& c : table.Channels()) {
    if (IsNormalChannel(c.ChannelNumber)) channels.push_back(c);
  }
  std::ranges::sort(channels, {}, &ChannelRecord::ChannelNumber);
  return channels;
}

ChannelRecord OnlyChannel(std::string_view csv) {
  const ChannelCsvImport import = ChannelsFromCsv(csv, kFull);
  EXPECT_FALSE(import.FileProblem) << *import.FileProblem;
  EXPECT_TRUE(import.Refused.empty()) << import.Refused[0].Text;
  EXPECT_EQ(import.Channels.size(), 1u) << csv;
  return import.Channels.empty() ? ChannelRecord{} : import.Channels[0];
}

// A tone slot of a type its direction does not use, or an offset without a direction, has no
// column; a new channel's value stands in.
ChannelRecord WithUnusedTonesAsNew(ChannelRecord c) {
  const ChannelRecord fresh = NewChannelRecord(c.ChannelNumber);
  if (c.EncodeType != 1) c.EncodeCtcss = fresh.EncodeCtcss;
  if (c.DecodeType != 1) c.DecodeCtcss = fresh.DecodeCtcss;
  if (c.EncodeType != 2) c.EncodeDcs = fresh.EncodeDcs;
  if (c.DecodeType != 2) c.DecodeDcs = fresh.DecodeDcs;
  if (c.OffsetDir == 0 && c.TxForbid == 0) c.TxFreq = fresh.TxFreq;
  return c;
}

std::string Rx(const ChannelRecord& c) { return FreqRecordToText(c.RxFreq.Raw()).Text; }
std::string Tx(const ChannelRecord& c) { return FreqRecordToText(c.TxFreq.Raw()).Text; }

// The rich table sets every field, reverse and talk-around together and squelch modes its tones
// do not allow among them; the channel dialog would have resolved those.
ChannelTable LawfulRichTable() {
  ChannelTable table = RichChannelTable();
  for (ChannelRecord& c : table.Channels()) {
    if (c.Reverse != 0) c.TalkAround = 0;
    c.SquelchMode = static_cast<std::int16_t>(SquelchModeFor(c));
  }
  return table;
}

// Every field the records hold, tones, signalling and the settings without a column included.
TEST(ChannelCsv, AnExportImportsBackFieldForField) {
  const ChannelTable rich = LawfulRichTable();
  const std::string csv = ChannelsToCsv(rich);
  ASSERT_TRUE(csv.starts_with(std::string(kChannelCsvHeader) + "\r\n"));
  const ChannelCsvImport import = ChannelsFromCsv(csv, kFull);
  ASSERT_FALSE(import.FileProblem);
  for (const CsvRowNote& note : import.Refused) ADD_FAILURE() << note.Line << ": " << note.Text;
  for (const CsvRowNote& note : import.Adjusted) ADD_FAILURE() << note.Line << ": " << note.Text;

  ChannelTable table;
  ApplyChannelImport(table, import.Channels, true);
  const std::vector<ChannelRecord> expected = NormalChannels(rich);
  const std::vector<ChannelRecord> back = NormalChannels(table);
  ASSERT_EQ(back.size(), expected.size());
  for (std::size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].Name.Trimmed(), expected[i].Name.Trimmed());
    ChannelRecord got = back[i];
    got.Name = expected[i].Name;  // a new table has no old name bytes to keep
    EXPECT_EQ(got, WithUnusedTonesAsNew(expected[i])) << "channel " << expected[i].ChannelNumber;
  }

  // Into the table it came from, the import changes nothing at all.
  ChannelTable same = rich;
  ApplyChannelImport(same, import.Channels, false);
  for (std::size_t i = 0; i < rich.Entries.size(); ++i) EXPECT_EQ(same.Entries[i], rich.Entries[i]) << i;
}

TEST(ChannelCsv, ColumnsMapToTheChannelRecord) {
  const std::string header =
      "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
      "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power\n";
  struct Case {
    std::string Row;
    std::function<void(const ChannelRecord&)> Check;
  };
  const Case cases[] = {
      {"5,home,446.006250,,0,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,S,Low",
       [](const ChannelRecord& c) {
         EXPECT_EQ(c.ChannelNumber, 5);
         EXPECT_EQ(c.Name.Trimmed(), "HOME");
         EXPECT_EQ(Rx(c), "446.00625");
         EXPECT_EQ(c.OffsetDir, 0);
         EXPECT_EQ(c.Bandwidth, 0);
         EXPECT_EQ(c.Step, 2);
         EXPECT_EQ(c.ScanAdd, 0);
         EXPECT_EQ(c.Power, 0);
         EXPECT_EQ(c.EncodeType + c.DecodeType, 0);
       }},
      {"6,,438.125,+,5.000000,Tone,100.0,88.5,023,NN,023,,FM,,,5W",
       [](const ChannelRecord& c) {
         EXPECT_EQ(c.OffsetDir, 1);
         EXPECT_EQ(Tx(c), "5.00000");
         EXPECT_EQ(c.EncodeType, 1);
         EXPECT_EQ(c.EncodeCtcss, 13);
         EXPECT_EQ(c.DecodeType, 0);
         EXPECT_EQ(c.Bandwidth, 2);
         EXPECT_EQ(c.ScanAdd, 1);
         EXPECT_EQ(c.Power, 2);
       }},
      {"7,,146.52,split,147.5,TSQL,67.0,141.3,023,NN,023,,FM,,,Mid",
       [](const ChannelRecord& c) {
         EXPECT_EQ(c.OffsetDir, 3);
         EXPECT_EQ(Tx(c), "147.50000");
         EXPECT_EQ(c.EncodeCtcss, 23) << "TSQL uses cToneFreq both ways";
         EXPECT_EQ(c.DecodeCtcss, 23);
         EXPECT_EQ(c.Power, 1);
       }},
      {"8,,446.1,off,0,DTCS,88.5,88.5,754,RN,023,,FM,,,",
       [](const ChannelRecord& c) {
         EXPECT_EQ(c.TxForbid, 1);
         EXPECT_EQ(c.EncodeType, 2);
         EXPECT_EQ(c.EncodeDcs, 0754 | 512);
         EXPECT_EQ(c.DecodeDcs, 0754) << "one code both ways, the polarity per direction";
       }},
      {"9,,446.1,-,0.6,Cross,88.5,123.0,023,NR,754,DTCS->Tone,FM,,,",
       [](const ChannelRecord& c) {
         EXPECT_EQ(c.OffsetDir, 2);
         EXPECT_EQ(c.EncodeType, 2);
         EXPECT_EQ(c.EncodeDcs, 023);
         EXPECT_EQ(c.DecodeType, 1);
         EXPECT_EQ(c.DecodeCtcss, 19);
       }},
      {"10,,446.1,,0,Cross,88.5,88.5,023,NR,754,->DTCS,FM,,,",
       [](const ChannelRecord& c) {
         EXPECT_EQ(c.EncodeType, 0);
         EXPECT_EQ(c.DecodeType, 2);
         EXPECT_EQ(c.DecodeDcs, 0754 | 512);
       }},
      {"11,,446.1,,0,Cross,251.1,88.5,023,NN,023,Tone->,FM,,,",
       [](const ChannelRecord& c) {
         EXPECT_EQ(c.EncodeCtcss, kCustomCtcssIndex) << "a tone off the list is the user-defined one";
         EXPECT_EQ(c.CustomCtcss, 2511);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Row);
    c.Check(OnlyChannel(header + c.Row + "\n"));
  }
}

TEST(ChannelCsv, RowsThatCannotBeTakenAreNamedWithTheirLineAndReason) {
  const std::string csv =
      "Location,Frequency,Duplex,Offset,Tone,rToneFreq,TStep,Mode,CrossMode,DtcsCode\n"
      "1,446.1\n"
      "0,446.1\n"
      "2,300\n"
      "3,abc\n"
      "4,446.1,+,81\n"
      "5,446.1,x,0\n"
      "6,446.1,,,Tone,300.0\n"
      "7,446.1,,,,,7.5\n"
      "8,446.1,,,,,,AM\n"
      "9,446.1,,,Cross,,,,DTCS->Wrong\n"
      "10,446.1,,,DTCS,,,,,089\n"
      "1,446.2\n"
      "11,146.52,split,300\n";
  const ChannelCsvImport import = ChannelsFromCsv(csv, kFull);
  ASSERT_FALSE(import.FileProblem);
  ASSERT_EQ(import.Channels.size(), 1u);
  const std::vector<CsvRowNote> expected = {
      {3,
       "Location '0' is not a channel 1-200 (--renumber takes the rows in file order as channels 1, 2, ...)"},
      {4,
       "Frequency 300.000000 MHz is outside the radio's receive bands 400.00000-490.00000 MHz, "
       "136.00000-174.00000 MHz"},
      {5, "Frequency 'abc' is not a frequency in MHz"},
      {6, "Offset 81.000000 MHz is above 80 MHz"},
      {7, "Duplex 'x' is none of +, -, split, off"},
      {8, "tone 300.0 Hz is outside 50.0-260.0 Hz"},
      {9, "TStep '7.5' is not a step the radio has"},
      {10, "Mode 'AM' is neither FM nor NFM"},
      {11, "CrossMode 'DTCS->Wrong' is not one the radio has"},
      {12, "DCS code '089' is not an octal code 000-777"},
      {13, "Location '1' appears twice"},
      {14,
       "transmit frequency 300.000000 MHz is outside 136.00000-174.00000 MHz, the transmit range of its "
       "receive band"},
  };
  EXPECT_EQ(import.Refused, expected);
}

TEST(ChannelCsv, SpreadsheetFilesReadAsTheirAuthorMeantThem) {
  // Excel's byte-order mark, CR LF, columns in another order, an unknown column, quoted commas.
  const std::string csv =
      "\xEF\xBB\xBF"
      "Frequency,Extra,Location,Name,Comment\r\n"
      "\"446.00625\",\"x, y\",12,\"ab,c\",\"my, note\"\r\n"
      "\r\n"
      "146.5,,13,\"LONGNAME\",\r\n";
  const ChannelCsvImport import = ChannelsFromCsv(csv, kFull);
  ASSERT_FALSE(import.FileProblem);
  ASSERT_EQ(import.Channels.size(), 2u);
  EXPECT_EQ(import.Channels[0].ChannelNumber, 12);
  EXPECT_EQ(import.Channels[0].Name.Trimmed(), "ABC");
  EXPECT_EQ(import.Channels[1].Name.Trimmed(), "LONGN");
  const std::vector<CsvRowNote> adjusted = {{2, "name 'ab,c' becomes 'ABC'"},
                                            {4, "name 'LONGNAME' becomes 'LONGN'"}};
  EXPECT_EQ(import.Adjusted, adjusted);
}

TEST(ChannelCsv, AFileThatIsNoChannelTableTakesNothing) {
  const struct {
    std::string Text;
    std::string Problem;
  } cases[] = {
      {"", "the first line is no header with the columns Location and Frequency"},
      {"1,446.1\n2,446.2\n", "the first line is no header with the columns Location and Frequency"},
      {"Location,Frequency\n1,446.1\n2,\xFF\xFE\n", "line 3: the file is not UTF-8 text"},
      {"Location,Frequency\r1,446.1\r\n2,\xC3\x28\n", "line 3: the file is not UTF-8 text"},
      {"Location,Frequency\r\n", "the file has a header but no channel rows"},
      {"Location,Frequency\r\n\r\n", "the file has a header but no channel rows"},
      {"Location,Name,Frequency\n1,\"ab,446.1\n2,cd,446.2\n3,ef,446.3\n",
       "line 2: a quote opened here is never closed, so the rest of the file would be one field"},
  };
  for (const auto& c : cases) {
    const ChannelCsvImport import = ChannelsFromCsv(c.Text, kFull);
    EXPECT_EQ(import.FileProblem.value_or(""), c.Problem);
    EXPECT_TRUE(import.Channels.empty());
  }
}

TEST(ChannelCsv, ImportReplacesTheChannelsOfItsLocationsOrAllOfThem) {
  ChannelTable table;
  ASSERT_TRUE(AddChannel(table, CreateChannel(1, "446.1")));
  ASSERT_TRUE(AddChannel(table, CreateChannel(2, "446.2")));
  ASSERT_TRUE(AddChannel(table, CreateChannel(201, "446.3")));
  const std::vector<ChannelRecord> imported = {CreateChannel(2, "438.5"), CreateChannel(3, "438.6")};

  ChannelTable merged = table;
  ApplyChannelImport(merged, imported, false);
  EXPECT_EQ(Rx(*merged.Find(1)), "446.10000");
  EXPECT_EQ(Rx(*merged.Find(2)), "438.50000");
  EXPECT_NE(merged.Find(3), nullptr);

  ChannelTable replaced = table;
  ApplyChannelImport(replaced, imported, true);
  EXPECT_EQ(replaced.Find(1), nullptr);
  EXPECT_EQ(Rx(*replaced.Find(2)), "438.50000");
  EXPECT_NE(replaced.Find(201), nullptr) << "the special channels are not in the file and stay";
}

// The comment's dir= gave transmit frequencies of 0, 5, 6.1 and 913.1 MHz without a check: every
// row now meets the channel rules, whatever sets its transmit frequency.
TEST(ChannelCsv, NoRowTransmitsOutsideItsBand) {
  const std::string header = "Location,Frequency,Duplex,Offset,Comment\n";
  const std::string outsideUhf =
      " MHz is outside 400.00000-490.00000 MHz, the transmit range of its receive band";
  struct Case {
    std::string Row;
    std::string Refusal;  // empty when the row is taken
    int Direction = 0;
    std::string Transmit{};
  };
  const Case cases[] = {
      {"1,446.1,off,0,hvt: dir=3", "transmit frequency 0.000000" + outsideUhf},
      {"1,446.1,off,5,hvt: dir=3", "transmit frequency 5.000000" + outsideUhf},
      {"1,446.1,off,6.1,hvt: dir=3", "transmit frequency 6.100000" + outsideUhf},
      {"1,446.1,off,913.1,hvt: dir=3", "transmit frequency 913.100000" + outsideUhf},
      {"1,446.1,split,913.1", "transmit frequency 913.100000" + outsideUhf},
      {"1,446.1,off,446.1,hvt: dir=2", "Offset 446.100000 MHz is above 80 MHz"},
      {"1,446.1,+,80.6", "Offset 80.600000 MHz is above 80 MHz"},
      {"1,446.1,+,50", "transmit frequency 496.100000" + outsideUhf},
      {"1,446.1,off,5,hvt: dir=1", "", 1, "451.10000"},
      {"1,446.1,+,5,hvt: dir=3", "", 1, "451.10000"},  // Duplex decides, reported below
      {"1,400,+,80.5", "", 1, "480.50000"},            // 80.5 MHz rounds to 80
  };
  for (const Case& c : cases) {
    const ChannelCsvImport import = ChannelsFromCsv(header + c.Row + "\n", kFull);
    if (!c.Refusal.empty()) {
      EXPECT_TRUE(import.Channels.empty()) << c.Row;
      EXPECT_EQ(import.Refused, (std::vector<CsvRowNote>{{2, c.Refusal}})) << c.Row;
      continue;
    }
    ASSERT_EQ(import.Channels.size(), 1u) << c.Row;
    EXPECT_TRUE(ChannelFaults(import.Channels[0], kFull).empty()) << c.Row;
    EXPECT_EQ(import.Channels[0].OffsetDir, c.Direction) << c.Row;
    EXPECT_EQ(FormatMHz(TransmitFrequency(import.Channels[0]).value_or(0)), c.Transmit) << c.Row;
  }
}

TEST(ChannelCsv, LinesEndInCrLfOrCrLf) {
  for (const std::string end : {"\n", "\r", "\r\n"}) {
    const std::string csv = "Location,Name,Frequency" + end + "1,\"a" + end + "b\",446.1" + end + "2,,300" +
                            end + "3,,446.3" + end;
    const ChannelCsvImport import = ChannelsFromCsv(csv, kFull);
    ASSERT_FALSE(import.FileProblem) << *import.FileProblem;
    ASSERT_EQ(import.Channels.size(), 2u) << "line end " << static_cast<int>(end[0]);
    EXPECT_EQ(import.Channels[1].ChannelNumber, 3);
    ASSERT_EQ(import.Refused.size(), 1u);
    EXPECT_EQ(import.Refused[0].Line, 4) << "a line break inside quotes counts";
  }
}

TEST(ChannelCsv, MissingColumnsTakeANewChannelsValues) {
  const ChannelRecord c = OnlyChannel("Location,Frequency\n7,446.1\n");
  const ChannelRecord fresh = NewChannelRecord(7);
  EXPECT_EQ(c.Power, fresh.Power) << "Low";
  EXPECT_EQ(c.Bandwidth, fresh.Bandwidth) << "12.5 kHz";
  EXPECT_EQ(c.Step, fresh.Step);
  EXPECT_EQ(c.ScanAdd, fresh.ScanAdd);
  EXPECT_EQ(OnlyChannel("Location,Frequency,Power,Mode\n7,446.1,,\n").Power, fresh.Power);
}

// Another tool numbers its rows from Location 0: such a file imports whole only renumbered.
TEST(ChannelCsv, RenumberingTakesTheRowsInFileOrder) {
  const std::string csv = "Location,Frequency\n0,446.1\n5,446.2\n1,446.3\n";
  const ChannelCsvImport plain = ChannelsFromCsv(csv, kFull);
  ASSERT_EQ(plain.Refused.size(), 1u);
  EXPECT_NE(plain.Refused[0].Text.find("--renumber"), std::string::npos) << plain.Refused[0].Text;

  const ChannelCsvImport renumbered = ChannelsFromCsv(csv, kFull, {.Renumber = true});
  EXPECT_TRUE(renumbered.Refused.empty());
  ASSERT_EQ(renumbered.Channels.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(renumbered.Channels[i].ChannelNumber, i + 1);
    EXPECT_EQ(Rx(renumbered.Channels[i]), "446." + std::to_string(i + 1) + "0000");
  }
  EXPECT_FALSE(ChannelsFromCsv("Frequency\n446.1\n", kFull, {.Renumber = true}).FileProblem)
      << "renumbered, a table needs no Location column";

  std::string long_table = "Location,Frequency\n";
  for (int i = 0; i < 201; ++i) long_table += "0,446.1\n";
  const ChannelCsvImport tooMany = ChannelsFromCsv(long_table, kFull, {.Renumber = true});
  EXPECT_EQ(tooMany.Channels.size(), 200u);
  EXPECT_EQ(tooMany.Refused,
            (std::vector<CsvRowNote>{{202, "row 201 would be channel 201, beyond channel 200"}}));
}

// What the file says twice, or says against itself, is resolved and named as a changed row.
TEST(ChannelCsv, ConflictsAreResolvedAndReported) {
  const std::string csv =
      "Location,Frequency,Mode,TStep,Skip,Comment,Duplex,Offset,Name,Name\n"
      "1,446.1,NFM,,,hvt: bw20=1\n"
      "2,446.1,FM,12.5,,hvt: step=1\n"
      "3,446.1,FM,5,,hvt: step=1\n"
      "4,446.1,FM,,,hvt: reverse=1 talkaround=1\n"
      "5,446.1,FM,,P\n"
      "6,446.1,FM,,,hvt: dir=3,+,5\n"
      "7,446.1,FM,,,hvt: sql=1\n";
  const ChannelCsvImport import = ChannelsFromCsv(csv, kFull);
  ASSERT_TRUE(import.Refused.empty()) << import.Refused[0].Text;
  ASSERT_EQ(import.Channels.size(), 7u);
  const std::vector<CsvRowNote> expected = {
      {1, "column 'Name' appears twice: the first one is read"},
      {2, "bw20=1 in the comment overrides Mode NFM: 20 kHz"},
      {3, "step=1 in the comment overrides TStep '12.5': 5.00 kHz"},
      {5, "reverse=1 and talkaround=1 exclude each other: talk-around is off"},
      {6, "Skip 'P' (a priority channel) becomes a channel of the scan list"},
      {7, "dir=3 in the comment is passed over: Duplex '+' gives the direction"},
      {8, "sql=1 does not go with the channel's tones and signalling: carrier squelch"},
  };
  EXPECT_EQ(import.Adjusted, expected);
  EXPECT_EQ(import.Channels[0].Bandwidth, 1);
  EXPECT_EQ(import.Channels[1].Step, 1);
  EXPECT_EQ(import.Channels[3].Reverse, 1);
  EXPECT_EQ(import.Channels[3].TalkAround, 0);
  EXPECT_EQ(import.Channels[4].ScanAdd, 1);
  EXPECT_EQ(import.Channels[5].OffsetDir, 1);
  EXPECT_EQ(import.Channels[6].SquelchMode, 0);
  for (const ChannelRecord& c : import.Channels)
    EXPECT_TRUE(ChannelFaults(c, kFull).empty()) << c.ChannelNumber;
}

TEST(ChannelCsv, MessagesSayWhatIsWrongAndEchoAtMost40Characters) {
  const std::string longText(60, 'x');
  const std::string csv =
      "Location,Frequency,Name,Mode,Comment\n"
      "1,446.0000001\n"
      "2,446.1234\n"
      "3,abc\n" +
      longText +
      ",446.1\n"
      "4,446.1,,\"" +
      longText +
      "\"\n"
      "5,446.1,,,hvt: custom=100\n"
      "6,446.1,,,hvt: custom=2601\n";
  const ChannelCsvImport import = ChannelsFromCsv(csv, kFull);
  const std::string echoed = "'" + std::string(40, 'x') + "...'";
  const std::vector<CsvRowNote> expected = {
      {2, "Frequency '446.0000001' is finer than 10 Hz: at most five decimals of MHz"},
      {4, "Frequency 'abc' is not a frequency in MHz"},
      {5, "Location " + echoed +
              " is not a channel 1-200 (--renumber takes the rows in file order as channels 1, "
              "2, ...)"},
      {6, "Mode " + echoed + " is neither FM nor NFM"},
      {8, "setting 'custom=2601' in the comment is outside 0-2600"},
  };
  EXPECT_EQ(import.Refused, expected);
  ASSERT_EQ(import.Channels.size(), 2u) << "a user-defined tone no CTCSS choice uses does not matter";
  EXPECT_EQ(Rx(import.Channels[0]), "446.12340");
}

// Every channel the file does not hold goes with --replace; what named one follows the rule of a
// delete in the grid, and the configuration always keeps a normal channel.
TEST(ChannelCsv, ReplacingKeepsANormalChannelAndTheSettingsThatNameOne) {
  Configuration configuration;
  for (const int number : {1, 2, 3, 201})
    ASSERT_TRUE(AddChannel(configuration.Channels, CreateChannel(number, "446.1")));
  configuration.Options.MemoryChannelA = 1;  // channel 2
  configuration.Options.MemoryChannelB = 2;  // channel 3
  configuration.Scan.Priority1Group1 = 2;
  configuration.Alert.EmergencyChannel = 3;

  Configuration untouched = configuration;
  EXPECT_FALSE(ApplyChannelImport(untouched, {}, true)) << "no normal channel would be left";
  EXPECT_TRUE(untouched == configuration);

  // The grid's delete of channels 2 and 3 is the reference.
  Configuration deleted = configuration;
  DeleteChannel(deleted.Channels, 2);
  DeleteChannel(deleted.Channels, 3);
  RepairChannelRefsAfterDeletes(deleted);

  Configuration replaced = configuration;
  ASSERT_TRUE(ApplyChannelImport(replaced, {CreateChannel(1, "438.5")}, true));
  EXPECT_EQ(replaced.Options.MemoryChannelA, 0) << "the last normal channel, channel 1";
  EXPECT_EQ(replaced.Options.MemoryChannelB, 0);
  EXPECT_TRUE(replaced.Options == deleted.Options);
  EXPECT_TRUE(replaced.Scan == deleted.Scan) << "the scan priority channels stay as a delete leaves them";
  EXPECT_TRUE(replaced.Alert == deleted.Alert) << "so does the emergency channel";
  EXPECT_NE(replaced.Channels.Find(201), nullptr);
}

}  // namespace
}  // namespace hvt
