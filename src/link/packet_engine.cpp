#include "link/packet_engine.h"

#include <algorithm>

#include "i18n/text_keys.h"

namespace hvt {

namespace {

// Marks the engine busy for as long as it lives; the outermost one handles what was queued.
class HandlingScope {
 public:
  explicit HandlingScope(bool& handling) : handling_(handling), outermost_(!handling) { handling_ = true; }
  ~HandlingScope() {
    if (outermost_) handling_ = false;
  }
  HandlingScope(const HandlingScope&) = delete;
  HandlingScope& operator=(const HandlingScope&) = delete;
  bool Outermost() const { return outermost_; }

 private:
  bool& handling_;
  bool outermost_;
};

}  // namespace

PacketEngine::PacketEngine(LinkPort& port, ReplyTimer& timer, Prompter& prompter, const LanguageTexts& texts)
    : port_(port), timer_(timer), prompter_(prompter), texts_(texts) {
  port_.SetListener(this);
  timer_.SetListener(this);
}

PacketEngine::~PacketEngine() {
  port_.SetListener(nullptr);
  timer_.SetListener(nullptr);
}

bool PacketEngine::OpenLinkPort() {
  if (port_.IsOpen()) port_.Close();
  port_.SetReceiveThreshold(1);
  if (port_.Open()) return true;
  prompter_.Tell(PortFailureText(text_key::PortOpenFailed));
  return false;
}

void PacketEngine::ClosePort() {
  if (port_.IsOpen()) port_.Close();
}

bool PacketEngine::SendPacket(std::span<const std::uint8_t> packet, std::size_t expectedLength) {
  saved_.assign(packet.begin(), packet.end());
  expectedLength_ = expectedLength;
  resendCount_ = 0;
  lastTry_ = false;
  return Send();
}

bool PacketEngine::Send() {
  HandlingScope scope(handling_);
  received_ = 0;
  queued_.clear();
  portProblem_.clear();
  // A port that cannot be written once open was lost (the cable pulled), not "cannot be opened".
  bool openFailed = false;
  const bool sent = [&] {
    if (!port_.IsOpen() && !port_.Open()) {
      openFailed = true;
      return false;
    }
    port_.SetReceiveThreshold(IsHandshakePacket() ? 1 : saved_.size() + expectedLength_);
    awaiting_ = true;
    timer_.Start(kReplyWait);
    port_.DiscardBuffers();
    return port_.Write(saved_);
  }();
  if (!sent) {
    StopWaiting();
    portProblem_ = PortFailureText(openFailed ? text_key::PortOpenFailed : text_key::PortLost);
    return false;
  }
  if (scope.Outermost()) HandleQueued();
  return true;
}

void PacketEngine::StopWaiting() {
  awaiting_ = false;
  timer_.Stop();
  queued_.clear();
}

bool PacketEngine::AskRetry() {
  ClosePort();
  return prompter_.Ask(texts_.LanguageText(text_key::RadioNotAnswering), PromptButtons::RetryCancel,
                       PromptIcon::None) == PromptAnswer::Retry;
}

void PacketEngine::Finish() {
  StopWaiting();
  ClosePort();
}

std::span<const std::uint8_t> PacketEngine::HandshakeCollected() const {
  if (!IsHandshakePacket()) return {};
  return std::span(handshake_).first(received_);
}

bool PacketEngine::IsHandshakePacket() const { return std::ranges::equal(saved_, kHandshakePacket); }

void PacketEngine::OnReceive(std::span<const std::uint8_t> bytes) { Deliver(EventKind::Bytes, bytes); }

void PacketEngine::OnPortLost() { Deliver(EventKind::PortLost, {}); }

void PacketEngine::OnTimeout() { Deliver(EventKind::Timeout, {}); }

void PacketEngine::Deliver(EventKind kind, std::span<const std::uint8_t> bytes) {
  if (handling_) {
    queued_.push_back({kind, {bytes.begin(), bytes.end()}});
    return;
  }
  HandlingScope scope(handling_);
  Handle(kind, bytes);
  HandleQueued();
}

void PacketEngine::HandleQueued() {
  while (!queued_.empty()) {
    const Event event = std::move(queued_.front());
    queued_.pop_front();
    Handle(event.Kind, event.Bytes);
  }
}

void PacketEngine::Handle(EventKind kind, std::span<const std::uint8_t> bytes) {
  if (!awaiting_ || client_ == nullptr) return;
  switch (kind) {
    case EventKind::Bytes:
      if (IsHandshakePacket()) Collect(bytes);
      client_->OnChunk(bytes);
      return;
    case EventKind::PortLost:
      // Waiting out the resends would only retry a port that is gone.
      StopWaiting();
      portProblem_ = PortFailureText(text_key::PortLost);
      client_->OnSendFailed();
      return;
    case EventKind::Timeout:
      break;
  }
  timer_.Stop();
  if (resendCount_ < kMaxResends && !lastTry_) {
    ++resendCount_;
    if (!Send()) client_->OnSendFailed();
    return;
  }
  awaiting_ = false;
  client_->OnUnanswered();
}

void PacketEngine::Collect(std::span<const std::uint8_t> chunk) {
  if (received_ + chunk.size() > handshake_.size()) received_ = 0;
  // Only line noise is this long; the reply, if any, is at its end.
  if (chunk.size() > handshake_.size()) chunk = chunk.last(handshake_.size());
  std::ranges::copy(chunk, handshake_.begin() + static_cast<std::ptrdiff_t>(received_));
  received_ += chunk.size();
}

std::string PacketEngine::PortFailureText(std::int32_t key) const {
  std::string text = texts_.LanguageText(key);
  if (const std::string detail = port_.FailureDetail(); !detail.empty()) text += "\n" + detail;
  return text;
}

}  // namespace hvt
