// Theory of operation
// ===================
//
// Every exchange is one packet and one reply (the packet engine sends, waits 300 ms, resends up
// to twice). The cable echoes each packet ahead of the reply; replies below start after the echo.
// Addresses are big-endian, ACK is 0x06, a block's checksum is the byte sum of address, length
// and data.
//
//   packet                  sent                                   reply after the echo
//   handshake               "PROGRAM"                              'Q' 'X' ACK
//   identification          0x02                                   'I' model[7] band version[4] ?? ?? ACK
//   block read              'R' hi lo 0x10                         'W' hi lo 0x10 data[16] sum ACK
//   block write             'W' hi lo 0x10 data[16] sum ACK        ACK
//   end                     "END"                                  ACK
//
// A conversation: handshake, identification (model "HVT7300", version "V100", and on a write the
// radio's band must be the configuration's), for a read or write the password block at 0x3B10,
// then one block after another as the transfer plan orders them, then the end packet.
//
// Each state awaits exactly one kind of reply (Recognise); a chunk that is not that reply, or not
// byte-exact, is ignored and the wait's expiry resends the packet. Only the handshake's reply is
// looked for among all bytes collected since the handshake went out, as the radio may send it in
// pieces and after noise; a bare echo + ACK also answers the handshake.
//
// A verified write, once its last block is acknowledged, walks the same plan again with block
// reads and compares each reply with what it sent; the blocks that differ make the operation fail
// after the end packet. A Retry during this read-back resumes it, not the writing.
//
// A read also fetches the information block's serial-number block (0x3B20) right after the
// password block, so that the configuration read can be kept under the radio's serial number.
//
// The position is the radio address of the block in flight. A step advances it by one block and
// lets the plan move it past skipped ranges; a read's first step after the bitmaps builds the rest
// of its plan from them. With test data on, a read or write jumps from the end of the image to
// 0x3F80 and takes the four blocks up to 0x3FB0 too. A block read at address a goes to the
// information block (0x3B00-0x3BFF), the image (a < 0x3F80) or the test-data area.
//
// After three unanswered sends the user chooses Retry or Cancel. Retry restarts from the
// handshake with position and progress kept; the block whose exchange failed is then sent again,
// so a resumed read leaves no hole and a resumed write leaves no block unwritten. An end packet
// that stays unanswered still ends the operation successfully: every block was acknowledged.
// A right password typed in the dialog also restarts from the handshake, which then passes.
// A packet that cannot be sent at all (the port is gone) ends the operation as failed, except
// the end packet, for the same reason.
//
// A failure leaves its cause in the exchange data (the port's problem, a wrong password, a Retry
// declined, and for a write whether any block went out) for the owner to tell in one message.
//
// The user may cancel while a reply is awaited. The packet in flight is never cut: its reply is
// awaited (without further resends), then only the end packet goes out, so the radio leaves
// programming mode; a radio that stayed silent gets nothing more. The operation then ends as
// cancelled. A read cancelled this way keeps nothing; a write has changed part of the radio.
//
// The dialogs (identity messages, password, Retry/Cancel) are synchronous Prompter calls made with
// the wait stopped; the states PasswordQuestion and RetryQuestion hold while they are open, so
// input that arrives meanwhile matches no row and is ignored.

#include "link/radio_protocol.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "i18n/text_keys.h"

