#pragma once

#include "model/auto_test_recording.h"
#include "model/encode_result.h"
#include "model/five_tone_settings.h"
#include "model/radio_image.h"

namespace hvt {

// Writes the 5-tone area, the present entries of the code list and their presence bits into a
// cleared image. Fails on an own-ID digit that is not decimal, a code digit that is not
// hexadecimal or a value that does not fit its byte, naming the entry or field; what was written
// until then stays.
EncodeResult SetCommDataBy5Tone(const FiveToneSettings& record, RadioImage& image,
                                AutoTestRecording* recording);

// Fields the image does not carry keep their values, and an absent list entry changes only its
// EmptyFlag.
void GetCommDataBy5Tone(const RadioImage& image, FiveToneSettings& record);

}  // namespace hvt
