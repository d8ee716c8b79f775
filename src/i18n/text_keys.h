#pragma once

// The language-file keys the program looks up, by what they are for. Every key listed in
// kLookedUpKeys must have a text in every shipped language file.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace hvt::text_key {

inline constexpr std::int32_t FontName = 20;
inline constexpr std::int32_t FontSize = 21;
inline constexpr std::int32_t OkButton = 101;
inline constexpr std::int32_t CancelButton = 102;

inline constexpr std::int32_t FrequencyOutOfRange = 2001;
// Follows FrequencyOutOfRange: %1 the allowed range, %2 the value it became.
inline constexpr std::int32_t FrequencyOutOfRangeDetail = 2017;

// By the channel's Power code 0, 1, 2.
inline constexpr std::array<std::int32_t, 3> PowerLevels = {1205, 1221, 1204};
// BusyLock 0 is "off"; 1 and 2 are the built-in "Repeater" and "Busy".
inline constexpr std::int32_t BusyLockOff = 1755;
// By DtmfPttId / FiveTonePttId 0-3.
inline constexpr std::array<std::int32_t, 4> PttIdModes = {1755, 1765, 1766, 1767};
// By SquelchMode 0-4.
inline constexpr std::array<std::int32_t, 5> SquelchModes = {1784, 1785, 1786, 1787, 1788};

// By ScanAdd 0, 1.
inline constexpr std::array<std::int32_t, 2> ScanMembership = {1144, 1145};
inline constexpr std::int32_t NoSignalling = 1206;

// Channel grid headers; the tone columns join GridTone with GridDecode or GridEncode.
inline constexpr std::int32_t GridChannel = 3006;
inline constexpr std::int32_t GridRx = 1101;
inline constexpr std::int32_t GridTx = 1140;
inline constexpr std::int32_t GridName = 1103;
inline constexpr std::int32_t GridStep = 1104;
inline constexpr std::int32_t GridBandwidth = 1106;
inline constexpr std::int32_t GridScan = 1143;
inline constexpr std::int32_t GridPower = 1109;
inline constexpr std::int32_t GridTone = 1107;
inline constexpr std::int32_t GridDecode = 1112;
inline constexpr std::int32_t GridEncode = 1113;
inline constexpr std::int32_t GridOptSignal = 1110;

// The channel dialog; its tone captions join GridDecode or GridEncode with GridTone.
inline constexpr std::int32_t ChannelEditTitle = 1300;
inline constexpr std::int32_t ChannelTxInhibit = 1105;
inline constexpr std::int32_t ChannelScanAdd = 1111;
inline constexpr std::int32_t ChannelTalkAround = 1114;
inline constexpr std::int32_t ChannelCustomTone = 1160;
inline constexpr std::int32_t ChannelReverse = 1207;
inline constexpr std::int32_t ChannelScramble = 1213;
inline constexpr std::int32_t ChannelInverted = 1301;
inline constexpr std::int32_t ChannelBusyLock = 1717;
inline constexpr std::int32_t ChannelDtmfPttId = 1743;
inline constexpr std::int32_t ChannelFiveTonePttId = 1744;
inline constexpr std::int32_t ChannelSquelchMode = 1745;

inline constexpr std::int32_t LanguageEnglish = 1501;
inline constexpr std::int32_t LanguageChinese = 1502;
inline constexpr std::int32_t LanguageDialogCaption = 1503;
// Followed by the path of the file that could not be read.
inline constexpr std::int32_t LanguageFileRefused = 1504;

inline constexpr std::int32_t PortDialogTitle = 1401;
inline constexpr std::int32_t PortLabel = 1402;
inline constexpr std::int32_t VirtualRadioPort = 1403;
// Followed by the path of the settings file that could not be written.
inline constexpr std::int32_t PortSaveFailed = 1404;
// A port typed in the port dialog that cannot be used; %1: what was typed.
inline constexpr std::int32_t PortPathMissing = 1405;
inline constexpr std::int32_t PortPathNotDevice = 1406;