namespace hvt {

namespace {

using State = RadioProtocol::State;

constexpr std::uint8_t kAck = 0x06;
constexpr std::array<std::uint8_t, 10> kHandshakeAnswer = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D,  // echo
                                                           0x51, 0x58, kAck};
constexpr std::array<std::uint8_t, 1> kIdentificationRequest = {0x02};
constexpr std::array<std::uint8_t, 3> kEndPacket = {0x45, 0x4E, 0x44};
constexpr std::uint8_t kIdentificationMark = 0x49;  // 'I'
constexpr std::uint8_t kReadMark = 0x52;            // 'R'
constexpr std::uint8_t kBlockMark = 0x57;           // 'W'

constexpr std::size_t kHandshakeReplyLength = 3;
constexpr std::size_t kIdentificationReplyLength = 16;
constexpr std::size_t kBlockReplyLength = 22;
constexpr std::size_t kAckReplyLength = 1;

constexpr std::int32_t kBlockSize = memory_map::kBlockSize;
constexpr std::int32_t kInformationEnd =
    kEmbeddedInfoAddress + static_cast<std::int32_t>(kEmbeddedInfoSize) - 1;
constexpr std::int32_t kTestDataEnd = kTestDataAreaAddress + static_cast<std::int32_t>(kTestDataAreaSize) - 1;

constexpr unsigned Bit(State state) { return 1U << static_cast<unsigned>(state); }
constexpr unsigned Bit(OperationKind kind) { return 1U << static_cast<unsigned>(kind); }

constexpr unsigned kAwaitingData = Bit(State::HandshakeSent) | Bit(State::IdentificationRequested) |
                                   Bit(State::PasswordRequested) | Bit(State::Transfer);
constexpr unsigned kAny =
    Bit(OperationKind::Read) | Bit(OperationKind::Write) | Bit(OperationKind::InformationRead);
constexpr unsigned kReadOrWrite = Bit(OperationKind::Read) | Bit(OperationKind::Write);
constexpr unsigned kReading = Bit(OperationKind::Read) | Bit(OperationKind::InformationRead);
constexpr unsigned kWrite = Bit(OperationKind::Write);
constexpr unsigned kInformation = Bit(OperationKind::InformationRead);

}  // namespace

struct RadioProtocol::Transition {
  unsigned From;  // set of states
  Event On;
  unsigned Operations;  // set of operation kinds
  State To;
  Action Do;
};

// Every transition. The state changes before the action runs; an action that sends may fire
// SendFailed, and a step may fire PlanExhausted. Events that match no row are ignored.
// clang-format off
const RadioProtocol::Transition RadioProtocol::kTransitions[] = {
//  from                                  event                     operations    to                              action
  {Bit(State::Idle),                    Event::Start,             kAny,         State::HandshakeSent,           &RadioProtocol::SendHandshake},
  {Bit(State::HandshakeSent),           Event::HandshakeReply,    kReadOrWrite, State::IdentificationRequested, &RadioProtocol::ShowZeroAndRequestIdentification},
  {Bit(State::HandshakeSent),           Event::HandshakeReply,    kInformation, State::IdentificationRequested, &RadioProtocol::RequestIdentification},
  {Bit(State::IdentificationRequested), Event::IdentityAccepted,  kReadOrWrite, State::PasswordRequested,       &RadioProtocol::RequestPasswordBlock},
  {Bit(State::IdentificationRequested), Event::IdentityAccepted,  kInformation, State::Transfer,                &RadioProtocol::ResumeTransfer},
  {Bit(State::IdentificationRequested), Event::IdentityRejected,  kAny,         State::Idle,                    &RadioProtocol::RejectIdentity},
  {Bit(State::PasswordRequested),       Event::PasswordAccepted,  kReadOrWrite, State::Transfer,                &RadioProtocol::ResumeTransfer},
  {Bit(State::PasswordRequested),       Event::PasswordUnknown,   kReadOrWrite, State::PasswordQuestion,        &RadioProtocol::AskPassword},
  {Bit(State::PasswordQuestion),        Event::PasswordRight,     kReadOrWrite, State::HandshakeSent,           &RadioProtocol::SendHandshake},
  {Bit(State::PasswordQuestion),        Event::PasswordWrong,     kReadOrWrite, State::Idle,                    &RadioProtocol::EndPasswordWrong},
  {Bit(State::PasswordQuestion),        Event::PasswordCancelled, kReadOrWrite, State::Idle,                    &RadioProtocol::EndFailed},
  {Bit(State::Transfer),                Event::BlockReply,        kReading,     State::Transfer,                &RadioProtocol::StoreBlockAndReadStep},
  {Bit(State::Transfer),                Event::Ack,               kWrite,       State::Transfer,                &RadioProtocol::WriteStep},
  {Bit(State::Transfer),                Event::BlockReply,        kWrite,       State::Transfer,                &RadioProtocol::CompareBlockAndReadStep},
  {Bit(State::Transfer),                Event::PlanExhausted,     kAny,         State::Ending,                  &RadioProtocol::SendEnd},
  {Bit(State::Ending),                  Event::Ack,               kAny,         State::Idle,                    &RadioProtocol::EndCompleted},
  {kAwaitingData,                       Event::Unanswered,        kAny,         State::RetryQuestion,           &RadioProtocol::AskRetry},
  {Bit(State::RetryQuestion),           Event::Retry,             kAny,         State::HandshakeSent,           &RadioProtocol::SendHandshake},
  {Bit(State::RetryQuestion),           Event::Cancel,            kAny,         State::Idle,                    &RadioProtocol::EndRetryDeclined},
  {Bit(State::Ending),                  Event::Unanswered,        kAny,         State::Idle,                    &RadioProtocol::EndCompleted},
  {kAwaitingData,                       Event::SendFailed,        kAny,         State::Idle,                    &RadioProtocol::EndPortFailed},
  {Bit(State::Ending),                  Event::SendFailed,        kAny,         State::Idle,                    &RadioProtocol::EndCompleted},
  {kAwaitingData,                       Event::CancelAnswered,    kAny,         State::Cancelling,              &RadioProtocol::SendLastEnd},
  {kAwaitingData,                       Event::CancelUnanswered,  kAny,         State::Idle,                    &RadioProtocol::EndCancelled},
  {Bit(State::Cancelling),              Event::Ack,               kAny,         State::Idle,                    &RadioProtocol::EndCancelled},
  {Bit(State::Cancelling),              Event::Unanswered,        kAny,         State::Idle,                    &RadioProtocol::EndCancelled},
  {Bit(State::Cancelling),              Event::SendFailed,        kAny,         State::Idle,                    &RadioProtocol::EndCancelled},
};
// clang-format on

