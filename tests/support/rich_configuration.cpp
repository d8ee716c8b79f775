#include "support/rich_configuration.h"

#include <string>

#include "model/text.h"
#include "support/five_tone_code_entry.h"

namespace hvt {

namespace {

using namespace std::string_literals;

// A DTMF code as the editor stores it: the typed keys as hexadecimal digits, then a NUL.
template <std::size_t Width = 24>
DtmfCodeEntry<Width> TypedDtmf(std::string_view keys) {
  return {DtmfShowToStore(keys) + '\0', static_cast<std::int16_t>(keys.size())};
}

}  // namespace

ChannelTable RichChannelTable() {
  ChannelTable table;
  for (int n : {1, 2, 17, 100, 199, 200, 201, 202, 203}) {
    ChannelRecord c = CreateChannel(n, n % 2 == 0 ? "146.0125" : "462.5625");
    const auto v = static_cast<std::int16_t>(n % 7);
    c.ScanAdd = static_cast<std::int16_t>(n <= 200 ? n % 2 : 0);
    c.OffsetDir = static_cast<std::int16_t>(n == 203 ? 3 : n % 4);
    c.TxFreq = c.OffsetDir == 3 ? "046756250" : "000060000";
    c.Power = static_cast<std::int16_t>(v % 3);
    c.TalkAround = 1;
    c.TxForbid = static_cast<std::int16_t>(v % 2);
    c.Reverse = 1;
    c.Bandwidth = static_cast<std::int16_t>(v % 3);
    c.EncodeType = 2;
    c.DecodeType = 1;
    c.DtmfCode = static_cast<std::int16_t>(n % 16);
    c.EncodeCtcss = static_cast<std::int16_t>(n % 52);
    c.DecodeCtcss = 51;
    c.EncodeDcs = static_cast<std::int16_t>(512 + n);
    c.DecodeDcs = static_cast<std::int16_t>(n);
    c.BusyLock = static_cast<std::int16_t>(v % 3);
    c.DtmfPttId = 2;
    c.FiveTonePttId = 3;
    c.SquelchMode = static_cast<std::int16_t>(v % 5);
    c.OptSignal = static_cast<std::int16_t>(v % 4);
    c.TwoToneCode = static_cast<std::int16_t>(n % 32);
    c.FiveToneCode = static_cast<std::int16_t>(n % 100);
    c.Name = n % 3 == 0 ? std::string_view("CH-9Z") : std::string_view("AB1\0 ", 5);
    c.CustomCtcss = static_cast<std::int16_t>(600 + n);
    c.Scramble = 1;
    AddChannel(table, c);
  }
  return table;
}

OptionSettings RichOptions() {
  OptionSettings o;
  ResetOptions(o);
  o.KeyBeep = 5;
  o.FrequencyStep = 8;
  o.DisplayModeA = 2;
  o.SquelchLevelA = 9;
  o.SquelchLevelB = 3;
  o.SpeakerVolume = 36;
  o.PowerOnPasswordEnabled = 1;
  o.PowerOnPassword = "123456";
  o.ScanMode = 2;
  o.ScanResumeTime = 2;
  o.AutoPowerOn = 1;
  o.MainSubDirection = 1;
  o.ChannelSelect = 1;
  o.BacklightBrightness = 3;
  o.TimeOutTimer = 30;
  o.AutoPowerOff = 3;
  o.PilotTone = 3;
  o.ScreenDirection = 1;
  o.MicKeyBrightness = 31;
  o.SpeakerSwitch = 2;
  o.ShortcutKey = {9, 8, 7, 6};
  o.TailEliminationMode = 4;
  o.TailEliminationFrequency = 2;
  o.KnobMode = 0;
  o.TrfEnable = 1;
  o.PowerOnResetAllowed = 1;
  o.NormalChannelStorage = 0;
  o.ChannelLock = 1;
  o.SqlKeyFunction = 1;
  o.KeyFunction = {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
  o.MemoryChannelA = 199;
  o.WorkModeA = 1;
  o.MemoryChannelB = 0;
  o.WorkModeB = 1;
  o.PowerOnDisplayText = "HVT-73A";
  return o;
}

FiveToneSettings RichFiveTone() {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto digits = [](int count, int seed) {
    std::string text;
    for (int i = 0; i < count; ++i) text += kHex[(seed + 7 * i) % 16];
    return text;
  };
  FiveToneSettings s;
  ResetFiveTone(s);
  s.OwnIdLength = 5;
  s.Reserved0 = 3;
  s.DecodeResponse = 1;
  s.Standard = 12;
  s.ToneLength = 40;
  s.OwnId = "54321\0"s;
  s.TenthsTime = 125;
  s.IntervalA = 255;
  s.IntervalB = 1;
  s.OptionalValue = 75;
  s.FirstDigitDelay = 255;
  s.PauseTime = 0;
  s.PauseCode = 0x0F;
  s.SideTone = 1;
  s.Separator = 0;
  for (int i = 0; i < kInfoCodeCount; ++i) {
    const int count = 5 + i;
    s.InfoCodes[i] = {.Function = static_cast<std::uint8_t>(i % 7),
                      .Response = static_cast<std::uint8_t>(i % 3),
                      .DigitCount = static_cast<std::uint8_t>(count),
                      .Code = digits(count, i),
                      .Name = i % 2 == 0 ? "" : "INFO" + std::to_string(i)};
  }
  s.PttIdBegin = FiveToneCodeEntry(digits(24, 1).c_str(), 24, 13, 120, "");
  s.PttIdEnd = FiveToneCodeEntry(digits(7, 2).c_str(), 7, 5, 30, "");
  for (int j = 0; j < kFiveToneCodeCount; j += 3) {
    const int count = j % 41;
    s.Codes[j] = FiveToneCodeEntry(digits(count, j).c_str(), count, j % 14, 30 + j % 91,
                                   "N" + std::to_string(j) + "-x");
    s.Codes[j].Reserved2 = static_cast<std::uint8_t>(j);
  }
  return s;
}

DtmfSettings RichDtmf() {
  DtmfSettings settings;
  ResetDtmfSettings(settings);
  settings.DtmfCodes[0] = TypedDtmf("123*456");
  settings.DtmfCodes[5] = TypedDtmf("ABCD*#0123456789");
  settings.DtmfCodes[15] = TypedDtmf("#");
  settings.PttIdBegin = TypedDtmf("101");
  settings.PttIdEnd = TypedDtmf("*");
  settings.KillCode = TypedDtmf<14>("98765432109876");
  settings.StunCode = TypedDtmf<14>("D");
  settings.AniEnabled = 1;
  settings.SendTime = 3;
  settings.OwnId = std::string("789\0", 4);
  settings.Separator = 15;
  settings.GroupCode = 255;
  settings.DecodeResponse = 2;
  settings.FirstDigitDelay = 7;
  settings.PreSendDelay = 250;
  settings.ResetTime = 13;
  settings.PostSendDelay = 1;
  settings.PauseTime = 0;
  settings.IdDisplay = 1;
  return settings;
}

CommuBook RichBook() {
  CommuBook book;
  ResetCommuBook(book);
  const char* codes[] = {"1", "22", "333", "4444", "55555"};
  const char* names[] = {"A", "BB", "C C", "DDDD", "E1E2E3"};
  for (std::size_t i = 0; i < 5; ++i) {
    book.Entries[i].Code = std::string(codes[i]) + '\0';
    book.Entries[i].Name = std::string(names[i]) + '\0';
  }
  return book;
}

Configuration RichConfiguration() {
  Configuration records;
  records.Channels = RichChannelTable();
  records.Options = RichOptions();
  records.FiveTone = RichFiveTone();
  records.Dtmf = RichDtmf();
  records.Book = RichBook();
  return records;
}

}  // namespace hvt
