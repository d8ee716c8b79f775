#include "model/dtmf_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "model/text.h"
#include "support/image_bytes.h"
#include "support/record_printer.h"
#include "support/rich_configuration.h"

namespace hvt {
namespace {

// A code as the editor stores it: the typed keys mapped to hexadecimal digits, then a NUL.
template <std::size_t Width = 24>
DtmfCodeEntry<Width> Typed(std::string_view keys) {
  return {DtmfShowToStore(keys) + '\0', static_cast<std::int16_t>(keys.size())};
}

DtmfSettings NewSettings() {
  DtmfSettings settings;
  ResetDtmfSettings(settings);
  return settings;
}

// Digits, then 0xFF up to 16 bytes.
Bytes CodeBytes(Bytes digits) {
  digits.resize(16, 0xFF);
  return digits;
}

TEST(DtmfCodec, CodesAreWrittenDigitByDigitWithTheirPresenceBits) {
  struct Case {
    int Index;
    DtmfCodeEntry<24> Entry;
    Bytes Digits;
  };
  const std::vector<Case> cases = {
      {0, Typed("12*#"), {0x01, 0x02, 0x0E, 0x0F}},
      {7, Typed("0123456789ABCD*#"), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
      {8, {"123", 17}, {}},             // a count above 16 writes nothing
      {9, {"12345", 2}, {0x01, 0x02}},  // only DigitCount digits
      {10, {"12", 5}, {0x01, 0x02}},    // never more than the text holds
      {11, {"1G", 1}, {0x01}},          // a bad character beyond the count is not read
      {12, {"ab", 2}, {0x0A, 0x0B}},
      {13, {"12", -1}, {}},
      {14, {"", 3}, {}},
  };
  DtmfSettings settings = NewSettings();
  for (const Case& c : cases) settings.DtmfCodes[static_cast<std::size_t>(c.Index)] = c.Entry;
  EXPECT_EQ(settings.DtmfCodes[0].Code.Trimmed(), "12EF");

  RadioImage image;
  ASSERT_TRUE(SetCommDataByDTMF(settings, image, nullptr));
  for (const Case& c : cases)
    EXPECT_EQ(Slice(image, 6544 + 16 * c.Index, 16), CodeBytes(c.Digits)) << c.Index;
  EXPECT_EQ(Slice(image, 6544 + 16 * 15, 16), CodeBytes({})) << "an empty code";
  // Codes 0, 7 | 9, 10, 11, 12.
  EXPECT_EQ(Slice(image, 12910, 2), (Bytes{0x81, 0x1E}));
}

TEST(DtmfCodec, PttIdKillAndStunCodesHaveFixedSlotsAndNoPresenceBits) {
  DtmfSettings settings = NewSettings();
  settings.PttIdBegin = Typed("1");
  settings.PttIdEnd = Typed("2*");
  settings.StunCode = Typed<14>("3");
  settings.KillCode = Typed<14>("1234567890ABCD");
  RadioImage image;
  ASSERT_TRUE(SetCommDataByDTMF(settings, image, nullptr));
  EXPECT_EQ(Slice(image, 0x1A90, 16), CodeBytes({0x01}));
  EXPECT_EQ(Slice(image, 0x1AA0, 16), CodeBytes({0x02, 0x0E}));
  EXPECT_EQ(Slice(image, 0x1AB0, 16), CodeBytes({0x03}));
  EXPECT_EQ(Slice(image, 0x1AC0, 16), CodeBytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 10, 11, 12, 13}));
  EXPECT_EQ(Slice(image, 12910, 2), (Bytes{0x00, 0x00}));
}

TEST(DtmfCodec, OptionBytesAreWrittenFromANormalisedCopy) {
  DtmfSettings settings = NewSettings();
  settings.GroupCode = 12;
  settings.DecodeResponse = 2;
  settings.PreSendDelay = 1;
  settings.FirstDigitDelay = 250;
  settings.ResetTime = 250;
  settings.OwnId = "456";
  settings.IdDisplay = 1;
  settings.PostSendDelay = 250;
  settings.PauseTime = 75;
  RadioImage image;
  ASSERT_TRUE(SetCommDataByDTMF(settings, image, nullptr));
  EXPECT_EQ(Slice(image, 0x1AD0, 16), (Bytes{14, 12, 2, 1, 250, 250, 4, 5, 6, 1, 250, 75, 0, 0, 0, 0}));

  struct Case {
    const char* What;
    std::int16_t DtmfSettings::*Field;
    std::int16_t Value;
    int Address;
    std::uint8_t Written;
  };
  const Case cases[] = {
      {"separator below A", &DtmfSettings::Separator, 9, 0x1AD0, 14},
      {"separator beyond #", &DtmfSettings::Separator, 16, 0x1AD0, 14},
      {"separator #", &DtmfSettings::Separator, 15, 0x1AD0, 15},
      {"group code off", &DtmfSettings::GroupCode, 255, 0x1AD1, 0xFF},
      {"group code below A", &DtmfSettings::GroupCode, 9, 0x1AD1, 0xFF},
      {"group code A", &DtmfSettings::GroupCode, 10, 0x1AD1, 10},
      {"decode response beyond the list", &DtmfSettings::DecodeResponse, 3, 0x1AD2, 0},
      {"first digit delay beyond 2500 ms", &DtmfSettings::FirstDigitDelay, 251, 0x1AD4, 0},
  };
  for (const Case& c : cases) {
    DtmfSettings changed = NewSettings();
    changed.*c.Field = c.Value;
    RadioImage out;
    ASSERT_TRUE(SetCommDataByDTMF(changed, out, nullptr)) << c.What;
    EXPECT_EQ(out[static_cast<std::size_t>(c.Address)], c.Written) << c.What;
    EXPECT_EQ(changed.*c.Field, c.Value) << c.What << ": the live record keeps its value";
  }
}

TEST(DtmfCodec, OwnIdIsWrittenAsThreeDigitsAndNormalisedInTheLiveRecord) {
  struct Case {
    std::string OwnId;
    Bytes Written;
    std::string Stored;
  };
  const Case cases[] = {
      {"12", {1, 2, 0}, "120"},
      {"1234", {1, 2, 3}, "123"},
      {std::string("7\0 ab", 5), {7, 0, 0}, "700"},  // the text ends at its NUL
      {"", {0, 0, 0}, "000"},
      {"1a", {0, 0, 0}, "000"},
      {" 12", {0, 0, 0}, "000"},
      {"-12", {0, 0, 0}, "000"},
  };
  for (const Case& c : cases) {
    DtmfSettings settings = NewSettings();
    settings.OwnId = c.OwnId;
    settings.IdLength = 5;
    RadioImage image;
    ASSERT_TRUE(SetCommDataByDTMF(settings, image, nullptr)) << c.OwnId;
    EXPECT_EQ(Slice(image, 0x1AD6, 3), c.Written) << c.OwnId;
    EXPECT_EQ(settings.OwnId, FixedText<5>(c.Stored + '\0')) << c.OwnId;
    EXPECT_EQ(settings.IdLength, 5) << c.OwnId;
  }
}

TEST(DtmfCodec, EncoderFailsAndLeavesTheRecordWhenAValueCannotBeWritten) {
  struct Case {
    const char* What;
    void (*Spoil)(DtmfSettings&);
  };
  const Case cases[] = {
      {"non-hexadecimal code digit",
       [](DtmfSettings& s) {
         s.DtmfCodes[3] = {"1G", 2};
       }},
      {"last code",
       [](DtmfSettings& s) {
         s.DtmfCodes[15] = {"12 4", 4};
       }},
      {"unmapped * in the kill code",
       [](DtmfSettings& s) {
         s.KillCode = {"12*", 3};
       }},
      {"unmapped # in the PTT ID",
       [](DtmfSettings& s) {
         s.PttIdBegin = {"#", 1};
       }},
      {"pre-send delay beyond a byte", [](DtmfSettings& s) { s.PreSendDelay = 256; }},
      {"negative reset time", [](DtmfSettings& s) { s.ResetTime = -1; }},
      {"negative decode response", [](DtmfSettings& s) { s.DecodeResponse = -1; }},
      {"negative first digit delay", [](DtmfSettings& s) { s.FirstDigitDelay = -1; }},
      {"ID display beyond a byte", [](DtmfSettings& s) { s.IdDisplay = 300; }},
      {"post-send delay beyond a byte", [](DtmfSettings& s) { s.PostSendDelay = 256; }},
      {"negative pause time", [](DtmfSettings& s) { s.PauseTime = -5; }},
  };
  for (const Case& c : cases) {
    DtmfSettings settings = NewSettings();
    settings.OwnId = "12";
    c.Spoil(settings);
    const DtmfSettings before = settings;
    AutoTestRecording recording;
    recording.Groups.fill(true);
    RadioImage image;
    EXPECT_FALSE(SetCommDataByDTMF(settings, image, &recording)) << c.What;
    EXPECT_EQ(settings, before) << c.What;
    EXPECT_FALSE(recording.Blocks.IsMarked(409)) << c.What;
  }
}

TEST(DtmfCodec, AFailureNamesTheCodeOrFieldAndWritesNothing) {
  struct Case {
    void (*Spoil)(DtmfSettings&);
    const char* Detail;
  };
  const Case cases[] = {
      {[](DtmfSettings& s) {
         s.DtmfCodes[2] = {"1X", 2};
       },
       "DTMF code M3: digit 'X' is not a DTMF digit"},
      {[](DtmfSettings& s) {
         s.DtmfCodes[15] = {"12 4", 4};
       },
       "DTMF code M16: digit ' ' is not a DTMF digit"},
      {[](DtmfSettings& s) {
         s.KillCode = {"12*", 3};
       },
       "DTMF KillCode: digit '*' is not a DTMF digit"},
      {[](DtmfSettings& s) {
         s.PttIdEnd = {"#", 1};
       },
       "DTMF PttIdEnd: digit '#' is not a DTMF digit"},
      {[](DtmfSettings& s) { s.PreSendDelay = 256; }, "DTMF: PreSendDelay 256 does not fit 8 bits (0-255)"},
      {[](DtmfSettings& s) { s.DecodeResponse = -1; }, "DTMF: DecodeResponse -1 does not fit 8 bits (0-255)"},
      {[](DtmfSettings& s) { s.PauseTime = -5; }, "DTMF: PauseTime -5 does not fit 8 bits (0-255)"},
  };
  for (const Case& c : cases) {
    DtmfSettings settings = RichDtmf();
    c.Spoil(settings);
    RadioImage image;
    const EncodeResult result = SetCommDataByDTMF(settings, image, nullptr);
    ASSERT_FALSE(result) << c.Detail;
    EXPECT_EQ(result.Detail(), c.Detail);
    EXPECT_EQ(image, RadioImage{}) << c.Detail;
  }
}

TEST(DtmfCodec, EveryByteValueOfThePlainOptionBytesReadsBack) {
  using Field = std::int16_t DtmfSettings::*;
  for (const Field field : {&DtmfSettings::PreSendDelay, &DtmfSettings::ResetTime, &DtmfSettings::IdDisplay,
                            &DtmfSettings::PostSendDelay, &DtmfSettings::PauseTime}) {
    for (int value = 0; value <= 0xFF; ++value) {
      DtmfSettings settings = RichDtmf();
      settings.*field = static_cast<std::int16_t>(value);
      RadioImage image;
      ASSERT_TRUE(SetCommDataByDTMF(settings, image, nullptr));
      DtmfSettings decoded = settings;
      GetCommDataByDTMF(image, decoded);
      ASSERT_EQ(decoded, settings) << value;
    }
  }
}

TEST(DtmfCodec, AutomaticTestMarksTheDtmfBlocksAndThePresenceBits) {
  std::vector<int> expected;
  for (int block = 6544 / 16; block <= 6879 / 16; ++block) expected.push_back(block);
  expected.push_back(12910 / 16);

  for (const bool ticked : {true, false}) {
    AutoTestRecording recording;
    recording.Groups.fill(!ticked);
    recording.Groups[6] = ticked;
    DtmfSettings settings = NewSettings();
    RadioImage image;
    ASSERT_TRUE(SetCommDataByDTMF(settings, image, &recording));
    std::vector<int> marked;
    for (int block = 0; block < 810; ++block) {
      if (recording.Blocks.IsMarked(block)) marked.push_back(block);
    }
    EXPECT_EQ(marked, ticked ? expected : std::vector<int>{}) << ticked;
  }
}

TEST(DtmfCodec, DecoderReplacesOutOfRangeOptionBytes) {
  struct Case {
    std::int16_t DtmfSettings::*Field;
    int Address;
    std::uint8_t Byte;
    std::int16_t Decoded;
  };
  const Case cases[] = {
      {&DtmfSettings::Separator, 0x1AD0, 9, 14},        {&DtmfSettings::Separator, 0x1AD0, 0xFF, 14},
      {&DtmfSettings::Separator, 0x1AD0, 15, 15},       {&DtmfSettings::GroupCode, 0x1AD1, 0xFF, 255},
      {&DtmfSettings::GroupCode, 0x1AD1, 9, 255},       {&DtmfSettings::GroupCode, 0x1AD1, 12, 12},
      {&DtmfSettings::DecodeResponse, 0x1AD2, 3, 0},    {&DtmfSettings::DecodeResponse, 0x1AD2, 2, 2},
      {&DtmfSettings::FirstDigitDelay, 0x1AD4, 251, 0}, {&DtmfSettings::FirstDigitDelay, 0x1AD4, 250, 250},
      {&DtmfSettings::PreSendDelay, 0x1AD3, 255, 255},  {&DtmfSettings::ResetTime, 0x1AD5, 200, 200},
      {&DtmfSettings::IdDisplay, 0x1AD9, 7, 7},         {&DtmfSettings::PostSendDelay, 0x1ADA, 0, 0},
      {&DtmfSettings::PauseTime, 0x1ADB, 75, 75},
  };
  for (const Case& c : cases) {
    RadioImage image;
    image[static_cast<std::size_t>(c.Address)] = c.Byte;
    DtmfSettings settings = NewSettings();
    GetCommDataByDTMF(image, settings);
    EXPECT_EQ(settings.*c.Field, c.Decoded) << "byte " << c.Address << " = " << +c.Byte;
  }
}

TEST(DtmfCodec, DecoderReadsOwnIdAndCodes) {
  RadioImage image;
  const auto put = [&image](int address, Bytes bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) image[static_cast<std::size_t>(address) + i] = bytes[i];
  };
  put(0x1AD6, {4, 5, 6});
  put(6544 + 16 * 0, {0x01, 0x0E, 0x0F, 0x10, 0x02});  // present; ends at 0x10
  put(6544 + 16 * 1, {0x03, 0x04});                    // digits, but no presence bit
  put(6544 + 16 * 9, CodeBytes({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  put(6544 + 16 * 10, CodeBytes({}));                             // present, no digits
  put(0x1AB0, {0x05, 0xFF});                                      // stun
  put(0x1AC0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6});  // kill: 16 digits
  put(12910, {0x01, 0x06});

  DtmfSettings settings = NewSettings();
  settings.AniEnabled = 1;
  settings.SendTime = 4;
  settings.PttIdMode = 2;
  settings.IdLength = 5;
  settings.DtmfCodes[1] = Typed("99");
  GetCommDataByDTMF(image, settings);

  EXPECT_EQ(settings.OwnId, FixedText<5>(std::string("456\0", 4)));
  EXPECT_EQ(settings.IdLength, 3);
  EXPECT_EQ(settings.DtmfCodes[0], Typed("1*#"));
  EXPECT_EQ(settings.DtmfCodes[1], DtmfCodeEntry<24>{});
  EXPECT_EQ(settings.DtmfCodes[9], Typed("0123456789ABCD*#"));
  EXPECT_EQ(settings.DtmfCodes[10], Typed(""));
  EXPECT_EQ(settings.StunCode, Typed<14>("5"));
  EXPECT_EQ(settings.KillCode, (DtmfCodeEntry<14>{"12345678901234", 14})) << "cut to what the field holds";
  EXPECT_EQ(settings.PttIdBegin, Typed("0000000000000000")) << "cleared bytes are digits 0";
  EXPECT_EQ(settings.AniEnabled, 1);
  EXPECT_EQ(settings.SendTime, 4);
  EXPECT_EQ(settings.PttIdMode, 2);

  image[0x1AD7] = 0x0A;
  GetCommDataByDTMF(image, settings);
  EXPECT_EQ(settings.OwnId, FixedText<5>(std::string("000\0", 4)));
}

TEST(DtmfCodec, RecordSurvivesEncodeAndDecode) {
  const DtmfSettings settings = RichDtmf();
  DtmfSettings encoded = settings;
  RadioImage image;
  ASSERT_TRUE(SetCommDataByDTMF(encoded, image, nullptr));
  EXPECT_EQ(encoded, settings);

  DtmfSettings decoded = settings;
  GetCommDataByDTMF(RadioImage{}, decoded);
  GetCommDataByDTMF(image, decoded);
  EXPECT_EQ(decoded, settings);
}

TEST(DtmfCodec, ImageSurvivesDecodeAndEncode) {
  RadioImage image;
  for (int address = 6544; address < 6864; ++address) image[static_cast<std::size_t>(address)] = 0xFF;
  const auto put = [&image](int address, Bytes bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) image[static_cast<std::size_t>(address) + i] = bytes[i];
  };
  put(6544 + 16 * 2, {0x0E, 0x01, 0x02, 0x03, 0x0F});
  put(6544 + 16 * 8, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
  put(6544 + 16 * 13, {0x09});
  put(0x1A90, {0x01, 0x02});
  put(0x1AA0, {0x0D});
  put(0x1AB0, {0x03, 0x03, 0x03});
  put(0x1AC0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4});
  put(0x1AD0, {11, 0xFF, 1, 30, 40, 50, 9, 0, 1, 0, 60, 5});
  put(12910, {0x04, 0x21});
  const RadioImage original = image;

  DtmfSettings settings = NewSettings();
  GetCommDataByDTMF(original, settings);
  RadioImage encoded;
  ASSERT_TRUE(SetCommDataByDTMF(settings, encoded, nullptr));
  EXPECT_EQ(Slice(encoded, 6544, 336), Slice(original, 6544, 336));
  EXPECT_EQ(Slice(encoded, 12910, 2), Slice(original, 12910, 2));
}

}  // namespace
}  // namespace hvt
