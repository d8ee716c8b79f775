#pragma once

// Prints records field by field in test failures instead of as raw bytes.

#include <ostream>
#include <type_traits>

#include "model/record.h"

namespace hvt {

template <class T>
void PrintFieldTo(const T& field, std::ostream* os) {
  if constexpr (std::is_integral_v<T>) {
    *os << +field;
  } else if constexpr (IsFixedText<T>::value) {
    *os << '"';
    for (char c : field.Raw()) {
      if (c == '\0') {
        *os << "\\0";
      } else {
        *os << c;
      }
    }
    *os << '"';
  } else if constexpr (IsStdArray<T>::value) {
    *os << '[';
    for (const auto& element : field) {
      PrintFieldTo(element, os);
      *os << ' ';
    }
    *os << ']';
  } else {
    *os << '{';
    T::VisitFields(field, [os](const char* name, const auto& value) {
      *os << name << '=';
      PrintFieldTo(value, os);
      *os << ' ';
    });
    *os << '}';
  }
}

template <Record T>
void PrintTo(const T& record, std::ostream* os) {
  PrintFieldTo(record, os);
}

}  // namespace hvt
