#pragma once

// The built-in virtual radio of the program and the command-line tool. Its memory is kept in a
// file between runs, so that what one run writes the next one reads; a new memory holds the
// factory template of the full band. A file that is not such a memory is neither used nor
// written over: the radio is then not to be used, and Problem() says why.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "radio/virtual_radio.h"

namespace hvt {

class VirtualRadioMemory {
 public:
  // Where the memory is kept, in the settings folder.
  static std::filesystem::path FileIn(const std::filesystem::path& settingsFolder);

  explicit VirtualRadioMemory(std::filesystem::path file);

  VirtualRadio& Radio() { return radio_; }
  const std::filesystem::path& File() const { return file_; }
  // Why this radio must not be used; no value when it may.
  const std::optional<std::string>& Problem() const { return problem_; }

  // Writes the memory when it differs from what the file holds, so a read leaves no file behind.
  // False only when a changed memory could not be written.
  bool Keep();

 private:
  std::filesystem::path file_;
  std::optional<std::string> problem_;
  VirtualRadio radio_;
  std::vector<std::uint8_t> kept_;  // the memory as the file holds it
};

}  // namespace hvt
