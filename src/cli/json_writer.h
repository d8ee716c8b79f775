#pragma once

// Any record as JSON, field by field under the names of its declaration.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "model/gbk_text.h"
#include "model/record.h"

namespace hvt::cli {

class JsonWriter {
 public:
  template <class T>
  void Value(const T& value) {
    if constexpr (std::is_integral_v<T>) {
      text_ += std::to_string(+value);
    } else if constexpr (IsFixedText<T>::value) {
      const std::string_view trimmed = TextTrim(value.Raw());
      String(GbkToUtf8(
          std::span(reinterpret_cast<const std::uint8_t*>(trimmed.data()), trimmed.size())));  // NOLINT
    } else if constexpr (IsStdArray<T>::value) {
      text_ += '[';
      for (std::size_t i = 0; i < value.size(); ++i) {
        if (i > 0) text_ += ',';
        Value(value[i]);
      }
      text_ += ']';
    } else {
      text_ += '{';
      bool first = true;
      T::VisitFields(value, [this, &first](const char* name, const auto& field) {
        if (!first) text_ += ',';
        first = false;
        String(name);
        text_ += ':';
        Value(field);
      });
      text_ += '}';
    }
  }

  void String(std::string_view text);
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

template <class T>
std::string ToJson(const T& record) {
  JsonWriter writer;
  writer.Value(record);
  return writer.Text();
}

}  // namespace hvt::cli
