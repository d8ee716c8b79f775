#include "files/epm_export.h"

#include <gtest/gtest.h>

#include <sstream>

#include "i18n/language.h"
#include "model/gbk_text.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class EpmExportTest : public testing::Test {
 protected:
  void SetUp() override {
    ChannelRecord five = CreateChannel(5, "462.5625");
    five.OffsetDir = 1;
    five.TxFreq = "000500000";
    five.DecodeType = 1;
    five.DecodeCtcss = 13;
    five.EncodeType = 2;
    five.EncodeDcs = 19;
    five.Power = 2;
    five.Bandwidth = 2;
    for (const ChannelRecord& channel :
         {five, CreateChannel(9, "146"), CreateChannel(12, "438"), CreateChannel(201, "446")}) {
      EXPECT_TRUE(AddChannel(records_.Channels, channel));
    }
  }

  std::string Export(std::array<bool, kAutoTestGroupCount> groups) {
    const EpmExportResult result = ExportEpm(records_, groups, texts_, path_);
    EXPECT_TRUE(result.Written);
    EXPECT_FALSE(result.EncoderFailure.has_value());
    return GbkToUtf8(FileBytes(path_));
  }

  Configuration records_;
  LanguageTexts texts_ = LanguageTexts::FromText(kEnglish, "[OTHER]\n1204=High\n1206=None\n");
  TempFolder folder_;
  std::filesystem::path path_ = folder_ / "export.EPM";
};

TEST_F(EpmExportTest, ChannelGroupGivesASummaryOfEveryNormalChannel) {
  const auto lines = Lines(Export({true}));
  ASSERT_EQ(lines.size(), 1U + 27 + 810 + 12960);
  EXPECT_EQ(lines[0], "3,9");
  const std::vector<std::string> five(lines.begin() + 1, lines.begin() + 10);
  EXPECT_EQ(five, (std::vector<std::string>{"\"显示信道ID|5\"", "\"通信信道ID|4\"", "\"接收频率|462.56250\"",
                                            "\"发射频率|467.56250\"", "\"解码|100.0\"", "\"编码|D023N\"",
                                            "\"功率|High\"", "\"宽窄带|25KHz\"", "\"可选信令|Off\""}));
  EXPECT_EQ(lines[28 + 8], "1") << "block 8 holds channel 5";
  EXPECT_EQ(lines[28 + 404], "1") << "the bitmaps";
  EXPECT_EQ(lines[28 + 2], "0");
  EXPECT_EQ(lines[28 + 810 + 4 * 32], "70") << "image byte 128 is the first receive byte of channel 5 (0x46)";
}

TEST_F(EpmExportTest, NoGroupStillCarriesTheWholeImage) {
  const auto lines = Lines(Export({}));
  ASSERT_EQ(lines.size(), 1U + 810 + 12960);
  EXPECT_EQ(lines[0], "0,9");
  for (std::size_t block = 0; block < 810; ++block) ASSERT_EQ(lines[1 + block], "0") << block;
  EXPECT_EQ(lines[1 + 810 + 4 * 32], "70");
  EXPECT_EQ(lines[1 + 810 + 6400], "68") << "channel 201 at 446 MHz";
}

TEST_F(EpmExportTest, EncoderFailureWritesNothingAndAWriteFailureIsReported) {
  WriteFileBytes(path_, "an older export");
  records_.Channels.Entries[1].BusyLock = 999;  // channel 9 cannot be encoded
  EpmExportResult result = ExportEpm(records_, {true}, texts_, path_);
  ASSERT_TRUE(result.EncoderFailure.has_value());
  EXPECT_EQ(result.EncoderFailure->Tag, "SetCommDataByFrequencyError");
  EXPECT_EQ(result.EncoderFailure->Detail, "channel 9: BusyLock 999 does not fit 8 bits (0-255)");
  EXPECT_FALSE(result.Written);
  EXPECT_EQ(FileText(path_), "an older export") << "a partial image must not reach the factory";

  records_.Channels.Entries[1].BusyLock = 0;
  result = ExportEpm(records_, {true}, texts_, path_.parent_path() / "no-such-folder" / "x.EPM");
  EXPECT_FALSE(result.Written);
  EXPECT_EQ(result.Detail,
            (path_.parent_path() / "no-such-folder" / "x.EPM").string() + ": No such file or directory");
}

}  // namespace
}  // namespace hvt
