#include "radio/radio_faults.h"

#include <charconv>
#include <vector>

namespace hvt {

namespace {

constexpr int kMaxReplyNumber = 1'000'000;

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::optional<int> NumberIn(std::string_view text, int min, int max) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (value < min || value > max) return std::nullopt;
  return value;
}

struct FaultArguments {
  int Reply = 0;
  std::optional<int> Extra;
};

// "N" or "N:EXTRA", whether the extra part is allowed or required as told.
std::optional<FaultArguments> ArgumentsOf(std::string_view value, bool extraAllowed, bool extraRequired,
                                          int extraMin, int extraMax) {
  const std::vector<std::string_view> parts = SplitAt(value, ':');
  if (parts.size() > 2 || (parts.size() == 2 && !extraAllowed) || (parts.size() == 1 && extraRequired)) {
    return std::nullopt;
  }
  FaultArguments arguments;
  const auto reply = NumberIn(parts[0], 1, kMaxReplyNumber);
  if (!reply) return std::nullopt;
  arguments.Reply = *reply;
  if (parts.size() == 2) {
    arguments.Extra = NumberIn(parts[1], extraMin, extraMax);
    if (!arguments.Extra) return std::nullopt;
  }
  return arguments;
}

}  // namespace

RadioFaultsParse ParseRadioFaults(std::string_view text) {
  RadioFaults faults;
  if (text.empty()) return {faults, {}};
  for (const std::string_view item : SplitAt(text, ',')) {
    const auto equals = item.find('=');
    const std::string_view name = item.substr(0, equals);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view{} : item.substr(equals + 1);
    const auto bad = [&item](std::string_view expected) {
      return RadioFaultsParse{std::nullopt,
                              "fault '" + std::string(item) + "': expected " + std::string(expected)};
    };
    if (name == "drop" || name == "corrupt" || name == "address") {
      const auto arguments = ArgumentsOf(value, false, false, 0, 0);
      if (!arguments) return bad(std::string(name) + "=N with N a reply number from 1");
      auto& set = name == "drop" ? faults.Drop : name == "corrupt" ? faults.Corrupt : faults.WrongAddress;
      set.insert(arguments->Reply);
    } else if (name == "noise") {
      const auto arguments = ArgumentsOf(value, true, false, 1, 255);
      if (!arguments) return bad("noise=N[:COUNT] with COUNT 1-255");
      faults.Noise[arguments->Reply] = arguments->Extra.value_or(kDefaultNoiseCount);
    } else if (name == "split") {
      const auto arguments = ArgumentsOf(value, true, false, 2, 22);
      if (!arguments) return bad("split=N[:PIECES] with PIECES 2-22");
      faults.Split[arguments->Reply] = arguments->Extra.value_or(kDefaultSplitPieces);
    } else if (name == "delay") {
      const auto arguments = ArgumentsOf(value, true, true, 0, 60'000);
      if (!arguments) return bad("delay=N:MS with MS 0-60000");
      faults.Delay[arguments->Reply] = std::chrono::milliseconds(*arguments->Extra);
    } else if (name == "silent-after") {
      const auto blocks = NumberIn(value, 0, kMaxReplyNumber);
      if (!blocks) return bad("silent-after=N with N block packets from 0");
      faults.SilentAfterBlocks = *blocks;
    } else if (name == "misstore") {
      const bool hex = value.starts_with("0x") || value.starts_with("0X");
      int address = -1;
      const std::string_view digits = hex ? value.substr(2) : value;
      const auto [end, error] =
          std::from_chars(digits.data(), digits.data() + digits.size(), address, hex ? 16 : 10);
      if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() || address < 0 ||
          address > 0xFFF0 || address % 16 != 0) {
        return bad("misstore=ADDRESS with ADDRESS a block address (a multiple of 16, decimal or 0x hex)");
      }
      faults.Misstore.insert(address);
    } else {
      return {std::nullopt,
              "unknown fault '" + std::string(item) +
                  "' (known: drop, corrupt, address, noise, split, delay, silent-after, misstore)"};
    }
  }
  return {faults, {}};
}

}  // namespace hvt
