#include "model/five_tone_codec.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "model/packed_field.h"
#include "model/text.h"

namespace hvt {

namespace {

constexpr int kInfoCodeArea = memory_map::kFiveToneSettings;
constexpr int kAreaSize = 384;
constexpr int kEntrySize = 32;
constexpr int kPttIdBegin = 0x1BE0;
constexpr int kPttIdEnd = 0x1C00;
constexpr int kPresenceSize = 16;

// Scalar settings.
constexpr int kReserved0 = 0x1C40;
constexpr int kDecodeResponse = 0x1C41;
constexpr int kStandard = 0x1C42;
constexpr int kOwnIdLength = 0x1C43;
constexpr int kToneLength = 0x1C44;
constexpr int kOwnIdDigits = 0x1C45;
constexpr int kOwnIdDigitCount = 5;
constexpr int kOwnIdWidth = 6;
constexpr int kIntervalA = 0x1C4B;
constexpr int kIntervalB = 0x1C4C;
constexpr int kOptionalValue = 0x1C4D;
constexpr int kTenthsTime = 0x1C4E;
constexpr int kFirstDigitDelay = 0x1C4F;
constexpr int kSideTone = 0x1C50;
constexpr int kSeparator = 0x1C51;
constexpr int kPauseCode = 0x1C52;
constexpr int kPauseTime = 0x1C53;

// Info code entry offsets: one digit per byte.
constexpr int kInfoFunction = 0;
constexpr int kInfoResponse = 1;
constexpr int kInfoDigitCount = 2;
constexpr int kInfoDigits = 3;
constexpr int kInfoName = 16;

// Code entry offsets: two digits per byte.
constexpr int kCodeStandard = 1;
constexpr int kCodeDigitCount = 2;
constexpr int kCodeToneLength = 3;
constexpr int kCodeDigits = 4;
constexpr int kCodeDigitBytes = kFiveToneCodeDigits / 2;
constexpr int kCodeName = 24;

constexpr int kNameLength = 7;

constexpr std::size_t At(int address) { return static_cast<std::size_t>(address); }

int ListEntryAddress(int index) { return memory_map::kFiveToneCodeList + index * kEntrySize; }

struct PresenceBit {
  int Address;
  std::uint8_t Mask;
};

PresenceBit PresenceBitOf(int index) {
  return {memory_map::kFiveTonePresence + index / 8, static_cast<std::uint8_t>(1U << (index % 8))};
}

std::uint8_t ToneLengthOrDefault(int ms) {
  return ms >= 30 && ms <= 120 ? static_cast<std::uint8_t>(ms) : kDefaultFiveToneLength;
}

std::optional<std::uint8_t> HexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  return std::nullopt;
}

// The digits the radio sends: the code padded with repeat tones to its digit count, or cut to it.
std::string DigitText(std::string_view code, int digitCount) {
  std::string text(TextTrim(code));
  text.resize(static_cast<std::size_t>(digitCount), 'E');
  return text;
}

// A digit count beyond the entry's room still goes to the radio as it stands, but the digits stop
// at the entry's end so that the name and the neighbouring entries stay intact.
void LimitTo(std::string& digits, int room) {
  if (digits.size() > static_cast<std::size_t>(room)) digits.resize(static_cast<std::size_t>(room));
}

std::string NotADigit(std::string_view label, char digit, std::string_view kind) {
  return std::string(label) + ": digit '" + digit + "' is not a " + std::string(kind) + " digit";
}

EncodeResult WriteCodeEntry(const FiveToneEntry& entry, std::string_view label, bool withName,
                            RadioImage& image, int a) {
  image[At(a + kCodeStandard)] = entry.Standard;
  image[At(a + kCodeDigitCount)] = entry.DigitCount;
  image[At(a + kCodeToneLength)] = ToneLengthOrDefault(entry.ToneLength);

  std::string digits = entry.EmptyFlag > 0 ? std::string() : DigitText(entry.Code.Raw(), entry.DigitCount);
  if (digits.size() % 2 == 1) digits += 'E';
  LimitTo(digits, kFiveToneCodeDigits);
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const auto high = HexValue(digits[i]);
    const auto low = HexValue(digits[i + 1]);
    if (!high) return EncodeResult::Failure(NotADigit(label, digits[i], "hexadecimal"));
    if (!low) return EncodeResult::Failure(NotADigit(label, digits[i + 1], "hexadecimal"));
    image[At(a + kCodeDigits) + i / 2] = static_cast<std::uint8_t>(*high << 4U | *low);
  }

  if (withName) {
    // The raw field: a name never set is NULs and reaches the radio as zero bytes.
    for (int i = 0; i < kNameLength; ++i) {
      image[At(a + kCodeName + i)] = static_cast<std::uint8_t>(entry.Name.Raw()[At(i)]);
    }
  }
  return EncodeResult::Success();
}

