#include "radio/radio_faults.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

using namespace std::chrono_literals;

TEST(RadioFaults, ParsesACommaSeparatedList) {
  const RadioFaultsParse parse = ParseRadioFaults(
      "drop=1,drop=4,corrupt=5,address=6,noise=7,noise=8:3,split=9,split=10:5,delay=11:400,"
      "silent-after=40,misstore=0x0040,misstore=12800");
  ASSERT_TRUE(parse.Faults) << parse.Error;
  RadioFaults expected;
  expected.Drop = {1, 4};
  expected.Corrupt = {5};
  expected.WrongAddress = {6};
  expected.Noise = {{7, 4}, {8, 3}};
  expected.Split = {{9, 2}, {10, 5}};
  expected.Delay = {{11, 400ms}};
  expected.SilentAfterBlocks = 40;
  expected.Misstore = {0x40, 12800};
  EXPECT_EQ(*parse.Faults, expected);
  EXPECT_EQ(ParseRadioFaults("").Faults, RadioFaults{});
}

TEST(RadioFaults, RejectsWhatItCannotMeanAndSaysWhy) {
  const struct {
    const char* Text;
    const char* Message;
  } cases[] = {
      {"drop", "drop=N"},
      {"drop=0", "drop=N"},  // replies count from 1
      {"drop=2:1", "drop=N"},
      {"corrupt=x", "corrupt=N"},
      {"noise=3:0", "COUNT 1-255"},
      {"split=3:1", "PIECES 2-22"},
      {"delay=3", "delay=N:MS"},
      {"silent-after=-1", "silent-after=N"},
      {"misstore=0x41", "a multiple of 16"},
      {"misstore=0x", "misstore=ADDRESS"},
      {"misstore=70000", "misstore=ADDRESS"},
      {"drop=1,", "unknown fault ''"},
      {"shout=1", "unknown fault 'shout=1'"},
  };
  for (const auto& c : cases) {
    const RadioFaultsParse parse = ParseRadioFaults(c.Text);
    EXPECT_FALSE(parse.Faults) << c.Text;
    EXPECT_NE(parse.Error.find(c.Message), std::string::npos) << c.Text << ": " << parse.Error;
  }
}

}  // namespace
}  // namespace hvt
