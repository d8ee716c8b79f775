// How long the serial port leaves a reply unwatched: long enough that one timer replaces a wake
// per byte, never so long that a reply waits for the program, and soon nothing on a fast line.

#include "qt/reply_pace.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace hvt {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

constexpr std::size_t kReply = 26;  // echo of a block request and its reply
// The wire's own time for a reply at 9600 baud, and the most a hold may add to it.
constexpr nanoseconds kWire = ReplyPace::kByteOnTheWire * static_cast<std::int64_t>(kReply);
constexpr nanoseconds kMost = kWire + ReplyPace::kTurnaround;

struct PaceCase {
  std::string Name;
  std::function<void(ReplyPace&)> History;
  nanoseconds AtLeast;
  nanoseconds AtMost;
};

void WholeTimes(ReplyPace& pace, int times) {
  for (int i = 0; i < times; ++i) {
    static_cast<void>(pace.Hold(kReply));
    pace.WholeAtHoldEnd();
  }
}

TEST(ReplyPaceTest, HoldsAsLongAsRepliesTookButNeverBeyondTheWire) {
  const std::vector<PaceCase> cases = {
      {"nothing learnt yet", [](ReplyPace&) {}, nanoseconds{}, nanoseconds{}},
      {"a paced reply", [](ReplyPace& p) { p.Arrived(kReply, microseconds(27300)); }, microseconds(27250),
       microseconds(27300)},
      {"a radio slower than the wire", [](ReplyPace& p) { p.Arrived(kReply, milliseconds(60)); }, kMost,
       kMost},
      {"a line that answers at once", [](ReplyPace& p) { p.Arrived(kReply, microseconds(300)); },
       nanoseconds{}, nanoseconds{}},
      {"one slow reply among paced ones",
       [](ReplyPace& p) {
         p.Arrived(kReply, microseconds(27300));
         p.Arrived(kReply, milliseconds(40));
       },
       microseconds(27300),
       microseconds(27300) + (milliseconds(40) - microseconds(27300)) / 8 + microseconds(1)},
      {"a faster reply is believed at once",
       [](ReplyPace& p) {
         p.Arrived(kReply, milliseconds(28));
         p.Arrived(kReply, microseconds(27100));
       },
       microseconds(27050), microseconds(27100)},
      {"forgotten",
       [](ReplyPace& p) {
         p.Arrived(kReply, microseconds(27300));
         p.Forget();
       },
       nanoseconds{}, nanoseconds{}},
  };
  for (const PaceCase& c : cases) {
    ReplyPace pace;
    c.History(pace);
    const nanoseconds hold = pace.Hold(kReply);
    EXPECT_GE(hold, c.AtLeast) << c.Name;
    EXPECT_LE(hold, c.AtMost) << c.Name;
  }
}

TEST(ReplyPaceTest, NoHoldForSingleBytes) {
  ReplyPace pace;
  pace.Arrived(kReply, milliseconds(27));
  EXPECT_EQ(pace.Hold(1), nanoseconds{});
  EXPECT_EQ(pace.Hold(0), nanoseconds{});
}

TEST(ReplyPaceTest, RepliesWholeAtTheHoldsEndKeepTheHoldUntilItLooksAgainAWhileLater) {
  ReplyPace pace;
  pace.Arrived(kReply, microseconds(27300));
  const nanoseconds full = pace.Hold(kReply);
  WholeTimes(pace, ReplyPace::kWholeBeforeLooking - 1);
  pace.WholeAtHoldEnd();
  EXPECT_EQ(pace.Hold(kReply), full - full / 16) << "ends early once, to look";
  // Not whole that time: the reply still takes as long, and the hold is back.
  pace.Arrived(kReply, microseconds(27300));
  EXPECT_EQ(pace.Hold(kReply), full);
}

TEST(ReplyPaceTest, ALineThatBecameFastSoonGoesUnheld) {
  ReplyPace pace;
  pace.Arrived(kReply, milliseconds(40));  // one slow reply on a line that answers at once
  int replies = 0;
  while (pace.Hold(kReply) > nanoseconds{} && replies < 100) {
    pace.WholeAtHoldEnd();
    ++replies;
  }
  EXPECT_LE(replies, ReplyPace::kWholeBeforeLooking + 6);
}

}  // namespace
}  // namespace hvt
