#pragma once

// The whole link against the virtual radio, in simulated time: the program's side (operation,
// protocol, packet engine) on a loopback port and a manual timer, the radio's side paced at
// 9600 baud as on a cable, and a user who answers from a script.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "i18n/language_texts.h"
#include "link/radio_operation.h"
#include "model/codec_chain.h"
#include "model/text.h"
#include "radio/loopback_port.h"
#include "radio/loopback_pump.h"
#include "radio/manual_timer.h"
#include "radio/sim_clock.h"
#include "radio/virtual_radio.h"
#include "support/image_bytes.h"
#include "support/record_printer.h"
#include "support/recording_observer.h"
#include "support/rich_configuration.h"
#include "support/same_records.h"
#include "support/scripted_prompter.h"

namespace hvt::e2e {

inline constexpr std::string_view kReadConfirmation = "Read data from radio.\r\nDo you wish continue?";
inline constexpr std::string_view kWriteConfirmation = "Write data to radio.\r\nDo you wish continue?";
inline constexpr std::string_view kWrongModel = "Model type is wrong. Overwrite?";
inline constexpr std::string_view kWrongVersion = "Version is wrong.";
inline constexpr std::string_view kWrongBand = "Band Error!";
inline constexpr std::string_view kNotAnswering =
    "The radio does not respond. Check the cable and the radio and try again.";
inline constexpr std::string_view kReadSucceeded = "Data read from the radio successfully.";
inline constexpr std::string_view kWriteSucceeded = "Data written to the radio successfully.";
inline constexpr std::string_view kReadFailed = "Reading data from the radio failed.";
inline constexpr std::string_view kWriteFailed = "Writing data to the radio failed.";
inline constexpr std::string_view kPortLost = "The connection to the serial port was lost.";
inline constexpr std::string_view kPartlyWritten =
    "The radio now holds a partly written configuration; write it again.";

// Lines of one message.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) text += (text.empty() ? "" : "\n") + std::string(line);
  return text;
}

inline std::vector<std::string> Strings(std::initializer_list<std::string_view> texts) {
  return {texts.begin(), texts.end()};
}

// Normal slots left empty in the 200-channel configuration; 3 and 4 make one joined skip range.
inline const std::set<int> kAbsentChannels = {3, 4, 150};

// 200 channels in all: 197 normal ones and the three special ones, each with its own name and
// tones, beside the rich options, 5-tone, DTMF and book records.
inline Configuration TwoHundredChannels() {
  Configuration records = RichConfiguration();
  const ChannelTable patterns = records.Channels;  // entries 0-5 are normal channels, 6-8 special
  records.Channels = {};
  for (int n = 1; n <= kChannelCount; ++n) {
    if (kAbsentChannels.contains(n)) continue;
    ChannelRecord channel = n <= 200 ? patterns.Entries[static_cast<std::size_t>(n % 6)]
                                     : patterns.Entries[static_cast<std::size_t>(n - 195)];
    channel.ChannelNumber = static_cast<std::int16_t>(n);
    channel.Name = "C" + std::to_string(n) + '\0';  // as the editor stores a short name
    channel.EncodeCtcss = static_cast<std::int16_t>(n % 52);
    channel.EncodeDcs = static_cast<std::int16_t>(512 + n);
    channel.DecodeDcs = static_cast<std::int16_t>(n);
    channel.CustomCtcss = static_cast<std::int16_t>(600 + n);
    EXPECT_TRUE(AddChannel(records.Channels, channel)) << n;
  }
  EXPECT_EQ(records.Channels.Count, 200);
  return records;
}

inline RadioImage Encoded(Configuration records) {
  RadioImage image;
  const auto failure = EncodeAll(records, image);
  EXPECT_FALSE(failure.has_value()) << failure->Tag;
  return image;
}

// What the program holds after a read: the image decoded over the records it held before, which
// keep what the image does not carry.
inline Configuration Decoded(const RadioImage& image, Configuration before) {
  DecodeAll(image, before);
  return before;
}

// A packet as the radio received it, and when.
struct Sent {
  std::chrono::milliseconds At;
  std::vector<std::uint8_t> Bytes;
};

// A packet as a reader of the radio's log would name it: "PROGRAM", "ID", "R 3B10", "W 0040", "END".
inline std::string PacketName(const std::vector<std::uint8_t>& packet) {
  const auto is = [&](std::string_view text) {
    return std::equal(packet.begin(), packet.end(), text.begin(), text.end(),
                      [](std::uint8_t byte, char c) { return byte == static_cast<std::uint8_t>(c); });
  };
  if (is("PROGRAM")) return "PROGRAM";
  if (is("END")) return "END";
  if (packet.size() == 1 && packet[0] == 0x02) return "ID";
  if ((packet.size() == 4 && packet[0] == 'R') || (packet.size() == 22 && packet[0] == 'W')) {
    return std::string(1, static_cast<char>(packet[0])) + " " + ByteToHex(packet[1]) + ByteToHex(packet[2]);
  }
  return "?";
}