inline constexpr std::int32_t ModelDialogTitle = 2300;
inline constexpr std::int32_t ModelLabel = 2301;
inline constexpr std::int32_t BandLabel = 2302;

// The radio link: port, outcome of each operation, and the password dialog.
inline constexpr std::int32_t PortOpenFailed = 2002;
inline constexpr std::int32_t RadioNotAnswering = 2003;  // offered with Retry and Cancel
inline constexpr std::int32_t ReadSucceeded = 2004;
inline constexpr std::int32_t WriteSucceeded = 2005;
inline constexpr std::int32_t ReadFailed = 2006;
inline constexpr std::int32_t WriteFailed = 2007;
inline constexpr std::int32_t InformationReadFailed = 2008;
// Follow an operation's failure text: what went wrong.
inline constexpr std::int32_t PortLost = 2009;  // followed by the port's name and the system's reason
inline constexpr std::int32_t PasswordWrong = 2010;
inline constexpr std::int32_t BandsDiffer = 2011;  // %1: the radio's band, %2: the configuration's
inline constexpr std::int32_t PasswordTitle = 3100;
inline constexpr std::int32_t PasswordLabel = 3101;

// The main window: menu captions (also the toolbar's tooltips), tree nodes, the title's label.
inline constexpr std::int32_t MenuFile = 1000;
inline constexpr std::int32_t MenuNew = 1001;
inline constexpr std::int32_t MenuOpen = 1002;
inline constexpr std::int32_t MenuSave = 1003;
inline constexpr std::int32_t MenuSaveAs = 1004;
inline constexpr std::int32_t MenuImportChannels = 1007;
inline constexpr std::int32_t MenuUndo = 1012;
inline constexpr std::int32_t MenuRedo = 1013;
inline constexpr std::int32_t CutChannelStep = 1014;
inline constexpr std::int32_t PasteChannelStep = 1015;
inline constexpr std::int32_t MenuSortByFrequency = 1016;
inline constexpr std::int32_t MenuSortByName = 1017;
inline constexpr std::int32_t MenuInsertChannel = 1018;
inline constexpr std::int32_t MenuRemoveGap = 1019;
inline constexpr std::int32_t MenuMoveUp = 1070;
inline constexpr std::int32_t MenuMoveDown = 1071;
inline constexpr std::int32_t MenuMoveTo = 1072;
inline constexpr std::int32_t MoveToLabel = 1073;
inline constexpr std::int32_t MenuOpenBackup = 1074;
inline constexpr std::int32_t MenuCut = 1090;
inline constexpr std::int32_t MenuCopy = 1091;
inline constexpr std::int32_t MenuPaste = 1092;
inline constexpr std::int32_t MenuDeleteChannels = 1009;
inline constexpr std::int32_t MenuExportChannels = 1008;
inline constexpr std::int32_t MenuPrint = 1005;
inline constexpr std::int32_t MenuPrintPreview = 1080;
inline constexpr std::int32_t MenuExportPdf = 1081;
// The printout: the settings part's title, the file name of an untitled configuration, the date's
// label, and the message when the printer refuses to start.
inline constexpr std::int32_t PrintSettingsSummary = 1082;
inline constexpr std::int32_t PrintUntitled = 1083;
inline constexpr std::int32_t PrintDate = 1084;
inline constexpr std::int32_t PrintFailed = 1085;
inline constexpr std::int32_t MenuExit = 1006;
inline constexpr std::int32_t MenuEdit = 1010;
inline constexpr std::int32_t MenuEditChannel = 1011;
inline constexpr std::int32_t MenuView = 1020;
inline constexpr std::int32_t MenuOptions = 1021;
inline constexpr std::int32_t MenuRadio = 1022;
inline constexpr std::int32_t MenuDtmf = 1023;
inline constexpr std::int32_t MenuTwoTone = 1024;
inline constexpr std::int32_t MenuFiveTone = 1025;
inline constexpr std::int32_t MenuToolBar = 1026;
inline constexpr std::int32_t MenuStatusBar = 1027;
inline constexpr std::int32_t MenuEmbeddedInfo = 1028;
inline constexpr std::int32_t MenuSettings = 1030;
inline constexpr std::int32_t MenuPort = 1031;
inline constexpr std::int32_t MenuLanguage = 1032;
inline constexpr std::int32_t MenuInitialise = 1033;
inline constexpr std::int32_t MenuProgram = 1040;
inline constexpr std::int32_t MenuRead = 1041;
inline constexpr std::int32_t MenuWrite = 1042;
inline constexpr std::int32_t MenuReadReset = 1043;
inline constexpr std::int32_t MenuWriteReset = 1044;
inline constexpr std::int32_t MenuWriteFleet = 1045;
inline constexpr std::int32_t MenuHelp = 1050;
inline constexpr std::int32_t MenuHelpContents = 1051;
inline constexpr std::int32_t MenuAbout = 1052;
inline constexpr std::int32_t MenuAutoTest = 1053;
inline constexpr std::int32_t MenuModel = 1060;
inline constexpr std::int32_t MenuModelInfo = 1061;
inline constexpr std::int32_t MenuCommuBook = 1804;
inline constexpr std::int32_t MenuScan = 2401;
inline constexpr std::int32_t MenuAlert = 2601;
inline constexpr std::int32_t MenuKeys = 5002;
inline constexpr std::int32_t MenuTestData = 8001;
inline constexpr std::int32_t MenuToneTip = 10221;  // a built-in text
inline constexpr std::int32_t TreeOptions = 5021;
inline constexpr std::int32_t TreeKeys = 5000;
inline constexpr std::int32_t TreeScan = 2400;
inline constexpr std::int32_t TreeAlert = 2600;
inline constexpr std::int32_t TreeDtmf = 5023;
inline constexpr std::int32_t TreeFiveTone = 5025;
inline constexpr std::int32_t TreeCommuBook = 5804;
inline constexpr std::int32_t TreeEmbeddedInfo = 5028;
inline constexpr std::int32_t TreeTestData = 8000;
inline constexpr std::int32_t TitleFileLabel = 2012;
inline constexpr std::int32_t ChannelListName = 3010;  // what screen readers call the grid and the tree
inline constexpr std::int32_t NavigationName = 3011;
// The book's code column; the model dialog's band list.
inline constexpr std::int32_t CommuBookCallId = 3031;
inline constexpr std::array<std::int32_t, 2> BandEntries = {3032, 3033};

