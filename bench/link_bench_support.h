#pragma once

// What the link benchmarks share: a user who confirms everything, and a port that lets the
// benchmark watch the packets going out and the bytes coming in.

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "i18n/prompter.h"
#include "link/link_port.h"

namespace hvt {

// Confirms every question and gives up on anything else; keeps what it was told.
class YesPrompter final : public Prompter {
 public:
  std::vector<std::string> Told;

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon) override {
    Told.emplace_back(text);
    return buttons == PromptButtons::RetryCancel ? PromptAnswer::Cancel : PromptAnswer::Ok;
  }
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskPassword(std::string_view) override { return std::nullopt; }
};

// Passes everything through unchanged, telling the watchers what goes each way.
class WatchedPort final : public LinkPort, private LinkPortListener {
 public:
  explicit WatchedPort(LinkPort& port) : port_(port) { port_.SetListener(this); }
  ~WatchedPort() override { port_.SetListener(nullptr); }
  WatchedPort(const WatchedPort&) = delete;
  WatchedPort& operator=(const WatchedPort&) = delete;

  std::function<void(std::span<const std::uint8_t>)> Sending;
  std::function<void(std::span<const std::uint8_t>)> Received;

  void SetListener(LinkPortListener* listener) override { listener_ = listener; }
  bool Open() override { return port_.Open(); }
  void Close() override { port_.Close(); }
  bool IsOpen() const override { return port_.IsOpen(); }
  bool Write(std::span<const std::uint8_t> bytes) override {
    if (Sending) Sending(bytes);
    return port_.Write(bytes);
  }
  void SetReceiveThreshold(std::size_t bytes) override { port_.SetReceiveThreshold(bytes); }
  void DiscardBuffers() override { port_.DiscardBuffers(); }
  std::string FailureDetail() const override { return port_.FailureDetail(); }

 private:
  void OnReceive(std::span<const std::uint8_t> bytes) override {
    if (Received) Received(bytes);
    if (listener_ != nullptr) listener_->OnReceive(bytes);
  }
  void OnPortLost() override {
    if (listener_ != nullptr) listener_->OnPortLost();
  }

  LinkPort& port_;
  LinkPortListener* listener_ = nullptr;
};

inline bool IsBlockPacket(std::span<const std::uint8_t> packet) {
  return (packet.size() == 4 && packet[0] == 'R') || (packet.size() == 22 && packet[0] == 'W');
}

}  // namespace hvt
