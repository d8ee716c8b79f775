#pragma once

// The DTMF area of the image: the codes from 6544, the option bytes from 6864 and the code
// presence bits at 12910. SendTime is not here: it travels in the option block.

#include "model/auto_test_recording.h"
#include "model/dtmf_settings.h"
#include "model/encode_result.h"
#include "model/radio_image.h"

namespace hvt {

// Writes a normalised copy of the settings; the live record only gets its own ID normalised to
// the three digits the radio keeps, and only when the whole region could be written.
// Fails, naming the code or field, on a code digit that is not hexadecimal or a value that does not
// fit its byte; a failing region leaves the image as it was.
EncodeResult SetCommDataByDTMF(DtmfSettings& settings, RadioImage& image, AutoTestRecording* recording);

// Replaces the settings from the image; AniEnabled, SendTime and PttIdMode keep their values.
void GetCommDataByDTMF(const RadioImage& image, DtmfSettings& settings);

}  // namespace hvt
