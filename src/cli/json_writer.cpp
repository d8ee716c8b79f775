#include "cli/json_writer.h"

#include <cstdio>

namespace hvt::cli {

void JsonWriter::String(std::string_view text) {
  text_ += '"';
  for (char c : text) {
    switch (c) {
      case '"':
        text_ += "\\\"";
        break;
      case '\\':
        text_ += "\\\\";
        break;
      case '\n':
        text_ += "\\n";
        break;
      case '\r':
        text_ += "\\r";
        break;
      case '\t':
        text_ += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          text_ += escaped;
        } else {
          text_ += c;
        }
    }
  }
  text_ += '"';
}

}  // namespace hvt::cli