namespace {

struct BlockReply {
  std::int32_t Address = 0;
  std::uint8_t Length = 0;
  std::array<std::uint8_t, memory_map::kBlockSize> Data{};
};

std::uint8_t Checksum(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0U));
}

bool IsBareAck(std::span<const std::uint8_t> chunk, std::size_t echo) {
  return chunk.size() == echo + kAckReplyLength && chunk.back() == kAck;
}

std::optional<BlockReply> ParseBlockReply(std::span<const std::uint8_t> chunk, std::size_t echo) {
  if (chunk.size() != echo + kBlockReplyLength) return std::nullopt;
  const auto reply = chunk.subspan(echo);
  if (reply[0] != kBlockMark || reply[21] != kAck || reply[20] != Checksum(reply.subspan(1, 19)))
    return std::nullopt;
  BlockReply block;
  block.Address = reply[1] << 8 | reply[2];
  block.Length = reply[3];
  std::ranges::copy(reply.subspan(4, memory_map::kBlockSize), block.Data.begin());
  return block;
}

std::optional<RadioIdentity> ParseIdentification(std::span<const std::uint8_t> chunk, std::size_t echo) {
  if (chunk.size() != echo + kIdentificationReplyLength) return std::nullopt;
  const auto reply = chunk.subspan(echo);
  if (reply[0] != kIdentificationMark || reply[15] != kAck) return std::nullopt;
  RadioIdentity identity;
  for (const std::uint8_t byte : reply.subspan(1, 7)) {
    if (byte == 0x00 || byte == 0xFF) break;
    identity.Model.push_back(static_cast<char>(byte));
  }
  identity.BandByte = reply[8];
  for (const std::uint8_t byte : reply.subspan(9, 4)) {
    if (byte != 0x00 && byte != 0xFF) identity.Version.push_back(static_cast<char>(byte));
  }
  return identity;
}

std::vector<BuiltInText> IdentityProblems(const RadioIdentity& identity, const ExchangeSetup& setup) {
  std::vector<BuiltInText> problems;
  if (identity.Model != kModelName) {
    problems.push_back(BuiltInText::WrongModel);
  } else if (identity.Version != kFirmwareVersion) {
    problems.push_back(BuiltInText::WrongVersion);
  }
  if (setup.Kind == OperationKind::Write && identity.BandByte != static_cast<int>(setup.ConfigurationBand)) {
    problems.push_back(BuiltInText::WrongBand);
  }
  return problems;
}

