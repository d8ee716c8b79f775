#include "editors/five_tone_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/special_call_presenter.h"
#include "model/codec_chain.h"
#include "model/five_tone_code_text.h"
#include "model/new_configuration.h"
#include "model/radio_image.h"
#include "model/tone_set_table.h"
#include "support/scripted_prompter.h"

namespace hvt {
namespace {

const LanguageTexts kTexts = LanguageTexts::Load(1, HVT_DATA_DIR "/language/english.ini");

using Column = FiveTonePresenter::Column;
using CallType = SpecialCallPresenter::CallType;

std::string Msg(std::string_view key) { return kTexts.SectionText("MSG", key); }
std::string Opt(std::string_view key) { return kTexts.SectionText("OPTION", key); }

std::string SelectedText(const ChoiceList& list) {
  return list.HasSelection() ? list.Entries[static_cast<std::size_t>(list.Selected)].Text : "<none>";
}

class FiveTonePresenterTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetAllSettings(config_);
    config_.FiveTone.OwnId = "54321";
    config_.FiveTone.OwnIdLength = 5;
  }
  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  FiveToneEntry& Code(int row) { return config_.FiveTone.Codes[static_cast<std::size_t>(row)]; }
  void SetPresent(int row, std::string_view code) {
    Code(row) = {
        .EmptyFlag = 0, .DigitCount = static_cast<std::uint8_t>(code.size()), .ToneLength = 70, .Code = code};
  }
  // Builds a special code the way the user does: the window opened on `row`, filled, OK.
  void MakeSpecialCall(FiveTonePresenter& presenter, SpecialTarget target, int row, CallType type,
                       std::string_view calledId, std::string_view message, int separator) {
    SpecialCallPresenter special(presenter, target, row, prompter_);
    special.SelectType(static_cast<int>(type));
    special.TypeCalledId(type, calledId);
    special.TypeMessage(message);
    special.SelectSeparator(separator);
    ASSERT_TRUE(special.Ok());
  }

  Configuration config_;
  ScriptedPrompter prompter_;
};

TEST_F(FiveTonePresenterTest, TypedCodesAreStoredAsSentWithRepeatTones) {
  struct Case {
    std::string Typed;
    std::string Stored;
  };
  const std::vector<Case> cases = {
      {"11111", "1E1E1"},
      {"12a4f", "12A4F"},
      {"12x34", "1234"},
      {"1223334444", "12E3E34E4E"},
      {std::string(45, '7'), "7E7E7E7E7E7E7E7E7E7E7E7E7E7E7E7E7E7E7E7E"},
  };
  for (const Case& c : cases) {
    FiveTonePresenter presenter(config_, kTexts, prompter_);
    ASSERT_TRUE(presenter.CanEditCell(0, Column::kCodeColumn));
    presenter.SetCellText(0, Column::kCodeColumn, c.Typed);
    EXPECT_EQ(presenter.CellText(0, Column::kCodeColumn), c.Stored) << c.Typed;
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(Code(0).Code.Trimmed(), c.Stored) << c.Typed;
    EXPECT_EQ(Code(0).DigitCount, c.Stored.size()) << c.Typed;
    EXPECT_EQ(Code(0).EmptyFlag, 0) << c.Typed;
  }
}

TEST_F(FiveTonePresenterTest, AnEntryThatBecomesPresentTakesWhatItsRowShowed) {
  // An empty entry keeps stale values that its row never shows.
  Code(0) = {.EmptyFlag = 1, .Standard = 5, .ToneLength = 100, .Name = "OLD"};
  Code(1) = Code(0);
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  EXPECT_EQ(presenter.CellText(0, Column::kToneSetColumn), "ZVEI1");
  EXPECT_EQ(presenter.CellText(0, Column::kToneLengthColumn), "70");

  presenter.SetCellText(0, Column::kCodeColumn, "12345");
  MakeSpecialCall(presenter, SpecialTarget::ListEntry, 1, CallType::Ani, "12345", "", 13);
  ASSERT_TRUE(presenter.Ok());
  for (const int row : {0, 1}) {
    EXPECT_EQ(Code(row).EmptyFlag, 0) << row;
    EXPECT_EQ(Code(row).Standard, 0) << row;
    EXPECT_EQ(Code(row).ToneLength, 70) << row;
    EXPECT_EQ(Code(row).Name.Trimmed(), "") << row;
  }
}

