#include "radio/virtual_radio.h"

#include <algorithm>
#include <chrono>
#include <ratio>

#include "model/text.h"

namespace hvt {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kIdentRequest = 0x02;
constexpr std::uint8_t kIdentReply = 0x49;
constexpr std::uint8_t kRead = 0x52;
constexpr std::uint8_t kWrite = 0x57;
constexpr std::uint8_t kBlockLength = 0x10;
constexpr std::string_view kHandshake = "PROGRAM";
constexpr std::string_view kEnd = "END";
constexpr std::size_t kReadLength = 4;
constexpr std::size_t kWriteLength = 22;
constexpr std::size_t kBlockReplyLength = 22;
constexpr std::size_t kChecksumIndex = 20;
constexpr std::size_t kIdentModelLength = 7;
constexpr std::size_t kIdentVersionLength = 4;

// Look-alikes of real reply bytes ("W", ACK) make the noise as unhelpful as line noise can be.
constexpr std::array<std::uint8_t, 6> kNoise = {0x00, 0xFF, 0x57, 0x06, 0x55, 0xAA};

// 8N1 puts ten bits on the line for every byte: 960 bytes a second at 9600 baud.
using ByteTimes = std::chrono::duration<std::int64_t, std::ratio<1, 960>>;

SimDuration LineTime(std::int64_t bytes) { return std::chrono::ceil<SimDuration>(ByteTimes(bytes)); }

std::uint8_t Checksum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (const std::uint8_t byte : bytes) sum += byte;
  return static_cast<std::uint8_t>(sum & 0xFF);
}

std::string Hex4(int address) {
  return "0x" + ByteToHex(static_cast<std::uint8_t>(address >> 8)) +
         ByteToHex(static_cast<std::uint8_t>(address));
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const std::uint8_t byte : bytes) text += (text.empty() ? "" : " ") + ByteToHex(byte);
  return text;
}

int AddressOf(std::span<const std::uint8_t> packet) { return packet[1] << 8 | packet[2]; }

bool FitsMemory(int address) {
  return address + memory_map::kBlockSize <= static_cast<int>(radio_memory::kSize);
}

// Copies text into a field and fills the rest with 0x00; longer text is cut.
void PutText(std::span<std::uint8_t> field, std::string_view text) {
  std::fill(field.begin(), field.end(), 0x00);
  const std::size_t length = std::min(field.size(), text.size());
  for (std::size_t i = 0; i < length; ++i) field[i] = static_cast<std::uint8_t>(text[i]);
}

bool HoldsTerminator(std::string_view text) {
  return text.find('\0') != std::string_view::npos || text.find('\xFF') != std::string_view::npos;
}

}  // namespace

std::optional<std::string> RadioSettingsError(const VirtualRadioSettings& settings) {
  if (settings.Model.size() > kIdentModelLength || HoldsTerminator(settings.Model)) {
    return "the model name has at most 7 characters";
  }
  if (settings.Version.size() > kIdentVersionLength) return "the version has at most 4 characters";
  if (settings.Password.size() > radio_memory::kPasswordLength || HoldsTerminator(settings.Password)) {
    return "the password has at most 4 characters";
  }
  return std::nullopt;
}

VirtualRadio::VirtualRadio(VirtualRadioSettings settings) : settings_(std::move(settings)) {
  const auto info = InformationBlock();
  PutText(info.subspan(0, kIdentModelLength), settings_.Model);
  PutText(info.subspan(7, kIdentVersionLength), settings_.Version);
  info[11] = 0x01;  // RF and LCD firmware V1.00
  info[13] = 0x01;
  info[15] = settings_.Band;
  SetPassword(settings_.Password);
}

void VirtualRadio::LoadImage(const RadioImage& image) {
  std::copy(image.Bytes().begin(), image.Bytes().end(), memory_.begin());
}

RadioImage VirtualRadio::Image() const {
  RadioImage image;
  std::copy_n(memory_.begin(), RadioImage::kSize, image.Bytes().begin());
  return image;
}

std::span<std::uint8_t, kEmbeddedInfoSize> VirtualRadio::InformationBlock() {
  return std::span(memory_).subspan<kEmbeddedInfoAddress, kEmbeddedInfoSize>();
}

std::span<std::uint8_t, kTestDataAreaSize> VirtualRadio::TestDataArea() {
  return std::span(memory_).subspan<kTestDataAreaAddress, kTestDataAreaSize>();
}

void VirtualRadio::SetPassword(std::string_view password) {
  settings_.Password = password.substr(0, std::min(password.size(), radio_memory::kPasswordLength));
  PutText(std::span(memory_).subspan(radio_memory::kPassword, radio_memory::kPasswordLength),
          settings_.Password);
}

