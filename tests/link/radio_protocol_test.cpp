#include "link/radio_protocol.h"

#include <gtest/gtest.h>

#include <set>

#include "link/link_fakes.h"
#include "link/radio_operation.h"
#include "support/channel_tables.h"
#include "support/sequences.h"

namespace hvt {
namespace {

using namespace std::chrono_literals;
using link_test::Bytes;
using link_test::KeyText;
using link_test::LinkHarness;

constexpr const char* kReadConfirmation = "Read data from radio.\r\nDo you wish continue?";
constexpr const char* kWriteConfirmation = "Write data to radio.\r\nDo you wish continue?";

// Every image block a plan moves, in ascending order, worked out from what is skipped.
std::vector<int> ImageBlocks(const std::set<int>& channels, bool withBitmaps) {
  std::vector<int> blocks;
  for (int address = 0; address <= 12944; address += 16) {
    if (address >= 12528 && address <= 12799) continue;
    if (address < 6400 && !channels.contains(address / 32 + 1)) continue;
    if (!withBitmaps && address >= 6464 && address < 6528) continue;
    blocks.push_back(address);
  }
  return blocks;
}

const std::vector<int> kBitmapBlocks = {6464, 6480, 6496, 6512};
const std::vector<int> kTestDataBlocks = {0x3F80, 0x3F90, 0x3FA0, 0x3FB0};

// A radio whose memory is a counting pattern, with channels 1, 2 and 200 in use.
void FillRadio(link_test::TestRadio& radio) {
  for (std::size_t i = 0; i < radio.Memory.size(); ++i)
    radio.Memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
  std::fill(radio.Memory.begin() + 6464, radio.Memory.begin() + 6496, 0x00);
  radio.Memory[6464] = 0x03;  // channels 1 and 2
  radio.Memory[6488] = 0x80;  // channel 200
  radio.SetPassword({0xFF, 0xFF, 0xFF, 0xFF});
}

const std::set<int> kRadioChannels = {1, 2, 200};

bool StartRead(LinkHarness& h, bool withTestData = false) {
  h.Prompter.Answers.push_back(PromptAnswer::Ok);
  const bool started = h.Link.StartRead(withTestData);
  h.Pump();
  return started;
}

// Fills the image with a pattern of its own, unlike the radio's.
std::optional<EncodeFailure> PatternEncoder(RadioImage& image) {
  for (std::size_t i = 0; i < RadioImage::kSize; ++i) image[i] = static_cast<std::uint8_t>(i * 13 + 1);
  return std::nullopt;
}

bool StartWrite(LinkHarness& h, const ChannelTable& channels,
                std::optional<TestDataArea> testData = std::nullopt, BandVariant band = BandVariant::Full) {
  h.Prompter.Answers.push_back(PromptAnswer::Ok);
  const bool started =
      h.Link.StartWrite({.Encode = PatternEncoder, .Channels = channels, .Band = band, .TestData = testData});
  h.Pump();
  return started;
}

TEST(RadioProtocolRead, BitmapsFirstThenOnlyTheSlotsInUseAndNeverTheGap) {
  LinkHarness h;
  FillRadio(h.Radio);
  ASSERT_TRUE(StartRead(h));

  // The password block, the serial number's block, then the plan.
  EXPECT_EQ(h.Radio.Reads, Join({{0x3B10, 0x3B20}, kBitmapBlocks, ImageBlocks(kRadioChannels, false)}));
  ASSERT_EQ(h.Port.Written.size(), 3 + h.Radio.Reads.size());
  EXPECT_EQ(h.Port.Written[0], Ascii("PROGRAM"));
  EXPECT_EQ(h.Port.Written[1], Bytes{0x02});
  EXPECT_EQ(h.Port.Written[2], (Bytes{'R', 0x3B, 0x10, 0x10}));
  EXPECT_EQ(h.Port.Written[3], (Bytes{'R', 0x3B, 0x20, 0x10}));
  EXPECT_EQ(h.Port.Written[4], (Bytes{'R', 0x19, 0x40, 0x10}));
  EXPECT_EQ(h.Port.Written.back(), Ascii("END"));

  ASSERT_EQ(h.Observer.Finished.size(), 1U);
  const OperationResult& result = h.Result();
  EXPECT_TRUE(result.Success);
  for (int address = 0; address < 12960; address += 16) {
    const bool moved = std::ranges::find(h.Radio.Reads, address) != h.Radio.Reads.end();
    const Bytes expected = moved ? h.Radio.Region(address, 16) : Bytes(16, 0x00);
    EXPECT_EQ(link_test::Bytes(result.Data.Image.Region(static_cast<std::size_t>(address), 16).begin(),
                               result.Data.Image.Region(static_cast<std::size_t>(address), 16).end()),
              expected)
        << "block " << address;
  }
  EXPECT_EQ(Bytes(result.Data.Information.begin() + 0x20, result.Data.Information.begin() + 0x30),
            h.Radio.Region(0x3B20, 16))
      << "the serial number's block, for naming the backup";
  EXPECT_EQ(h.Prompter.Texts(), (std::vector<std::string>{kReadConfirmation, KeyText(2004)}));
  EXPECT_FALSE(h.Port.IsOpen());
}

TEST(RadioProtocolWrite, SendsEveryPlannedBlockWithBitmapsButNotTheGap) {
  LinkHarness h;
  const ChannelTable channels = NumberedChannels(kRadioChannels);
  ASSERT_TRUE(StartWrite(h, channels));

  EXPECT_EQ(h.Radio.Writes, ImageBlocks(kRadioChannels, true));
  EXPECT_EQ(h.Radio.Reads, std::vector<int>{0x3B10});
  // Block 0 of the pattern: bytes 1, 14, 27, ... and their checksum.
  Bytes first{'W', 0x00, 0x00, 0x10};
  for (int i = 0; i < 16; ++i) first.push_back(static_cast<std::uint8_t>(i * 13 + 1));
  first.push_back(link_test::Sum(first, 1, 19));
  first.push_back(0x06);
  EXPECT_EQ(h.Port.Written[3], first);
  EXPECT_EQ(h.Port.Written.back(), Ascii("END"));
  for (const int address : h.Radio.Writes) {
    EXPECT_EQ(h.Radio.Region(address, 16),
              Bytes(h.Result().Data.Image.Region(static_cast<std::size_t>(address), 16).begin(),
                    h.Result().Data.Image.Region(static_cast<std::size_t>(address), 16).end()));
  }
  EXPECT_TRUE(h.Result().Success);
  EXPECT_EQ(h.Prompter.Texts(), (std::vector<std::string>{kWriteConfirmation, KeyText(2005)}));
}

TEST(RadioProtocolTestData, FollowsTheImageWhenSwitchedOn) {
  {
    LinkHarness h;
    FillRadio(h.Radio);
    ASSERT_TRUE(StartRead(h, true));
    EXPECT_EQ(h.Radio.Reads,
              Join({{0x3B10, 0x3B20}, kBitmapBlocks, ImageBlocks(kRadioChannels, false), kTestDataBlocks}));
    EXPECT_EQ(h.Port.Written.back(), Ascii("END"));
    const TestDataArea& area = h.Result().Data.TestData;
    EXPECT_EQ(Bytes(area.begin(), area.end()), h.Radio.Region(0x3F80, 64));
  }
  {
    LinkHarness h;
    TestDataArea area{};
    for (std::size_t i = 0; i < area.size(); ++i) area[i] = static_cast<std::uint8_t>(0xC0 + i);
    ASSERT_TRUE(StartWrite(h, NumberedChannels(kRadioChannels), area));
    EXPECT_EQ(h.Radio.Writes, Join({ImageBlocks(kRadioChannels, true), kTestDataBlocks}));
    EXPECT_EQ(h.Radio.Region(0x3F80, 64), Bytes(area.begin(), area.end()));
    EXPECT_TRUE(h.Result().Success);
  }
}

TEST(RadioProtocolInformation, ReadsSixteenBlocksWithoutPasswordConfirmationOrProgress) {
  LinkHarness h;
  FillRadio(h.Radio);
  h.Radio.SetPassword(Ascii("1234"));  // the information read never asks for it
  ASSERT_TRUE(h.Link.StartInformationRead());
  h.Pump();

  std::vector<int> blocks;
  for (int address = 0x3B00; address <= 0x3BF0; address += 16) blocks.push_back(address);
  EXPECT_EQ(h.Radio.Reads, blocks);
  EXPECT_EQ(h.Port.Written.at(2), (Bytes{'R', 0x3B, 0x00, 0x10}));
  const InformationBlock& information = h.Result().Data.Information;
  EXPECT_EQ(Bytes(information.begin(), information.end()), h.Radio.Region(0x3B00, 256));
  EXPECT_TRUE(h.Result().Success);
  EXPECT_TRUE(h.Prompter.Messages.empty());
  EXPECT_TRUE(h.Observer.Progress.empty());
}

TEST(RadioProtocolHandshake, RecognisedAfterTheEchoEvenInPieces) {
  struct Case {
    const char* What;
    std::vector<std::string> Pieces;
    bool Recognised;
  };
  const Case cases[] = {
      {"echo and reply at once", {"PROGRAMQX\x06"}, true},
      {"in pieces", {"PROGRA", "MQ", "X\x06"}, true},
      {"after line noise", {"\xEE\xEE", "PROGRAMQX\x06"}, true},
      {"bare acknowledgement after the echo", {std::string("PROGRAM\x06")}, true},
      {"wrong reply", {"PROGRAMQY\x06"}, false},
      {"reply without the echo", {"QX\x06"}, false},
  };
  for (const Case& c : cases) {
    LinkHarness h;
    h.Prompter.Answers.push_back(PromptAnswer::Ok);
    ASSERT_TRUE(h.Link.StartRead(false));
    for (const std::string& piece : c.Pieces) h.Port.Receive(Ascii(piece));

    const std::vector<Bytes> expected =
        c.Recognised ? std::vector{Ascii("PROGRAM"), Bytes{0x02}} : std::vector<Bytes>{Ascii("PROGRAM")};
    EXPECT_EQ(h.Port.Written, expected) << c.What;
    EXPECT_EQ(h.Port.Threshold(), c.Recognised ? 17U : 1U) << c.What;
  }
}

TEST(RadioProtocolIdentity, RefusedRadioGetsItsMessagesAndNothingMore) {
  const std::string model = "Model type is wrong. Overwrite?";
  const std::string version = "Version is wrong.";
  // "Band Error!" and then both bands, the radio's first.
  const std::string restricted =
      "Band 1 (UHF{Rx(400 - 490 MHz) Tx(420 - 450 MHz)} VHF{Rx(136 - 174 MHz) Tx(144 - 148 MHz)})";
  const std::string full =
      "Band 2 (UHF{Rx(400 - 490 MHz) Tx(400 - 490 MHz)} VHF{Rx(136 - 174 MHz) Tx(136 - 174 MHz)})";
  const auto band = [](const std::string& radio, const std::string& configuration) {
    return "Band Error!\nradio " + radio + ", configuration " + configuration;
  };
  struct Case {
    const char* What;
    OperationKind Kind;
    std::string Model;
    Bytes Version;
    std::uint8_t RadioBand;
    BandVariant ConfigurationBand;
    std::vector<std::string> Problems;  // empty: accepted
  };
  const Case cases[] = {
      {"other model", OperationKind::Read, "HVT7200", Ascii("V100"), 1, BandVariant::Full, {model}},
      {"model ends at the first NUL",
       OperationKind::Read,
       std::string("HVT73\0"
                   "00",
                   7),
       Ascii("V100"),
       1,
       BandVariant::Full,
       {model}},
      {"NUL inside the version is skipped",
       OperationKind::Read,
       "HVT7300",
       {'V', '1', 0x00, '0'},
       1,
       BandVariant::Full,
       {version}},
      {"0xFF inside the version is skipped",
       OperationKind::Read,
       "HVT7300",
       {'V', 0xFF, '1', '0'},
       1,
       BandVariant::Full,
       {version}},
      {"a read takes any band", OperationKind::Read, "HVT7300", Ascii("V100"), 0, BandVariant::Full, {}},
      {"write to a radio of another band",
       OperationKind::Write,
       "HVT7300",
       Ascii("V100"),
       1,
       BandVariant::Restricted,
       {band(full, restricted)}},
      {"write to a radio of a band this program does not know",
       OperationKind::Write,
       "HVT7300",
       Ascii("V100"),
       2,
       BandVariant::Full,
       {band("Band 3", full)}},
      {"model and band both wrong",
       OperationKind::Write,
       "XYZ",
       Ascii("V100"),
       0,
       BandVariant::Full,
       {model, band(restricted, full)}},
      {"version only, the model being wrong",
       OperationKind::Read,
       "XYZ",
       Ascii("V200"),
       1,
       BandVariant::Full,
       {model}},
  };
  for (const Case& c : cases) {
    LinkHarness h;
    FillRadio(h.Radio);
    h.Radio.Model = c.Model;
    h.Radio.Version = c.Version;
    h.Radio.Band = c.RadioBand;
    const bool write = c.Kind == OperationKind::Write;
    const ChannelTable channels = NumberedChannels(kRadioChannels);
    ASSERT_TRUE(write ? StartWrite(h, channels, std::nullopt, c.ConfigurationBand) : StartRead(h)) << c.What;

    ASSERT_EQ(h.Observer.Finished.size(), 1U) << c.What;
    ASSERT_TRUE(h.Result().Data.Identity.has_value()) << c.What;
    EXPECT_EQ(h.Result().Data.Identity->BandByte, c.RadioBand) << c.What;
    if (c.Problems.empty()) {
      EXPECT_TRUE(h.Result().Success) << c.What;
      continue;
    }
    std::vector<std::string> expected{write ? kWriteConfirmation : kReadConfirmation};
    expected.insert(expected.end(), c.Problems.begin(), c.Problems.end());
    expected.push_back(KeyText(write ? 2007 : 2006));
    EXPECT_EQ(h.Prompter.Texts(), expected) << c.What;
    EXPECT_EQ(h.Port.Written, (std::vector{Ascii("PROGRAM"), Bytes{0x02}})) << c.What;
    EXPECT_FALSE(h.Result().Success) << c.What;
    EXPECT_FALSE(h.Port.IsOpen()) << c.What;
  }
}

TEST(RadioProtocolIdentity, ReportsWhatTheRadioSays) {
  LinkHarness h;
  FillRadio(h.Radio);
  h.Radio.Band = 0;
  ASSERT_TRUE(StartRead(h));
  ASSERT_TRUE(h.Result().Data.Identity.has_value());
  EXPECT_EQ(*h.Result().Data.Identity, (RadioIdentity{"HVT7300", "V100", 0}));
  EXPECT_EQ(h.Result().Data.Identity->Band(), BandVariant::Restricted);
}

TEST(RadioProtocolPassword, AskedOnlyWhenTheRadioHasOneNotYetKnown) {
  const std::string dialog(kPasswordDialog);
  struct Case {
    const char* What;
    Bytes RadioPassword;
    std::deque<std::optional<std::string>> Entries;
    bool Success;
    std::vector<std::string> Messages;
    int Handshakes;
  };
  const Case cases[] = {
      {"no password", {0xFF, 0xFF, 0xFF, 0xFF}, {}, true, {kReadConfirmation, KeyText(2004)}, 1},
      {"right entry restarts the conversation",
       {'1', '2', 0x00, 0x00},
       {"12 "},
       true,
       {kReadConfirmation, dialog, KeyText(2004)},
       2},
      {"wrong entry says so",
       {'1', '2', 0x00, 0x00},
       {"13"},
       false,
       {kReadConfirmation, dialog, KeyText(2006) + "\n" + KeyText(2010)},
       1},
      {"dialog cancelled",
       {'1', '2', 0x00, 0x00},
       {std::nullopt},
       false,
       {kReadConfirmation, dialog, KeyText(2006)},
       1},
  };
  for (const Case& c : cases) {
    LinkHarness h;
    FillRadio(h.Radio);
    h.Radio.SetPassword(c.RadioPassword);
    h.Prompter.Passwords = c.Entries;
    ASSERT_TRUE(StartRead(h)) << c.What;

    EXPECT_EQ(h.Result().Success, c.Success) << c.What;
    EXPECT_EQ(h.Prompter.Texts(), c.Messages) << c.What;
    EXPECT_EQ(std::ranges::count(h.Port.Written, Ascii("PROGRAM")), c.Handshakes) << c.What;
    if (!c.Success) {
      EXPECT_EQ(h.Radio.Reads, std::vector<int>{0x3B10}) << c.What;
    }
  }
}

TEST(RadioProtocolPassword, RememberedForTheNextOperation) {
  LinkHarness h;
  FillRadio(h.Radio);
  h.Radio.SetPassword(Ascii("ab"));
  h.Prompter.Passwords = {"ab"};
  ASSERT_TRUE(StartRead(h));
  ASSERT_TRUE(StartWrite(h, NumberedChannels(kRadioChannels)));

  EXPECT_EQ(std::ranges::count(h.Prompter.Texts(), std::string(kPasswordDialog)), 1);
  ASSERT_EQ(h.Observer.Finished.size(), 2U);
  EXPECT_TRUE(h.Observer.Finished[0].Success);
  EXPECT_TRUE(h.Observer.Finished[1].Success);
}

TEST(RadioProtocolTimeOut, ThreeUnansweredHandshakesThenRetryOrCancel) {
  struct Case {
    PromptAnswer Answer;
    bool Success;
    std::vector<std::string> After;  // the messages after the question
  };
  // The question has said what went wrong: its Cancel ends the read without a second box.
  const Case cases[] = {{PromptAnswer::Cancel, false, {}}, {PromptAnswer::Retry, true, {KeyText(2004)}}};
  for (const Case& c : cases) {
    LinkHarness h;
    FillRadio(h.Radio);
    h.Radio.SilentFor = 3;
    ASSERT_TRUE(StartRead(h));
    h.TimeOut();
    h.TimeOut();
    EXPECT_TRUE(h.Prompter.Texts() == std::vector<std::string>{kReadConfirmation});
    h.Prompter.Answers.push_back(c.Answer);
    h.TimeOut();

    EXPECT_EQ(std::vector(h.Port.Written.begin(), h.Port.Written.begin() + 3),
              std::vector(3, Ascii("PROGRAM")));
    EXPECT_EQ(std::vector(h.Timer.Starts.begin(), h.Timer.Starts.begin() + 3), std::vector(3, 300ms));
    ASSERT_GE(h.Prompter.Messages.size(), 2U);
    EXPECT_EQ(h.Prompter.Messages[1].Text, KeyText(2003));
    EXPECT_EQ(h.Prompter.Messages[1].Buttons, PromptButtons::RetryCancel);
    const std::vector<std::string> texts = h.Prompter.Texts();
    EXPECT_EQ(std::vector(texts.begin() + 2, texts.end()), c.After);
    ASSERT_EQ(h.Observer.Finished.size(), 1U);
    EXPECT_EQ(h.Result().Success, c.Success);
    EXPECT_FALSE(h.Port.IsOpen());
  }
}

TEST(RadioProtocolTimeOut, PortIsClosedWhileTheRetryQuestionIsOpen) {
  LinkHarness h;
  h.Radio.SilentFor = 3;
  ASSERT_TRUE(StartRead(h));
  h.TimeOut();
  h.TimeOut();
  h.Prompter.Answers.push_back(PromptAnswer::Cancel);
  const std::size_t before = h.Port.Calls.size();
  h.TimeOut();
  EXPECT_EQ(h.Port.Calls.at(before), "close");
}

TEST(RadioProtocolTimeOut, AnUnansweredEndStillSucceeds) {
  LinkHarness h;
  FillRadio(h.Radio);
  h.Radio.IgnoresEnd = true;
  ASSERT_TRUE(StartRead(h));
  h.TimeOut();
  h.TimeOut();
  h.TimeOut();

  EXPECT_EQ(std::ranges::count(h.Port.Written, Ascii("END")), 3);
  EXPECT_TRUE(h.Result().Success);
  EXPECT_EQ(h.Prompter.Texts(), (std::vector<std::string>{kReadConfirmation, KeyText(2004)}));
}

TEST(RadioProtocolReply, CorruptedOrMisaddressedBlockIsIgnoredAndRequestedAgain) {
  const auto recompute = [](Bytes& reply) { reply[20] = link_test::Sum(reply, 1, 19); };
  struct Case {
    const char* What;
    std::function<void(Bytes&)> Tamper;
  };
  const Case cases[] = {
      {"bad checksum", [](Bytes& r) { r[20] ^= 0x01; }},
      {"other address",
       [&](Bytes& r) {
         r[2] = static_cast<std::uint8_t>(r[2] + 0x10);
         recompute(r);
       }},
      {"other length",
       [&](Bytes& r) {
         r[3] = 0x08;
         recompute(r);
       }},
      {"no ACK", [](Bytes& r) { r[21] = 0x15; }},
      {"not a block reply", [](Bytes& r) { r[0] = 'X'; }},
      {"one byte too many", [](Bytes& r) { r.push_back(0x06); }},
      {"one byte short", [](Bytes& r) { r.erase(r.begin() + 4); }},
  };
  constexpr int kAddress = 32;  // the second block of channel 2
  for (const Case& c : cases) {
    LinkHarness h;
    FillRadio(h.Radio);
    h.Radio.TamperAddress = kAddress;
    h.Radio.Tamper = c.Tamper;
    ASSERT_TRUE(StartRead(h)) << c.What;
    EXPECT_EQ(h.Port.Written.back(), (Bytes{'R', 0x00, kAddress, 0x10})) << c.What;
    EXPECT_TRUE(h.Observer.Finished.empty()) << c.What;

    h.TimeOut();  // the same request goes out again and is answered properly
    ASSERT_EQ(h.Observer.Finished.size(), 1U) << c.What;
    EXPECT_TRUE(h.Result().Success) << c.What;
    EXPECT_EQ(std::ranges::count(h.Radio.Reads, kAddress), 2) << c.What;
    EXPECT_EQ(Bytes(h.Result().Data.Image.Region(kAddress, 16).begin(),
                    h.Result().Data.Image.Region(kAddress, 16).end()),
              h.Radio.Region(kAddress, 16))
        << c.What;
  }
}

TEST(RadioProtocolRetry, ResumesWithTheBlockWhoseExchangeFailed) {
  constexpr int kFailing = 6400;
  for (const bool write : {false, true}) {
    LinkHarness h;
    FillRadio(h.Radio);
    h.Radio.MuteAddress = kFailing;
    h.Radio.MuteCount = 3;
    const ChannelTable channels = NumberedChannels(kRadioChannels);
    ASSERT_TRUE(write ? StartWrite(h, channels) : StartRead(h));
    h.TimeOut();
    h.TimeOut();
    h.Prompter.Answers.push_back(PromptAnswer::Retry);
    h.TimeOut();

    ASSERT_EQ(h.Observer.Finished.size(), 1U) << write;
    EXPECT_TRUE(h.Result().Success) << write;
    const std::vector<int> planned =
        write ? ImageBlocks(kRadioChannels, true) : Join({kBitmapBlocks, ImageBlocks(kRadioChannels, false)});
    const auto failing = std::ranges::find(planned, kFailing) - planned.begin();
    const std::vector<int> before(planned.begin(), planned.begin() + failing);
    const std::vector<int> after(planned.begin() + failing, planned.end());
    if (write) {
      EXPECT_EQ(h.Radio.Writes, Join({before, after}));
      EXPECT_EQ(h.Radio.Reads, (std::vector<int>{0x3B10, 0x3B10}));
    } else {
      EXPECT_EQ(h.Radio.Reads, Join({{0x3B10, 0x3B20}, before, {0x3B10}, after})) << "the serial once";
    }
    for (const int address : planned) {
      const auto sent = h.Result().Data.Image.Region(static_cast<std::size_t>(address), 16);
      EXPECT_EQ(Bytes(sent.begin(), sent.end()), h.Radio.Region(address, 16)) << "block " << address;
    }
  }
}

TEST(RadioProtocolPassword, InputWhileTheDialogIsOpenIsIgnored) {
  // The desktop program's dialogs run a nested event loop: a repeated reply must not move on.
  LinkHarness h;
  FillRadio(h.Radio);
  h.Radio.SetPassword(Ascii("12"));
  h.Prompter.Passwords = {"12"};
  h.Prompter.DuringPasswordDialog = [&] {
    h.Port.Receive(link_test::Concat(Bytes{'R', 0x3B, 0x10, 0x10}, h.Radio.BlockReply(0x3B10)));
    h.Port.Receive(Ascii("PROGRAMQX\x06"));
  };
  ASSERT_TRUE(StartRead(h));

  EXPECT_TRUE(h.Result().Success);
  EXPECT_EQ(std::ranges::count(h.Prompter.Texts(), std::string(kPasswordDialog)), 1);
  EXPECT_EQ(std::ranges::count(h.Port.Written, Ascii("PROGRAM")), 2);
  EXPECT_EQ(h.Radio.Reads,
            Join({{0x3B10, 0x3B10, 0x3B20}, kBitmapBlocks, ImageBlocks(kRadioChannels, false)}));
}

TEST(RadioProtocolSend, APortThatFailsMidwayEndsTheOperation) {
  LinkHarness h;
  FillRadio(h.Radio);
  h.Radio.MuteAddress = 32;
  h.Radio.MuteCount = 1;
  ASSERT_TRUE(StartRead(h));
  h.Port.WriteFails = true;
  h.TimeOut();

  ASSERT_EQ(h.Observer.Finished.size(), 1U);
  EXPECT_FALSE(h.Result().Success);
  EXPECT_EQ(h.Prompter.Texts(),
            (std::vector<std::string>{kReadConfirmation, KeyText(2006) + "\n" + link_test::PortLostText()}));
  EXPECT_FALSE(h.Port.IsOpen());
  EXPECT_FALSE(h.Link.IsRunning());
}

TEST(RadioProtocolSend, AnUnpluggedCableEndsTheOperationWithoutWaiting) {
  LinkHarness h;
  FillRadio(h.Radio);
  h.Radio.MuteAddress = 32;
  h.Radio.MuteCount = 1;
  ASSERT_TRUE(StartRead(h));
  const std::size_t sent = h.Port.Written.size();
  h.Port.Lose();

  ASSERT_EQ(h.Observer.Finished.size(), 1U);
  EXPECT_FALSE(h.Result().Success);
  EXPECT_EQ(h.Port.Written.size(), sent) << "nothing more was sent";
  EXPECT_EQ(h.Prompter.Texts(),
            (std::vector<std::string>{kReadConfirmation, KeyText(2006) + "\n" + link_test::PortLostText()}));
  EXPECT_FALSE(h.Link.IsRunning());
}

// Cancel: the packet in flight is never cut, only the end packet follows (when the radio is
// still answering), and a silent radio costs one reply wait, not three.
TEST(RadioProtocolCancel, StopsAfterThePacketInFlightAndEndsTheConversationWhenTheRadioAnswers) {
  struct Case {
    std::string What;
    OperationKind Kind;
    int CancelAtPacket;  // the link cancels while this packet (0 = handshake) awaits its reply
    bool RadioGoesSilent;
    bool EndSent;
  };
  const std::vector<Case> cases = {
      {"at the handshake, radio answering", OperationKind::Read, 0, false, true},
      {"at the handshake, radio silent", OperationKind::Read, 0, true, false},
      {"mid-read", OperationKind::Read, 40, false, true},
      {"mid-read, radio falls silent", OperationKind::Read, 40, true, false},
      {"mid-write", OperationKind::Write, 40, false, true},
      {"mid-write, radio falls silent", OperationKind::Write, 40, true, false},
  };
  const ChannelTable channels = NumberedChannels(kRadioChannels);
  for (const Case& c : cases) {
    LinkHarness h;
    FillRadio(h.Radio);
    h.Port.OnWrite = [&](const Bytes&) {
      if (static_cast<int>(h.Port.Written.size()) != c.CancelAtPacket + 1) return;
      h.Link.Cancel();
      if (c.RadioGoesSilent) h.Radio.SilentFor = 1000;
    };
    ASSERT_TRUE(c.Kind == OperationKind::Read ? StartRead(h) : StartWrite(h, channels)) << c.What;
    const std::size_t timeOuts = h.Timer.Starts.size();
    h.TimeOut();
    EXPECT_FALSE(h.Link.IsRunning()) << c.What;
    EXPECT_LE(h.Timer.Starts.size(), timeOuts) << c.What << ": nothing sent after the one wait";
    EXPECT_EQ(h.Port.Written.size(), static_cast<std::size_t>(c.CancelAtPacket + 1 + (c.EndSent ? 1 : 0)))
        << c.What;
    EXPECT_EQ(h.Port.Written.back() == Ascii("END"), c.EndSent) << c.What;
    EXPECT_FALSE(h.Port.IsOpen()) << c.What;
    ASSERT_EQ(h.Observer.Finished.size(), 1U) << c.What;
    EXPECT_TRUE(h.Result().Cancelled) << c.What;
    EXPECT_FALSE(h.Result().Success) << c.What;
    const std::vector<std::string> told = h.Prompter.Texts();
    if (c.Kind == OperationKind::Read) {
      EXPECT_EQ(told.back(), std::string(BuiltInTextOf(BuiltInText::ReadCancelled, h.Texts.LanguageId())))
          << c.What;
    } else {
      EXPECT_EQ(told.size(), 1U) << c.What << ": the owner offers to write again, the link says nothing more";
      EXPECT_LT(h.Radio.Writes.size(), ImageBlocks(kRadioChannels, true).size()) << c.What;
    }
  }
}

TEST(RadioProtocolCancel, AfterARetryTheCancelStillStops) {
  LinkHarness h;
  FillRadio(h.Radio);
  h.Radio.SilentFor = 3;  // the first handshake and its two resends
  ASSERT_TRUE(StartRead(h));
  h.TimeOut();
  h.TimeOut();
  h.Prompter.Answers.push_back(PromptAnswer::Retry);
  h.Port.OnWrite = [&](const Bytes& packet) {
    if (packet == Bytes{0x02}) h.Link.Cancel();
  };
  h.TimeOut();
  EXPECT_FALSE(h.Link.IsRunning());
  EXPECT_TRUE(h.Result().Cancelled);
  EXPECT_EQ(h.Port.Written.back(), Ascii("END"));
}

TEST(RadioProtocolCancel, IsIgnoredWhenNothingRuns) {
  LinkHarness h;
  h.Link.Cancel();
  FillRadio(h.Radio);
  ASSERT_TRUE(StartRead(h));
  EXPECT_TRUE(h.Result().Success);
  EXPECT_FALSE(h.Result().Cancelled);
  h.Link.Cancel();
  EXPECT_EQ(h.Observer.Finished.size(), 1U);
}

TEST(BlockStore, RefusesBlocksThatDoNotFitWhollyInAStore) {
  ExchangeData data;
  struct Case {
    std::int32_t Address;
    bool Stored;
  };
  const Case cases[] = {
      {0, true},       {12944, true},  {12952, false}, {12960, false},  {0x3B00, true},  {0x3BF0, true},
      {0x3BF8, false}, {0x3F80, true}, {0x3FB0, true}, {0x3FB8, false}, {0x3FC0, false}, {-16, false},
  };
  for (const Case& c : cases) EXPECT_EQ(!BlockStore(data, c.Address).empty(), c.Stored) << c.Address;
  BlockStore(data, 0x3BF0)[15] = 0xAB;
  BlockStore(data, 0x3FB0)[0] = 0xCD;
  EXPECT_EQ(data.Information[255], 0xAB);
  EXPECT_EQ(data.TestData[48], 0xCD);
}

}  // namespace
}  // namespace hvt
