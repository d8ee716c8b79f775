#pragma once

// Every record lists its fields once, in file order, with HVT_FIELDS. Its file size, its file
// form (integers little-endian, no gaps) and any by-name view derive from that one list.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "model/fixed_text.h"

#define HVT_PARENS ()
#define HVT_EXPAND(...) HVT_EXPAND4(HVT_EXPAND4(HVT_EXPAND4(HVT_EXPAND4(__VA_ARGS__))))
#define HVT_EXPAND4(...) HVT_EXPAND3(HVT_EXPAND3(HVT_EXPAND3(HVT_EXPAND3(__VA_ARGS__))))
#define HVT_EXPAND3(...) HVT_EXPAND2(HVT_EXPAND2(HVT_EXPAND2(HVT_EXPAND2(__VA_ARGS__))))
#define HVT_EXPAND2(...) HVT_EXPAND1(HVT_EXPAND1(HVT_EXPAND1(HVT_EXPAND1(__VA_ARGS__))))
#define HVT_EXPAND1(...) __VA_ARGS__
#define HVT_FOR_EACH(macro, ...) __VA_OPT__(HVT_EXPAND(HVT_FOR_EACH_HELPER(macro, __VA_ARGS__)))
#define HVT_FOR_EACH_HELPER(macro, first, ...) \
  macro(first) __VA_OPT__(HVT_FOR_EACH_AGAIN HVT_PARENS(macro, __VA_ARGS__))
#define HVT_FOR_EACH_AGAIN() HVT_FOR_EACH_HELPER

#define HVT_VISIT_FIELD(name) visit(#name, self.name);

// Declares the record's fields in file order: HVT_FIELDS(ChannelNumber, InUse, ...).
#define HVT_FIELDS(...)                                            \
  template <class Self, class Visitor>                             \
  static constexpr void VisitFields(Self& self, Visitor&& visit) { \
    HVT_FOR_EACH(HVT_VISIT_FIELD, __VA_ARGS__)                     \
  }

namespace hvt {

template <class T>
concept Record = requires(T& record) {
  T::VisitFields(record, [](const char*, auto&) {});
};

template <class T>
struct IsFixedText : std::false_type {};
template <std::size_t N>
struct IsFixedText<FixedText<N>> : std::true_type {};

template <class T>
struct IsStdArray : std::false_type {};
template <class E, std::size_t N>
struct IsStdArray<std::array<E, N>> : std::true_type {};

template <class T>
constexpr std::size_t FileSize();

namespace detail {

template <class T>
constexpr std::size_t RecordFileSize() {
  T record{};
  std::size_t size = 0;
  T::VisitFields(record, [&size](const char*, auto& field) {
    size += FileSize<std::remove_cvref_t<decltype(field)>>();
  });
  return size;
}

}  // namespace detail

// Bytes the value takes in a file.
template <class T>
constexpr std::size_t FileSize() {
  if constexpr (std::is_integral_v<T>) {
    return sizeof(T);
  } else if constexpr (IsFixedText<T>::value) {
    return T::kLength;
  } else if constexpr (IsStdArray<T>::value) {
    return std::tuple_size_v<T> * FileSize<typename T::value_type>();
  } else {
    static_assert(Record<T>, "a file field is an integer, a FixedText, an array or a record");
    return detail::RecordFileSize<T>();
  }
}

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  template <class T>
  void Write(const T& value) {
    if constexpr (std::is_integral_v<T>) {
      auto bits = static_cast<std::make_unsigned_t<T>>(value);
      for (std::size_t i = 0; i < sizeof(T); ++i) {
        out_.push_back(static_cast<std::uint8_t>(bits & 0xFFU));
        bits = static_cast<std::make_unsigned_t<T>>(bits >> 8U);
      }
    } else if constexpr (IsFixedText<T>::value) {
      for (char c : value.Bytes()) out_.push_back(static_cast<std::uint8_t>(c));
    } else if constexpr (IsStdArray<T>::value) {
      for (const auto& element : value) Write(element);
    } else {
      T::VisitFields(value, [this](const char*, const auto& field) { Write(field); });
    }
  }

 private:
  std::vector<std::uint8_t>& out_;
};

// Reads fields from a byte span; the caller checks the span's size against FileSize first.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> in) : in_(in) {}

  template <class T>
  void Read(T& value) {
    if constexpr (std::is_integral_v<T>) {
      std::make_unsigned_t<T> bits = 0;
      for (std::size_t i = 0; i < sizeof(T); ++i) {
        bits = static_cast<std::make_unsigned_t<T>>(
            bits | (static_cast<std::make_unsigned_t<T>>(Next()) << (8U * i)));
      }
      value = static_cast<T>(bits);
    } else if constexpr (IsFixedText<T>::value) {
      for (char& c : value.Bytes()) c = static_cast<char>(Next());
    } else if constexpr (IsStdArray<T>::value) {
      for (auto& element : value) Read(element);
    } else {
      T::VisitFields(value, [this](const char*, auto& field) { Read(field); });
    }
  }

 private:
  std::uint8_t Next() { return position_ < in_.size() ? in_[position_++] : 0; }

  std::span<const std::uint8_t> in_;
  std::size_t position_ = 0;
};

template <class T>
std::vector<std::uint8_t> ToFileBytes(const T& value) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(FileSize<T>());
  ByteWriter(bytes).Write(value);
  return bytes;
}

// False, and nothing changed, unless the bytes are exactly the value's file size.
template <class T>
[[nodiscard]] bool FromFileBytes(std::span<const std::uint8_t> bytes, T& value) {
  if (bytes.size() != FileSize<T>()) return false;
  ByteReader(bytes).Read(value);
  return true;
}

}  // namespace hvt