struct SectionKey {
  std::string_view Section;
  std::string_view Key;
};

inline constexpr std::string_view kOther = "OTHER";
inline constexpr std::string_view kMsg = "MSG";
inline constexpr std::string_view kOption = "OPTION";

inline constexpr std::string_view SaveChangesQuestion = "9001";  // section MSG
inline constexpr std::string_view IdTooShort = "900C";           // section MSG

// The 5-tone editor and its special-call window, section OPTION.
namespace five_tone {
inline constexpr std::int32_t InfoFrame = 3005;  // section OTHER, like the list's "off" text
inline constexpr std::int32_t Off = 1755;
inline constexpr std::string_view Title = "60052";
inline constexpr std::string_view NumberHeader = "60053";
inline constexpr std::array<std::string_view, 3> Responses = {"60057", "60058", "60059"};
inline constexpr std::string_view ToneSet = "60061";
inline constexpr std::string_view SpecialCall = "60062";
inline constexpr std::string_view EntryNumber = "60063";
inline constexpr std::string_view CallType = "60064";
inline constexpr std::string_view DecodeResponse = "60070";
inline constexpr std::string_view ToneLength = "60071";
inline constexpr std::string_view OwnId = "60072";
inline constexpr std::string_view DataMessage = "60073";
inline constexpr std::string_view CalledId = "60076";
inline constexpr std::string_view Message = "60077";
inline constexpr std::string_view Code = "60079";
inline constexpr std::string_view ToneSetHeader = "60080";
inline constexpr std::string_view IntervalA = "60081";
inline constexpr std::string_view MessagePrefix = "60084";
inline constexpr std::string_view Frequency = "60085";
inline constexpr std::string_view DefaultToneLength = "60086";
inline constexpr std::string_view GroupTone = "60087";
inline constexpr std::string_view RepeatTone = "60088";
inline constexpr std::string_view InfoNumber = "60095";
inline constexpr std::string_view InfoFunction = "60096";
inline constexpr std::string_view InfoCode = "60097";
// By InfoCode::Function 0-6; 3 kill, 4 stun, 5 wake.
inline constexpr std::array<std::string_view, 7> Functions = {"60098", "60075", "60074", "60069",
                                                              "60093", "60082", "60099"};
inline constexpr std::string_view KillNeedsWake = "60300";
inline constexpr std::string_view KillCodeShared = "60301";
inline constexpr std::string_view PttIdBegin = "60302";
inline constexpr std::string_view PttIdEnd = "60303";
inline constexpr std::string_view ToneLengthHeader = "60305";
inline constexpr std::string_view Name = "60306";
inline constexpr std::string_view TenthsTime = "60307";
inline constexpr std::string_view IntervalB = "60308";
inline constexpr std::string_view OptionalValue = "60309";
inline constexpr std::string_view FirstDigitDelay = "60310";
inline constexpr std::string_view PauseTime = "60311";
inline constexpr std::string_view SideTone = "60312";
inline constexpr std::string_view Separator = "60313";
inline constexpr std::string_view PauseCode = "60314";

inline constexpr std::array kAll = {Title,
                                    NumberHeader,
                                    Responses[0],
                                    Responses[1],
                                    Responses[2],
                                    ToneSet,
                                    SpecialCall,
                                    EntryNumber,
                                    CallType,
                                    DecodeResponse,
                                    ToneLength,
                                    OwnId,
                                    DataMessage,
                                    CalledId,
                                    Message,
                                    Code,
                                    ToneSetHeader,
                                    IntervalA,
                                    MessagePrefix,
                                    Frequency,
                                    DefaultToneLength,
                                    GroupTone,
                                    RepeatTone,
                                    InfoNumber,
                                    InfoFunction,
                                    InfoCode,
                                    Functions[0],
                                    Functions[1],
                                    Functions[2],
                                    Functions[3],
                                    Functions[4],
                                    Functions[5],
                                    Functions[6],
                                    KillNeedsWake,
                                    KillCodeShared,
                                    PttIdBegin,
                                    PttIdEnd,
                                    ToneLengthHeader,
                                    Name,
                                    TenthsTime,
                                    IntervalB,
                                    OptionalValue,
                                    FirstDigitDelay,
                                    PauseTime,
                                    SideTone,
                                    Separator,
                                    PauseCode};
}  // namespace five_tone