// "Band 2 (UHF{...} VHF{...})"; a number that is no band variant has no band text.
std::string BandDescription(int number) {
  std::string text = "Band " + std::to_string(number + 1);
  if (const auto band = BandVariantFromNumber(number)) text += " (" + std::string(BandText(*band)) + ")";
  return text;
}

std::string BandsDiffer(const LanguageTexts& texts, int radioBand, int configurationBand) {
  std::string text = texts.LanguageText(text_key::BandsDiffer);
  for (const auto& [marker, number] : {std::pair{"%1", radioBand}, std::pair{"%2", configurationBand}}) {
    if (const auto at = text.find(marker); at != std::string::npos)
      text.replace(at, 2, BandDescription(number));
  }
  return text;
}

std::array<std::uint8_t, 4> ReadRequest(std::int32_t address) {
  return {kReadMark, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
          static_cast<std::uint8_t>(kBlockSize)};
}

}  // namespace

std::span<std::uint8_t> BlockStore(ExchangeData& data, std::int32_t address) {
  const auto within = [address](std::span<std::uint8_t> store,
                                std::int32_t start) -> std::span<std::uint8_t> {
    const std::int32_t offset = address - start;
    if (offset < 0 || offset + kBlockSize > static_cast<std::int32_t>(store.size())) return {};
    return store.subspan(static_cast<std::size_t>(offset), kBlockSize);
  };
  if (kEmbeddedInfoAddress <= address && address <= kInformationEnd)
    return within(data.Information, kEmbeddedInfoAddress);
  if (address < kTestDataAreaAddress) return within(data.Image.Bytes(), 0);
  return within(data.TestData, kTestDataAreaAddress);
}

RadioProtocol::RadioProtocol(PacketEngine& engine, Prompter& prompter, const LanguageTexts& texts,
                             RememberedPassword& password)
    : engine_(engine), prompter_(prompter), texts_(texts), password_(password) {}

void RadioProtocol::Start(const ExchangeSetup& setup, TransferPlan& plan, ExchangeData& data,
                          ExchangeOwner& owner) {
  if (state_ != State::Idle) return;
  setup_ = setup;
  plan_ = &plan;
  data_ = &data;
  owner_ = &owner;
  const bool information = setup.Kind == OperationKind::InformationRead;
  position_ = (information ? kEmbeddedInfoAddress : 0) - kBlockSize;
  lastBlock_ = information ? kInformationEnd : kLastImageBlock;
  blockInFlight_ = false;
  cancelRequested_ = false;
  serialBlockRead_ = false;
  verifying_ = false;
  data.DifferingBlocks.clear();
  data.BlocksWritten = false;
  data.PortProblem.clear();
  data.PasswordWrong = false;
  data.RetryDeclined = false;
  Fire(Event::Start);
}

void RadioProtocol::Cancel() {
  if ((kAwaitingData & Bit(state_)) == 0) return;
  cancelRequested_ = true;
  engine_.NoMoreResends();
}

void RadioProtocol::Fire(Event event) {
  for (const Transition& row : kTransitions) {
    if ((row.From & Bit(state_)) != 0 && row.On == event && (row.Operations & Bit(setup_.Kind)) != 0) {
      state_ = row.To;
      (this->*row.Do)();
      return;
    }
  }
}

void RadioProtocol::OnChunk(std::span<const std::uint8_t> chunk) {
  const std::optional<Event> event = Recognise(chunk);
  if (!event) return;
  engine_.StopWaiting();
  const bool cancelling = cancelRequested_ && (kAwaitingData & Bit(state_)) != 0;
  Fire(cancelling ? Event::CancelAnswered : *event);
}

void RadioProtocol::OnUnanswered() {
  const bool cancelling = cancelRequested_ && (kAwaitingData & Bit(state_)) != 0;
  Fire(cancelling ? Event::CancelUnanswered : Event::Unanswered);
}

void RadioProtocol::OnSendFailed() { Fire(Event::SendFailed); }

