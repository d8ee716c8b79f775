#include "model/codec_chain.h"

#include <array>

#include "model/channel_codec.h"

namespace hvt {

namespace {

constexpr std::array kRegionCodecs = {
    RegionCodec{"SetCommDataByFrequencyError", SetCommDataByFrequency, GetCommDataByFrequency},
};

}  // namespace

std::span<const RegionCodec> RegionCodecs() { return kRegionCodecs; }

std::optional<EncodeFailure> EncodeAll(Configuration& records, RadioImage& image,
                                       AutoTestRecording* recording) {
  for (const RegionCodec& codec : RegionCodecs()) {
    if (!codec.Encode(records, image, recording)) return EncodeFailure{codec.FailureTag};
  }
  return std::nullopt;
}

void DecodeAll(const RadioImage& image, Configuration& records) {
  for (const RegionCodec& codec : RegionCodecs()) codec.Decode(image, records);
}

}  // namespace hvt
