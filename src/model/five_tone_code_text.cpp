#include "model/five_tone_code_text.h"

#include <algorithm>
#include <cstdint>

namespace hvt {

namespace {

constexpr std::string_view kSelfId = "SelfID";
constexpr std::size_t kOwnIdLength = 5;
constexpr std::size_t kAniCodeLength = 11;  // called ID, separator, own ID

template <class CopiedAsIs>
std::string InsertRepeats(std::string_view text, CopiedAsIs copiedAsIs) {
  std::string result;
  if (text.empty()) return result;
  result += text.front();
  for (std::size_t position = 2; position <= text.size(); ++position) {
    const char c = text[position - 1];
    if (copiedAsIs(position) || c != result.back()) {
      result += c;
    } else {
      result += 'E';
    }
  }
  return result;
}

}  // namespace

std::string InsertRepeatTones(std::string_view text) {
  const bool dataMessage = text.starts_with("E1");
  return InsertRepeats(text, [dataMessage](std::size_t position) { return dataMessage && position > 8; });
}

std::string InsertRepeatTonesForId(std::string_view text) {
  return InsertRepeats(text, [](std::size_t position) { return position == 6 || position == 7; });
}

bool CarriesOwnId(std::string_view code, std::string_view ownId) {
  if (ownId != kSelfId && ownId.size() != kOwnIdLength) return false;
  if (code.size() == kAniCodeLength + 1 && code.ends_with(kSelfId)) return true;
  if (code.size() != kAniCodeLength) return false;
  const std::string_view tail = code.substr(kAniCodeLength - kOwnIdLength);
  return tail == ownId || tail == InsertRepeatTones(ownId);
}

std::string PrepareFiveToneCode(std::string_view code, std::string_view ownId) {
  return CarriesOwnId(code, ownId) ? InsertRepeatTonesForId(code) : InsertRepeatTones(code);
}

std::string Mid5ToneNoE(std::string_view text, int start, int length) {
  const auto size = static_cast<std::int64_t>(text.size());
  const std::int64_t first = std::max<std::int64_t>(start, 1);
  const std::int64_t last = std::min<std::int64_t>(std::int64_t{start} + length - 1, size);
  std::string result;
  for (std::int64_t position = first; position <= last; ++position) {
    const auto index = static_cast<std::size_t>(position - 1);
    const char c = text[index];
    result += c == 'E' && index > 0 ? text[index - 1] : c;
  }
  return result;
}

}  // namespace hvt
