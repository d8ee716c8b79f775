#include "model/five_tone_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/five_tone_code_entry.h"
#include "support/image_bytes.h"
#include "support/record_printer.h"
#include "support/rich_configuration.h"

namespace hvt {
namespace {

using namespace std::string_literals;

constexpr int kInfoCodes = 0x1AE0;
constexpr int kPttIdBegin = 0x1BE0;
constexpr int kPttIdEnd = 0x1C00;
constexpr int kScalars = 0x1C40;
constexpr int kCodeList = 0x1C60;
constexpr int kPresence = 0x30E0;

int ListEntry(int number) { return kCodeList + 32 * (number - 1); }

// A new configuration whose own ID passed the editor's check.
FiveToneSettings Settings() {
  FiveToneSettings s;
  ResetFiveTone(s);
  s.OwnIdLength = 5;
  s.OwnId = "12345";
  return s;
}

RadioImage Encode(const FiveToneSettings& s) {
  RadioImage image;
  EXPECT_TRUE(SetCommDataBy5Tone(s, image, nullptr));
  return image;
}

// Everything decodable set to values no decoder would produce by accident.
FiveToneSettings Noise() {
  FiveToneSettings s;
  EXPECT_TRUE(FromFileBytes(Bytes(FileSize<FiveToneSettings>(), 0x5A), s));
  return s;
}

TEST(FiveToneCodec, ScalarsAndOwnIdDigitsFillTheirTwentyBytes) {
  FiveToneSettings s = Settings();
  s.Reserved0 = 0xA5;
  s.DecodeResponse = 2;
  s.Standard = 13;
  s.ToneLength = 120;
  s.TenthsTime = 250;
  s.IntervalA = 1;
  s.IntervalB = 255;
  s.OptionalValue = 75;
  s.FirstDigitDelay = 200;
  s.SideTone = 1;
  s.Separator = 15;
  s.PauseCode = 0x0B;
  s.PauseTime = 0;
  const RadioImage image = Encode(s);
  EXPECT_EQ(Slice(image, kScalars, 20),
            (Bytes{0xA5, 2, 13, 5, 120, 1, 2, 3, 4, 5, 0, 1, 255, 75, 250, 200, 1, 15, 0x0B, 0}));
}

TEST(FiveToneCodec, OwnIdTakesOnlyItsLengthAndDecodesWithATrailingNul) {
  struct Case {
    const char* OwnId;
    int Length;
    Bytes Digits;
    std::string Decoded;
  };
  const Case cases[] = {
      {"12345", 5, {1, 2, 3, 4, 5}, "12345\0"s},
      {"90000", 5, {9, 0, 0, 0, 0}, "90000\0"s},
      {"12345", 3, {1, 2, 3, 0, 0}, "123\0  "s},
      {"ABCDE", 0, {0, 0, 0, 0, 0}, "\0     "s},
  };
  for (const Case& c : cases) {
    FiveToneSettings s = Settings();
    s.OwnId = c.OwnId;
    s.OwnIdLength = static_cast<std::uint8_t>(c.Length);
    const RadioImage image = Encode(s);
    EXPECT_EQ(Slice(image, 0x1C45, 5), c.Digits) << c.OwnId << "/" << c.Length;
    EXPECT_EQ(image[0x1C4A], 0);
    FiveToneSettings decoded = Noise();
    GetCommDataBy5Tone(image, decoded);
    EXPECT_EQ(decoded.OwnId.Raw(), c.Decoded) << c.OwnId << "/" << c.Length;
  }
}

TEST(FiveToneCodec, ListEntriesPackTwoDigitsPerByte) {
  struct Case {
    const char* What;
    FiveToneEntry Entry;
    Bytes Digits;
    std::uint8_t ToneLength;
    Bytes Name;
  };
  const Case cases[] = {
      {"odd count padded with a repeat tone",
       FiveToneCodeEntry("12345", 5, 6, 100, "AB"),
       {0x12, 0x34, 0x5E},
       100,
       Ascii("AB     ")},
      {"short code padded to its count",
       FiveToneCodeEntry("12", 5),
       {0x12, 0xEE, 0xEE},
       70,
       Ascii("       ")},
      {"long code cut to its count", FiveToneCodeEntry("123456", 4), {0x12, 0x34}, 70, Ascii("       ")},
      {"digits beyond the count are not converted",
       FiveToneCodeEntry("12G", 2),
       {0x12},
       70,
       Ascii("       ")},
      {"lower-case hexadecimal", FiveToneCodeEntry("ab", 2), {0xAB}, 70, Ascii("       ")},
      {"no digits", FiveToneCodeEntry("123", 0, 13, 30, "NAME567"), {}, 30, Ascii("NAME567")},
      {"tone length below 30", FiveToneCodeEntry("1", 1, 0, 25), {0x1E}, 70, Ascii("       ")},
      {"tone length above 120", FiveToneCodeEntry("1", 1, 0, 121), {0x1E}, 70, Ascii("       ")},
      {"tone length 120 kept", FiveToneCodeEntry("1", 1, 0, 120), {0x1E}, 120, Ascii("       ")},
      {"name never set",
       FiveToneCodeEntry("1", 1, 0, 70, FixedText<7>(std::string(7, '\0'))),
       {0x1E},
       70,
       Bytes(7, 0x00)},
  };
  for (const Case& c : cases) {
    FiveToneSettings s = Settings();
    s.Codes[0] = c.Entry;
    const RadioImage image = Encode(s);
    Bytes expected(32, 0x00);
    expected[1] = c.Entry.Standard;
    expected[2] = c.Entry.DigitCount;
    expected[3] = c.ToneLength;
    std::copy(c.Digits.begin(), c.Digits.end(), expected.begin() + 4);
    std::copy(c.Name.begin(), c.Name.end(), expected.begin() + 24);
    EXPECT_EQ(Slice(image, ListEntry(1), 32), expected) << c.What;
  }
}

TEST(FiveToneCodec, PresenceBitmapListsExactlyThePresentEntries) {
  FiveToneSettings s = Settings();
  for (int number : {1, 8, 9, 100}) s.Codes[number - 1] = FiveToneCodeEntry("1", 1);
  s.Codes[1] = FiveToneCodeEntry("12", 2);
  s.Codes[1].EmptyFlag = 1;
  const RadioImage image = Encode(s);

  Bytes bitmap(16, 0x00);
  bitmap[0] = 0x81;
  bitmap[1] = 0x01;
  bitmap[12] = 0x08;
  EXPECT_EQ(Slice(image, kPresence, 16), bitmap);
  EXPECT_EQ(Slice(image, ListEntry(2), 32), Bytes(32, 0x00)) << "an empty entry is not written";
  EXPECT_EQ(image[ListEntry(100) + 2], 1);
}

TEST(FiveToneCodec, PttIdCodesCarryNoNameAndAnEmptyOneNoDigits) {
  FiveToneSettings s = Settings();
  s.PttIdBegin = FiveToneCodeEntry("123", 3, 2, 90, "IGNORED");
  s.PttIdEnd = FiveToneCodeEntry("4567", 4, 9, 10, "IGNORED");
  s.PttIdEnd.EmptyFlag = 1;
  const RadioImage image = Encode(s);

  Bytes begin(32, 0x00);
  begin[1] = 2;
  begin[2] = 3;
  begin[3] = 90;
  begin[4] = 0x12;
  begin[5] = 0x3E;
  EXPECT_EQ(Slice(image, kPttIdBegin, 32), begin);
  Bytes end(32, 0x00);
  end[1] = 9;
  end[2] = 4;
  end[3] = 70;
  EXPECT_EQ(Slice(image, kPttIdEnd, 32), end) << "the count stays, the digits go";
}

TEST(FiveToneCodec, InfoCodesKeepOneDigitPerByteAndSpacePaddedNames) {
  FiveToneSettings s = Settings();
  s.InfoCodes[0] = {.Function = 3, .Response = 2, .DigitCount = 5, .Code = "1A2", .Name = "AB"};
  s.InfoCodes[7] = {.Function = 6, .Response = 1, .DigitCount = 2, .Code = "FFFF", .Name = ""};
  const RadioImage image = Encode(s);

  Bytes first(32, 0x00);
  const Bytes head = {3, 2, 5, 0x1, 0xA, 0x2, 0xE, 0xE};
  std::copy(head.begin(), head.end(), first.begin());
  const Bytes name = Ascii("AB     ");
  std::copy(name.begin(), name.end(), first.begin() + 16);
  EXPECT_EQ(Slice(image, kInfoCodes, 32), first);

  Bytes last(32, 0x00);
  last[0] = 6;
  last[1] = 1;
  last[2] = 2;
  last[3] = 0xF;
  last[4] = 0xF;
  EXPECT_EQ(Slice(image, kInfoCodes + 7 * 32, 32), last) << "an empty name gives zero bytes";
}

TEST(FiveToneCodec, EncoderFailsOnUnconvertibleValuesAndKeepsWhatItWrote) {
  struct Case {
    const char* What;
    void (*Spoil)(FiveToneSettings&);
    int Written;    // an address the encoder had filled before the failure
    int Unwritten;  // an address it would have filled after it
  };
  const Case cases[] = {
      {"letter in the own ID", [](FiveToneSettings& s) { s.OwnId = "12A45"; }, 0x1C46, 0x1C4B},
      {"own ID shorter than its length", [](FiveToneSettings& s) { s.OwnId = "123"; }, 0x1C47, 0x1C4B},
      {"scalar above a byte", [](FiveToneSettings& s) { s.FirstDigitDelay = 256; }, 0x1C4D, 0x1C53},
      {"negative scalar", [](FiveToneSettings& s) { s.PauseTime = -1; }, 0x1C52, kPttIdBegin + 2},
      {"PTT ID begin digit", [](FiveToneSettings& s) { s.PttIdBegin.Code = "12G4"; }, 0x1C53, kPttIdEnd + 2},
      {"PTT ID end digit", [](FiveToneSettings& s) { s.PttIdEnd.Code = "12 4"; }, kPttIdBegin + 4,
       kInfoCodes + 2},
      {"info code digit", [](FiveToneSettings& s) { s.InfoCodes[3].Code = "1G"; }, kInfoCodes + 2 * 32 + 2,
       kInfoCodes + 4 * 32 + 2},
      {"list entry digit", [](FiveToneSettings& s) { s.Codes[2].Code = "99X9"; }, ListEntry(1) + 2,
       ListEntry(4) + 2},
  };
  for (const Case& c : cases) {
    FiveToneSettings s = Settings();
    s.PttIdBegin = FiveToneCodeEntry("1234", 4);
    s.PttIdEnd = FiveToneCodeEntry("5678", 4);
    for (InfoCode& info : s.InfoCodes) info = {.Function = 1, .DigitCount = 2, .Code = "12"};
    for (int i = 0; i < 4; ++i) s.Codes[i] = FiveToneCodeEntry("9999", 4);
    s.PauseCode = 0x0B;
    c.Spoil(s);
    RadioImage image;
    EXPECT_FALSE(SetCommDataBy5Tone(s, image, nullptr)) << c.What;
    EXPECT_NE(image[c.Written], 0) << c.What;
    EXPECT_EQ(image[c.Unwritten], 0) << c.What;
  }
}

TEST(FiveToneCodec, AFailureNamesTheEntryOrField) {
  struct Case {
    void (*Spoil)(FiveToneSettings&);
    const char* Detail;
  };
  const Case cases[] = {
      {[](FiveToneSettings& s) { s.OwnId = "12A45"; }, "5-tone OwnId: digit 'A' is not a decimal digit"},
      {[](FiveToneSettings& s) { s.FirstDigitDelay = 256; },
       "5-tone: FirstDigitDelay 256 does not fit 8 bits (0-255)"},
      {[](FiveToneSettings& s) { s.PttIdBegin = FiveToneCodeEntry("12G4", 4); },
       "5-tone PttIdBegin: digit 'G' is not a hexadecimal digit"},
      {[](FiveToneSettings& s) { s.InfoCodes[3] = {.DigitCount = 2, .Code = "1G"}; },
       "5-tone info code 4: digit 'G' is not a hexadecimal digit"},
      {[](FiveToneSettings& s) { s.Codes[2] = FiveToneCodeEntry("99X9", 4); },
       "5-tone code 3: digit 'X' is not a hexadecimal digit"},
  };
  for (const Case& c : cases) {
    FiveToneSettings s = Settings();
    c.Spoil(s);
    RadioImage image;
    const EncodeResult result = SetCommDataBy5Tone(s, image, nullptr);
    ASSERT_FALSE(result) << c.Detail;
    EXPECT_EQ(result.Detail(), c.Detail);
  }
}

TEST(FiveToneCodec, DigitCountsBeyondTheEntryDoNotSpillIntoNeighbours) {
  FiveToneSettings s = Settings();
  s.PttIdBegin = FiveToneCodeEntry("1234", 4, 3, 80);
  s.InfoCodes[7] = {.Function = 2, .DigitCount = 200, .Code = "123456789ABC", .Name = "LAST"};
  const std::string forty = "0123456789ABCDEF0123456789ABCDEF01234567";
  s.Codes[0] = FiveToneCodeEntry(forty.c_str(), 60, 0, 70, "NAME");
  s.Codes[1] = FiveToneCodeEntry("5", 1);
  s.Codes[1].EmptyFlag = 1;
  s.Codes[99] = FiveToneCodeEntry(forty.c_str(), 255);
  const RadioImage image = Encode(s);

  const Bytes entry = Slice(image, ListEntry(1), 32);
  EXPECT_EQ(entry[2], 60) << "the count goes to the radio as it stands";
  EXPECT_EQ(Bytes(entry.begin() + 4, entry.begin() + 8), (Bytes{0x01, 0x23, 0x45, 0x67}));
  EXPECT_EQ(Bytes(entry.begin() + 24, entry.end()), (Bytes{'N', 'A', 'M', 'E', ' ', ' ', ' ', 0}));
  EXPECT_EQ(Slice(image, ListEntry(2), 32), Bytes(32, 0x00));
  EXPECT_EQ(Slice(image, ListEntry(100) + 24, 8), (Bytes{' ', ' ', ' ', ' ', ' ', ' ', ' ', 0}));
  EXPECT_EQ(Slice(image, 0x28E0, 32), Bytes(32, 0x00)) << "nothing beyond the code list";

  const Bytes info = Slice(image, kInfoCodes + 7 * 32, 32);
  EXPECT_EQ(info[15], 0);
  EXPECT_EQ(Bytes(info.begin() + 16, info.end()),
            (Bytes{'L', 'A', 'S', 'T', ' ', ' ', ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Slice(image, kPttIdBegin, 8), (Bytes{0, 3, 4, 80, 0x12, 0x34, 0, 0}));

  FiveToneSettings decoded = Settings();
  GetCommDataBy5Tone(image, decoded);
  EXPECT_EQ(decoded.Codes[0].DigitCount, 60);
  EXPECT_EQ(decoded.Codes[0].Code.Raw(), forty);
  EXPECT_EQ(decoded.InfoCodes[7].Code.Raw(), "123456789ABC");
  EXPECT_EQ(Encode(decoded), image);
}

TEST(FiveToneCodec, AutomaticTestMarksTheAreaTheBitmapAndEachWrittenEntry) {
  FiveToneSettings s = Settings();
  s.Codes[0] = FiveToneCodeEntry("1", 1);
  s.Codes[99] = FiveToneCodeEntry("2", 1);

  AutoTestRecording recording;
  recording.Groups.fill(false);
  RadioImage image;
  ASSERT_TRUE(SetCommDataBy5Tone(s, image, &recording));
  EXPECT_EQ(recording.Blocks.Flags()[430], 0) << "nothing without the 5-tone group";

  recording.Groups[static_cast<std::size_t>(AutoTestGroup::FiveTone)] = true;
  ASSERT_TRUE(SetCommDataBy5Tone(s, image, &recording));
  std::vector<int> marked;
  for (int block = 0; block < memory_map::kBlockCount; ++block) {
    if (recording.Blocks.IsMarked(block)) marked.push_back(block);
  }
  std::vector<int> expected;
  for (int block = 6880 / 16; block <= 7263 / 16; ++block) expected.push_back(block);
  for (int block : {7264 / 16, 7264 / 16 + 1, 10432 / 16, 10432 / 16 + 1, 12512 / 16})
    expected.push_back(block);
  EXPECT_EQ(marked, expected);
}

TEST(FiveToneCodec, DecoderKeepsWhatTheImageDoesNotCarry) {
  FiveToneSettings source = Settings();
  source.Codes[0] = FiveToneCodeEntry("777", 3, 4, 60, "SEVEN");
  const RadioImage image = Encode(source);

  FiveToneSettings s = Settings();
  s.Codes[0] = FiveToneCodeEntry("1", 1);
  s.Codes[0].Reserved2 = 9;
  s.Codes[1] = FiveToneCodeEntry("4321", 4, 11, 110, "KEEP");
  s.Codes[1].Reserved2 = 8;
  s.PttIdBegin = FiveToneCodeEntry("55", 2, 1, 50, "PTTNAME");
  s.PttIdBegin.EmptyFlag = 1;
  s.PttIdBegin.Reserved2 = 7;
  const FiveToneSettings before = s;
  GetCommDataBy5Tone(image, s);

  FiveToneEntry present = FiveToneCodeEntry("777", 3, 4, 60, "SEVEN");
  present.Reserved2 = 9;
  EXPECT_EQ(s.Codes[0], present);
  FiveToneEntry absent = before.Codes[1];
  absent.EmptyFlag = 1;
  EXPECT_EQ(s.Codes[1], absent) << "an absent entry keeps its code and name";
  FiveToneEntry ptt = before.PttIdBegin;
  ptt.Standard = 0;
  ptt.DigitCount = 0;
  ptt.ToneLength = 70;
  ptt.Code = "";
  EXPECT_EQ(s.PttIdBegin, ptt) << "the flag, the spare byte and the name are not in the image";
}

TEST(FiveToneCodec, DecoderMakesSenseOfForeignBytes) {
  RadioImage image;
  for (int a = kInfoCodes; a < kCodeList + 3200; ++a) image[static_cast<std::size_t>(a)] = 0xFF;
  Put(image, kInfoCodes + 32, {1, 2, 4, 0x0A, 0x1F, 0x00, 0x0F});  // info code 2: a digit byte above 15
  Put(image, kInfoCodes + 32 + 16, {'A', 'B', 0x00, 'C'});
  Put(image, kPresence, {0x03});
  Put(image, ListEntry(2), {0, 1, 3, 0, 0xAB, 0xCE});  // tone length 0
  Put(image, ListEntry(2) + 24, {'X', 0xFF, 'Y'});

  FiveToneSettings s = Noise();
  GetCommDataBy5Tone(image, s);

  EXPECT_EQ(s.InfoCodes[0], InfoCode{}) << "0xFF reads as 0 and ends the name";
  EXPECT_EQ(s.InfoCodes[1],
            (InfoCode{.Function = 1, .Response = 2, .DigitCount = 4, .Code = "A1F0", .Name = "AB"}));
  EXPECT_EQ(s.Codes[0].DigitCount, 255);
  EXPECT_EQ(s.Codes[0].Code.Raw(), std::string(40, 'F'));
  EXPECT_EQ(s.Codes[0].Name, FixedText<7>(""));
  EXPECT_EQ(
      s.Codes[1],
      (FiveToneEntry{
          .Reserved2 = 0x5A, .Standard = 1, .DigitCount = 3, .ToneLength = 70, .Code = "ABC", .Name = "X"}));
  EXPECT_EQ(s.Codes[2].EmptyFlag, 1);
  EXPECT_EQ(s.PttIdBegin.ToneLength, 70);
}

TEST(FiveToneCodec, RecordSurvivesAnImageRoundTrip) {
  const FiveToneSettings original = RichFiveTone();
  const RadioImage image = Encode(original);

  FiveToneSettings decoded = Noise();
  for (int j = 0; j < kFiveToneCodeCount; ++j) {
    if (original.Codes[j].EmptyFlag != 0) decoded.Codes[j] = original.Codes[j];
    decoded.Codes[j].EmptyFlag = 0x5A5A;
    decoded.Codes[j].Reserved2 = original.Codes[j].Reserved2;
  }
  const auto keepUncarried = [](const FiveToneEntry& from, FiveToneEntry& to) {
    to.EmptyFlag = from.EmptyFlag;
    to.Reserved2 = from.Reserved2;
    to.Name = from.Name;
  };
  keepUncarried(original.PttIdBegin, decoded.PttIdBegin);
  keepUncarried(original.PttIdEnd, decoded.PttIdEnd);
  GetCommDataBy5Tone(image, decoded);
  EXPECT_EQ(decoded, original);
}

TEST(FiveToneCodec, RadioImageSurvivesADecodeAndEncode) {
  RadioImage radio;
  Put(radio, kScalars, {0x07, 1, 9, 5, 40, 5, 4, 3, 2, 1, 0, 3, 250, 0, 100, 9, 1, 14, 0x0D, 255});
  Put(radio, kInfoCodes, {4, 2, 6, 1, 2, 3, 4, 5, 0xF});
  Put(radio, kInfoCodes + 16, Ascii("KILL   "));
  Put(radio, kInfoCodes + 32, {1, 0, 12, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB});
  Put(radio, kInfoCodes + 7 * 32, {5, 2, 1, 0xE});
  Put(radio, kInfoCodes + 7 * 32 + 16, Ascii("WAKE UP"));
  Put(radio, kPttIdBegin, {0, 10, 5, 90, 0x12, 0x34, 0x5E});
  Put(radio, kPttIdEnd,
      {0, 13, 24, 120, 0x1E, 0x1E, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x1E, 0x1E});
  Put(radio, ListEntry(1), {0, 6, 40, 100});
  Bytes fortyDigits;
  for (int i = 0; i < 20; ++i) fortyDigits.push_back(static_cast<std::uint8_t>(0x10 * (i % 16) + 1));
  Put(radio, ListEntry(1) + 4, fortyDigits);
  Put(radio, ListEntry(1) + 24, Ascii("ALPHA  "));
  Put(radio, ListEntry(50), {0, 3, 7, 45, 0x98, 0x76, 0x54, 0x3E});
  Put(radio, ListEntry(50) + 24, Ascii("B C D E"));
  Put(radio, ListEntry(100), {0, 0, 0, 70});
  Put(radio, ListEntry(100) + 24, Ascii("       "));
  Put(radio, kPresence, {0x01});
  Put(radio, kPresence + 6, {0x02});
  Put(radio, kPresence + 12, {0x08});

  FiveToneSettings s = Settings();
  GetCommDataBy5Tone(radio, s);
  const RadioImage image = Encode(s);
  EXPECT_EQ(Slice(image, kInfoCodes, 384), Slice(radio, kInfoCodes, 384));
  EXPECT_EQ(Slice(image, kCodeList, 3200), Slice(radio, kCodeList, 3200));
  EXPECT_EQ(Slice(image, kPresence, 16), Slice(radio, kPresence, 16));
}

}  // namespace
}  // namespace hvt
