#pragma once

// Scripted stand-ins for what drives the link: a serial port that honours the receive threshold,
// a timer the test fires by hand, a prompter that records every message and answers from a
// script, and a minimal radio that answers packets from a 16 KiB memory.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "i18n/language_texts.h"
#include "i18n/prompter.h"
#include "link/link_port.h"
#include "link/radio_operation.h"
#include "link/reply_timer.h"
#include "support/image_bytes.h"
#include "support/recording_observer.h"
#include "support/scripted_prompter.h"

namespace hvt::link_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class FakePort final : public LinkPort {
 public:
  std::vector<Bytes> Written;
  std::vector<std::string> Calls;  // "open", "close", "discard", "write", in order
  bool OpenFails = false;
  bool WriteFails = false;
  // Called from inside Write, as an in-process loopback would.
  std::function<void(const Bytes&)> OnWrite;
  int WriteDepth = 0;
  int DeepestWrite = 0;

  void SetListener(LinkPortListener* listener) override { listener_ = listener; }
  bool Open() override {
    Calls.push_back("open");
    open_ = !OpenFails;
    return open_;
  }
  void Close() override {
    Calls.push_back("close");
    open_ = false;
  }
  bool IsOpen() const override { return open_; }
  bool Write(std::span<const std::uint8_t> bytes) override {
    if (WriteFails || !open_) return false;
    Calls.push_back("write");
    Written.emplace_back(bytes.begin(), bytes.end());
    ++WriteDepth;
    DeepestWrite = std::max(DeepestWrite, WriteDepth);
    if (OnWrite) OnWrite(Written.back());
    --WriteDepth;
    return true;
  }
  void SetReceiveThreshold(std::size_t bytes) override { threshold_ = bytes; }
  void DiscardBuffers() override {
    Calls.push_back("discard");
    buffer_.clear();
  }

  std::size_t Threshold() const { return threshold_; }
  std::string FailureDetail() const override {
    return OpenFails || WriteFails || lost_ ? kFailureDetail : "";
  }
  static constexpr const char* kFailureDetail = "COM9: Permission denied";

  // The cable is pulled: the port closes itself and says so.
  void Lose() {
    open_ = false;
    lost_ = true;
    if (listener_ != nullptr) listener_->OnPortLost();
  }

  // Bytes arriving on the line: buffered, and delivered all at once when the threshold is reached.
  void Receive(const Bytes& bytes) {
    if (!open_) return;
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    if (buffer_.size() < threshold_ || listener_ == nullptr) return;
    const Bytes chunk = std::exchange(buffer_, {});
    listener_->OnReceive(chunk);
  }

 private:
  LinkPortListener* listener_ = nullptr;
  bool open_ = false;
  bool lost_ = false;
  std::size_t threshold_ = 1;
  Bytes buffer_;
};

class ManualTimer final : public ReplyTimer {
 public:
  std::vector<std::chrono::milliseconds> Starts;

  void SetListener(ReplyTimerListener* listener) override { listener_ = listener; }
  void Start(std::chrono::milliseconds interval) override {
    Starts.push_back(interval);
    running_ = true;
  }
  void Stop() override { running_ = false; }
  bool IsRunning() const override { return running_; }

  // The interval runs out; nothing happens when the timer is not running.
  void Fire() {
    if (!running_) return;
    running_ = false;
    listener_->OnTimeout();
  }

 private:
  ReplyTimerListener* listener_ = nullptr;
  bool running_ = false;
};

// Language texts that name their key, so a test sees which one was shown.
inline LanguageTexts KeyTexts() {
  std::string file = "[OTHER]\n";
  for (const int key : {2002, 2003, 2004, 2005, 2006, 2007, 2008, 2009, 2010}) {
    file += std::to_string(key) + "=text " + std::to_string(key) + "\n";
  }
  file += "2011=radio %1, configuration %2\n";
  return LanguageTexts::FromText(1, file);
}

inline std::string KeyText(int key) { return "text " + std::to_string(key); }

// Key 2002 with the port's name and the system's reason under it.
inline std::string PortFailureText() { return KeyText(2002) + "\n" + FakePort::kFailureDetail; }
// Key 2009 (the port was lost) with the port's name and the system's reason under it.
inline std::string PortLostText() { return KeyText(2009) + "\n" + FakePort::kFailureDetail; }

inline constexpr std::string_view kPartlyWritten =
    "The radio now holds a partly written configuration; write it again.";

