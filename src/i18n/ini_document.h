#pragma once

// Private-profile files: "[section]" lines and "key=value" entries. Section and key names match
// without regard to case, values are trimmed, the first matching entry wins, and a missing
// section or key reads as empty. Writing keeps every other line as it was.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hvt {

class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string Value(std::string_view section, std::string_view key) const {
    return Find(section, key).value_or(std::string{});
  }

  // Replaces the first matching entry, or adds the entry (and its section) at the end.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // The text as parsed, with the changes; a byte-order mark the text began with stays.
  std::string ToText() const;

  // Every entry of a section, in file order, duplicates included.
  std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;

 private:
  struct Line {
    std::string Text;
    std::string Section;  // of a header line, or the section an entry belongs to
    std::string Key;      // empty for headers, comments and blank lines
    std::string Value;
    bool IsHeader = false;
  };

  std::vector<Line> lines_;
  bool byteOrderMark_ = false;
};

}  // namespace hvt
