#pragma once

#include <cstdint>

#include "model/auto_test_recording.h"
#include "model/encode_result.h"
#include "model/option_settings.h"
#include "model/radio_image.h"

namespace hvt {

// The option block carries one DTMF setting, the DTMF send time, at 12826. Fails, naming the field,
// on a value that does not fit its bits; a failing block leaves the image as it was.
EncodeResult SetCommDataByOption(const OptionSettings& options, std::int16_t dtmfSendTime, RadioImage& image,
                                 AutoTestRecording* recording);

// DisplayModeB and Reserved, which the radio does not keep, stay as they are.
void GetCommDataByOption(const RadioImage& image, OptionSettings& options, std::int16_t& dtmfSendTime);

}  // namespace hvt