void VirtualRadio::Receive(std::span<const std::uint8_t> bytes, SimTime now) {
  ReleaseHeldBack(now);
  std::vector<std::uint8_t> skipped;
  const auto logSkipped = [&] {
    if (skipped.empty()) return;
    Log("skipped " + std::to_string(skipped.size()) + " byte(s): " + HexBytes(skipped));
    skipped.clear();
  };
  for (const std::uint8_t byte : bytes) {
    Schedule(std::span(&byte, 1), now);  // the cable's echo comes whatever the radio makes of it
    input_.push_back(byte);
    for (;;) {
      std::size_t length = 0;
      const Framing framing = FrameAtFront(length);
      if (framing == Framing::Incomplete) break;
      if (framing == Framing::Broken) {
        skipped.push_back(input_.front());
        input_.erase(input_.begin());
        continue;
      }
      logSkipped();
      const std::vector<std::uint8_t> packet(input_.begin(),
                                             input_.begin() + static_cast<std::ptrdiff_t>(length));
      input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(length));
      Handle(packet, lastDue_);  // the radio has the packet when its last byte's echo is back
    }
  }
  logSkipped();
}

std::vector<std::uint8_t> VirtualRadio::TakeOutput(SimTime now) {
  ReleaseHeldBack(now);
  std::vector<std::uint8_t> bytes;
  while (!line_.empty() && line_.front().Due <= now) {
    bytes.push_back(line_.front().Byte);
    line_.pop_front();
  }
  return bytes;
}

std::optional<SimTime> VirtualRadio::NextOutputTime() const {
  std::optional<SimTime> next;
  if (!line_.empty()) next = line_.front().Due;
  if (!heldBack_.empty() && (!next || heldBack_.front().Ready < *next)) next = heldBack_.front().Ready;
  return next;
}

VirtualRadio::Framing VirtualRadio::FrameAtFront(std::size_t& length) const {
  if (input_.empty()) return Framing::Incomplete;
  const auto literal = [this, &length](std::string_view text) {
    const std::size_t present = std::min(input_.size(), text.size());
    if (!std::equal(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(present), text.begin())) {
      return Framing::Broken;
    }
    length = text.size();
    return present == text.size() ? Framing::Complete : Framing::Incomplete;
  };
  switch (input_.front()) {
    case 'P':
      return literal(kHandshake);
    case 'E':
      return literal(kEnd);
    case kIdentRequest:
      length = 1;
      return Framing::Complete;
    case kRead:
    case kWrite:
      length = input_.front() == kRead ? kReadLength : kWriteLength;
      if (input_.size() > 3 && input_[3] != kBlockLength) return Framing::Broken;
      if (input_.size() < length) return Framing::Incomplete;
      return length == kWriteLength && input_[kWriteLength - 1] != kAck ? Framing::Broken : Framing::Complete;
    default:
      return Framing::Broken;
  }
}

void VirtualRadio::Handle(std::span<const std::uint8_t> packet, SimTime ready) {
  const std::uint8_t kind = packet[0];
  std::string what = kind == 'P'             ? "PROGRAM"
                     : kind == 'E'           ? "END"
                     : kind == kIdentRequest ? "identification"
                     : kind == kRead         ? "read " + Hex4(AddressOf(packet))
                                             : "write " + Hex4(AddressOf(packet));
  if (settings_.Faults.SilentAfterBlocks && blocksAnswered_ >= *settings_.Faults.SilentAfterBlocks) {
    Log(what + ": silent");
    return;
  }
  if (kind == 'P') {
    programming_ = true;
    Answer({'Q', 'X', kAck}, false, what + " -> Q X ACK", ready);
    return;
  }
  if (!programming_) {
    Log(what + ": no handshake yet, no answer");
    return;
  }
  if (kind == 'E') {
    programming_ = false;
    Answer({kAck}, false, what + " -> ACK", ready);
  } else if (kind == kIdentRequest) {
    std::vector<std::uint8_t> reply(16, 0x00);
    reply[0] = kIdentReply;
    PutText(std::span(reply).subspan(1, kIdentModelLength), settings_.Model);
    reply[8] = settings_.Band;
    PutText(std::span(reply).subspan(9, kIdentVersionLength), settings_.Version);
    reply[15] = kAck;
    Answer(std::move(reply), false,
           what + " -> " + settings_.Model + ", band " + std::to_string(settings_.Band) + ", " +
               settings_.Version,
           ready);
  } else {
    const int address = AddressOf(packet);
    if (!FitsMemory(address)) {
      Log(what + ": outside the memory, no answer");
      return;
    }
    const auto block = std::span(memory_).subspan(static_cast<std::size_t>(address), memory_map::kBlockSize);
    if (kind == kRead) {
      std::vector<std::uint8_t> reply{kWrite, packet[1], packet[2], kBlockLength};
      reply.insert(reply.end(), block.begin(), block.end());
      reply.push_back(Checksum(std::span(reply).subspan(1)));
      reply.push_back(kAck);
      Answer(std::move(reply), true, what, ready);
    } else if (Checksum(packet.subspan(1, kChecksumIndex - 1)) != packet[kChecksumIndex]) {
      Log(what + ": checksum wrong, no answer");
    } else {
      std::copy_n(packet.begin() + 4, memory_map::kBlockSize, block.begin());
      if (settings_.Faults.Misstore.contains(address)) {
        block[0] = static_cast<std::uint8_t>(~block[0]);
        what += " [stored wrongly]";
      }
      Answer({kAck}, true, what + " -> ACK", ready);
    }
  }
}

