#pragma once

// A slot's bit layout declared once as a table: each field's byte offset, shift and width and the
// record field it holds. Encoding and decoding read the same table, so a bit position is spelled
// in one place and every field gets the same range check: a value that does not fit its bits
// fails instead of spilling into the neighbouring settings.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace hvt {

template <class Record>
struct PackedField {
  std::string_view Name;
  int ByteOffset;  // from the start of the bytes the layout is packed into
  int Shift;       // of the lowest bit, in the little-endian unit that starts at ByteOffset
  int Width;       // in bits; 16 is a little-endian word
  std::int16_t& (*Of)(Record&);
};

// A layout entry named after the record field it holds.
#define HVT_PACKED_FIELD(Record, Field, ByteOffset, Shift, Width)                         \
  ::hvt::PackedField<Record> {                                                            \
#Field, ByteOffset, Shift, Width, [](Record & r) -> std::int16_t& { return r.Field; } \
  }

inline constexpr int kPackedWordWidth = 16;

struct UnfitField {
  std::string_view Name;
  int Value;
  int Width;
};

// "Power 40 does not fit 2 bits (0-3)".
std::string Describe(const UnfitField& field);

// A word takes the field's 16-bit pattern as it is, so a word read from the radio writes back
// unchanged whatever its sign.
constexpr bool FitsBits(int value, int width) {
  return width >= kPackedWordWidth || (value >= 0 && value < (1 << width));
}

namespace packed_field_detail {

constexpr std::uint32_t Mask(int width) { return (1U << static_cast<unsigned>(width)) - 1U; }

template <class Record>
constexpr int ByteCount(const PackedField<Record>& field) {
  return (field.Shift + field.Width + 7) / 8;
}

inline std::size_t At(int offset) { return static_cast<std::size_t>(offset); }

}  // namespace packed_field_detail

// Checks every field before writing: on a value that does not fit, the bytes stay as they were and
// the first such field is returned. Otherwise every byte the layout covers is rewritten whole, so
// bits that no field holds become 0.
template <class Record, std::size_t N>
std::optional<UnfitField> PackFields(const std::array<PackedField<Record>, N>& layout, const Record& record,
                                     std::span<std::uint8_t> bytes) {
  using namespace packed_field_detail;
  // The accessors serve both directions; packing only reads through them.
  Record& fields = const_cast<Record&>(record);
  for (const PackedField<Record>& field : layout) {
    const int value = field.Of(fields);
    if (!FitsBits(value, field.Width)) return UnfitField{field.Name, value, field.Width};
  }
  for (const PackedField<Record>& field : layout) {
    for (int i = 0; i < ByteCount(field); ++i) bytes[At(field.ByteOffset + i)] = 0;
  }
  for (const PackedField<Record>& field : layout) {
    const std::uint32_t bits = static_cast<std::uint16_t>(field.Of(fields)) & Mask(field.Width);
    const std::uint32_t unit = bits << static_cast<unsigned>(field.Shift);
    for (int i = 0; i < ByteCount(field); ++i) {
      bytes[At(field.ByteOffset + i)] |= static_cast<std::uint8_t>(unit >> (8U * static_cast<unsigned>(i)));
    }
  }
  return std::nullopt;
}

template <class Record, std::size_t N>
void UnpackFields(const std::array<PackedField<Record>, N>& layout, std::span<const std::uint8_t> bytes,
                  Record& record) {
  using namespace packed_field_detail;
  for (const PackedField<Record>& field : layout) {
    std::uint32_t unit = 0;
    for (int i = 0; i < ByteCount(field); ++i) {
      unit |= static_cast<std::uint32_t>(bytes[At(field.ByteOffset + i)]) << (8U * static_cast<unsigned>(i));
    }
    const auto bits =
        static_cast<std::uint16_t>(unit >> static_cast<unsigned>(field.Shift) & Mask(field.Width));
    field.Of(record) = static_cast<std::int16_t>(bits);
  }
}

}  // namespace hvt