TEST_F(FiveTonePresenterTest, ClearingACodeEmptiesTheEntryAndLocksItsOtherCells) {
  SetPresent(3, "12345");
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  EXPECT_TRUE(presenter.CanEditCell(3, Column::kToneSetColumn));
  presenter.SetCellText(3, Column::kCodeColumn, "");
  EXPECT_FALSE(presenter.CanEditCell(3, Column::kToneSetColumn));
  EXPECT_FALSE(presenter.CanEditCell(3, Column::kToneLengthColumn));
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(Code(3).EmptyFlag, 1);
  EXPECT_EQ(Code(3).DigitCount, 0);
}

TEST_F(FiveTonePresenterTest, ChoosingAToneSetProposesItsToneLength) {
  SetPresent(0, "12345");
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  const int ccir = ToneSetTable::IndexOf("CCIR1").value();
  presenter.SetCellChoice(0, Column::kToneSetColumn, ccir);
  EXPECT_EQ(presenter.CellText(0, Column::kToneSetColumn), "CCIR1");
  EXPECT_EQ(presenter.CellText(0, Column::kToneLengthColumn),
            std::to_string(ToneSetTable::At(ccir)->ToneLength));
  EXPECT_TRUE(presenter.State().ToneSetDescription.starts_with("CCIR1\n"));
  presenter.SetCellChoice(0, Column::kToneLengthColumn, 45);
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(Code(0).Standard, ccir);
  EXPECT_EQ(Code(0).ToneLength, 45);
}

TEST_F(FiveTonePresenterTest, AniCodesCarrySelfIdForTheListAndTheOwnIdForPttIds) {
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  MakeSpecialCall(presenter, SpecialTarget::ListEntry, 4, CallType::Ani, "12345", "", 0xD);
  EXPECT_EQ(presenter.WorkingCopy().Codes[4].Code.Trimmed(), PrepareFiveToneCode("12345DSelfID", "54321"));
  EXPECT_EQ(presenter.CellText(4, Column::kTypeColumn), "ANI");
  EXPECT_EQ(presenter.CellText(4, Column::kCodeColumn), "12345D");
  EXPECT_FALSE(presenter.CanEditCell(4, Column::kCodeColumn));

  MakeSpecialCall(presenter, SpecialTarget::PttIdBegin, -1, CallType::Ani, "12345", "", 0xD);
  EXPECT_EQ(presenter.State().PttIds[0].Code.Text, "12345D54321");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(config_.FiveTone.PttIdBegin.Code.Trimmed(), "12345D54321");
  EXPECT_EQ(config_.FiveTone.Codes[4].Code.Trimmed(), "12345D54321");  // the radio needs the real ID
  EXPECT_EQ(config_.FiveTone.Separator, 0xD);
}

TEST_F(FiveTonePresenterTest, DataMessagesAreHeaderThenHexadecimalCharacters) {
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  MakeSpecialCall(presenter, SpecialTarget::ListEntry, 0, CallType::DataMessage, "12345", "hi!", 0);
  EXPECT_EQ(presenter.WorkingCopy().Codes[0].Code.Trimmed(), "E1E2345E4849");
  EXPECT_EQ(presenter.CellText(0, Column::kTypeColumn), Opt("60073"));
  EXPECT_EQ(presenter.CellText(0, Column::kCodeColumn), "12345        " + Opt("60084") + "HI");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(Code(0).Code.Trimmed(), "E1E2345E4849");
  EXPECT_EQ(Code(0).DigitCount, 12);
}