void VirtualRadio::Answer(std::vector<std::uint8_t> reply, bool blockPacket, std::string what,
                          SimTime ready) {
  const int number = ++replyCount_;
  if (blockPacket) ++blocksAnswered_;
  const RadioFaults& faults = settings_.Faults;
  const bool blockReply = reply.size() == kBlockReplyLength;
  if (faults.WrongAddress.contains(number) && blockReply) {
    const int wrong = (AddressOf(reply) + memory_map::kBlockSize) & 0xFFFF;
    reply[1] = static_cast<std::uint8_t>(wrong >> 8);
    reply[2] = static_cast<std::uint8_t>(wrong);
    reply[kChecksumIndex] = Checksum(std::span(reply).subspan(1, kChecksumIndex - 1));
    what += " [address " + Hex4(wrong) + "]";
  }
  if (faults.Corrupt.contains(number)) {
    auto& check = blockReply ? reply[kChecksumIndex] : reply.back();
    check = static_cast<std::uint8_t>(blockReply ? check + 1 : check ^ 0xFF);
    what += " [corrupted]";
  }
  if (const auto noise = faults.Noise.find(number); noise != faults.Noise.end()) {
    std::vector<std::uint8_t> garbage;
    for (int i = 0; i < noise->second; ++i)
      garbage.push_back(kNoise[static_cast<std::size_t>(i) % kNoise.size()]);
    reply.insert(reply.begin(), garbage.begin(), garbage.end());
    what += " [noise " + std::to_string(noise->second) + "]";
  }
  if (faults.Drop.contains(number)) {
    Log("#" + std::to_string(number) + " " + what + " [dropped]");
    return;
  }
  SimTime start = ready;
  if (const auto delay = faults.Delay.find(number); delay != faults.Delay.end()) {
    start += delay->second;
    what += " [delayed " + std::to_string(delay->second.count()) + " ms]";
  }
  std::size_t pieces = 1;
  if (const auto split = faults.Split.find(number); split != faults.Split.end()) {
    pieces = std::min(static_cast<std::size_t>(split->second), reply.size());
    what += " [" + std::to_string(pieces) + " pieces]";
  }
  Log("#" + std::to_string(number) + " " + what);
  for (std::size_t i = 0; i < pieces; ++i) {
    const auto begin = reply.begin() + static_cast<std::ptrdiff_t>(i * reply.size() / pieces);
    const auto end = reply.begin() + static_cast<std::ptrdiff_t>((i + 1) * reply.size() / pieces);
    // Paced, the gap comes on top of the time the earlier pieces spend on the line.
    const auto before = static_cast<std::int64_t>(begin - reply.begin());
    const SimTime pieceReady = start + static_cast<int>(i) * kSplitGap +
                               (settings_.Paced && i > 0 ? LineTime(before) : SimDuration{});
    if (pieceReady == ready) {
      Schedule(std::span(begin, end), ready);
    } else {
      HoldBack({begin, end}, pieceReady);
    }
  }
}

void VirtualRadio::Schedule(std::span<const std::uint8_t> bytes, SimTime ready) {
  for (const std::uint8_t byte : bytes) {
    SimTime due = std::max(ready, lastDue_);
    if (settings_.Paced) {
      if (ready > lastDue_) {  // the line is idle: a new burst begins
        burstStart_ = ready;
        burstBytes_ = 0;
      }
      due = burstStart_ + LineTime(++burstBytes_);
    }
    lastDue_ = due;
    line_.push_back({due, byte});
  }
}

void VirtualRadio::HoldBack(std::vector<std::uint8_t> bytes, SimTime ready) {
  const auto at = std::upper_bound(heldBack_.begin(), heldBack_.end(), ready,
                                   [](SimTime time, const HeldBack& held) { return time < held.Ready; });
  heldBack_.insert(at, {ready, std::move(bytes)});
}

void VirtualRadio::ReleaseHeldBack(SimTime now) {
  while (!heldBack_.empty() && heldBack_.front().Ready <= now) {
    const HeldBack held = std::move(heldBack_.front());
    heldBack_.erase(heldBack_.begin());
    Schedule(held.Bytes, held.Ready);
  }
}

void VirtualRadio::Log(const std::string& line) const {
  if (log_) log_(line);
}

}  // namespace hvt
