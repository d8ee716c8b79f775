#pragma once

// The radio's configuration memory as the program mirrors it, and where each region lives.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace hvt {

namespace memory_map {

inline constexpr int kImageSize = 12960;
inline constexpr int kBlockSize = 16;
inline constexpr int kBlockCount = kImageSize / kBlockSize;  // 810

inline constexpr int kChannelSlots = 0;  // channels 1-200, 32 bytes each
inline constexpr int kChannelSlotSize = 32;
inline constexpr int kVfo1Slot = 6400;
inline constexpr int kVfo2Slot = 6432;
inline constexpr int kInUseBitmap = 6464;
inline constexpr int kScanAddBitmap = 6496;
inline constexpr int kBitmapSize = 32;  // 25 bytes used
inline constexpr int kPowerOnText = 6528;
inline constexpr int kDtmfSettings = 6544;
inline constexpr int kFiveToneSettings = 6880;
inline constexpr int kFiveToneCodeList = 7264;
inline constexpr int kCommuBook = 10464;
inline constexpr int kFiveTonePresence = 12512;
inline constexpr int kUnwrittenGap = 12528;  // 12528-12799: no encoder writes it
inline constexpr int kUnwrittenGapEnd = 12799;
inline constexpr int kOptionBlock = 12800;
inline constexpr int kDtmfPresenceBits = 12910;
inline constexpr int kRtSlot = 12928;

static_assert(kBlockCount == 810);

}  // namespace memory_map

class RadioImage {
 public:
  static constexpr std::size_t kSize = memory_map::kImageSize;

  RadioImage() { Clear(); }

  void Clear() { bytes_.fill(0x00); }

  std::uint8_t& operator[](std::size_t address) { return bytes_.at(address); }
  std::uint8_t operator[](std::size_t address) const { return bytes_.at(address); }

  std::span<std::uint8_t> Region(std::size_t address, std::size_t length) {
    return std::span(bytes_).subspan(address, length);
  }
  std::span<const std::uint8_t> Region(std::size_t address, std::size_t length) const {
    return std::span(bytes_).subspan(address, length);
  }

  std::span<std::uint8_t, kSize> Bytes() { return bytes_; }
  std::span<const std::uint8_t, kSize> Bytes() const { return bytes_; }

  bool operator==(const RadioImage&) const = default;

 private:
  std::array<std::uint8_t, kSize> bytes_{};
};

// One flag per 16-byte block of the image: which blocks the selected encoders wrote.
class BlockMap {
 public:
  void Clear() { flags_.fill(0); }
  void MarkBlocks(int address, int length);
  bool IsMarked(int block) const { return flags_.at(static_cast<std::size_t>(block)) != 0; }
  std::span<const std::uint8_t, memory_map::kBlockCount> Flags() const { return flags_; }

 private:
  std::array<std::uint8_t, memory_map::kBlockCount> flags_{};
};

// Address of the 32-byte slot of channel 1-203.
int ChannelSlotAddress(int channelNumber);

// The bit of normal channel 1-200 in a channel bitmap (in-use or scan-add).
struct ChannelBit {
  int Address;
  std::uint8_t Mask;
};
ChannelBit ChannelBitOf(int bitmapAddress, int channelNumber);

}  // namespace hvt
