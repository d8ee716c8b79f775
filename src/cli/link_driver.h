#pragma once

// What a radio command talks through: a serial port on the tool's serial loop, or the built-in
// virtual radio in-process. Both run one operation to its end.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/link_port.h"
#include "link/reply_timer.h"

namespace hvt::cli {

class LinkDriver {
 public:
  virtual ~LinkDriver() = default;
  virtual LinkPort& Port() = 0;
  virtual ReplyTimer& Timer() = 0;
  // Runs the events of the started operation until `running` turns false; Wake makes it look.
  virtual void RunWhile(const std::function<bool()>& running) = 0;
  virtual void Wake() {}
  // A descriptor a signal handler may write 8 bytes to, to wake RunWhile; -1 when none.
  virtual int WakeHandle() const { return -1; }
  // Keeps what the operation changed (the virtual radio's memory); false when that failed.
  virtual bool Finish() { return true; }
  // The port refused to open the last time it was asked.
  virtual bool OpenFailed() const { return false; }
  // Why nothing can run on this driver; no value when it is ready.
  virtual std::optional<std::string> Problem() const { return std::nullopt; }
};

// The virtual radio keeps its memory in `memoryFile` between runs, so that what one command
// writes the next one reads; a new memory holds the factory template of the full band. A file
// that is not such a memory is neither used nor written over.
std::unique_ptr<LinkDriver> VirtualLinkDriver(const std::filesystem::path& memoryFile);
std::unique_ptr<LinkDriver> SerialLinkDriver(const std::string& portName);

}  // namespace hvt::cli
