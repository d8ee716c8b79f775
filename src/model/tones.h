#pragma once

// CTCSS tones and DCS codes as channels store and show them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace hvt {

inline constexpr int kStandardCtcssCount = 51;
inline constexpr int kCustomCtcssIndex = 51;  // "Define": the tone is the channel's CustomCtcss

inline constexpr std::array<std::string_view, kStandardCtcssCount> kCtcssTones = {
    "62.5",  "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3", "131.8",
    "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9", "171.3", "173.8",
    "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5", "203.5", "206.5", "210.7",
    "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

// A stored index outside 0..51 reads as 0.
int CtcssIndex(int stored);

// Tenths of hertz as "#0.0": 2511 is "251.1".
std::string CustomCtcssText(int tenths);

// The tone a channel uses for a stored index, with the user-defined tone for index 51.
std::string CtcssText(int stored, int customTenths);

inline constexpr int kDcsCodeMask = 0x1FF;
inline constexpr int kDcsInvertedBit = 0x200;
inline constexpr int kDcsValueCount = 512;

// A stored value above 1023 (or below 0) reads as 0.
int DcsValue(int stored);

// The three octal digits of the code: 19 is "023"; list position equals the value.
std::string DcsCodeText(int code);

// "D023N" or "D754I".
std::string DcsText(int stored);

}  // namespace hvt