inline std::uint8_t Sum(const Bytes& bytes, std::size_t from, std::size_t count) {
  return static_cast<std::uint8_t>(std::accumulate(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                                   bytes.begin() + static_cast<std::ptrdiff_t>(from + count),
                                                   0U));
}

// Answers the packets of the protocol from its memory; the echo is the cable's, not its own.
class TestRadio {
 public:
  Bytes Memory = Bytes(0x4000, 0x00);
  std::string Model = "HVT7300";
  Bytes Version = Ascii("V100");
  std::uint8_t Band = 1;
  int SilentFor = 0;  // packets left unanswered from now on
  bool IgnoresEnd = false;
  // Packets for the block at MuteAddress go unanswered (and unwritten) MuteCount times.
  int MuteAddress = -1;
  int MuteCount = 0;
  // Applied once to the reply for the block at TamperAddress.
  int TamperAddress = -1;
  std::function<void(Bytes&)> Tamper;
  std::vector<int> Reads;   // block addresses requested, in order
  std::vector<int> Writes;  // block addresses written, in order

  void SetPassword(const Bytes& bytes) { std::copy(bytes.begin(), bytes.end(), Memory.begin() + 0x3B18); }

  // The reply after the echo; empty when the radio says nothing.
  Bytes Answer(const Bytes& packet) {
    if (SilentFor > 0) {
      --SilentFor;
      return {};
    }
    if (packet == Ascii("PROGRAM")) return Ascii("QX\x06");
    if (packet == Bytes{0x02}) {
      Bytes reply{0x49};
      for (std::size_t i = 0; i < 7; ++i)
        reply.push_back(i < Model.size() ? static_cast<std::uint8_t>(Model[i]) : 0x00);
      reply.push_back(Band);
      reply.insert(reply.end(), Version.begin(), Version.end());
      reply.insert(reply.end(), {0x00, 0x00, 0x06});
      return reply;
    }
    const bool blockPacket =
        (packet.size() == 4 && packet[0] == 'R') || (packet.size() == 22 && packet[0] == 'W');
    const int address = blockPacket ? packet[1] << 8 | packet[2] : -1;
    if (blockPacket && address == MuteAddress && MuteCount > 0) {
      --MuteCount;
      return {};
    }
    if (packet.size() == 4 && packet[0] == 'R') {
      Reads.push_back(address);
      Bytes reply = BlockReply(address);
      if (address == TamperAddress && Tamper) std::exchange(Tamper, nullptr)(reply);
      return reply;
    }
    if (packet.size() == 22 && packet[0] == 'W') {
      Writes.push_back(address);
      std::copy(packet.begin() + 4, packet.begin() + 20, Memory.begin() + address);
      return {0x06};
    }
    if (packet == Ascii("END") && !IgnoresEnd) return {0x06};
    return {};
  }

  Bytes BlockReply(int address) const {
    // Sized up front: g++ 12 at -O3 warns falsely (-Warray-bounds) when a 4-byte vector grows.
    Bytes reply(22);
    reply[0] = 'W';
    reply[1] = static_cast<std::uint8_t>(address >> 8);
    reply[2] = static_cast<std::uint8_t>(address & 0xFF);
    reply[3] = 0x10;
    std::copy_n(Memory.begin() + address, 16, reply.begin() + 4);
    reply[20] = Sum(reply, 1, 19);
    reply[21] = 0x06;
    return reply;
  }

  Bytes Region(int address, int length) const {
    return {Memory.begin() + address, Memory.begin() + address + length};
  }
};

// The link wired to the fakes. Pump() lets the radio answer every packet written so far.
struct LinkHarness {
  FakePort Port;
  ManualTimer Timer;
  ScriptedPrompter Prompter;
  LanguageTexts Texts = KeyTexts();
  RecordingObserver Observer;
  TestRadio Radio;
  RadioOperation Link{Port, Timer, Prompter, Texts};
  std::size_t Answered = 0;

  LinkHarness() {
    Link.SetObserver(&Observer);
    Observer.Prompter = &Prompter;
    Prompter.StoppedDuringDialogs = &Timer;
  }

  void Pump() {
    while (Answered < Port.Written.size()) {
      const Bytes packet = Port.Written[Answered++];
      Port.Receive(Concat(packet, Radio.Answer(packet)));
    }
  }

  // Fires the timer and answers what it made the link send.
  void TimeOut() {
    Timer.Fire();
    Pump();
  }

  const OperationResult& Result() const { return Observer.Finished.at(0); }
};

}  // namespace hvt::link_test
