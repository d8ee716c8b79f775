#include "i18n/ini_document.h"

#include <algorithm>

namespace hvt {

namespace {

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  document.byteOrderMark_ = text.starts_with(kByteOrderMark);
  if (document.byteOrderMark_) text.remove_prefix(kByteOrderMark.size());
  std::string section;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view raw = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    Line line{.Text = std::string(raw.ends_with('\r') ? raw.substr(0, raw.size() - 1) : raw)};
    const std::string_view trimmed = Trim(raw);
    if (trimmed.starts_with('[') && trimmed.find(']') != std::string_view::npos) {
      section = Trim(trimmed.substr(1, trimmed.find(']') - 1));
      line.IsHeader = true;
    } else if (const auto equals = trimmed.find('=');
               equals != std::string_view::npos && !trimmed.starts_with(';')) {
      line.Key = Trim(trimmed.substr(0, equals));
      line.Value = Trim(trimmed.substr(equals + 1));
    }
    line.Section = section;
    document.lines_.push_back(std::move(line));
  }
  return document;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  for (const Line& line : lines_) {
    if (!line.IsHeader && !line.Key.empty() && SameName(line.Section, section) && SameName(line.Key, key)) {
      return line.Value;
    }
  }
  return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> IniDocument::Entries(std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const Line& line : lines_) {
    if (!line.IsHeader && !line.Key.empty() && SameName(line.Section, section)) {
      entries.emplace_back(line.Key, line.Value);
    }
  }
  return entries;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string text = std::string(key) + "=" + std::string(value);
  auto lastOfSection = lines_.end();
  for (auto it = lines_.begin(); it != lines_.end(); ++it) {
    if (!SameName(it->Section, section)) continue;
    if (!it->IsHeader && !it->Key.empty() && SameName(it->Key, key)) {
      it->Text = text;
      it->Value = std::string(value);
      return;
    }
    if (it->IsHeader || !Trim(it->Text).empty()) lastOfSection = it;
  }
  Line entry{
      .Text = text, .Section = std::string(section), .Key = std::string(key), .Value = std::string(value)};
  if (lastOfSection != lines_.end()) {
    lines_.insert(lastOfSection + 1, std::move(entry));
    return;
  }
  lines_.push_back(
      {.Text = "[" + std::string(section) + "]", .Section = std::string(section), .IsHeader = true});
  lines_.push_back(std::move(entry));
}

std::string IniDocument::ToText() const {
  // Without its mark the text would parse differently: a second mark would then be taken for the
  // first and stripped, turning the line behind it into a section header.
  std::string text(byteOrderMark_ ? kByteOrderMark : std::string_view());
  for (const Line& line : lines_) text += line.Text + "\n";
  return text;
}

}  // namespace hvt
