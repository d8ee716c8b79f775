#include "app/factory_template.h"

#include <gtest/gtest.h>

#include "model/codec_chain.h"
#include "model/frequency.h"
#include "model/frequency_checks.h"
#include "model/text.h"
#include "support/file_bytes.h"

namespace hvt {
namespace {

class FactoryTemplateTest : public testing::TestWithParam<BandVariant> {};

TEST_P(FactoryTemplateTest, ShippedFileIsWhatTheCommandWrites) {
  const std::string name = "HVT7300_" + std::to_string(static_cast<int>(GetParam())) + ".dat";
  EXPECT_EQ(FileBytes(std::string(HVT_DATA_DIR) + "/Init/" + name), ToFileBytes(FactoryTemplate(GetParam())))
      << "regenerate with: hvt7300-cli template --band N -o data/Init/" << name;
}

TEST_P(FactoryTemplateTest, EveryChannelPassesTheChecksAndEncodes) {
  Configuration configuration = FactoryTemplate(GetParam());
  const BandLimits limits = LimitsOf(GetParam());
  EXPECT_EQ(configuration.BandVariant, static_cast<int>(GetParam()));
  EXPECT_GE(configuration.Channels.Count, 16);
  for (const ChannelRecord& channel : configuration.Channels.Channels()) {
    const std::string rx = FreqRecordToText(channel.RxFreq.Raw()).Text;
    const std::string tx = TxDisplayText(channel.RxFreq.Raw(), channel.OffsetDir, channel.TxFreq.Raw()).Text;
    EXPECT_FALSE(ValidateRx(rx, channel.RxFreq.Raw(), limits).OutOfRangeWarning) << channel.ChannelNumber;
    EXPECT_FALSE(ValidateTx(tx, channel.RxFreq.Raw(), limits).OutOfRangeWarning)
        << channel.ChannelNumber << " " << tx;
    for (char c : channel.Name.Trimmed()) EXPECT_EQ(NameByteToChar(static_cast<std::uint8_t>(c)), c);
  }
  RadioImage image;
  EXPECT_FALSE(EncodeAll(configuration, image).has_value());
}

INSTANTIATE_TEST_SUITE_P(BothBands, FactoryTemplateTest,
                         testing::Values(BandVariant::Restricted, BandVariant::Full));

}  // namespace
}  // namespace hvt