EncodeResult WriteInfoCode(const InfoCode& info, std::string_view label, RadioImage& image, int a) {
  image[At(a + kInfoFunction)] = info.Function;
  image[At(a + kInfoResponse)] = info.Response;
  image[At(a + kInfoDigitCount)] = info.DigitCount;

  std::string digits = DigitText(info.Code.Raw(), info.DigitCount);
  LimitTo(digits, kInfoCodeDigits);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const auto value = HexValue(digits[i]);
    if (!value) return EncodeResult::Failure(NotADigit(label, digits[i], "hexadecimal"));
    image[At(a + kInfoDigits) + i] = *value;
  }

  const std::string_view name = TextTrim(info.Name.Raw());
  for (int i = 0; i < kNameLength; ++i) {
    std::uint8_t byte = 0x00;
    if (!name.empty())
      byte = At(i) < name.size() ? static_cast<std::uint8_t>(name[At(i)]) : std::uint8_t{0x20};
    image[At(a + kInfoName + i)] = byte;
  }
  return EncodeResult::Success();
}

EncodeResult WriteScalars(const FiveToneSettings& s, RadioImage& image) {
  image[At(kReserved0)] = s.Reserved0;
  image[At(kDecodeResponse)] = s.DecodeResponse;
  image[At(kStandard)] = s.Standard;
  image[At(kOwnIdLength)] = s.OwnIdLength;
  image[At(kToneLength)] = s.ToneLength;

  for (int k = 0; k < kOwnIdDigitCount; ++k) {
    std::uint8_t digit = 0;
    if (k < s.OwnIdLength) {
      const char c = s.OwnId.Raw()[At(k)];
      if (c < '0' || c > '9') return EncodeResult::Failure(NotADigit("5-tone OwnId", c, "decimal"));
      digit = static_cast<std::uint8_t>(c - '0');
    }
    image[At(kOwnIdDigits + k)] = digit;
  }
  image[At(kOwnIdDigits + kOwnIdDigitCount)] = 0x00;

  struct ScalarByte {
    int Address;
    std::string_view Name;
    int Value;
  };
  const ScalarByte bytes[] = {
      {kIntervalA, "IntervalA", s.IntervalA},
      {kIntervalB, "IntervalB", s.IntervalB},
      {kOptionalValue, "OptionalValue", s.OptionalValue},
      {kTenthsTime, "TenthsTime", s.TenthsTime},
      {kFirstDigitDelay, "FirstDigitDelay", s.FirstDigitDelay},
      {kSideTone, "SideTone", s.SideTone},
      {kSeparator, "Separator", s.Separator},
      {kPauseCode, "PauseCode", s.PauseCode},
      {kPauseTime, "PauseTime", s.PauseTime},
  };
  constexpr int kByteWidth = 8;
  for (const ScalarByte& byte : bytes) {
    if (!FitsBits(byte.Value, kByteWidth))
      return EncodeResult::Failure("5-tone: " + Describe({byte.Name, byte.Value, kByteWidth}));
    image[At(byte.Address)] = static_cast<std::uint8_t>(byte.Value);
  }
  return EncodeResult::Success();
}

}  // namespace

EncodeResult SetCommDataBy5Tone(const FiveToneSettings& record, RadioImage& image,
                                AutoTestRecording* recording) {
  if (EncodeResult written = WriteScalars(record, image); !written) return written;
  if (EncodeResult written =
          WriteCodeEntry(record.PttIdBegin, "5-tone PttIdBegin", false, image, kPttIdBegin);
      !written) {
    return written;
  }
  if (EncodeResult written = WriteCodeEntry(record.PttIdEnd, "5-tone PttIdEnd", false, image, kPttIdEnd);
      !written) {
    return written;
  }
  for (int i = 0; i < kInfoCodeCount; ++i) {
    const std::string label = "5-tone info code " + std::to_string(i + 1);
    EncodeResult written =
        WriteInfoCode(record.InfoCodes[At(i)], label, image, kInfoCodeArea + i * kEntrySize);
    if (!written) return written;
  }

  const bool marking = recording != nullptr && recording->Records(AutoTestGroup::FiveTone);
  if (marking) {
    recording->Blocks.MarkBlocks(kInfoCodeArea, kAreaSize);
    recording->Blocks.MarkBlocks(memory_map::kFiveTonePresence, kPresenceSize);
  }

  for (int i = 0; i < kFiveToneCodeCount; ++i) {
    const FiveToneEntry& entry = record.Codes[At(i)];
    if (entry.EmptyFlag != 0) continue;
    const PresenceBit bit = PresenceBitOf(i);
    image[At(bit.Address)] |= bit.Mask;
    const std::string label = "5-tone code " + std::to_string(i + 1);
    EncodeResult written = WriteCodeEntry(entry, label, true, image, ListEntryAddress(i));
    if (!written) return written;
    if (marking) recording->Blocks.MarkBlocks(ListEntryAddress(i), kEntrySize);
  }
  return EncodeResult::Success();
}

