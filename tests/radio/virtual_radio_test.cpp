#include "radio/virtual_radio.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "model/embedded_info.h"
#include "support/image_bytes.h"
#include "support/sequences.h"

namespace hvt {
namespace {

using namespace std::chrono_literals;

Bytes Counting(std::uint8_t first) {
  Bytes bytes(16);
  std::iota(bytes.begin(), bytes.end(), first);
  return bytes;
}

Bytes ReadRequest(int address) {
  return {0x52, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address), 0x10};
}

// The PC's side of the cable, unpaced unless told: everything the radio sends for a packet.
struct Pc {
  explicit Pc(VirtualRadioSettings settings = {}) : Radio(std::move(settings)) {
    Radio.SetLog([this](const std::string& line) { Log.push_back(line); });
  }
  Bytes Send(const Bytes& packet) {
    Radio.Receive(packet, Clock.Now());
    return Radio.TakeOutput(Clock.Now());
  }
  Bytes Take() { return Radio.TakeOutput(Clock.Now()); }

  ManualClock Clock{SimTime{} + 1h};
  VirtualRadio Radio;
  std::vector<std::string> Log;
};

const Bytes kHandshake = Ascii("PROGRAM");
const Bytes kHandshakeReply = {'Q', 'X', 0x06};
const Bytes kEnd = Ascii("END");

TEST(VirtualRadio, AnswersAScriptedConversationByteForByte) {
  Pc pc;
  RadioImage image;
  Put(image, 0x20, Counting(0x00));
  pc.Radio.LoadImage(image);
  // 0x40 + 0x10 + (0xF0 + ... + 0xFF) = 0xFC8
  const Bytes write = Join({{0x57, 0x00, 0x40, 0x10}, Counting(0xF0), {0xC8, 0x06}});

  struct Step {
    Bytes Packet;
    Bytes Reply;  // after the echo
  };
  const Step steps[] = {
      {kHandshake, kHandshakeReply},
      {{0x02}, Join({{0x49}, Ascii("HVT7300"), {0x01}, Ascii("V100"), {0x00, 0x00, 0x06}})},
      // 0x20 + 0x10 + (0 + 1 + ... + 15) = 0xA8
      {ReadRequest(0x20), Join({{0x57, 0x00, 0x20, 0x10}, Counting(0x00), {0xA8, 0x06}})},
      {write, {0x06}},
      {kEnd, {0x06}},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(pc.Send(step.Packet), Join({step.Packet, step.Reply})) << int{step.Packet[0]};
  }
  EXPECT_EQ(Slice(pc.Radio.Image(), 0x40, 16), Counting(0xF0));
  EXPECT_EQ(pc.Radio.RepliesGiven(), 5);
  EXPECT_FALSE(pc.Radio.InProgrammingMode());
  EXPECT_EQ(pc.Log,
            (std::vector<std::string>{"#1 PROGRAM -> Q X ACK", "#2 identification -> HVT7300, band 1, V100",
                                      "#3 read 0x0020", "#4 write 0x0040 -> ACK", "#5 END -> ACK"}));
}

TEST(VirtualRadio, IdentificationCarriesTheConfiguredModelBandAndVersion) {
  Pc pc({.Model = "AB", .Version = "V1", .Band = 0});
  pc.Send(kHandshake);
  // Short texts are filled with 0x00: it ends the model name and is skipped in the version.
  EXPECT_EQ(pc.Send({0x02}), Join({{0x02, 0x49},
                                   Ascii("AB"),
                                   Bytes(5, 0x00),
                                   {0x00},
                                   Ascii("V1"),
                                   Bytes(2, 0x00),
                                   {0x00, 0x00, 0x06}}));
}

TEST(VirtualRadio, TheReplyDoesNotDependOnHowThePcChunksItsBytes) {
  const Bytes conversation = Join({kHandshake,
                                   {0x02},
                                   ReadRequest(0x3B00),
                                   Join({{0x57, 0x00, 0x00, 0x10}, Bytes(16, 0x01), {0x20, 0x06}}),
                                   kEnd});
  Pc whole;
  const Bytes expected = whole.Send(conversation);
  ASSERT_EQ(whole.Radio.RepliesGiven(), 5);
  for (const std::size_t chunk : {1, 2, 3, 5, 21}) {
    Pc pc;
    Bytes received;
    for (std::size_t at = 0; at < conversation.size(); at += chunk) {
      const auto end =
          conversation.begin() + static_cast<std::ptrdiff_t>(std::min(at + chunk, conversation.size()));
      const Bytes part = pc.Send({conversation.begin() + static_cast<std::ptrdiff_t>(at), end});
      received.insert(received.end(), part.begin(), part.end());
    }
    EXPECT_EQ(received, expected) << "chunks of " << chunk;
    EXPECT_EQ(Slice(pc.Radio.Image(), 0, 16), Bytes(16, 0x01));
  }
}

TEST(VirtualRadio, AnswersDataPacketsOnlyBetweenHandshakeAndEnd) {
  Pc pc;
  EXPECT_EQ(pc.Send(ReadRequest(0)), ReadRequest(0)) << "before the handshake: the echo only";
  EXPECT_EQ(pc.Send(kHandshake), Join({kHandshake, kHandshakeReply}));
  EXPECT_EQ(pc.Send(kHandshake), Join({kHandshake, kHandshakeReply})) << "a restarted conversation";
  EXPECT_EQ(pc.Send(ReadRequest(0)).size(), 4u + 22u);
  pc.Send(kEnd);
  EXPECT_EQ(pc.Send({0x02}), Bytes{0x02}) << "after END: the echo only";
  EXPECT_EQ(pc.Log.back(), "identification: no handshake yet, no answer");
}

TEST(VirtualRadio, FindsAPacketBehindBytesThatBreakTheFraming) {
  const struct {
    Bytes Garbage;
    const char* Skipped;
  } cases[] = {
      {{0x00, 0xFF}, "00 FF"},
      {Ascii("PRO"), "50 52 4F"},  // a handshake cut short
      {{0x52, 0x00}, "52 00"},     // a read whose length byte turns out to be "P"
  };
  for (const auto& c : cases) {
    Pc pc;
    const Bytes sent = Join({c.Garbage, kHandshake});
    EXPECT_EQ(pc.Send(sent), Join({sent, kHandshakeReply})) << c.Skipped;
    EXPECT_EQ(pc.Log.front(), "skipped " + std::to_string(c.Garbage.size()) + " byte(s): " + c.Skipped);
  }
}

TEST(VirtualRadio, RefusesWritesWithAWrongChecksumAndBlocksOutsideItsMemory) {
  Pc pc;
  pc.Send(kHandshake);
  const Bytes badWrite = Join({{0x57, 0x00, 0x00, 0x10}, Bytes(16, 0x01), {0x21, 0x06}});
  EXPECT_EQ(pc.Send(badWrite), badWrite);
  EXPECT_EQ(Slice(pc.Radio.Image(), 0, 16), Bytes(16, 0x00));
  EXPECT_EQ(pc.Log.back(), "write 0x0000: checksum wrong, no answer");

  EXPECT_EQ(pc.Send(ReadRequest(0x3FF8)), ReadRequest(0x3FF8)) << "would run past 16 KiB";
  EXPECT_EQ(pc.Send(ReadRequest(0x3FF0)).size(), 4u + 22u) << "the last whole block";
}

Bytes ReadBlock(Pc& pc, int address) {
  const Bytes received = pc.Send(ReadRequest(address));
  if (received.size() != 26) return {};
  return {received.begin() + 8, received.begin() + 24};
}

TEST(VirtualRadio, PasswordBlockHoldsThePasswordAtItsEighthByte) {
  const struct {
    const char* Password;
    Bytes Bytes8To11;
  } cases[] = {
      {"", {0x00, 0x00, 0x00, 0x00}},
      {"12", {0x31, 0x32, 0x00, 0x00}},
      {"AbC9", {0x41, 0x62, 0x43, 0x39}},
  };
  for (const auto& c : cases) {
    Pc pc({.Password = c.Password});
    pc.Send(kHandshake);
    const Bytes block = ReadBlock(pc, radio_memory::kPasswordBlock);
    ASSERT_EQ(block.size(), 16u);
    EXPECT_EQ(Bytes(block.begin() + 8, block.begin() + 12), c.Bytes8To11) << c.Password;
  }
  Pc pc({.Password = "1234"});
  pc.Radio.SetPassword("");
  pc.Send(kHandshake);
  EXPECT_EQ(ReadBlock(pc, radio_memory::kPasswordBlock), Bytes(16, 0x00))
      << "a removed password leaves no trace";
}

TEST(VirtualRadio, InformationBlockDecodesAsTheConfiguredRadio) {
  Pc pc({.Model = "HVT7300", .Version = "V102", .Band = 1, .Password = "99"});
  pc.Send(kHandshake);
  std::array<std::uint8_t, kEmbeddedInfoSize> block{};
  for (int offset = 0; offset < 256; offset += 16) {
    const Bytes part = ReadBlock(pc, kEmbeddedInfoAddress + offset);
    ASSERT_EQ(part.size(), 16u);
    std::copy(part.begin(), part.end(), block.begin() + offset);
  }
  const EmbeddedInfo info = DecodeEmbeddedInfo(block);
  EXPECT_EQ(info.Model, "HVT7300");
  EXPECT_EQ(info.Version, "V1.02");
  EXPECT_EQ(info.RfFirmware, "V1.00");
  EXPECT_EQ(info.BandIndex, 1);
}

TEST(VirtualRadio, TestDataAreaIsReadAndWrittenAt0x3F80) {
  Pc pc;
  std::copy_n(Counting(0x80).begin(), 16, pc.Radio.TestDataArea().begin());
  pc.Send(kHandshake);
  EXPECT_EQ(ReadBlock(pc, 0x3F80), Counting(0x80));
  // 0x3F + 0xB0 + 0x10 + 16 * 0x05 = 0x14F
  const Bytes write = Join({{0x57, 0x3F, 0xB0, 0x10}, Bytes(16, 0x05), {0x4F, 0x06}});
  EXPECT_EQ(pc.Send(write), Join({write, {0x06}}));
  EXPECT_EQ(Bytes(pc.Radio.TestDataArea().begin() + 48, pc.Radio.TestDataArea().end()), Bytes(16, 0x05));
}

TEST(VirtualRadio, SettingsBeyondTheWireWidthsAreReported) {
  EXPECT_FALSE(RadioSettingsError({}));
  EXPECT_TRUE(RadioSettingsError({.Model = "HVT73000"}));
  EXPECT_TRUE(RadioSettingsError({.Version = "V1000"}));
  EXPECT_TRUE(RadioSettingsError({.Password = "12345"}));
  EXPECT_TRUE(RadioSettingsError({.Password = std::string("1\0", 2)})) << "would end the password early";
}

// Runs handshake, identification and a read of block 0 (replies 1, 2, 3), then the same read again
// (reply 4), returning what the PC received for each.
std::vector<Bytes> FourExchanges(std::string_view faults) {
  const RadioFaultsParse parse = ParseRadioFaults(faults);
  EXPECT_TRUE(parse.Faults) << parse.Error;
  Pc pc({.Faults = parse.Faults.value_or(RadioFaults{})});
  RadioImage image;
  Put(image, 0, Counting(0x00));
  Put(image, 16, Counting(0x10));
  pc.Radio.LoadImage(image);
  return {pc.Send(kHandshake), pc.Send({0x02}), pc.Send(ReadRequest(0)), pc.Send(ReadRequest(0))};
}

TEST(VirtualRadioFaults, DamageExactlyTheReplyTheyName) {
  const std::vector<Bytes> sound = FourExchanges("");
  const Bytes echo = ReadRequest(0);
  const Bytes block0 = {sound[2].begin() + 4, sound[2].end()};
  const struct {
    const char* Faults;
    std::size_t Exchange;
    Bytes Received;
  } cases[] = {
      {"drop=3", 2, echo},
      {"drop=1", 0, kHandshake},
      {"corrupt=3", 2,
       [&] {
         Bytes b = sound[2];
         ++b[4 + 20];
         return b;
       }()},
      {"corrupt=1", 0, Join({kHandshake, {'Q', 'X', 0xF9}})},
      // The block of address 0 under the next block's address, its checksum made to fit.
      {"address=3", 2,
       Join({echo,
             {0x57, 0x00, 0x10, 0x10},
             Counting(0x00),
             {static_cast<std::uint8_t>(block0[20] + 0x10), 0x06}})},
      {"noise=3:7", 2, Join({echo, {0x00, 0xFF, 0x57, 0x06, 0x55, 0xAA, 0x00}, block0})},
      {"noise=4", 3, Join({echo, {0x00, 0xFF, 0x57, 0x06}, block0})},
  };
  for (const auto& c : cases) {
    std::vector<Bytes> expected = sound;
    expected[c.Exchange] = c.Received;
    EXPECT_EQ(FourExchanges(c.Faults), expected) << c.Faults;
  }
}

TEST(VirtualRadioFaults, SplitAndDelayedRepliesComeLater) {
  const struct {
    const char* Faults;
    std::vector<std::pair<SimDuration, std::size_t>> Arrivals;  // bytes received at each time
  } cases[] = {
      {"split=3", {{0ms, 4 + 11}, {9ms, 0}, {10ms, 11}}},
      {"split=3:3", {{0ms, 4 + 7}, {10ms, 7}, {20ms, 8}}},
      {"delay=3:450", {{0ms, 4}, {449ms, 0}, {450ms, 22}}},
      {"delay=3:30,split=3", {{0ms, 4}, {30ms, 11}, {40ms, 11}}},
  };
  for (const auto& c : cases) {
    Pc pc({.Faults = *ParseRadioFaults(c.Faults).Faults});
    pc.Send(kHandshake);
    pc.Send({0x02});
    const SimTime start = pc.Clock.Now();
    pc.Radio.Receive(ReadRequest(0), start);
    for (const auto& [time, count] : c.Arrivals) {
      pc.Clock.AdvanceTo(start + time);
      EXPECT_EQ(pc.Take().size(), count)
          << c.Faults << " at " << std::chrono::duration_cast<std::chrono::milliseconds>(time).count()
          << " ms";
    }
    EXPECT_FALSE(pc.Radio.NextOutputTime()) << c.Faults;
  }
}

TEST(VirtualRadioFaults, SilenceSetsInAfterTheNamedNumberOfBlocks) {
  Pc pc({.Faults = {.SilentAfterBlocks = 2}});
  const Bytes write = Join({{0x57, 0x00, 0x00, 0x10}, Bytes(16, 0x01), {0x20, 0x06}});
  EXPECT_EQ(pc.Send(kHandshake).size(), 10u);
  EXPECT_EQ(pc.Send(ReadRequest(0x3B10)).size(), 26u);
  EXPECT_EQ(pc.Send(write).size(), 23u);
  for (const Bytes& packet : {ReadRequest(0x10), write, kEnd, kHandshake}) {
    EXPECT_EQ(pc.Send(packet), packet) << "only the cable's echo";
  }
  EXPECT_EQ(pc.Log.back(), "PROGRAM: silent");

  Pc mute({.Faults = {.SilentAfterBlocks = 0}});
  EXPECT_EQ(mute.Send(kHandshake), kHandshake);
}

TEST(VirtualRadioPacing, BytesTakeTenBitTimesAt9600BaudEchoIncluded) {
  const struct {
    Bytes Packet;
    std::size_t Total;  // echo and reply
    SimDuration AllThere;
  } cases[] = {
      {kHandshake, 7 + 3, 10'416'667ns},       // 10 x 10 bits / 9600 = 10.4167 ms
      {ReadRequest(0), 4 + 22, 27'083'334ns},  // 27.0833 ms
      {kEnd, 3 + 1, 4'166'667ns},
  };
  for (const auto& c : cases) {
    Pc pc({.Paced = true});
    if (c.Packet != kHandshake) {
      pc.Send(kHandshake);
      pc.Clock.Advance(1s);
      pc.Take();
    }
    const SimTime start = pc.Clock.Now();
    EXPECT_TRUE(pc.Send(c.Packet).empty());
    EXPECT_EQ(pc.Radio.NextOutputTime(), start + 1'041'667ns) << "the first echo byte";
    pc.Clock.AdvanceTo(start + c.AllThere - 1ns);
    EXPECT_EQ(pc.Take().size(), c.Total - 1);
    pc.Clock.AdvanceTo(start + c.AllThere);
    EXPECT_EQ(pc.Take().size(), 1u);
    EXPECT_FALSE(pc.Radio.NextOutputTime());
  }
}

}  // namespace
}  // namespace hvt
