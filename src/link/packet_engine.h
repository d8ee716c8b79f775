#pragma once

// One request packet, one reply: sends a packet, waits 300 ms for its reply, resends it, and
// after the third unanswered send lets its client decide (usually by asking Retry or Cancel).
//
// The cable echoes every byte the PC sends, ahead of the radio's reply, so the receive threshold
// is set to echo + reply: one delivery per reply. The handshake is the exception: its reply is
// recognised together with its echo in a 129-byte buffer that collects every byte, because the
// radio may answer it in pieces. Stale input is discarded before every send, so bytes that arrive
// after a time-out never pollute the next reply.
//
// The port or timer owner may deliver events at any moment, even from inside LinkPort::Write (an
// in-process loopback does). Events that arrive while the engine is already handling one are
// queued and handled in order once it returns, so a whole transfer never nests on the stack.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "i18n/language_texts.h"
#include "i18n/prompter.h"
#include "link/link_port.h"
#include "link/reply_timer.h"

namespace hvt {

// ASCII "PROGRAM".
inline constexpr std::array<std::uint8_t, 7> kHandshakePacket = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};

class PacketEngineClient {
 public:
  virtual ~PacketEngineClient() = default;
  // A chunk received while a packet awaits its reply. The handshake's chunks are also collected
  // (HandshakeCollected); other chunks stand alone.
  virtual void OnChunk(std::span<const std::uint8_t> chunk) = 0;
  // The packet went out three times and no reply was accepted; nothing is awaited any more.
  virtual void OnUnanswered() = 0;
  // A resend could not be written, or the port was lost while a reply was awaited; the engine's
  // PortProblem() says what happened, for the client to tell.
  virtual void OnSendFailed() = 0;
};

class PacketEngine final : public LinkPortListener, public ReplyTimerListener {
 public:
  static constexpr std::chrono::milliseconds kReplyWait{300};
  static constexpr int kMaxResends = 2;  // three sends in all
  static constexpr std::size_t kHandshakeBufferSize = 129;

  // Registers itself as the listener of the port and the timer; all must outlive the engine.
  PacketEngine(LinkPort& port, ReplyTimer& timer, Prompter& prompter, const LanguageTexts& texts);
  ~PacketEngine() override;
  PacketEngine(const PacketEngine&) = delete;
  PacketEngine& operator=(const PacketEngine&) = delete;

  void SetClient(PacketEngineClient* client) { client_ = client; }

  // Closes the port if open, sets the threshold to 1 and opens it. False after telling the user.
  [[nodiscard]] bool OpenLinkPort();
  void ClosePort();

  // Sends a new packet whose reply is `expectedLength` bytes after the echo, and starts the wait.
  // False when the port cannot be opened or written (PortProblem() says which); nothing is awaited.
  [[nodiscard]] bool SendPacket(std::span<const std::uint8_t> packet, std::size_t expectedLength);

  // A reply was accepted, or a dialog is about to open: the wait ends, later input is ignored.
  void StopWaiting();

  // The packet awaiting its reply is not sent again: its time-out reports it unanswered at once.
  // Used when the user cancels, so that a silent radio costs one reply wait, not three.
  void NoMoreResends() { lastTry_ = true; }

  // After the third unanswered send: closes the port and asks Retry or Cancel. True for Retry;
  // the next SendPacket reopens the port.
  bool AskRetry();

  // Nothing more will be sent: wait ended, port closed.
  void Finish();

  // Why the last send failed or the port was lost: key 2002 when the port could not be opened
  // again, key 2009 when an open port failed; then the port's name and the system's reason.
  const std::string& PortProblem() const { return portProblem_; }

  // Bytes received since the handshake packet was last sent (empty for any other packet).
  std::span<const std::uint8_t> HandshakeCollected() const;
  bool IsHandshakePacket() const;
  std::size_t EchoLength() const { return saved_.size(); }

  void OnReceive(std::span<const std::uint8_t> bytes) override;
  void OnPortLost() override;
  void OnTimeout() override;

 private:
  enum class EventKind { Bytes, Timeout, PortLost };
  struct Event {
    EventKind Kind = EventKind::Bytes;
    std::vector<std::uint8_t> Bytes;
  };

  bool Send();
  void Collect(std::span<const std::uint8_t> chunk);
  void Deliver(EventKind kind, std::span<const std::uint8_t> bytes);
  void Handle(EventKind kind, std::span<const std::uint8_t> bytes);
  void HandleQueued();
  std::string PortFailureText(std::int32_t key) const;

  LinkPort& port_;
  ReplyTimer& timer_;
  Prompter& prompter_;
  const LanguageTexts& texts_;
  PacketEngineClient* client_ = nullptr;

  std::vector<std::uint8_t> saved_;  // source of every resend; its size is the echo length
  std::size_t expectedLength_ = 0;
  int resendCount_ = 0;
  bool lastTry_ = false;
  bool awaiting_ = false;
  std::string portProblem_;

  std::array<std::uint8_t, kHandshakeBufferSize> handshake_{};
  std::size_t received_ = 0;

  bool handling_ = false;
  std::deque<Event> queued_;
};

}  // namespace hvt
