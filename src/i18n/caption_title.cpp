#include "i18n/caption_title.h"

namespace hvt {

namespace {

bool IsAsciiLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Chinese captions put their accelerator in brackets after the text: "打印预览(&V)".
bool IsBracketedAccelerator(std::string_view rest) {
  return rest.size() >= 4 && rest[0] == '(' && rest[1] == '&' && IsAsciiLetterOrDigit(rest[2]) &&
         rest[3] == ')';
}

bool EndsWith(const std::string& text, std::string_view tail) { return text.ends_with(tail); }

}  // namespace

std::string CaptionAsTitle(std::string_view caption) {
  std::string title;
  title.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (IsBracketedAccelerator(caption.substr(i))) {
      i += 3;
      continue;
    }
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        title += '&';
        ++i;
      }
      continue;
    }
    title += caption[i];
  }
  constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
  for (bool trimmed = true; trimmed && !title.empty();) {
    trimmed = false;
    if (title.back() == '.' || title.back() == ' ') {
      title.pop_back();
      trimmed = true;
    } else if (EndsWith(title, kEllipsis)) {
      title.resize(title.size() - kEllipsis.size());
      trimmed = true;
    }
  }
  return title;
}

}  // namespace hvt
