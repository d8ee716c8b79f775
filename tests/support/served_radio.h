#pragma once

// The virtual radio served on a pseudo-terminal from a thread of the test, so the program's real
// serial code path (or the built tool in another process) can open it as a port.

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "radio/pty_server.h"
#include "radio/virtual_radio.h"

namespace hvt {

// The radio's side runs on its own thread until the test is over.
class ServedRadio {
 public:
  explicit ServedRadio(VirtualRadio& radio) : server_(std::make_unique<PtyServer>(radio)) {}
  ~ServedRadio() { Stop(); }
  ServedRadio(const ServedRadio&) = delete;
  ServedRadio& operator=(const ServedRadio&) = delete;

  bool Open(std::string& error) {
    const bool opened = server_->Open(error);
    path_ = server_->SlavePath();
    return opened;
  }
  void Start() {
    thread_ = std::thread([this] { served_ = server_->Serve(stop_, error_); });
  }
  // True when the server ran without a failure of the terminal.
  bool Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return served_;
  }
  // The cable is pulled: the terminal goes away under the open port.
  void Unplug() {
    Stop();
    server_.reset();
  }
  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }

 private:
  std::unique_ptr<PtyServer> server_;
  std::string path_;
  std::atomic<bool> stop_ = false;
  bool served_ = false;
  std::string error_;
  std::thread thread_;
};

}  // namespace hvt
