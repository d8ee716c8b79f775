#include "model/dtmf_settings.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "support/record_printer.h"

namespace hvt {
namespace {

TEST(DtmfSettings, ResetGivesTheValuesOfANewConfigurationInEveryField) {
  DtmfSettings settings;
  settings.DtmfCodes[15] = {"123", 3};
  settings.KillCode = {"9", 1};
  settings.AniEnabled = 1;
  settings.OwnId = "12345";
  settings.IdDisplay = 1;
  ResetDtmfSettings(settings);

  DtmfSettings expected;
  expected.SendTime = 1;
  expected.PttIdMode = 3;
  expected.IdLength = 3;
  expected.OwnId = std::string_view("000\0", 4);
  expected.Separator = 14;
  expected.GroupCode = 10;
  expected.FirstDigitDelay = 20;
  expected.PreSendDelay = 20;
  expected.PostSendDelay = 20;
  expected.PauseTime = 10;
  EXPECT_EQ(settings, expected);
}

// Configuration files hold the record at fixed offsets; a field out of order shifts them.
TEST(DtmfSettings, FileFormPutsEveryFieldAtItsOffset) {
  DtmfSettings settings;
  settings.DtmfCodes[0] = {"1", 0x0101};
  settings.DtmfCodes[15] = {"F", 0x0202};
  settings.PttIdBegin = {"A", 0x0303};
  settings.PttIdEnd = {"B", 0x0404};
  settings.KillCode = {"C", 0x0505};
  settings.StunCode = {"D", 0x0606};
  settings.AniEnabled = 0x0707;
  settings.IdLength = 0x0808;
  settings.OwnId = "98765";
  settings.Separator = 0x0909;
  settings.IdDisplay = 0x0A0A;
  const std::vector<std::uint8_t> bytes = ToFileBytes(settings);
  ASSERT_EQ(bytes.size(), 531U);

  struct Case {
    std::size_t Offset;
    std::uint8_t Byte;
  };
  const Case cases[] = {
      {0, '1'},    {1, ' '},    {24, 0x01},  {25, 0x01}, {390, 'F'},  {414, 0x02}, {416, 'A'},
      {440, 0x03}, {442, 'B'},  {466, 0x04}, {468, 'C'}, {482, 0x05}, {484, 'D'},  {498, 0x06},
      {500, 0x07}, {506, 0x08}, {508, '9'},  {512, '5'}, {513, 0x09}, {529, 0x0A}, {530, 0x0A},
  };
  for (const Case& c : cases) EXPECT_EQ(bytes[c.Offset], c.Byte) << "offset " << c.Offset;

  DtmfSettings read;
  ASSERT_TRUE(FromFileBytes(bytes, read));
  EXPECT_EQ(read, settings);
}

}  // namespace
}  // namespace hvt
