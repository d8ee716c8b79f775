#include "model/codec_chain.h"

#include <array>

#include "model/channel_codec.h"
#include "model/commu_book_codec.h"
#include "model/dtmf_codec.h"
#include "model/five_tone_codec.h"
#include "model/option_codec.h"

namespace hvt {

namespace {

const std::array<RegionCodec, 5> kRegionCodecs = {{
    {"SetCommDataByFrequencyError",
     [](Configuration& c, RadioImage& image, AutoTestRecording* recording) {
       return SetCommDataByFrequency(c.Channels, image, recording);
     },
     [](const RadioImage& image, Configuration& c) { GetCommDataByFrequency(image, c.Channels); }},
    {"SetCommDataByOptionError",
     [](Configuration& c, RadioImage& image, AutoTestRecording* recording) {
       return SetCommDataByOption(c.Options, c.Dtmf.SendTime, image, recording);
     },
     [](const RadioImage& image, Configuration& c) {
       GetCommDataByOption(image, c.Options, c.Dtmf.SendTime);
     }},
    {"SetCommDataBy5ToneError",
     [](Configuration& c, RadioImage& image, AutoTestRecording* recording) {
       return SetCommDataBy5Tone(c.FiveTone, image, recording);
     },
     [](const RadioImage& image, Configuration& c) { GetCommDataBy5Tone(image, c.FiveTone); }},
    {"SetCommDataByDTMFError",
     [](Configuration& c, RadioImage& image, AutoTestRecording* recording) {
       return SetCommDataByDTMF(c.Dtmf, image, recording);
     },
     [](const RadioImage& image, Configuration& c) { GetCommDataByDTMF(image, c.Dtmf); }},
    {"SetCommDataByDTMFCommuBookError",
     [](Configuration& c, RadioImage& image, AutoTestRecording* recording) {
       return SetCommDataByDTMFCommuBook(c.Book, image, recording);
     },
     [](const RadioImage& image, Configuration& c) { GetCommDataByDTMFCommuBook(image, c.Book); }},
}};

}  // namespace

std::span<const RegionCodec> RegionCodecs() { return kRegionCodecs; }

std::optional<EncodeFailure> EncodeAll(Configuration& records, RadioImage& image,
                                       AutoTestRecording* recording) {
  for (const RegionCodec& codec : RegionCodecs()) {
    EncodeResult result = codec.Encode(records, image, recording);
    if (!result) return EncodeFailure{codec.FailureTag, result.Detail()};
  }
  return std::nullopt;
}

std::optional<EncodeFailure> TrialEncode(Configuration records) {
  RadioImage image;
  return EncodeAll(records, image);
}

void DecodeAll(const RadioImage& image, Configuration& records) {
  for (const RegionCodec& codec : RegionCodecs()) codec.Decode(image, records);
}

std::string EncodeFailureLine(const EncodeFailure& failure) {
  std::string line(failure.Tag);
  if (!failure.Detail.empty()) line += ": " + failure.Detail;
  return line;
}

}  // namespace hvt
