#include "files/channel_csv.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/frequency.h"
#include "model/tones.h"
#include "support/record_printer.h"
#include "support/rich_configuration.h"

namespace hvt {
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

// Every field the records hold, tones, signalling and the settings without a column included.
TEST(ChannelCsv, AnExportImportsBackFieldForField) {
  const ChannelTable rich = RichChannelTable();
  const std::string csv = ChannelsToCsv(rich);
  ASSERT_TRUE(csv.starts_with(std::string(kChannelCsvHeader) + "\r\n"));
  const ChannelCsvImport import = ChannelsFromCsv(csv, kFull);
  ASSERT_FALSE(import.FileProblem);
  for (const CsvRowNote& note : import.Refused) ADD_FAILURE() << note.Line << ": " << note.Text;

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
      {"7,,146.52,split,446.5,TSQL,67.0,141.3,023,NN,023,,FM,,,Mid",
       [](const ChannelRecord& c) {
         EXPECT_EQ(c.OffsetDir, 3);
         EXPECT_EQ(Tx(c), "446.50000");
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
      {3, "Location '0' is not a channel 1-200"},
      {4, "Frequency 300.000000 MHz is outside the radio's receive bands"},
      {5, "Frequency 'abc' is not a frequency in MHz"},
      {6, "Offset 81.000000 MHz is above 80 MHz"},
      {7, "Duplex 'x' is none of +, -, split, off"},
      {8, "tone 300.0 Hz is outside 50.0-260.0 Hz"},
      {9, "TStep '7.5' is not a step the radio has"},
      {10, "Mode 'AM' is neither FM nor NFM"},
      {11, "CrossMode 'DTCS->Wrong' is not one the radio has"},
      {12, "DCS code '089' is not an octal code 000-777"},
      {13, "Location 1 appears twice"},
      {14, "transmit frequency 300.000000 MHz is outside the radio's transmit bands"},
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
      {"Location,Frequency\n1,446.1\n2,\xFF\xFE\n", "the file is not UTF-8 text"},
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

}  // namespace
}  // namespace hvt