// The DTMF editor and its special-call window; section OTHER unless a string key (OPTION).
namespace dtmf {
inline constexpr std::int32_t CodesFrame = 1601;
inline constexpr std::int32_t PttIdFrame = 1602;
inline constexpr std::int32_t RemoteFrame = 1603;
inline constexpr std::int32_t Separator = 1604;
inline constexpr std::int32_t GroupCode = 1605;
inline constexpr std::int32_t DecodeResponse = 1606;
inline constexpr std::int32_t FirstDigitDelay = 1607;
inline constexpr std::int32_t PreSendDelay = 1608;
inline constexpr std::int32_t ResetTime = 1609;
inline constexpr std::int32_t PostSendDelay = 1610;
inline constexpr std::int32_t PauseTime = 1611;
inline constexpr std::int32_t SettingsFrame = 1612;
inline constexpr std::int32_t IdDisplay = 1613;
inline constexpr std::array<std::int32_t, 3> Responses = {1650, 1651, 1653};
inline constexpr std::array<std::int32_t, 2> OffOn = {1654, 1655};
inline constexpr std::int32_t Ani = 1740;
inline constexpr std::int32_t SendTime = 1741;
inline constexpr std::int32_t PttIdMode = 1743;
inline constexpr std::int32_t AniOn = 1756;
inline constexpr std::int32_t Milliseconds = 1780;
inline constexpr std::int32_t KillEqualsStun = 3001;
inline constexpr std::int32_t OwnId = 3002;
inline constexpr std::int32_t SpecialCall = 3003;
inline constexpr std::array kAll = {
    CodesFrame,   PttIdFrame,   RemoteFrame,    Separator, GroupCode,     DecodeResponse, FirstDigitDelay,
    PreSendDelay, ResetTime,    PostSendDelay,  PauseTime, SettingsFrame, IdDisplay,      Responses[0],
    Responses[1], Responses[2], OffOn[0],       OffOn[1],  Ani,           SendTime,       PttIdMode,
    AniOn,        Milliseconds, KillEqualsStun, OwnId,     SpecialCall};
}  // namespace dtmf

