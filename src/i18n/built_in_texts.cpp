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
    TextPair{BuiltInText::ReadCancelled, "The read was cancelled. The configuration was not changed.",
             "读取已取消，配置未改变。"},
    TextPair{BuiltInText::WriteCancelled,
             "The write was cancelled. The radio now holds a partly written configuration.\nWrite again?",
             "写入已取消，对讲机中的配置只写入了一部分。\n是否重新写入？"},
    TextPair{BuiltInText::OpenBackupTitle, "Open Backup", "打开备份"},
    TextPair{BuiltInText::BackupRadio, "Radio", "对讲机"},
    TextPair{BuiltInText::BackupTime, "Read at", "读取时间"},
    TextPair{BuiltInText::NoBackups,
             "No configuration has been read from a radio yet, so there is no backup.",
             "尚未从对讲机读取过配置，没有备份。"},
    TextPair{BuiltInText::NoSerialNumber, "(no serial number)", "（无序列号）"},
    TextPair{BuiltInText::TestDataTitle, "Test Data", "测试数据"},
    TextPair{BuiltInText::TestDataLoad, "&Load", "加载(&L)"},
    TextPair{BuiltInText::TestDataSave, "&Save", "保存(&S)"},
    TextPair{BuiltInText::TestDataFileType, "Test Data File", "测试数据文件"},
    TextPair{BuiltInText::TestFrequencyAdjust, "Frequency Adjust", "频率调整"},
    TextPair{BuiltInText::TestLowPower, "Low Power", "低功率"},
    TextPair{BuiltInText::TestMiddlePower, "Middle Power", "中功率"},
    TextPair{BuiltInText::TestHighPower, "High Power", "高功率"},
    TextPair{BuiltInText::TestSql, "SQL", "SQ设置"},
    TextPair{BuiltInText::TestNarrowOffset, "Narrow Offset frequency", "窄带频偏"},
    TextPair{BuiltInText::TestMiddleOffset, "Middle Offset frequency", "中带频偏"},
    TextPair{BuiltInText::TestWideOffset, "Wide Offset frequency", "宽带频偏"},
    TextPair{BuiltInText::TestWideCtcss, "Wide CTCSS", "宽带CTCSS幅度"},
    TextPair{BuiltInText::TestMiddleCtcss, "Middle CTCSS", "中带CTCSS幅度"},
    TextPair{BuiltInText::TestNarrowCtcss, "Narrow CTCSS", "窄带CTCSS幅度"},
    TextPair{BuiltInText::TestWideDcs, "Wide DCS", "宽带DCS幅度"},
    TextPair{BuiltInText::TestMiddleDcs, "Middle DCS", "中带DCS幅度"},
    TextPair{BuiltInText::TestNarrowDcs, "Narrow DCS", "窄带DCS幅度"},
    TextPair{BuiltInText::TestRxRssi, "RX RSSI", "接收RSSI"},
    TextPair{BuiltInText::TestModeOffset, "Offset frequency", "频偏"},
    TextPair{BuiltInText::AutoTestTitle, "Automatic Test", "自动测试"},
    TextPair{BuiltInText::AutoTestGroups, "Blocks to mark", "标记的数据块"},
    TextPair{BuiltInText::AutoTestExport, "&Export...", "导出(&E)..."},
    TextPair{BuiltInText::ManualMissing, "The user manual is not installed:", "没有安装使用手册："},
    TextPair{BuiltInText::ManualNotOpened,
             "No web browser could be started to show the user manual:", "无法启动浏览器显示使用手册："},
    TextPair{BuiltInText::VerifyAfterWriting, "&Verify after writing (read every written block back)",
             "写入后校验（回读所有写入的数据块）(&V)"},
    TextPair{BuiltInText::WriteVerified,
             "Data written to the radio successfully. Every block read back matches what was written.",
             "向对讲机写入数据成功。回读的所有数据块都与写入的一致。"},
    TextPair{BuiltInText::BlocksDiffer,
             "Writing data to the radio failed: reading back found blocks that differ from what was "
             "written (%1):",
             "向对讲机写入数据失败：回读发现与写入不一致的数据块（%1 个）："},
    TextPair{BuiltInText::BlockOfChannel, "channel %1", "信道 %1"},
    TextPair{BuiltInText::MoreBlocks, "... and %1 more", "……另有 %1 个"},
    TextPair{BuiltInText::FleetTitle, "Write to Several Radios", "写入多台对讲机"},
    TextPair{BuiltInText::FleetPortHeader, "Port", "端口"},
    TextPair{BuiltInText::FleetDescriptionHeader, "Description", "说明"},
    TextPair{BuiltInText::FleetProgressHeader, "Progress", "进度"},
    TextPair{BuiltInText::FleetStateHeader, "State", "状态"},
    TextPair{BuiltInText::FleetDetailHeader, "Message", "消息"},
    TextPair{BuiltInText::FleetNoPorts,
             "No serial port was found. Connect the programming cables; they are listed as they appear.",
             "没有找到串口。请连接写频线，连接后会列在这里。"},
    TextPair{BuiltInText::FleetPassword,
             "&Password (when the radios have one):", "密码（对讲机设有密码时）(&P)："},
    TextPair{BuiltInText::FleetRetries,
             "&Retries when a radio does not respond:", "对讲机无响应时重试次数(&R)："},
    TextPair{BuiltInText::FleetStart, "&Start", "开始(&S)"},
    TextPair{BuiltInText::FleetWaiting, "waiting", "等待中"},
    TextPair{BuiltInText::FleetWriting, "writing %1 %", "正在写入 %1 %"},
    TextPair{BuiltInText::FleetWritten, "written", "已写入"},
    TextPair{BuiltInText::FleetFailed, "failed", "失败"},
    TextPair{BuiltInText::FleetCancelled, "cancelled", "已取消"},
    TextPair{BuiltInText::FleetNotOpened, "port could not be opened", "无法打开端口"},
    TextPair{BuiltInText::FleetPartlyWritten,
             "The radio now holds a partly written configuration; write it again.",
             "对讲机中的配置只写入了一部分，请重新写入。"},
    TextPair{BuiltInText::FleetConfirmationOne, "Write the configuration to 1 radio?",
             "将配置写入 1 台对讲机吗？"},
    TextPair{BuiltInText::FleetConfirmation, "Write the configuration to %1 radios?",
             "将配置写入 %1 台对讲机吗？"},
    TextPair{BuiltInText::FleetSummaryOne, "%1 of 1 radio written", "1 台对讲机中已写入 %1 台"},
    TextPair{BuiltInText::FleetSummary, "%1 of %2 radios written", "%2 台对讲机中已写入 %1 台"},
    TextPair{
        BuiltInText::FleetStopQuestion,
        "Radios are still being written. Stop writing them?\r\nEach radio stops after the block in "
        "flight and then holds a partly written configuration.",
        "仍在向对讲机写入数据。是否停止写入？\r\n每台对讲机在当前数据块之后停止，其中的配置将只写入一部分。"},
    TextPair{BuiltInText::FleetReadConfirmation, "Radios to read at once: %1. Do you wish continue?",
             "同时读取的对讲机：%1 台。是否继续？"},
    TextPair{BuiltInText::StatusReady, "Ready", "就绪"},
    TextPair{BuiltInText::StatusNew, "New configuration", "新建配置"},
    TextPair{BuiltInText::StatusOpened, "Opened %1", "已打开 %1"},
    TextPair{BuiltInText::StatusSaved, "Saved %1", "已保存 %1"},
    TextPair{BuiltInText::StatusRead, "Read %1 channels from radio %2", "已从对讲机 %2 读取 %1 个信道"},
    TextPair{BuiltInText::StatusReadUnnamedRadio, "Read %1 channels from the radio",
             "已从对讲机读取 %1 个信道"},
    TextPair{BuiltInText::StatusWritten, "Wrote %1 channels to the radio", "已向对讲机写入 %1 个信道"},
    TextPair{BuiltInText::StatusInformationRead, "Read the information of radio %1",
             "已读取对讲机 %1 的信息"},
    TextPair{BuiltInText::StatusReadFailed, "Read failed", "读取失败"},
    TextPair{BuiltInText::StatusWriteFailed, "Write failed", "写入失败"},
    TextPair{BuiltInText::StatusInformationFailed, "Reading the radio's information failed",
             "读取对讲机信息失败"},
    TextPair{BuiltInText::StatusReadCancelled, "Read cancelled", "读取已取消"},
    TextPair{BuiltInText::StatusWriteCancelled, "Write cancelled", "写入已取消"},
    TextPair{BuiltInText::StatusChannelsImported, "Channels imported", "已导入信道"},
    TextPair{BuiltInText::NoBackupKept, "No backup of what the radio held was kept: %1",
             "未能保存对讲机原有数据的备份：%1"},
    TextPair{BuiltInText::ImportTableQuestion, "Import the channels of %1?", "导入 %1 中的信道吗？"},
    TextPair{BuiltInText::RenumberRows,
             "Number the rows 1, 2, ... in file order (for tables whose Location starts at 0)",
             "按文件中的顺序将各行编为信道 1、2……（用于 Location 从 0 开始的表）"}};

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
