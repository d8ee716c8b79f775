#include "app/virtual_radio_memory.h"

#include <algorithm>

#include "app/factory_template.h"
#include "files/file_io.h"
#include "model/codec_chain.h"

namespace hvt {

std::filesystem::path VirtualRadioMemory::FileIn(const std::filesystem::path& settingsFolder) {
  return settingsFolder / "virtual-radio.mem";
}

VirtualRadioMemory::VirtualRadioMemory(std::filesystem::path file) : file_(std::move(file)) {
  const auto saved = ReadWholeFile(file_, radio_memory::kSize);
  if (saved && saved->size() == radio_memory::kSize) {
    std::copy(saved->begin(), saved->end(), radio_.Memory().begin());
    kept_.assign(saved->begin(), saved->end());
    return;
  }
  std::error_code error;
  if (std::filesystem::exists(file_, error) || error) {
    problem_ = file_.string() + " is not a virtual radio's memory of " + std::to_string(radio_memory::kSize) +
               " bytes; move it away to start with a new one";
  }
  Configuration factory = FactoryTemplate(BandVariant::Full);
  RadioImage image;
  if (!EncodeAll(factory, image)) radio_.LoadImage(image);
  kept_.assign(radio_.Memory().begin(), radio_.Memory().end());
}

bool VirtualRadioMemory::Keep() {
  if (problem_ || std::equal(kept_.begin(), kept_.end(), radio_.Memory().begin(), radio_.Memory().end()))
    return true;
  std::error_code ignored;
  std::filesystem::create_directories(file_.parent_path(), ignored);
  if (!WriteFileAtomically(file_, radio_.Memory()).Ok()) return false;
  kept_.assign(radio_.Memory().begin(), radio_.Memory().end());
  return true;
}

}  // namespace hvt
