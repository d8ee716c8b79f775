#pragma once

// The encode chain turns the records into the image before a write; the decode chain turns an
// image back into records after a read. Each region of the image has one codec in the table.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/auto_test_recording.h"
#include "model/configuration.h"
#include "model/encode_result.h"
#include "model/radio_image.h"

namespace hvt {

// Encoders may normalise the records they encode.
using RegionEncoder = EncodeResult (*)(Configuration& records, RadioImage& image,
                                       AutoTestRecording* recording);
// Decoders never fail: data they cannot use keeps or clears the affected record.
using RegionDecoder = void (*)(const RadioImage& image, Configuration& records);

struct RegionCodec {
  std::string_view FailureTag;  // the system's message when the encoder fails; its detail follows
  RegionEncoder Encode;
  RegionDecoder Decode;
};

std::span<const RegionCodec> RegionCodecs();

struct EncodeFailure {
  std::string_view Tag;  // the system's message
  std::string Detail{};  // which record and field, shown after the tag
};

// The tag, then the detail after a colon when there is one.
std::string EncodeFailureLine(const EncodeFailure& failure);

// Runs the encoders in chain order over an image the caller has cleared, stopping at the first
// failure: earlier regions stay complete, the failing one partial, later ones untouched.
[[nodiscard]] std::optional<EncodeFailure> EncodeAll(Configuration& records, RadioImage& image,
                                                     AutoTestRecording* recording = nullptr);

// Whether the encoders accept the records, learnt on a copy so nothing is normalised.
[[nodiscard]] std::optional<EncodeFailure> TrialEncode(Configuration records);

void DecodeAll(const RadioImage& image, Configuration& records);

}  // namespace hvt
