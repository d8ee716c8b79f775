#pragma once

// What can go wrong on the line, so the program's error paths can be exercised on purpose.
// Replies are numbered from 1 in the order the radio gives them, the numbers its log shows; a
// fault names the reply it hits. Written as a comma-separated list, for example
// "drop=1,corrupt=5,split=2:3,silent-after=40,misstore=0x0040".

#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace hvt {

struct RadioFaults {
  std::set<int> Drop;          // drop=N: the reply is lost; the echo still comes
  std::set<int> Corrupt;       // corrupt=N: a block reply's checksum, any other reply's final ACK, is wrong
  std::set<int> WrongAddress;  // address=N: a block reply names the following block (checksum to match)
  std::map<int, int> Noise;    // noise=N[:COUNT]: COUNT bytes of garbage (4) between echo and reply
  std::map<int, int> Split;    // split=N[:PIECES]: the reply comes in PIECES (2), 10 ms apart
  std::map<int, std::chrono::milliseconds> Delay;  // delay=N:MS: the reply starts MS late
  // silent-after=N: once N block packets have been answered the radio answers nothing more
  // (the cable still echoes); 0 makes a radio that never answers.
  std::optional<int> SilentAfterBlocks;
  // misstore=ADDRESS: the memory cell is faulty; a block written at ADDRESS (decimal or 0x hex) is
  // acknowledged but kept with its first byte inverted.
  std::set<int> Misstore;

  bool operator==(const RadioFaults&) const = default;
};

inline constexpr std::chrono::milliseconds kSplitGap{10};
inline constexpr int kDefaultNoiseCount = 4;
inline constexpr int kDefaultSplitPieces = 2;

struct RadioFaultsParse {
  std::optional<RadioFaults> Faults;
  std::string Error;  // what is wrong with the text when there are no faults
};

// An empty text means no faults.
RadioFaultsParse ParseRadioFaults(std::string_view text);

}  // namespace hvt
