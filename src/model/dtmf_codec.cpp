#include "model/dtmf_codec.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "model/text.h"

namespace hvt {

namespace {

constexpr int kCodes = memory_map::kDtmfSettings;
constexpr int kEntrySize = 16;
constexpr int kPttIdBegin = 0x1A90;
constexpr int kPttIdEnd = 0x1AA0;
constexpr int kStunCode = 0x1AB0;
constexpr int kKillCode = 0x1AC0;
constexpr int kSeparator = 0x1AD0;
constexpr int kGroupCode = 0x1AD1;
constexpr int kDecodeResponse = 0x1AD2;
constexpr int kPreSendDelay = 0x1AD3;
constexpr int kFirstDigitDelay = 0x1AD4;
constexpr int kResetTime = 0x1AD5;
constexpr int kOwnId = 0x1AD6;
constexpr int kIdDisplay = 0x1AD9;
constexpr int kPostSendDelay = 0x1ADA;
constexpr int kPauseTime = 0x1ADB;
constexpr int kRegionLength = memory_map::kFiveToneSettings - memory_map::kDtmfSettings;
constexpr int kPresence = memory_map::kDtmfPresenceBits;
constexpr int kPresenceLength = kDtmfCodeCount / 8;

constexpr std::size_t kOwnIdDigits = 3;  // all the radio keeps, whatever IdLength says
constexpr std::int16_t kDefaultSeparator = 14;
constexpr std::uint8_t kNoDigit = 0xFF;
constexpr int kMaxDecodeResponse = 2;
constexpr int kMaxFirstDigitDelay = 250;

std::size_t At(int address) { return static_cast<std::size_t>(address); }

bool IsKeySelector(int value) { return value >= 10 && value <= 15; }

bool IsDecimalDigits(std::string_view text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// The radio takes a value per byte as it is; one that does not fit fails the encoder.
bool PutByte(RadioImage& image, int address, int value) {
  if (value < 0 || value > 0xFF) return false;
  image[At(address)] = static_cast<std::uint8_t>(value);
  return true;
}

std::optional<std::uint8_t> HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  return std::nullopt;
}

// The three digits the radio keeps; anything but decimal digits becomes "000".
std::string NormalisedOwnId(const FixedText<5>& ownId) {
  std::string id(TextTrim(ownId.Raw()).substr(0, kOwnIdDigits));
  if (!IsDecimalDigits(id)) return std::string(kOwnIdDigits, '0');
  id.resize(kOwnIdDigits, '0');
  return id;
}

// presenceBit < 0: the entry has none. Only the first DigitCount digits are converted.
template <std::size_t Width>
bool WriteCode(const DtmfCodeEntry<Width>& entry, RadioImage& image, int address, int presenceBit) {
  const std::string_view digits = TextTrim(entry.Code.Raw());
  std::size_t count = entry.DigitCount > 0 && entry.DigitCount <= kDtmfMaxDigits
                          ? static_cast<std::size_t>(entry.DigitCount)
                          : 0;
  count = std::min(count, digits.size());
  if (count > 0 && presenceBit >= 0) {
    image[At(kPresence + presenceBit / 8)] |= static_cast<std::uint8_t>(1U << (presenceBit % 8));
  }
  for (std::size_t k = 0; k < static_cast<std::size_t>(kEntrySize); ++k) {
    std::uint8_t value = kNoDigit;
    if (k < count) {
      const auto digit = HexDigitValue(digits[k]);
      if (!digit) return false;
      value = *digit;
    }
    image[At(address) + k] = value;
  }
  return true;
}

template <std::size_t Width>
DtmfCodeEntry<Width> ReadCode(const RadioImage& image, int address) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string digits;
  for (int k = 0; k < kEntrySize; ++k) {
    const std::uint8_t value = image[At(address + k)];
    if (value > 0x0F) break;
    digits += kHex[value];
  }
  // A kill or stun code holds 14 digits; the count must not claim more than the text keeps.
  digits.resize(std::min(digits.size(), Width));
  DtmfCodeEntry<Width> entry;
  entry.DigitCount = static_cast<std::int16_t>(digits.size());
  if (digits.size() < Width) digits += '\0';
  entry.Code = digits;
  return entry;
}

}  // namespace

