// A write that reads its blocks back: the same blocks in the same order, each compared with what
// was sent, and a radio that kept some of them wrongly named block by block.

#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/radio_link_fixture.h"

namespace hvt::e2e {
namespace {

constexpr std::string_view kVerifyBox = "&Verify after writing (read every written block back)";
constexpr std::string_view kVerified =
    "Data written to the radio successfully. Every block read back matches what was written.";

RadioFaults Faults(const char* text) {
  const RadioFaultsParse parse = ParseRadioFaults(text);
  EXPECT_TRUE(parse.Faults.has_value()) << text << ": " << parse.Error;
  return parse.Faults.value_or(RadioFaults{});
}

// The packets after the last block write: the read-back of every block written, then END.
std::vector<std::string> AfterTheLastWrite(const std::vector<std::string>& names) {
  const auto lastWrite = std::find_if(names.rbegin(), names.rend(),
                                      [](const std::string& name) { return name.starts_with("W "); });
  return {lastWrite.base(), names.end()};
}

std::vector<std::string> ReadsOf(const std::vector<int>& writtenBlocks) {
  std::vector<std::string> names;
  for (const int address : writtenBlocks) {
    names.push_back("R " + ByteToHex(static_cast<std::uint8_t>(address >> 8)) +
                    ByteToHex(static_cast<std::uint8_t>(address)));
  }
  names.push_back("END");
  return names;
}

TEST(RadioVerify, EveryWrittenBlockIsReadBackInTheSameOrderBeforeTheEnd) {
  for (const bool withTestData : {false, true}) {
    Configuration configuration = TwoHundredChannels();
    RadioLink link;
    link.VerifyWrites = true;
    ASSERT_TRUE(link.Write(configuration, withTestData ? std::optional(TestDataArea{}) : std::nullopt));

    ASSERT_TRUE(link.Last().Success) << withTestData;
    EXPECT_TRUE(link.Last().Verified);
    EXPECT_TRUE(link.Last().Data.DifferingBlocks.empty());
    EXPECT_EQ(link.Prompter.Texts(), Strings({kWriteConfirmation, kVerified}));
    EXPECT_EQ(link.Prompter.Messages.front().CheckBox, kVerifyBox);
    EXPECT_EQ(AfterTheLastWrite(Names(link.Packets())), ReadsOf(link.BlockAddresses('W'))) << withTestData;
    EXPECT_TRUE(std::ranges::is_sorted(link.Result.Progress));
    EXPECT_EQ(link.Result.Progress.back(), 100);
    EXPECT_LT(std::ranges::count(link.Result.Progress, 50), 2) << "each percent shown once";
  }
}

TEST(RadioVerify, TheCheckBoxDecidesAndAnUncheckedWriteReadsNothingBack) {
  struct Case {
    bool Initially;
    std::optional<bool> UserTicks;
    bool Verified;
  };
  const Case cases[] = {{false, std::nullopt, false}, {false, true, true}, {true, false, false}};
  for (const Case& c : cases) {
    Configuration configuration = TwoHundredChannels();
    RadioLink link;
    link.VerifyWrites = c.Initially;
    link.Prompter.CheckBoxChoice = c.UserTicks;
    ASSERT_TRUE(link.Write(configuration));
    EXPECT_EQ(link.Last().Verified, c.Verified);
    EXPECT_EQ(link.BlockAddresses('R').size(), c.Verified ? link.BlockAddresses('W').size() + 1 : 1U)
        << "the password block, then one read per block written";
  }
}

TEST(RadioVerify, BlocksTheRadioKeptWronglyFailTheWriteAndAreNamed) {
  struct Case {
    const char* Faults;
    std::vector<std::int32_t> Differing;
    std::string Message;
  };
  const Case cases[] = {
      {"misstore=0x0020,misstore=0x3220,misstore=0x1B00",
       {0x0020, 0x1B00, 0x3220},
       "Writing data to the radio failed: reading back found blocks that differ from what was written (3):\n"
       "0x0020  channel 2\n0x1B00  5-Tone\n0x3220  Function Settings"},
      {"misstore=0x1900",
       {0x1900},
       "Writing data to the radio failed: reading back found blocks that differ from what was "
       "written (1):\n0x1900  VFO1"},
  };
  for (const Case& c : cases) {
    Configuration configuration = TwoHundredChannels();
    RadioLink link({.Faults = Faults(c.Faults)});
    link.VerifyWrites = true;
    ASSERT_TRUE(link.Write(configuration));

    EXPECT_FALSE(link.Last().Success) << c.Faults;
    EXPECT_FALSE(link.Last().Cancelled);
    EXPECT_EQ(link.Last().Data.DifferingBlocks, c.Differing) << c.Faults;
    EXPECT_EQ(link.Prompter.Texts(), Strings({kWriteConfirmation, c.Message})) << c.Faults;
    EXPECT_EQ(Names(link.Packets()).back(), "END") << "the radio still leaves programming mode";
  }
}

TEST(RadioVerify, RetryDuringTheReadBackResumesItWithoutWritingAgain) {
  Configuration configuration = TwoHundredChannels();
  RadioLink link;
  link.VerifyWrites = true;
  ASSERT_TRUE(link.Write(configuration));  // the undisturbed conversation, to compare with
  const std::size_t blocks = link.BlockAddresses('W').size();

  // Silent once every block was written and 100 were read back; the user switches it on again.
  RadioLink faulty({.Faults = Faults(("silent-after=" + std::to_string(blocks + 100)).c_str())});
  faulty.VerifyWrites = true;
  faulty.Prompter.Answers = {PromptAnswer::Ok, PromptAnswer::Retry};
  faulty.Prompter.DuringRetryQuestion = [&] { faulty.Radio.SetFaults({}); };
  ASSERT_TRUE(faulty.Write(configuration));

  ASSERT_TRUE(faulty.Last().Success);
  EXPECT_EQ(faulty.Prompter.Texts(), Strings({kWriteConfirmation, kNotAnswering, kVerified}));
  EXPECT_EQ(faulty.BlockAddresses('W'), link.BlockAddresses('W')) << "no block written twice";
  std::vector<int> readBack = faulty.BlockAddresses('R');
  std::erase(readBack, 0x3B10);  // the password block, read at each handshake
  readBack.erase(std::unique(readBack.begin(), readBack.end()), readBack.end());  // the resends
  EXPECT_EQ(readBack, link.BlockAddresses('W')) << "every block read back once, none skipped";
}

}  // namespace
}  // namespace hvt::e2e
