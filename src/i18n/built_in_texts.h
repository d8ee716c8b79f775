#pragma once

// Texts the program carries itself, as English/Chinese pairs.

#include <string_view>

namespace hvt {

enum class BuiltInText {
  ReadTitle,
  WriteTitle,
  ProgressLabel,
  ReadConfirmation,
  WriteConfirmation,
  WrongModel,
  WrongVersion,
  WrongBand,
  ResetWarning,
  FileError,
  OverwriteQuestion,
  UnsavedChanges,
  FileTypeName,
  ClearWarning,
  BoxTitle,
  CloseButton,
  HelpButton,
  SpecialChannelNeedsFrequency,
  LastNormalChannel,
  ChannelTableFileType,
  RowsRefused,
  TakeOtherRows,
  RowsAdjusted,
  ResetSpecialCall,
  ReadCancelled,
  WriteCancelled,
  OpenBackupTitle,
  BackupRadio,
  BackupTime,
  NoBackups,
  NoSerialNumber,
  // The factory tools: test data and automatic test.
  TestDataTitle,
  TestDataLoad,
  TestDataSave,
  TestDataFileType,
  TestFrequencyAdjust,
  TestLowPower,
  TestMiddlePower,
  TestHighPower,
  TestSql,
  TestNarrowOffset,
  TestMiddleOffset,
  TestWideOffset,
  TestWideCtcss,
  TestMiddleCtcss,
  TestNarrowCtcss,
  TestWideDcs,
  TestMiddleDcs,
  TestNarrowDcs,
  TestRxRssi,
  TestModeOffset,  // follows "MODE n "
  AutoTestTitle,
  AutoTestGroups,
  AutoTestExport,
  // Help > Contents.
  ManualMissing,
  ManualNotOpened,
  // A write that reads its blocks back.
  VerifyAfterWriting,
  WriteVerified,
  BlocksDiffer,    // %1: how many
  BlockOfChannel,  // %1: the channel
  MoreBlocks,      // %1: how many
  // Writing one configuration to several radios at once.
  FleetTitle,
  FleetPortHeader,
  FleetDescriptionHeader,
  FleetProgressHeader,
  FleetStateHeader,
  FleetDetailHeader,
  FleetNoPorts,
  FleetPassword,
  FleetRetries,
  FleetStart,
  FleetWaiting,
  FleetWriting,  // %1: percent
  FleetWritten,
  FleetFailed,
  FleetCancelled,
  FleetNotOpened,
  FleetPartlyWritten,
  FleetConfirmationOne,
  FleetConfirmation,  // %1: how many radios
  FleetSummaryOne,    // %1: written (0 or 1)
  FleetSummary,       // %1: written, %2: how many radios
  FleetStopQuestion,
  FleetReadConfirmation,  // %1: how many radios
  // The main window's status bar: what last happened.
  StatusReady,
  StatusNew,
  StatusOpened,            // %1: file name
  StatusSaved,             // %1: file name
  StatusRead,              // %1: channels, %2: the radio's serial number
  StatusReadUnnamedRadio,  // %1: channels
  StatusWritten,           // %1: channels
  StatusInformationRead,   // %1: the radio's serial number
  StatusReadFailed,
  StatusWriteFailed,
  StatusInformationFailed,
  StatusReadCancelled,
  StatusWriteCancelled,
  StatusChannelsImported,
  NoBackupKept,  // %1: the reason
  // Importing a channel table.
  ImportTableQuestion,  // %1: the file name
  RenumberRows,
};

// The Chinese text for Chinese, the English one for any other language.
std::string_view BuiltInTextOf(BuiltInText text, int languageId);

}  // namespace hvt