TEST_F(FiveTonePresenterTest, SpecialCallWindowWaitsForAFullCalledId) {
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  SpecialCallPresenter special(presenter, SpecialTarget::ListEntry, 2, prompter_);
  EXPECT_EQ(special.State().Entry.Selected, 2);
  EXPECT_EQ(special.TypeCalledId(CallType::DataMessage, "1a2b3c"), "1A23");
  EXPECT_FALSE(special.LeaveCalledId(CallType::DataMessage));
  EXPECT_FALSE(special.Ok());
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{Msg("900C")});
  EXPECT_EQ(presenter.WorkingCopy().Codes[2].EmptyFlag, 1);
}

TEST_F(FiveTonePresenterTest, ResettingASpecialCallAsksAndKeepsTheEntryPresent) {
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  MakeSpecialCall(presenter, SpecialTarget::ListEntry, 0, CallType::Ani, "12345", "", 0);
  prompter_.Answers = {PromptAnswer::Cancel, PromptAnswer::Ok};
  EXPECT_FALSE(presenter.ResetSpecialCall(0));
  EXPECT_EQ(presenter.CellText(0, Column::kTypeColumn), "ANI");
  EXPECT_TRUE(presenter.ResetSpecialCall(0));
  EXPECT_EQ(presenter.CellText(0, Column::kTypeColumn), "");
  EXPECT_EQ(presenter.CellText(0, Column::kCodeColumn), "");
  EXPECT_TRUE(presenter.CanEditCell(0, Column::kCodeColumn));
  EXPECT_EQ(presenter.WorkingCopy().Codes[0].EmptyFlag, 0);
  EXPECT_FALSE(presenter.ResetSpecialCall(1));  // an ordinary row asks nothing
}

TEST_F(FiveTonePresenterTest, ANewOwnIdReaddressesOnlyTheCodesThatNamedTheOldOne) {
  SetPresent(0, "98765D54321");  // ANI code ending in the own ID
  SetPresent(1, "E254321");
  SetPresent(2, "E654321");
  SetPresent(3, "1234654321");  // a plain code that happens to end in it
  config_.FiveTone.PttIdBegin = {.DigitCount = 7, .ToneLength = 70, .Code = "E254321"};
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  EXPECT_EQ(presenter.TypeOwnId("5432x3"), "54323");
  ASSERT_TRUE(presenter.LeaveOwnId());
  EXPECT_EQ(presenter.State().PttIds[0].Code.Text, "E254323");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(Code(0).Code.Trimmed(), "98765D54323");
  EXPECT_EQ(Code(1).Code.Trimmed(), "E254323");
  EXPECT_EQ(Code(2).Code.Trimmed(), "E654323");
  EXPECT_EQ(Code(3).Code.Trimmed(), "1234654321");
  EXPECT_EQ(config_.FiveTone.OwnId.Trimmed(), "54323");
  EXPECT_EQ(config_.FiveTone.PttIdBegin.Code.Trimmed(), "E254323");
}

TEST_F(FiveTonePresenterTest, AShortOwnIdIsRefusedOnLeavingAndAtOk) {
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  presenter.TypeOwnId("123");
  EXPECT_FALSE(presenter.LeaveOwnId());
  EXPECT_FALSE(presenter.Ok());
  EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{Msg("900C"), Msg("900C")}));
  EXPECT_EQ(config_.FiveTone.OwnId.Trimmed(), "54321");
}

TEST_F(FiveTonePresenterTest, FunctionDecidesWhichResponsesAnInfoCodeMayHave) {
  struct Case {
    int Function;
    std::size_t Responses;
    int Selected;
    bool ResponseEnabled;
    bool NameEnabled;
  };
  const std::vector<Case> cases = {
      {0, 3, 1, true, false}, {1, 2, 0, true, true},  {2, 3, 0, false, true},  {3, 3, 2, false, true},
      {4, 3, 2, false, true}, {5, 3, 2, false, true}, {6, 3, 0, false, false},
  };
  for (const Case& c : cases) {
    FiveTonePresenter presenter(config_, kTexts, prompter_);
    presenter.SelectInfoResponse(1);
    presenter.TypeInfoName("NAME");
    presenter.SelectInfoFunction(c.Function);
    const auto& state = presenter.State();
    EXPECT_EQ(state.InfoResponse.Entries.size(), c.Responses) << c.Function;
    EXPECT_EQ(state.InfoResponse.Selected, c.Selected) << c.Function;
    EXPECT_EQ(state.InfoResponse.Enabled, c.ResponseEnabled) << c.Function;
    EXPECT_EQ(state.InfoName.Enabled, c.NameEnabled) << c.Function;
  }
}