// The 2-tone editor, section OPTION.
namespace two_tone {
inline constexpr std::string_view Title = "60051";
inline constexpr std::string_view SettingsTab = "60043";
inline constexpr std::string_view ListTab = "60044";
inline constexpr std::string_view FirstToneTime = "60045";
inline constexpr std::string_view SecondToneTime = "60046";
inline constexpr std::string_view LongToneTime = "60047";
inline constexpr std::string_view Interval = "60048";
inline constexpr std::string_view TonePair = "60049";
inline constexpr std::string_view DecodeResponse = "60050";
inline constexpr std::string_view NumberHeader = "60053";
inline constexpr std::string_view FirstTone = "60054";
inline constexpr std::string_view SecondTone = "60055";
inline constexpr std::string_view ToneLabel = "60056";  // followed by A, B, C or D
inline constexpr std::string_view Name = "60304";

inline constexpr std::array kAll = {
    Title,    SettingsTab,    ListTab,      FirstToneTime, SecondToneTime, LongToneTime, Interval,
    TonePair, DecodeResponse, NumberHeader, FirstTone,     SecondTone,     ToneLabel,    Name};
}  // namespace two_tone

namespace detail {

template <std::size_t... Sizes>
constexpr auto JoinKeys(const std::array<std::int32_t, Sizes>&... groups) {
  std::array<std::int32_t, (Sizes + ...)> all{};
  std::size_t next = 0;
  ((std::copy(groups.begin(), groups.end(), all.begin() + static_cast<std::ptrdiff_t>(next)), next += Sizes),
   ...);
  return all;
}

}  // namespace detail

// The communication book editor.
inline constexpr std::int32_t CommuBookTitle = 1800;
inline constexpr std::int32_t CommuBookName = 1801;
inline constexpr std::int32_t CommuBookImport = 1802;
inline constexpr std::int32_t CommuBookExport = 1803;
inline constexpr std::int32_t CommuBookIndex = 3007;

