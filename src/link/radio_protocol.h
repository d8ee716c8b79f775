#pragma once

// The conversation with the radio: handshake, identification, password check, block-by-block
// read or write, end. The theory of operation and the table of every transition open
// radio_protocol.cpp. The protocol owns no I/O: it is driven by the packet engine's events and
// reports progress and the end of the operation to its owner.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/built_in_texts.h"
#include "i18n/language_texts.h"
#include "i18n/prompter.h"
#include "link/packet_engine.h"
#include "link/password_check.h"
#include "link/transfer_plan.h"
#include "model/band.h"
#include "model/embedded_info.h"
#include "model/radio_image.h"
#include "model/radio_model.h"
#include "model/test_mode_data.h"

namespace hvt {

enum class OperationKind { Read, Write, InformationRead };

enum class OperationOutcome { Succeeded, Failed, Cancelled };

using InformationBlock = std::array<std::uint8_t, kEmbeddedInfoSize>;  // radio 0x3B00-0x3BFF

// What the radio says about itself in its identification reply.
struct RadioIdentity {
  std::string Model;    // at most 7 characters, ended by the first 0x00 or 0xFF
  std::string Version;  // at most 4 characters; 0x00 and 0xFF bytes are left out
  std::uint8_t BandByte = 0;

  // None when the byte names no band variant.
  std::optional<BandVariant> Band() const { return BandVariantFromNumber(BandByte); }
  bool operator==(const RadioIdentity&) const = default;
};

// The local stores the conversation reads into and writes from, by radio address:
// 0-12959 the image, 0x3B00-0x3BFF the information block, 0x3F80-0x3FBF the test-data area.
struct ExchangeData {
  RadioImage Image;
  InformationBlock Information{};
  TestDataArea TestData{};
  std::optional<RadioIdentity> Identity;  // the last identification reply, even a refused one
  // A verified write: the blocks the radio gave back other than they were sent, in address order.
  std::vector<std::int32_t> DifferingBlocks;
  // A write sent at least one block: whatever the outcome, the radio's configuration has changed.
  bool BlocksWritten = false;
  // Why a failed exchange failed, beyond the operation's failure text.
  std::string PortProblem;     // the port was lost or could not be opened again: what and why
  bool PasswordWrong = false;  // the password typed is not the radio's
  bool RetryDeclined = false;  // the radio stopped answering and the user answered Cancel
};

// The 16 bytes of `data` that hold the block at radio `address`; empty when no store holds the
// whole block there, so a stray address can never write past a store.
std::span<std::uint8_t> BlockStore(ExchangeData& data, std::int32_t address);

// What the conversation reports to the operation that started it.
class ExchangeOwner {
 public:
  virtual ~ExchangeOwner() = default;
  // A read or write has reached the identification: progress shows 0 % again.
  virtual void ProgressRestarts() = 0;
  // One block step of a read (under the full plan) or of a write.
  virtual void CountBlock() = 0;
  // The conversation is over; nothing is awaited any more.
  virtual void EndOperation(OperationOutcome outcome) = 0;
};

struct ExchangeSetup {
  OperationKind Kind = OperationKind::Read;
  bool WithTestData = false;                          // read and write also carry the test-data area
  BandVariant ConfigurationBand = BandVariant::Full;  // a write refuses a radio of another band
  bool Verify = false;  // a write reads every block it wrote back before its end packet
};

class RadioProtocol final : public PacketEngineClient {
 public:
  enum class State {
    Idle,
    HandshakeSent,
    IdentificationRequested,
    PasswordRequested,
    PasswordQuestion,  // the password dialog is open
    Transfer,
    RetryQuestion,  // the Retry/Cancel question is open
    Ending,
    Cancelling,  // the end packet of a cancelled operation is out
  };

  RadioProtocol(PacketEngine& engine, Prompter& prompter, const LanguageTexts& texts,
                RememberedPassword& password);

  // Begins a conversation from Idle. The plan must be prepared for the operation (read: first
  // ranges, write: built, information read: sequential); it and `data` must live until the owner
  // hears EndOperation.
  void Start(const ExchangeSetup& setup, TransferPlan& plan, ExchangeData& data, ExchangeOwner& owner);

  // The user cancels: the packet in flight gets its reply (or its one remaining wait), no other
  // packet follows but the end packet, and that only when the radio answered. Ignored when
  // nothing is awaited.
  void Cancel();

  State CurrentState() const { return state_; }

  void OnChunk(std::span<const std::uint8_t> chunk) override;
  void OnUnanswered() override;
  void OnSendFailed() override;

 private:
  enum class Event {
    Start,
    HandshakeReply,
    IdentityAccepted,
    IdentityRejected,
    PasswordAccepted,
    PasswordUnknown,
    PasswordRight,
    PasswordWrong,
    PasswordCancelled,
    BlockReply,
    Ack,
    PlanExhausted,
    Unanswered,
    Retry,
    Cancel,
    SendFailed,
    CancelAnswered,  // the user cancelled; the packet in flight was answered
    CancelUnanswered,
  };
  using Action = void (RadioProtocol::*)();
  struct Transition;
  static const Transition kTransitions[];

  void Fire(Event event);
  std::optional<Event> Recognise(std::span<const std::uint8_t> chunk);

  // Actions of the transition table.
  void SendHandshake();
  void RequestIdentification();
  void ShowZeroAndRequestIdentification();
  void RejectIdentity();
  void RequestPasswordBlock();
  void AskPassword();
  void ResumeTransfer();
  void StoreBlockAndReadStep();
  void CompareBlockAndReadStep();
  void WriteStep();
  void SendEnd();
  void SendLastEnd();
  void EndCancelled();
  void AskRetry();
  void EndCompleted();
  void EndFailed();
  void EndPasswordWrong();
  void EndRetryDeclined();
  void EndPortFailed();

  void ReadStep();
  bool PassedLastBlock();
  void RequestBlock();
  void SendBlockWrite();
  void Send(std::span<const std::uint8_t> packet, std::size_t expectedLength);

  PacketEngine& engine_;
  Prompter& prompter_;
  const LanguageTexts& texts_;
  RememberedPassword& password_;

  State state_ = State::Idle;
  ExchangeSetup setup_;
  TransferPlan* plan_ = nullptr;
  ExchangeData* data_ = nullptr;
  ExchangeOwner* owner_ = nullptr;

  std::int32_t position_ = 0;   // radio address of the block last requested or sent
  std::int32_t lastBlock_ = 0;  // the last block address of the operation's main area
  bool blockInFlight_ = false;  // the block at position_ still awaits its reply
  bool cancelRequested_ = false;
  bool serialBlockRead_ = false;
  bool verifying_ = false;  // a verified write has written its last block and reads them back

  std::vector<BuiltInText> identityProblems_;
  std::string radioPassword_;
  std::array<std::uint8_t, memory_map::kBlockSize> receivedBlock_{};
};

}  // namespace hvt
