#include "model/option_settings.h"

#include <string_view>

namespace hvt {

void ResetOptions(OptionSettings& options) {
  const auto reserved = options.Reserved;
  options = OptionSettings{};
  options.FrequencyStep = 1;
  options.SpeakerVolume = 1;
  options.PowerOnPassword = "";
  options.ShortcutKey = {2, 3, 4, 5};
  options.KnobMode = 1;
  options.TrfEnable = 1;
  for (std::size_t k = 0; k < options.KeyFunction.size(); ++k) {
    options.KeyFunction[k] = static_cast<std::int16_t>(k + 1);
  }
  options.PowerOnDisplayText = std::string_view("\0", 1);
  options.Reserved = reserved;
}

}  // namespace hvt