// The scan editor. The priority mode list and the revert list name the priorities by
// ScanPriorityLabel followed by "1" or "2".
inline constexpr std::int32_t ScanTitle = 2400;
inline constexpr std::int32_t ScanTypeLabel = 2402;
inline constexpr std::int32_t ScanPriorityLabel = 2403;
inline constexpr std::int32_t ScanPriority1Group1 = 2404;
inline constexpr std::int32_t ScanPriority2Group1 = 2405;
inline constexpr std::int32_t ScanRevertLabel = 2406;
inline constexpr std::int32_t ScanBackTimeALabel = 2407;
inline constexpr std::int32_t ScanBackTimeBLabel = 2408;
inline constexpr std::int32_t ScanRxResumeLabel = 2409;
inline constexpr std::int32_t ScanTxResumeLabel = 2410;
inline constexpr std::int32_t ScanEntryTone = 2413;
inline constexpr std::int32_t ScanPriority1Group2 = 2420;
inline constexpr std::int32_t ScanPriority2Group2 = 2421;
inline constexpr std::int32_t ScanPriority1Group3 = 2422;
inline constexpr std::int32_t ScanPriority2Group3 = 2423;
// By ScanType 0, 1; the first is also the priority mode "none".
inline constexpr std::array<std::int32_t, 2> ScanTypes = {2430, 2431};
inline constexpr std::int32_t RevertSelected = 2432;
inline constexpr std::int32_t RevertTalkback = 2433;
inline constexpr std::int32_t RevertLastCalled = 2434;
inline constexpr std::int32_t RevertLastUsed = 2435;
inline constexpr std::int32_t ScanGeneralGroup = 2440;
inline constexpr std::int32_t ScanPriorityGroup = 2441;
inline constexpr std::int32_t ScanTimeGroup = 2442;

// The alert editor.
inline constexpr std::int32_t AlertTitle = 2600;
inline constexpr std::int32_t AlertAlarmType = 2602;
inline constexpr std::int32_t AlertIdCodeType = 2603;
inline constexpr std::int32_t AlertIdCode = 2604;
inline constexpr std::int32_t AlertAlarmTime = 2605;
inline constexpr std::int32_t AlertTxTime = 2606;
inline constexpr std::int32_t AlertRxTime = 2607;
inline constexpr std::int32_t AlertChannelMode = 2608;
inline constexpr std::int32_t AlertChannel = 2610;
inline constexpr std::int32_t AlertCycle = 2611;
inline constexpr std::int32_t AlertLoneWorkerGroup = 2612;
inline constexpr std::int32_t AlertLoneWorkerEnable = 2613;
inline constexpr std::int32_t AlertPreAlertTime = 2614;
inline constexpr std::int32_t AlertResponseTime = 2615;
inline constexpr std::int32_t AlertIdTypeNone = 2436;
// By AlarmType 0-3 and EmergencyChannelMode 0-1.
inline constexpr std::array<std::int32_t, 4> AlarmTypes = {2630, 2631, 2632, 2633};
inline constexpr std::array<std::int32_t, 2> EmergencyChannelModes = {2634, 2635};
inline constexpr std::int32_t AlertCycleOff = 2636;
inline constexpr std::int32_t AlertAlarmGroup = 2640;
inline constexpr std::int32_t AlertChannelGroup = 2641;