bool SetCommDataByDTMF(DtmfSettings& settings, RadioImage& image, AutoTestRecording* recording) {
  const DtmfSettings& s = settings;
  const int separator = IsKeySelector(s.Separator) ? s.Separator : kDefaultSeparator;
  const int groupCode = IsKeySelector(s.GroupCode) ? s.GroupCode : 0xFF;
  const int decodeResponse = s.DecodeResponse > kMaxDecodeResponse ? 0 : s.DecodeResponse;
  const int firstDigitDelay = s.FirstDigitDelay > kMaxFirstDigitDelay ? 0 : s.FirstDigitDelay;
  if (!(PutByte(image, kSeparator, separator) && PutByte(image, kGroupCode, groupCode) &&
        PutByte(image, kDecodeResponse, decodeResponse) && PutByte(image, kPreSendDelay, s.PreSendDelay) &&
        PutByte(image, kFirstDigitDelay, firstDigitDelay) && PutByte(image, kResetTime, s.ResetTime))) {
    return false;
  }

  const std::string ownId = NormalisedOwnId(s.OwnId);
  for (std::size_t i = 0; i < kOwnIdDigits; ++i)
    image[At(kOwnId) + i] = static_cast<std::uint8_t>(ownId[i] - '0');
  if (!(PutByte(image, kIdDisplay, s.IdDisplay) && PutByte(image, kPostSendDelay, s.PostSendDelay) &&
        PutByte(image, kPauseTime, s.PauseTime))) {
    return false;
  }

  for (int i = 0; i < kPresenceLength; ++i) image[At(kPresence + i)] = 0x00;
  if (!(WriteCode(s.PttIdBegin, image, kPttIdBegin, -1) && WriteCode(s.PttIdEnd, image, kPttIdEnd, -1) &&
        WriteCode(s.StunCode, image, kStunCode, -1) && WriteCode(s.KillCode, image, kKillCode, -1))) {
    return false;
  }
  for (int i = 0; i < kDtmfCodeCount; ++i) {
    if (!WriteCode(s.DtmfCodes[static_cast<std::size_t>(i)], image, kCodes + kEntrySize * i, i)) return false;
  }

  settings.OwnId = ownId + '\0';
  if (recording != nullptr && recording->Records(AutoTestGroup::Dtmf)) {
    recording->Blocks.MarkBlocks(kPresence, kPresenceLength);
    recording->Blocks.MarkBlocks(memory_map::kDtmfSettings, kRegionLength);
  }
  return true;
}

void GetCommDataByDTMF(const RadioImage& image, DtmfSettings& settings) {
  const auto byteAt = [&image](int address) -> std::int16_t { return image[At(address)]; };
  DtmfSettings& s = settings;

  const std::int16_t separator = byteAt(kSeparator);
  s.Separator = IsKeySelector(separator) ? separator : kDefaultSeparator;
  const std::int16_t groupCode = byteAt(kGroupCode);
  s.GroupCode = IsKeySelector(groupCode) ? groupCode : kDtmfGroupCodeOff;
  const std::int16_t decodeResponse = byteAt(kDecodeResponse);
  s.DecodeResponse = decodeResponse > kMaxDecodeResponse ? std::int16_t{0} : decodeResponse;
  s.PreSendDelay = byteAt(kPreSendDelay);
  const std::int16_t firstDigitDelay = byteAt(kFirstDigitDelay);
  s.FirstDigitDelay = firstDigitDelay > kMaxFirstDigitDelay ? std::int16_t{0} : firstDigitDelay;
  s.ResetTime = byteAt(kResetTime);

  s.IdLength = static_cast<std::int16_t>(kOwnIdDigits);
  std::string ownId;
  for (std::size_t i = 0; i < kOwnIdDigits; ++i) {
    const std::uint8_t digit = image[At(kOwnId) + i];
    if (digit > 9) {
      ownId.assign(kOwnIdDigits, '0');
      break;
    }
    ownId += static_cast<char>('0' + digit);
  }
  s.OwnId = ownId + '\0';
  s.IdDisplay = byteAt(kIdDisplay);
  s.PostSendDelay = byteAt(kPostSendDelay);
  s.PauseTime = byteAt(kPauseTime);

  s.PttIdBegin = ReadCode<24>(image, kPttIdBegin);
  s.PttIdEnd = ReadCode<24>(image, kPttIdEnd);
  s.StunCode = ReadCode<14>(image, kStunCode);
  s.KillCode = ReadCode<14>(image, kKillCode);
  for (int i = 0; i < kDtmfCodeCount; ++i) {
    const bool present = (image[At(kPresence + i / 8)] & (1U << (i % 8))) != 0;
    s.DtmfCodes[static_cast<std::size_t>(i)] =
        present ? ReadCode<24>(image, kCodes + kEntrySize * i) : DtmfCodeEntry<24>{};
  }
}

}  // namespace hvt
