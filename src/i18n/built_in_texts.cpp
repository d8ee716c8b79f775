#include "i18n/built_in_texts.h"

#include <array>

#include "i18n/language.h"

namespace hvt {

namespace {

struct TextPair {
  BuiltInText Id;
  std::string_view English;
  std::string_view Chinese;
};

constexpr std::array kPairs = {
    TextPair{BuiltInText::ReadTitle, "Read data from radio", "从对讲机读取数据"},
    TextPair{BuiltInText::WriteTitle, "Write data to radio", "向对讲机写入数据"},
    TextPair{BuiltInText::ProgressLabel, "Completion percentage:", "完成进度:"},
    TextPair{BuiltInText::ReadConfirmation, "Read data from radio.\r\nDo you wish continue?",
             "从对讲机读取数据。\r\n是否继续？"},
    TextPair{BuiltInText::WriteConfirmation, "Write data to radio.\r\nDo you wish continue?",
             "向对讲机写入数据。\r\n是否继续？"},
    TextPair{BuiltInText::WrongModel, "Model type is wrong. Overwrite?", "机型类型错误。"},
    TextPair{BuiltInText::WrongVersion, "Version is wrong.", "版本错误。"},
    TextPair{BuiltInText::WrongBand, "Band Error!", "频段错误！"},
    TextPair{BuiltInText::ResetWarning, "All data will be reset.", "所有数据将被重置。"},
    TextPair{BuiltInText::FileError, "file error.", "文件错误。"},
    TextPair{BuiltInText::OverwriteQuestion, "file will be Overwrite,Continue?", "文件将被覆盖，是否继续？"},
    TextPair{BuiltInText::UnsavedChanges, "File has been modify,save it now?",
             "当前文件已被修改，是否现在保存？"},
    TextPair{BuiltInText::FileTypeName, "Data File", "数据文件"},
    TextPair{BuiltInText::ClearWarning, "Frequency data will be cleared.", "频率数据将被清除。"},
    TextPair{BuiltInText::BoxTitle, "Warning", "警告"},
    TextPair{BuiltInText::CloseButton, "&Close", "关闭(&C)"},
    TextPair{BuiltInText::HelpButton, "&Help", "帮助(&H)"},
    TextPair{BuiltInText::SpecialChannelNeedsFrequency, "VFO can't be null!", "VFO信道不能为空！"},
    TextPair{BuiltInText::LastNormalChannel, "Leave at least one normal channel!",
             "请至少保留一个普通信道！"},
    TextPair{BuiltInText::ChannelTableFileType, "Channel table", "信道表"},
    TextPair{BuiltInText::RowsRefused, "These rows cannot be taken:", "以下行无法导入："},
    TextPair{BuiltInText::TakeOtherRows, "Import the other rows?", "是否导入其余的行？"},
    TextPair{BuiltInText::RowsAdjusted, "These rows were taken with a change:", "以下行导入时有改动："},
    TextPair{BuiltInText::ResetSpecialCall, "Reset Special Call of this channel,OK or Not?",
             "清除此编号的特殊呼叫吗？"},
};

static_assert(
    [] {
      for (std::size_t i = 0; i < kPairs.size(); ++i) {
        if (static_cast<std::size_t>(kPairs[i].Id) != i) return false;
      }
      return true;
    }(),
    "the pairs are listed in the order of BuiltInText");

}  // namespace

std::string_view BuiltInTextOf(BuiltInText text, int languageId) {
  const TextPair& pair = kPairs[static_cast<std::size_t>(text)];
  return languageId == kChinese ? pair.Chinese : pair.English;
}

}  // namespace hvt