std::optional<RadioProtocol::Event> RadioProtocol::Recognise(std::span<const std::uint8_t> chunk) {
  const std::size_t echo = engine_.EchoLength();
  switch (state_) {
    case State::HandshakeSent: {
      const auto collected = engine_.HandshakeCollected();
      if (std::search(collected.begin(), collected.end(), kHandshakeAnswer.begin(), kHandshakeAnswer.end()) !=
              collected.end() ||
          IsBareAck(chunk, echo)) {
        return Event::HandshakeReply;
      }
      return std::nullopt;
    }
    case State::IdentificationRequested: {
      const auto identity = ParseIdentification(chunk, echo);
      if (!identity) return std::nullopt;
      data_->Identity = *identity;
      identityProblems_ = IdentityProblems(*identity, setup_);
      return identityProblems_.empty() ? Event::IdentityAccepted : Event::IdentityRejected;
    }
    case State::PasswordRequested: {
      const auto block = ParseBlockReply(chunk, echo);
      if (!block || block->Address != kPasswordBlockAddress) return std::nullopt;
      radioPassword_ = RadioPassword(block->Data);
      return PasswordAccepted(radioPassword_, password_.Text()) ? Event::PasswordAccepted
                                                                : Event::PasswordUnknown;
    }
    case State::Transfer: {
      if (setup_.Kind == OperationKind::Write && !verifying_) {
        return IsBareAck(chunk, echo) ? std::optional(Event::Ack) : std::nullopt;
      }
      const auto block = ParseBlockReply(chunk, echo);
      if (!block || block->Address != position_ || block->Length != kBlockSize ||
          BlockStore(*data_, position_).empty()) {
        return std::nullopt;
      }
      receivedBlock_ = block->Data;
      return Event::BlockReply;
    }
    case State::Ending:
    case State::Cancelling:
      return IsBareAck(chunk, echo) ? std::optional(Event::Ack) : std::nullopt;
    case State::Idle:
    case State::PasswordQuestion:
    case State::RetryQuestion:
      return std::nullopt;
  }
  return std::nullopt;
}

void RadioProtocol::Send(std::span<const std::uint8_t> packet, std::size_t expectedLength) {
  if (!engine_.SendPacket(packet, expectedLength)) Fire(Event::SendFailed);
}

void RadioProtocol::SendHandshake() { Send(kHandshakePacket, kHandshakeReplyLength); }

void RadioProtocol::RequestIdentification() { Send(kIdentificationRequest, kIdentificationReplyLength); }

void RadioProtocol::ShowZeroAndRequestIdentification() {
  owner_->ProgressRestarts();
  RequestIdentification();
}

void RadioProtocol::RejectIdentity() {
  for (const BuiltInText problem : identityProblems_) {
    std::string text(texts_.BuiltIn(problem));
    if (problem == BuiltInText::WrongBand) {
      text +=
          "\n" + BandsDiffer(texts_, data_->Identity->BandByte, static_cast<int>(setup_.ConfigurationBand));
    }
    prompter_.Tell(text);
  }
  owner_->EndOperation(OperationOutcome::Failed);
}

void RadioProtocol::RequestPasswordBlock() { Send(ReadRequest(kPasswordBlockAddress), kBlockReplyLength); }

void RadioProtocol::AskPassword() {
  switch (password_.AskFor(radioPassword_, prompter_)) {
    case PasswordAnswer::Accepted:
      Fire(Event::PasswordRight);
      return;
    case PasswordAnswer::Wrong:
      Fire(Event::PasswordWrong);
      return;
    case PasswordAnswer::Cancelled:
      Fire(Event::PasswordCancelled);
      return;
  }
}

void RadioProtocol::ResumeTransfer() {
  if (!blockInFlight_ && setup_.Kind == OperationKind::Read && !serialBlockRead_) {
    position_ = kSerialNumberBlockAddress;
    RequestBlock();
    return;
  }
  const bool writing = setup_.Kind == OperationKind::Write && !verifying_;
  if (!blockInFlight_) {
    writing ? WriteStep() : ReadStep();
  } else if (writing) {
    SendBlockWrite();
  } else {
    RequestBlock();
  }
}

