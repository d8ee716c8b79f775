#include "model/commu_book_codec.h"

#include <string>
#include <string_view>

#include "model/text.h"

namespace hvt {

namespace {

constexpr int kCodes = memory_map::kCommuBook;
constexpr int kNames = memory_map::kCommuBook + 8 * kCommuBookEntryCount;
constexpr int kSlotSize = 8;
constexpr std::size_t kCodeLength = 5;
constexpr std::size_t kNameLength = 7;
constexpr int kRegionLength = 2 * kSlotSize * kCommuBookEntryCount;
constexpr std::uint8_t kNameEnd = 0xFF;

// NUL-filled: the radio reads a code or name up to its first NUL.
void PutText(RadioImage& image, int address, std::string_view text, std::size_t length) {
  for (std::size_t k = 0; k < length; ++k) {
    image[static_cast<std::size_t>(address) + k] =
        k < text.size() ? static_cast<std::uint8_t>(text[k]) : std::uint8_t{0};
  }
}

}  // namespace

EncodeResult SetCommDataByDTMFCommuBook(CommuBook& book, RadioImage& image, AutoTestRecording* recording) {
  SortCommuBook(book);
  for (int i = 0; i < kCommuBookEntryCount; ++i) {
    const CommuBookEntry& entry = book.Entries[static_cast<std::size_t>(i)];
    const std::string_view code = CommuBookCodeValue(entry) ? TextTrim(entry.Code.Raw()) : std::string_view{};
    PutText(image, kCodes + kSlotSize * i, code, kCodeLength);
    PutText(image, kNames + kSlotSize * i, TextTrim(entry.Name.Raw()), kNameLength);
  }
  if (recording != nullptr && recording->Records(AutoTestGroup::CommuBook)) {
    recording->Blocks.MarkBlocks(kCodes, kRegionLength);
  }
  return EncodeResult::Success();
}

void GetCommDataByDTMFCommuBook(const RadioImage& image, CommuBook& book) {
  for (int i = 0; i < kCommuBookEntryCount; ++i) {
    CommuBookEntry& entry = book.Entries[static_cast<std::size_t>(i)];
    entry.Number = static_cast<std::int16_t>(i);

    std::string code(kCodeLength, '\0');
    for (std::size_t k = 0; k < kCodeLength; ++k)
      code[k] = static_cast<char>(image[static_cast<std::size_t>(kCodes + kSlotSize * i) + k]);
    entry.Code = code;

    // Reads the slot's eighth byte too, which the encoder never writes.
    std::string name;
    for (std::size_t k = 0; k < static_cast<std::size_t>(kSlotSize); ++k) {
      const std::uint8_t byte = image[static_cast<std::size_t>(kNames + kSlotSize * i) + k];
      if (byte == kNameEnd) break;
      name += static_cast<char>(byte);
    }
    name = std::string(TextTrim(name));
    if (name.size() > kNameLength) {
      name.resize(kNameLength);
    } else {
      name += '\0';
    }
    entry.Name = name;
  }
}

}  // namespace hvt
