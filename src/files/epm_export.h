#pragma once

// The factory's production file (".EPM"): the configuration encoded exactly as for a write to the
// radio, with a summary of every channel, the map of the blocks the selected feature groups
// wrote, and the whole image.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "i18n/language_texts.h"
#include "model/codec_chain.h"

namespace hvt {

inline constexpr std::string_view kEpmWriteError = "错误！文件无法操作！";

// The file's lines (CR LF), as UTF-8 text.
std::string EpmText(const AutoTestRecording& recording, const RadioImage& image, const LanguageTexts& texts);

struct EpmExportResult {
  std::optional<EncodeFailure> EncoderFailure;  // nothing is written then
  bool Written = false;
  std::string Detail;  // the path and the reason when not written
};

// Encodes into a fresh image with the groups recorded and writes the file (atomically) in GBK,
// the code page of the factory's tools. When an encoder refuses a record nothing is written: a
// partial image would be programmed into radios by the factory's equipment.
EpmExportResult ExportEpm(Configuration& records, const std::array<bool, kAutoTestGroupCount>& groups,
                          const LanguageTexts& texts, const std::filesystem::path& path);

}  // namespace hvt