TEST_F(FiveTonePresenterTest, InfoCodesAreKeptPerNumber) {
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  presenter.SelectInfoFunction(1);
  presenter.TypeInfoCode("12ab");
  presenter.TypeInfoName("GROUP");
  presenter.SelectInfoNumber(4);  // number 5
  EXPECT_EQ(presenter.State().InfoFrameTitle, kTexts.LanguageText(3005) + "5");
  EXPECT_EQ(presenter.State().InfoCode.Text, "");
  presenter.SelectInfoNumber(0);
  EXPECT_EQ(presenter.State().InfoCode.Text, "12AB");
  EXPECT_EQ(presenter.State().InfoName.Text, "GROUP");
  ASSERT_TRUE(presenter.Ok());
  const InfoCode& info = config_.FiveTone.InfoCodes[0];
  EXPECT_EQ(info.Function, 1);
  EXPECT_EQ(info.DigitCount, 4);
  EXPECT_EQ(info.Code.Trimmed(), "12AB");
  EXPECT_EQ(info.Name.Trimmed(), "GROUP");
}

TEST_F(FiveTonePresenterTest, KillAndStunNeedAWakeCodeOfTheirOwn) {
  struct Case {
    std::string What;
    std::vector<std::pair<int, std::string>> Infos;  // function, code
    std::vector<std::string> Messages;
  };
  const std::vector<Case> cases = {
      {"kill without wake", {{3, "111"}, {0, "222"}}, {Opt("60300")}},
      {"stun without wake", {{4, "111"}, {0, "222"}}, {Opt("60300")}},
      {"kill with wake", {{3, "111"}, {5, "333"}, {0, "222"}}, {}},
      {"kill shares a call's code", {{3, "111"}, {5, "333"}, {0, "111"}}, {Opt("60301")}},
      {"both faults", {{3, "111"}, {0, "111"}}, {Opt("60300"), Opt("60301")}},
  };
  for (const Case& c : cases) {
    ResetAllSettings(config_);
    config_.FiveTone.OwnId = "54321";
    for (std::size_t i = 0; i < config_.FiveTone.InfoCodes.size(); ++i) {
      config_.FiveTone.InfoCodes[i] = {.DigitCount = 3, .Code = "9" + std::to_string(i) + "9"};
    }
    for (std::size_t i = 0; i < c.Infos.size(); ++i) {
      config_.FiveTone.InfoCodes[i] = {.Function = static_cast<std::uint8_t>(c.Infos[i].first),
                                       .DigitCount = 3,
                                       .Code = c.Infos[i].second};
    }
    const FiveToneSettings before = config_.FiveTone;
    prompter_.Messages.clear();
    FiveTonePresenter presenter(config_, kTexts, prompter_);
    EXPECT_EQ(presenter.Ok(), c.Messages.empty()) << c.What;
    EXPECT_EQ(prompter_.Texts(), c.Messages) << c.What;
    if (!c.Messages.empty()) {
      EXPECT_EQ(config_.FiveTone, before) << c.What;
    }
  }
}

