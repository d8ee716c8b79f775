#include "model/dtmf_codec.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/packed_field.h"
#include "model/text.h"

namespace hvt {

namespace {

constexpr int kCodes = memory_map::kDtmfSettings;
constexpr int kEntrySize = 16;
constexpr int kPttIdBegin = 0x1A90;
constexpr int kPttIdEnd = 0x1AA0;
constexpr int kStunCode = 0x1AB0;
constexpr int kKillCode = 0x1AC0;
constexpr int kOwnId = 0x1AD6;
constexpr int kRegionLength = memory_map::kFiveToneSettings - memory_map::kDtmfSettings;
constexpr int kPresence = memory_map::kDtmfPresenceBits;
constexpr int kPresenceLength = kDtmfCodeCount / 8;

constexpr std::size_t kOwnIdDigits = 3;  // all the radio keeps, whatever IdLength says
constexpr std::int16_t kDefaultSeparator = 14;
constexpr std::uint8_t kNoDigit = 0xFF;
constexpr int kMaxDecodeResponse = 2;
constexpr int kMaxFirstDigitDelay = 250;

std::size_t At(int address) { return static_cast<std::size_t>(address); }

#define HVT_DTMF_BYTE(Field, Address) HVT_PACKED_FIELD(DtmfSettings, Field, Address, 0, 8)

// The option bytes, one value each, at their image addresses.
const std::array<PackedField<DtmfSettings>, 9> kOptionBytes = {{
    HVT_DTMF_BYTE(Separator, 0x1AD0),
    HVT_DTMF_BYTE(GroupCode, 0x1AD1),
    HVT_DTMF_BYTE(DecodeResponse, 0x1AD2),
    HVT_DTMF_BYTE(PreSendDelay, 0x1AD3),
    HVT_DTMF_BYTE(FirstDigitDelay, 0x1AD4),
    HVT_DTMF_BYTE(ResetTime, 0x1AD5),
    HVT_DTMF_BYTE(IdDisplay, 0x1AD9),
    HVT_DTMF_BYTE(PostSendDelay, 0x1ADA),
    HVT_DTMF_BYTE(PauseTime, 0x1ADB),
}};

#undef HVT_DTMF_BYTE

bool IsKeySelector(int value) { return value >= 10 && value <= 15; }

bool IsDecimalDigits(std::string_view text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
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

// Out-of-range values of these four bytes stand for their fallbacks, written and read alike.
void NormaliseOptionBytes(DtmfSettings& s) {
  if (!IsKeySelector(s.Separator)) s.Separator = kDefaultSeparator;
  if (!IsKeySelector(s.GroupCode)) s.GroupCode = kDtmfGroupCodeOff;
  if (s.DecodeResponse > kMaxDecodeResponse) s.DecodeResponse = 0;
  if (s.FirstDigitDelay > kMaxFirstDigitDelay) s.FirstDigitDelay = 0;
}

// One code entry as the image keeps it: a digit value per byte, 0xFF after the last digit.
struct CodeBytes {
  int Address;
  int PresenceBit;  // < 0: the entry has none
  bool HasDigits;
  std::array<std::uint8_t, kEntrySize> Digits;
};

// Only the first DigitCount digits are converted.
template <std::size_t Width>
EncodeResult ToCodeBytes(const DtmfCodeEntry<Width>& entry, std::string_view label, int address,
                         int presenceBit, std::vector<CodeBytes>& codes) {
  const std::string_view digits = TextTrim(entry.Code.Raw());
  std::size_t count = entry.DigitCount > 0 && entry.DigitCount <= kDtmfMaxDigits
                          ? static_cast<std::size_t>(entry.DigitCount)
                          : 0;
  count = std::min(count, digits.size());
  CodeBytes code{address, presenceBit, count > 0, {}};
  code.Digits.fill(kNoDigit);
  for (std::size_t k = 0; k < count; ++k) {
    const auto digit = HexDigitValue(digits[k]);
    if (!digit) {
      return EncodeResult::Failure(std::string(label) + ": digit '" + digits[k] + "' is not a DTMF digit");
    }
    code.Digits[k] = *digit;
  }
  codes.push_back(code);
  return EncodeResult::Success();
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

EncodeResult SetCommDataByDTMF(DtmfSettings& settings, RadioImage& image, AutoTestRecording* recording) {
  DtmfSettings s = settings;
  NormaliseOptionBytes(s);
  const std::string ownId = NormalisedOwnId(s.OwnId);

  // Every code is converted before anything is written: a failing one leaves the image as it was.
  std::vector<CodeBytes> codes;
  for (EncodeResult converted : {ToCodeBytes(s.PttIdBegin, "DTMF PttIdBegin", kPttIdBegin, -1, codes),
                                 ToCodeBytes(s.PttIdEnd, "DTMF PttIdEnd", kPttIdEnd, -1, codes),
                                 ToCodeBytes(s.StunCode, "DTMF StunCode", kStunCode, -1, codes),
                                 ToCodeBytes(s.KillCode, "DTMF KillCode", kKillCode, -1, codes)}) {
    if (!converted) return converted;
  }
  for (int i = 0; i < kDtmfCodeCount; ++i) {
    const std::string label = "DTMF code M" + std::to_string(i + 1);
    EncodeResult converted =
        ToCodeBytes(s.DtmfCodes[static_cast<std::size_t>(i)], label, kCodes + kEntrySize * i, i, codes);
    if (!converted) return converted;
  }
  if (const auto unfit = PackFields(kOptionBytes, s, image.Bytes())) {
    return EncodeResult::Failure("DTMF: " + Describe(*unfit));
  }

  for (std::size_t i = 0; i < kOwnIdDigits; ++i)
    image[At(kOwnId) + i] = static_cast<std::uint8_t>(ownId[i] - '0');
  for (int i = 0; i < kPresenceLength; ++i) image[At(kPresence + i)] = 0x00;
  for (const CodeBytes& code : codes) {
    std::ranges::copy(code.Digits, image.Bytes().begin() + code.Address);
    if (code.HasDigits && code.PresenceBit >= 0) {
      image[At(kPresence + code.PresenceBit / 8)] |= static_cast<std::uint8_t>(1U << (code.PresenceBit % 8));
    }
  }

  settings.OwnId = ownId + '\0';
  if (recording != nullptr && recording->Records(AutoTestGroup::Dtmf)) {
    recording->Blocks.MarkBlocks(kPresence, kPresenceLength);
    recording->Blocks.MarkBlocks(memory_map::kDtmfSettings, kRegionLength);
  }
  return EncodeResult::Success();
}

void GetCommDataByDTMF(const RadioImage& image, DtmfSettings& settings) {
  DtmfSettings& s = settings;
  UnpackFields(kOptionBytes, image.Bytes(), s);
  NormaliseOptionBytes(s);

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
