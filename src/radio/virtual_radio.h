#pragma once

// The radio's side of the programming cable, without hardware. It takes the bytes the PC sends,
// in any chunking, and queues what the PC receives: the cable's echo of every byte, then the
// radio's reply once a whole packet is in. Each queued byte carries the time it reaches the PC,
// so the owner (an in-process port, a pseudo-terminal) hands it over when its clock gets there.
//
// The radio answers only between the handshake and END, as a radio in programming mode does.
// A handshake is answered at any time, so a PC that restarts the conversation finds it again.
// Packets that break the framing are skipped a byte at a time, so a real packet behind garbage
// is still found. Write packets with a wrong checksum and blocks outside the memory are refused
// without an answer; the PC's time-out takes it from there.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/embedded_info.h"
#include "model/radio_image.h"
#include "model/radio_model.h"
#include "model/test_mode_data.h"
#include "radio/radio_faults.h"
#include "radio/sim_clock.h"

namespace hvt {

namespace radio_memory {

inline constexpr std::size_t kSize = 0x4000;
inline constexpr int kPasswordBlock = 0x3B10;
inline constexpr int kPassword = 0x3B18;  // byte 8 of the password block
inline constexpr std::size_t kPasswordLength = 4;

}  // namespace radio_memory

struct VirtualRadioSettings {
  std::string Model{kModelName};          // at most 7 characters
  std::string Version{kFirmwareVersion};  // at most 4 characters
  std::uint8_t Band = 1;                  // the band byte of the identification
  std::string Password;                   // at most 4 characters; empty: none
  bool Paced = false;                     // bytes take their time at 9600 baud 8N1, echo included
  RadioFaults Faults;
};

// What is wrong with the settings, if anything; the radio itself cuts texts to their width.
std::optional<std::string> RadioSettingsError(const VirtualRadioSettings& settings);

// One line for every packet the radio answers or refuses, and for bytes it skips.
using RadioLog = std::function<void(const std::string& line)>;

class VirtualRadio {
 public:
  explicit VirtualRadio(VirtualRadioSettings settings = {});

  // The whole memory: the configuration at 0-12959, the information block at 0x3B00 and the
  // test-mode area at 0x3F80. Everything else reads as 0x00 until written.
  std::span<std::uint8_t, radio_memory::kSize> Memory() { return memory_; }
  std::span<const std::uint8_t, radio_memory::kSize> Memory() const { return memory_; }
  void LoadImage(const RadioImage& image);
  RadioImage Image() const;
  std::span<std::uint8_t, kEmbeddedInfoSize> InformationBlock();
  std::span<std::uint8_t, kTestDataAreaSize> TestDataArea();
  // Stores the password into the information block; empty removes it.
  void SetPassword(std::string_view password);

  void SetFaults(RadioFaults faults) { settings_.Faults = std::move(faults); }
  void SetLog(RadioLog log) { log_ = std::move(log); }

  // Bytes the PC sent at `now`.
  void Receive(std::span<const std::uint8_t> bytes, SimTime now);
  // The queued bytes that have reached the PC by `now`, in order.
  std::vector<std::uint8_t> TakeOutput(SimTime now);
  // When the next queued byte reaches the PC; none when nothing is on its way.
  std::optional<SimTime> NextOutputTime() const;

  bool InProgrammingMode() const { return programming_; }
  int RepliesGiven() const { return replyCount_; }

 private:
  struct LineByte {
    SimTime Due;
    std::uint8_t Byte;
  };
  struct HeldBack {
    SimTime Ready;
    std::vector<std::uint8_t> Bytes;
  };
  enum class Framing { Complete, Incomplete, Broken };

  Framing FrameAtFront(std::size_t& length) const;
  void Handle(std::span<const std::uint8_t> packet, SimTime ready);
  void Answer(std::vector<std::uint8_t> reply, bool blockPacket, std::string what, SimTime ready);
  void Schedule(std::span<const std::uint8_t> bytes, SimTime ready);
  void HoldBack(std::vector<std::uint8_t> bytes, SimTime ready);
  void ReleaseHeldBack(SimTime now);
  void Log(const std::string& line) const;

  VirtualRadioSettings settings_;
  std::array<std::uint8_t, radio_memory::kSize> memory_{};
  RadioLog log_;

  std::vector<std::uint8_t> input_;  // bytes of a packet not yet complete
  bool programming_ = false;
  int replyCount_ = 0;
  int blocksAnswered_ = 0;

  std::deque<LineByte> line_;       // in the order they reach the PC
  std::vector<HeldBack> heldBack_;  // delayed replies and later pieces of split ones, by time
  SimTime lastDue_{};
  SimTime burstStart_{};  // pacing counts from here, so rounding never accumulates
  std::int64_t burstBytes_ = 0;
};

}  // namespace hvt