TEST_F(FiveTonePresenterTest, ValuesOutsideTheirListsShowAndStoreTheFirstEntry) {
  config_.FiveTone.OptionalValue = 3;
  config_.FiveTone.Standard = 14;
  config_.FiveTone.ToneLength = 200;
  Code(7) = {.EmptyFlag = 0, .Standard = 14, .DigitCount = 3, .ToneLength = 10, .Code = "123"};
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  const auto& lists = presenter.State().Lists;
  EXPECT_EQ(SelectedText(lists[static_cast<std::size_t>(FiveToneList::OptionalValue)]),
            kTexts.LanguageText(1755));
  EXPECT_EQ(SelectedText(lists[static_cast<std::size_t>(FiveToneList::Standard)]), "ZVEI1");
  EXPECT_EQ(SelectedText(lists[static_cast<std::size_t>(FiveToneList::ToneLength)]), "70");
  EXPECT_EQ(presenter.CellText(7, Column::kToneSetColumn), "ZVEI1");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(config_.FiveTone.OptionalValue, 0);
  EXPECT_EQ(config_.FiveTone.Standard, 0);
  EXPECT_EQ(config_.FiveTone.ToneLength, 70);
  EXPECT_EQ(Code(7).Standard, 0);
  EXPECT_EQ(Code(7).ToneLength, 70);
}

TEST_F(FiveTonePresenterTest, PauseTimeIsOfferedOnlyWithAPauseCode) {
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  const auto pauseTime = [&] {
    return presenter.State().Lists[static_cast<std::size_t>(FiveToneList::PauseTime)];
  };
  EXPECT_FALSE(pauseTime().Enabled);
  presenter.SelectEntry(FiveToneList::PauseCode, 2);  // "C"
  EXPECT_TRUE(pauseTime().Enabled);
  presenter.SelectEntry(FiveToneList::IntervalA, 4);  // 50 ms
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(config_.FiveTone.PauseCode, 0xC);
  EXPECT_EQ(config_.FiveTone.IntervalA, 5);
}

TEST_F(FiveTonePresenterTest, OkMovesChannelsAndTheAlertOffEntriesThatAreNowEmpty) {
  SetPresent(2, "222");
  SetPresent(5, "555");
  ChannelRecord channel = CreateChannel(1, "446.00625");
  channel.OptSignal = kSignallingFiveTone;
  channel.FiveToneCode = 5;
  ASSERT_TRUE(AddChannel(config_.Channels, channel));
  config_.Alert.IdCodeType = 2;  // 5-tone
  config_.Alert.IdCode = 5;

  FiveTonePresenter presenter(config_, kTexts, prompter_);
  presenter.SetCellText(5, Column::kCodeColumn, "");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(config_.Channels.Entries[0].FiveToneCode, 2);
  EXPECT_EQ(config_.Alert.IdCode, 2);
}

TEST_F(FiveTonePresenterTest, WithoutOkTheConfigurationStaysAsItWas) {
  SetPresent(0, "12345");
  const Configuration before = config_;
  {
    FiveTonePresenter presenter(config_, kTexts, prompter_);
    presenter.SetCellText(0, Column::kCodeColumn, "999");
    presenter.TypeOwnId("11111");
    ASSERT_TRUE(presenter.LeaveOwnId());
    presenter.Cancel();
  }
  EXPECT_EQ(config_, before);
}

TEST_F(FiveTonePresenterTest, AnEditedCodeSurvivesTheRadioImage) {
  FiveTonePresenter presenter(config_, kTexts, prompter_);
  presenter.SetCellText(9, Column::kCodeColumn, "11223");
  MakeSpecialCall(presenter, SpecialTarget::ListEntry, 10, CallType::DataMessage, "12345", "OK", 0);
  ASSERT_TRUE(presenter.Ok());

  RadioImage image;
  ASSERT_FALSE(EncodeAll(config_, image).has_value());
  Configuration decoded;
  DecodeAll(image, decoded);
  EXPECT_EQ(decoded.FiveTone.Codes[9].Code.Trimmed(), "1E2E3");
  EXPECT_EQ(decoded.FiveTone.Codes[9].EmptyFlag, 0);
  EXPECT_EQ(decoded.FiveTone.Codes[10].Code.Trimmed(), "E1E2345E4F4B");
  EXPECT_EQ(decoded.FiveTone.OwnId.Trimmed(), "54321");
}

}  // namespace
}  // namespace hvt