// The option dialog. A list's label is OptionLabelFirst + its place in the dialog; a frame's title
// OptionGroupFirst + its group.
inline constexpr std::int32_t OptionTitle = 1701;
inline constexpr std::int32_t OptionLabelFirst = 5100;
inline constexpr std::int32_t OptionGroupFirst = 5401;
inline constexpr std::int32_t OptionPasswordEnabled = 5200;
inline constexpr std::int32_t OptionUnlocked = 1796;
inline constexpr std::int32_t OptionLocked = 1797;
inline constexpr std::int32_t OptionDisplayFrequency = 5300;
inline constexpr std::int32_t OptionDisplayChannelNumber = 5301;
inline constexpr std::int32_t OptionDisplayName = 5302;
inline constexpr std::int32_t OptionOff = 5303;
inline constexpr std::int32_t OptionOn = 5304;
inline constexpr std::int32_t OptionMinutes = 5306;
inline constexpr std::int32_t OptionSeconds = 5307;
inline constexpr std::int32_t OptionScanTimeOperated = 5309;
inline constexpr std::int32_t OptionScanCarrierOperated = 5310;
inline constexpr std::int32_t OptionScanSearch = 5311;
inline constexpr std::int32_t OptionPilot1750 = 5315;
inline constexpr std::int32_t OptionPilot2100 = 5316;
inline constexpr std::int32_t OptionPilot1000 = 5317;
inline constexpr std::int32_t OptionPilot1450 = 5318;
inline constexpr std::int32_t OptionSqlMomentary = 5319;
inline constexpr std::int32_t OptionSqlToggle = 5320;
inline constexpr std::int32_t OptionTailFrequency1 = 5321;
inline constexpr std::int32_t OptionTailFrequency2 = 5322;
inline constexpr std::int32_t OptionTailMode1 = 5323;
inline constexpr std::int32_t OptionTailMode2 = 5324;
inline constexpr std::int32_t OptionTailMode3 = 5325;
inline constexpr std::int32_t OptionFrequencyMode = 5326;
inline constexpr std::int32_t OptionMemoryMode = 5327;
inline constexpr std::int32_t OptionTailTone = 5332;
inline constexpr std::int32_t OptionPowerOff1 = 5333;
inline constexpr std::int32_t OptionPowerOff2 = 5334;
inline constexpr std::int32_t OptionPowerOff3 = 5335;
inline constexpr std::int32_t OptionScreenNormal = 5340;
inline constexpr std::int32_t OptionScreenReversed = 5341;
inline constexpr std::int32_t OptionSpeakerInternal = 5342;
inline constexpr std::int32_t OptionSpeakerExternal = 5343;
inline constexpr std::int32_t OptionSpeakerBoth = 5344;
inline constexpr std::int32_t OptionMainUpper = 5345;
inline constexpr std::int32_t OptionMainLower = 5346;
inline constexpr std::int32_t OptionAreaA = 5347;
inline constexpr std::int32_t OptionAreaB = 5348;
inline constexpr std::int32_t OptionKnobChannel = 5349;
inline constexpr std::int32_t OptionKnobVolume = 5350;

// The key dialog; a key-mode frame's title is KeyModeFrame, a blank and the mode's number.
inline constexpr std::int32_t KeyDialogTitle = 5000;
inline constexpr std::int32_t KeyShortcutFrame = 5007;
inline constexpr std::int32_t KeyModeFrame = 5008;

