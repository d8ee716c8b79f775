#include "files/epm_export.h"

#include "files/file_io.h"
#include "i18n/channel_item_texts.h"
#include "model/frequency.h"
#include "model/gbk_text.h"

namespace hvt {

namespace {

constexpr int kSummaryTexts = 9;
constexpr std::string_view kLineEnd = "\r\n";

std::array<std::string, kSummaryTexts> SummaryOf(const ChannelRecord& channel, const LanguageTexts& texts) {
  return {
      "显示信道ID|" + std::to_string(channel.ChannelNumber),
      "通信信道ID|" + std::to_string(channel.ChannelNumber - 1),
      "接收频率|" + FreqRecordToText(channel.RxFreq.Raw()).Text,
      "发射频率|" + TxDisplayText(channel.RxFreq.Raw(), channel.OffsetDir, channel.TxFreq.Raw()).Text,
      "解码|" + DecodeSignallingText(channel, texts),
      "编码|" + EncodeSignallingText(channel, texts),
      "功率|" + PowerText(channel.Power, texts),
      "宽窄带|" + BandwidthText(channel.Bandwidth),
      "可选信令|Off",
  };
}

}  // namespace

std::string EpmText(const AutoTestRecording& recording, const RadioImage& image, const LanguageTexts& texts) {
  std::string text;
  text.reserve(80'000);
  const auto line = [&text](std::string_view content) {
    text += content;
    text += kLineEnd;
  };
  line(std::to_string(recording.ChannelSummary.size()) + "," + std::to_string(kSummaryTexts));
  for (const ChannelRecord& channel : recording.ChannelSummary) {
    for (const std::string& summary : SummaryOf(channel, texts)) line("\"" + summary + "\"");
  }
  for (std::uint8_t flag : recording.Blocks.Flags()) line(std::to_string(flag));
  for (std::uint8_t byte : image.Bytes()) line(std::to_string(byte));
  return text;
}

EpmExportResult ExportEpm(Configuration& records, const std::array<bool, kAutoTestGroupCount>& groups,
                          const LanguageTexts& texts, const std::filesystem::path& path) {
  AutoTestRecording recording;
  recording.Groups = groups;
  RadioImage image;
  ClearImage(image, &recording);
  EpmExportResult result;
  result.EncoderFailure = EncodeAll(records, image, &recording);
  if (result.EncoderFailure) return result;
  const FileWriteResult written = WriteFileAtomically(path, Utf8ToGbk(EpmText(recording, image, texts)));
  result.Written = written.Ok();
  result.Detail = written.Detail();
  return result;
}

}  // namespace hvt