inline std::vector<std::string> Names(const std::vector<Sent>& packets) {
  std::vector<std::string> names;
  for (const Sent& sent : packets) names.push_back(PacketName(sent.Bytes));
  return names;
}

// A packet sent again right after itself: a resend after a time-out.
struct Resend {
  std::string Packet;
  std::chrono::milliseconds After;
  bool operator==(const Resend&) const = default;
};

inline std::vector<Resend> Resends(const std::vector<Sent>& packets) {
  std::vector<Resend> resends;
  for (std::size_t i = 1; i < packets.size(); ++i) {
    if (packets[i].Bytes == packets[i - 1].Bytes) {
      resends.push_back({PacketName(packets[i].Bytes), packets[i].At - packets[i - 1].At});
    }
  }
  return resends;
}

inline void PrintTo(const Resend& resend, std::ostream* os) {
  *os << resend.Packet << " after " << resend.After.count() << " ms";
}

class RadioLink {
 public:
  explicit RadioLink(VirtualRadioSettings settings = {}) : Radio(WithPacing(std::move(settings))) {
    Operation.SetObserver(&Result);
  }

  // Starts a read or write (confirmed unless the script says otherwise) and runs it to its end.
  bool Read(bool withTestData = false) {
    ConfirmUnlessScripted();
    return Run([&] { return Operation.StartRead(withTestData); });
  }
  bool Write(Configuration& records, std::optional<TestDataArea> testData = std::nullopt) {
    ConfirmUnlessScripted();
    return Run([&] {
      WriteJob job = WriteJobFor(records, BandVariantOf(records), testData);
      job.Verify = VerifyWrites;
      return Operation.StartWrite(job);
    });
  }
  bool ReadInformation() {
    return Run([&] { return Operation.StartInformationRead(); });
  }

  // Writes read their blocks back (the confirmation's check box starts ticked).
  bool VerifyWrites = false;
  // The cable is pulled once the program has sent this many packets: the next write fails.
  std::optional<std::size_t> CablePulledAfterPackets;

  const OperationResult& Last() const { return Result.Finished.back(); }

  // Every packet the program wrote, with its time since the link was built.
  std::vector<Sent> Packets() const {
    std::vector<Sent> packets;
    for (std::size_t i = 0; i < Port.Writes().size(); ++i) {
      packets.push_back({sendTimes_.at(i), Port.Writes()[i]});
    }
    return packets;
  }

  // The addresses of the block packets ('R' requests or 'W' writes), in the order sent.
  std::vector<int> BlockAddresses(std::uint8_t mark) const {
    std::vector<int> addresses;
    for (const auto& packet : Port.Writes()) {
      const bool block = (mark == 'R' && packet.size() == 4) || (mark == 'W' && packet.size() == 22);
      if (block && packet[0] == mark) addresses.push_back(packet[1] << 8 | packet[2]);
    }
    return addresses;
  }

  ManualClock Clock;
  VirtualRadio Radio;
  LoopbackPort Port{Radio, Clock};
  ManualTimer Timer{Clock};
  LanguageTexts Texts = LanguageTexts::Load(kEnglish, std::string(HVT_DATA_DIR) + "/language/english.ini");
  ScriptedPrompter Prompter;
  RecordingObserver Result;
  RadioOperation Operation{Port, Timer, Prompter, Texts};

 private:
  void ConfirmUnlessScripted() {
    if (Prompter.Answers.empty()) Prompter.Answers.push_back(PromptAnswer::Ok);
  }
  static VirtualRadioSettings WithPacing(VirtualRadioSettings settings) {
    settings.Paced = true;
    return settings;
  }
  static BandVariant BandVariantOf(const Configuration& records) {
    return *BandVariantFromNumber(records.BandVariant);
  }

  bool Run(const std::function<bool()>& start) {
    const SimTime begin{};
    const auto noteSends = [&] {
      while (sendTimes_.size() < Port.Writes().size()) {
        sendTimes_.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(Clock.Now() - begin));
      }
    };
    const bool started = start();
    noteSends();
    LoopbackPump pump(Clock, Port, Timer);
    while (pump.Step()) {
      noteSends();
      if (CablePulledAfterPackets && Port.Writes().size() >= *CablePulledAfterPackets)
        Port.SetWriteFails(true);
    }
    noteSends();
    EXPECT_FALSE(Operation.IsRunning());
    return started;
  }

  std::vector<std::chrono::milliseconds> sendTimes_;
};

}  // namespace hvt::e2e