namespace {

// Up to seven characters, ending early at the first 0x00 or 0xFF byte.
std::string NameAt(const RadioImage& image, int address) {
  std::string name;
  for (int i = 0; i < kNameLength; ++i) {
    const std::uint8_t byte = image[At(address + i)];
    if (byte == 0x00 || byte == 0xFF) break;
    name += static_cast<char>(byte);
  }
  return name;
}

// Unlike the code list, info codes keep one digit per byte, shown without a leading zero.
std::string InfoDigitText(std::uint8_t byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return byte < 16 ? std::string(1, kDigits[byte]) : ByteToHex(byte);
}

void CutTo(std::string& text, int length) {
  if (text.size() > static_cast<std::size_t>(length)) text.resize(static_cast<std::size_t>(length));
}

// Reads no further than the field can hold: digits beyond it would be cut off anyway.
void ReadCodeEntry(const RadioImage& image, int a, bool withName, FiveToneEntry& entry) {
  entry.Standard = image[At(a + kCodeStandard)];
  entry.DigitCount = image[At(a + kCodeDigitCount)];
  entry.ToneLength = ToneLengthOrDefault(image[At(a + kCodeToneLength)]);
  const int byteCount = std::min((entry.DigitCount + 1) / 2, kCodeDigitBytes);
  std::string digits;
  for (int i = 0; i < byteCount; ++i) digits += ByteToHex(image[At(a + kCodeDigits + i)]);
  CutTo(digits, entry.DigitCount);
  entry.Code = digits;
  if (withName) entry.Name = NameAt(image, a + kCodeName);
}

void ReadInfoCode(const RadioImage& image, int a, InfoCode& info) {
  const auto byteOrZero = [&image](int address) -> std::uint8_t {
    const std::uint8_t byte = image[At(address)];
    return byte == 0xFF ? std::uint8_t{0} : byte;
  };
  info.Function = byteOrZero(a + kInfoFunction);
  info.Response = byteOrZero(a + kInfoResponse);
  info.DigitCount = byteOrZero(a + kInfoDigitCount);
  const int byteCount = std::min<int>(info.DigitCount, kInfoCodeDigits);
  std::string digits;
  for (int i = 0; i < byteCount; ++i) digits += InfoDigitText(image[At(a + kInfoDigits + i)]);
  CutTo(digits, info.DigitCount);
  info.Code = digits;
  info.Name = NameAt(image, a + kInfoName);
}

}  // namespace

void GetCommDataBy5Tone(const RadioImage& image, FiveToneSettings& record) {
  record.Reserved0 = image[At(kReserved0)];
  record.DecodeResponse = image[At(kDecodeResponse)];
  record.Standard = image[At(kStandard)];
  record.OwnIdLength = image[At(kOwnIdLength)];
  record.ToneLength = image[At(kToneLength)];

  // The radio's length byte is trusted as it stands; the text keeps a NUL after the digits.
  std::string ownId;
  for (int k = 0; k < record.OwnIdLength && ownId.size() < At(kOwnIdWidth); ++k) {
    ownId += std::to_string(image[At(kOwnIdDigits + k)]);
  }
  ownId += '\0';
  CutTo(ownId, kOwnIdWidth);
  record.OwnId = ownId;

  record.IntervalA = image[At(kIntervalA)];
  record.IntervalB = image[At(kIntervalB)];
  record.OptionalValue = image[At(kOptionalValue)];
  record.TenthsTime = image[At(kTenthsTime)];
  record.FirstDigitDelay = image[At(kFirstDigitDelay)];
  record.SideTone = image[At(kSideTone)];
  record.Separator = image[At(kSeparator)];
  record.PauseCode = image[At(kPauseCode)];
  record.PauseTime = image[At(kPauseTime)];

  ReadCodeEntry(image, kPttIdBegin, false, record.PttIdBegin);
  ReadCodeEntry(image, kPttIdEnd, false, record.PttIdEnd);
  for (int i = 0; i < kInfoCodeCount; ++i)
    ReadInfoCode(image, kInfoCodeArea + i * kEntrySize, record.InfoCodes[At(i)]);

  for (int i = 0; i < kFiveToneCodeCount; ++i) {
    FiveToneEntry& entry = record.Codes[At(i)];
    const PresenceBit bit = PresenceBitOf(i);
    const bool present = (image[At(bit.Address)] & bit.Mask) != 0;
    entry.EmptyFlag = present ? 0 : 1;
    if (present) ReadCodeEntry(image, ListEntryAddress(i), true, entry);
  }
}

}  // namespace hvt