void RadioProtocol::StoreBlockAndReadStep() {
  std::ranges::copy(receivedBlock_, BlockStore(*data_, position_).begin());
  if (position_ == kSerialNumberBlockAddress && setup_.Kind == OperationKind::Read) {
    serialBlockRead_ = true;
    position_ = -kBlockSize;  // the plan starts from the beginning
  }
  ReadStep();
}

void RadioProtocol::CompareBlockAndReadStep() {
  if (!std::ranges::equal(receivedBlock_, BlockStore(*data_, position_)))
    data_->DifferingBlocks.push_back(position_);
  ReadStep();
}

void RadioProtocol::ReadStep() {
  blockInFlight_ = false;
  position_ = plan_->NextAddress(position_ + kBlockSize);
  if (position_ < 0) {
    plan_->BuildReadPlan(data_->Image);
    position_ = plan_->NextAddress(0);
  }
  if (PassedLastBlock()) {
    Fire(Event::PlanExhausted);
    return;
  }
  if (verifying_ ||
      (setup_.Kind == OperationKind::Read && plan_->CurrentMode() == TransferPlan::Mode::ReadPlan))
    owner_->CountBlock();
  RequestBlock();
}

void RadioProtocol::WriteStep() {
  blockInFlight_ = false;
  position_ = plan_->NextAddress(position_ + kBlockSize);
  owner_->CountBlock();
  if (PassedLastBlock()) {
    if (!setup_.Verify) {
      Fire(Event::PlanExhausted);
      return;
    }
    verifying_ = true;
    position_ = -kBlockSize;  // the read-back walks the plan from its start
    ReadStep();
    return;
  }
  SendBlockWrite();
}

bool RadioProtocol::PassedLastBlock() {
  if (setup_.WithTestData && setup_.Kind != OperationKind::InformationRead) {
    if (position_ > lastBlock_ && position_ < kTestDataAreaAddress) position_ = kTestDataAreaAddress;
    return position_ > kTestDataEnd;
  }
  return position_ > lastBlock_;
}

void RadioProtocol::RequestBlock() {
  blockInFlight_ = true;
  Send(ReadRequest(position_), kBlockReplyLength);
}

void RadioProtocol::SendBlockWrite() {
  const auto block = BlockStore(*data_, position_);
  if (block.empty()) {  // the plan never leads outside the stores; refuse rather than send garbage
    Fire(Event::SendFailed);
    return;
  }
  std::array<std::uint8_t, kBlockReplyLength> packet{};
  packet[0] = kBlockMark;
  packet[1] = static_cast<std::uint8_t>(position_ >> 8);
  packet[2] = static_cast<std::uint8_t>(position_ & 0xFF);
  packet[3] = static_cast<std::uint8_t>(kBlockSize);
  std::ranges::copy(block, packet.begin() + 4);
  packet[20] = Checksum(std::span(packet).subspan(1, 19));
  packet[21] = kAck;
  blockInFlight_ = true;
  data_->BlocksWritten = true;
  Send(packet, kAckReplyLength);
}

void RadioProtocol::SendEnd() { Send(kEndPacket, kAckReplyLength); }

void RadioProtocol::SendLastEnd() {
  SendEnd();
  engine_.NoMoreResends();
}

void RadioProtocol::AskRetry() { Fire(engine_.AskRetry() ? Event::Retry : Event::Cancel); }

// Every block was acknowledged; a verified write still fails when one came back different.
void RadioProtocol::EndCompleted() {
  owner_->EndOperation(data_->DifferingBlocks.empty() ? OperationOutcome::Succeeded
                                                      : OperationOutcome::Failed);
}

void RadioProtocol::EndFailed() { owner_->EndOperation(OperationOutcome::Failed); }

void RadioProtocol::EndPasswordWrong() {
  data_->PasswordWrong = true;
  EndFailed();
}

void RadioProtocol::EndRetryDeclined() {
  data_->RetryDeclined = true;
  EndFailed();
}

void RadioProtocol::EndPortFailed() {
  data_->PortProblem = engine_.PortProblem();
  EndFailed();
}

void RadioProtocol::EndCancelled() { owner_->EndOperation(OperationOutcome::Cancelled); }

}  // namespace hvt