// Keys of section "OTHER".
inline constexpr auto kLookedUpKeys = detail::JoinKeys(
    std::array{FontName,      FontSize,     OkButton,        CancelButton,    FrequencyOutOfRange,
               BusyLockOff,   NoSignalling, LanguageEnglish, LanguageChinese, LanguageDialogCaption,
               GridChannel,   GridRx,       GridTx,          GridName,        GridStep,
               GridBandwidth, GridScan,     GridPower,       GridTone,        GridDecode,
               GridEncode,    GridOptSignal},
    std::array{FrequencyOutOfRangeDetail}, PowerLevels, PttIdModes, SquelchModes, ScanMembership,
    std::array{PortOpenFailed, RadioNotAnswering, ReadSucceeded, WriteSucceeded, ReadFailed, WriteFailed,
               InformationReadFailed, PortLost, PasswordWrong, BandsDiffer, PasswordTitle, PasswordLabel},
    std::array{MenuFile,           MenuNew,          MenuOpen,
               MenuSave,           MenuSaveAs,       MenuImportChannels,
               MenuExportChannels, MenuPrint,        MenuExit,
               MenuEdit,           MenuEditChannel,  MenuView,
               MenuOptions,        MenuRadio,        MenuDtmf,
               MenuTwoTone,        MenuFiveTone,     MenuToolBar,
               MenuStatusBar,      MenuEmbeddedInfo, MenuSettings,
               MenuPort,           MenuLanguage,     MenuInitialise,
               MenuProgram,        MenuRead,         MenuWrite,
               MenuReadReset,      MenuWriteReset,   MenuHelp,
               MenuHelpContents,   MenuAbout,        MenuAutoTest,
               MenuModel,          MenuModelInfo,    MenuCommuBook,
               MenuScan,           MenuAlert,        MenuKeys,
               MenuTestData,       TreeOptions,      TreeKeys,
               TreeScan,           TreeAlert,        TreeDtmf,
               TreeFiveTone,       TreeCommuBook,    TreeEmbeddedInfo,
               TreeTestData,       TitleFileLabel,   ChannelListName,
               NavigationName},
    std::array{MenuPrintPreview, MenuExportPdf, PrintSettingsSummary, PrintUntitled, PrintDate, PrintFailed},
    std::array{PortDialogTitle, PortLabel, VirtualRadioPort, PortSaveFailed, PortPathMissing,
               PortPathNotDevice, LanguageFileRefused, ModelDialogTitle, ModelLabel, BandLabel},
    std::array{ChannelEditTitle, ChannelTxInhibit, ChannelScanAdd, ChannelTalkAround, ChannelCustomTone,
               ChannelReverse, ChannelScramble, ChannelInverted, ChannelBusyLock, ChannelDtmfPttId,
               ChannelFiveTonePttId, ChannelSquelchMode},
    std::array{CommuBookTitle, CommuBookName, CommuBookImport, CommuBookExport, CommuBookIndex},
    std::array{ScanTitle,           ScanTypeLabel,       ScanPriorityLabel,   ScanPriority1Group1,
               ScanPriority2Group1, ScanRevertLabel,     ScanBackTimeALabel,  ScanBackTimeBLabel,
               ScanRxResumeLabel,   ScanTxResumeLabel,   ScanEntryTone,       ScanPriority1Group2,
               ScanPriority2Group2, ScanPriority1Group3, ScanPriority2Group3, RevertSelected,
               RevertTalkback,      RevertLastCalled,    RevertLastUsed,      ScanGeneralGroup,
               ScanPriorityGroup,   ScanTimeGroup},
    ScanTypes,
    std::array{AlertTitle, AlertAlarmType, AlertIdCodeType, AlertIdCode, AlertAlarmTime, AlertTxTime,
               AlertRxTime, AlertChannelMode, AlertChannel, AlertCycle, AlertLoneWorkerGroup,
               AlertLoneWorkerEnable, AlertPreAlertTime, AlertResponseTime, AlertIdTypeNone, AlertCycleOff,
               AlertAlarmGroup, AlertChannelGroup},
    AlarmTypes, EmergencyChannelModes,
    std::array{OptionTitle,
               OptionPasswordEnabled,
               OptionUnlocked,
               OptionLocked,
               OptionDisplayFrequency,
               OptionDisplayChannelNumber,
               OptionDisplayName,
               OptionOff,
               OptionOn,
               OptionMinutes,
               OptionSeconds,
               OptionScanTimeOperated,
               OptionScanCarrierOperated,
               OptionScanSearch,
               OptionPilot1750,
               OptionPilot2100,
               OptionPilot1000,
               OptionPilot1450,
               OptionSqlMomentary,
               OptionSqlToggle,
               OptionTailFrequency1,
               OptionTailFrequency2,
               OptionTailMode1,
               OptionTailMode2,
               OptionTailMode3,
               OptionFrequencyMode,
               OptionMemoryMode,
               OptionTailTone,
               OptionPowerOff1,
               OptionPowerOff2,
               OptionPowerOff3,
               OptionScreenNormal,
               OptionScreenReversed,
               OptionSpeakerInternal,
               OptionSpeakerExternal,
               OptionSpeakerBoth,
               OptionMainUpper,
               OptionMainLower,
               OptionAreaA,
               OptionAreaB,
               OptionKnobChannel,
               OptionKnobVolume,
               KeyDialogTitle,
               KeyShortcutFrame,
               KeyModeFrame},
    std::array{five_tone::InfoFrame, MenuMoveUp, MenuMoveDown, MenuMoveTo, MoveToLabel, MenuOpenBackup,
               MenuWriteFleet, MenuCut, MenuCopy, MenuPaste, CommuBookCallId},
    BandEntries, dtmf::kAll);

// Keys read directly from the other sections.
inline constexpr std::array kLookedUpSectionKeys = {
    SectionKey{kMsg, SaveChangesQuestion},
    SectionKey{kMsg, IdTooShort},
};

}  // namespace hvt::text_key
