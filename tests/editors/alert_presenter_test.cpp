#include "editors/alert_presenter.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "support/record_printer.h"
#include "support/scripted_prompter.h"

namespace hvt {
namespace {

const LanguageTexts kTexts = LanguageTexts::FromText(1,
                                                     "[OTHER]\n101=OK\n102=Cancel\n2436=None\n"
                                                     "2600=Emergency Alarm\n2630=Local\n2631=Remote\n"
                                                     "2632=Local + Remote\n2633=Silent\n"
                                                     "2634=Designated\n2635=Current\n2636=Off\n");

constexpr std::uint8_t kNone = 0;
constexpr std::uint8_t kDtmf = 1;
constexpr std::uint8_t kFiveTone = 2;
constexpr std::uint8_t kRemote = 1;

using Texts = std::vector<std::string>;

Texts TextsOf(const ChoiceList& list) {
  Texts texts;
  for (const ListEntry& entry : list.Entries) texts.push_back(entry.Text);
  return texts;
}

std::string SelectedText(const ChoiceList& list) {
  return list.HasSelection() ? list.Entries[static_cast<std::size_t>(list.Selected)].Text : "<none>";
}

FiveToneSettings FiveToneWith(std::initializer_list<int> present) {
  FiveToneSettings fiveTone;
  for (FiveToneEntry& entry : fiveTone.Codes) entry.EmptyFlag = 1;
  for (const int position : present) fiveTone.Codes[static_cast<std::size_t>(position)].EmptyFlag = 0;
  return fiveTone;
}

class AlertPresenterTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const int number : {1, 2, 5}) ASSERT_TRUE(AddChannel(channels_, CreateChannel(number, "446.00625")));
    for (const int code : {1, 3, 4}) dtmf_.DtmfCodes[static_cast<std::size_t>(code - 1)].DigitCount = 3;
    fiveTone_ = FiveToneWith({3, 7, 99});
  }
  void TearDown() override {
    EXPECT_TRUE(prompter_.ScriptUsedUp());
    EXPECT_TRUE(prompter_.Messages.empty());
  }

  AlertPresenter Open() { return AlertPresenter(alert_, channels_, dtmf_, fiveTone_, kTexts, prompter_); }

  AlertSettings alert_ = NewAlertSettings();
  ChannelTable channels_;
  DtmfSettings dtmf_;
  FiveToneSettings fiveTone_;
  ScriptedPrompter prompter_;
};

TEST_F(AlertPresenterTest, TheIdCodeListFollowsTheIdCodeType) {
  dtmf_.DtmfCodes[15].DigitCount = 16;
  dtmf_.DtmfCodes[7].DigitCount = -1;  // no digits, however it got there
  const struct {
    std::uint8_t Type;
    std::uint8_t Code;
    Texts Entries;
    std::string Shown;
    int Stored;
  } cases[] = {
      {kDtmf, 2, {"M1", "M3", "M4", "M16"}, "M3", 2},
      {kDtmf, 15, {"M1", "M3", "M4", "M16"}, "M16", 15},
      {kDtmf, 1, {"M1", "M3", "M4", "M16"}, "M1", 0},  // M2 has no digits
      {kDtmf, 7, {"M1", "M3", "M4", "M16"}, "M1", 0},
      {kDtmf, 200, {"M1", "M3", "M4", "M16"}, "M1", 0},
      {kFiveTone, 7, {"3", "7", "99"}, "7", 7},
      {kFiveTone, 99, {"3", "7", "99"}, "99", 99},
      {kFiveTone, 4, {"3", "7", "99"}, "3", 3},
      {kFiveTone, 100, {"3", "7", "99"}, "3", 3},
      {kNone, 5, {}, "<none>", 0},
      {9, 5, {}, "<none>", 0},  // a type outside its list reads as "none"
  };
  for (const auto& c : cases) {
    alert_.AlarmType = kRemote;
    alert_.IdCodeType = c.Type;
    alert_.IdCode = c.Code;
    AlertPresenter presenter = Open();
    EXPECT_EQ(TextsOf(presenter.State().IdCodeType), (Texts{"None", "DTMF", "5Tone"}));
    EXPECT_EQ(TextsOf(presenter.State().IdCode), c.Entries) << +c.Type << "/" << +c.Code;
    EXPECT_EQ(SelectedText(presenter.State().IdCode), c.Shown) << +c.Type << "/" << +c.Code;
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(alert_.IdCode, c.Stored) << +c.Type << "/" << +c.Code;
    EXPECT_LE(alert_.IdCodeType, 2);
  }
}

TEST_F(AlertPresenterTest, WithoutPresentFiveToneEntriesTheListOffersZero) {
  fiveTone_ = FiveToneWith({});
  alert_.AlarmType = kRemote;
  alert_.IdCodeType = kFiveTone;
  alert_.IdCode = 12;
  AlertPresenter presenter = Open();
  EXPECT_EQ(TextsOf(presenter.State().IdCode), Texts{"0"});
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(alert_.IdCode, 0);
}

TEST_F(AlertPresenterTest, ChangingTheIdCodeTypeSelectsTheFirstCodeOfTheNewList) {
  alert_.AlarmType = kRemote;
  alert_.IdCodeType = kDtmf;
  alert_.IdCode = 3;  // M4
  AlertPresenter presenter = Open();
  const auto& s = presenter.State();
  EXPECT_EQ(SelectedText(s.IdCode), "M4");

  const struct {
    int Type;
    Texts Entries;
    std::string Shown;
  } steps[] = {
      {kFiveTone, {"3", "7", "99"}, "3"},
      {kNone, {}, "<none>"},
      {kDtmf, {"M1", "M3", "M4"}, "M1"},
  };
  for (const auto& step : steps) {
    presenter.SelectEntry(AlertList::IdCodeType, step.Type);
    EXPECT_EQ(TextsOf(s.IdCode), step.Entries) << step.Type;
    EXPECT_EQ(SelectedText(s.IdCode), step.Shown) << step.Type;
  }

  presenter.SelectEntry(AlertList::IdCodeType, kFiveTone);
  presenter.SelectEntry(AlertList::IdCode, 2);
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(alert_.IdCodeType, kFiveTone);
  EXPECT_EQ(alert_.IdCode, 99);
}

TEST_F(AlertPresenterTest, NumberListsShowTheirValueOrTheFirstEntry) {
  const struct {
    AlertList List;
    std::uint8_t AlertSettings::*Field;
    std::uint8_t Stored;
    std::string Shown;
    std::string First;
    std::string Last;
    std::uint8_t Saved;  // by OK without a change
  } cases[] = {
      {AlertList::AlarmTime, &AlertSettings::AlarmTime, 0, "1", "1", "255", 1},
      {AlertList::AlarmTime, &AlertSettings::AlarmTime, 255, "255", "1", "255", 255},
      {AlertList::TxTime, &AlertSettings::TxTime, 30, "30", "1", "255", 30},
      {AlertList::RxTime, &AlertSettings::RxTime, 0, "1", "1", "255", 1},
      {AlertList::Cycle, &AlertSettings::Cycle, 0, "Off", "Off", "255", 0},
      {AlertList::Cycle, &AlertSettings::Cycle, 7, "7", "Off", "255", 7},
      {AlertList::PreAlertTime, &AlertSettings::PreAlertTime, 254, "254", "1", "254", 254},
      {AlertList::PreAlertTime, &AlertSettings::PreAlertTime, 255, "1", "1", "254", 1},
      {AlertList::LoneWorkerTime, &AlertSettings::LoneWorkerTime, 4, "5", "5", "255", 5},
      {AlertList::LoneWorkerTime, &AlertSettings::LoneWorkerTime, 60, "60", "5", "255", 60},
  };
  for (const auto& c : cases) {
    alert_ = NewAlertSettings();
    alert_.*c.Field = c.Stored;
    AlertPresenter presenter = Open();
    const auto& s = presenter.State();
    const ChoiceList* shown = &s.AlarmTime;
    switch (c.List) {
      case AlertList::TxTime:
        shown = &s.TxTime;
        break;
      case AlertList::RxTime:
        shown = &s.RxTime;
        break;
      case AlertList::Cycle:
        shown = &s.Cycle;
        break;
      case AlertList::PreAlertTime:
        shown = &s.PreAlertTime;
        break;
      case AlertList::LoneWorkerTime:
        shown = &s.LoneWorkerTime;
        break;
      default:
        break;
    }
    EXPECT_EQ(SelectedText(*shown), c.Shown) << +c.Stored;
    EXPECT_EQ(shown->Entries.front().Text, c.First);
    EXPECT_EQ(shown->Entries.back().Text, c.Last);
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(alert_.*c.Field, c.Saved) << +c.Stored;
  }
}

TEST_F(AlertPresenterTest, TheEmergencyChannelListOffersExistingChannelsUpTo199) {
  for (const int number : {199, 200, 201, 203}) {
    ASSERT_TRUE(AddChannel(channels_, CreateChannel(number, "446.00625")));
  }
  const struct {
    std::uint8_t Stored;
    std::string Shown;
  } cases[] = {{5, "5"}, {199, "199"}, {200, "1"}, {3, "1"}, {0, "1"}, {201, "1"}};
  for (const auto& c : cases) {
    alert_.EmergencyChannel = c.Stored;
    AlertPresenter presenter = Open();
    EXPECT_EQ(TextsOf(presenter.State().Channel), (Texts{"1", "2", "5", "199"}));
    EXPECT_EQ(SelectedText(presenter.State().Channel), c.Shown) << +c.Stored;
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(alert_.EmergencyChannel, std::stoi(c.Shown)) << +c.Stored;
  }
}

TEST_F(AlertPresenterTest, WithoutChannelsBelow200TheEmergencyChannelIsOne) {
  channels_ = {};
  ASSERT_TRUE(AddChannel(channels_, CreateChannel(200, "446.00625")));
  alert_.EmergencyChannel = 200;
  AlertPresenter presenter = Open();
  EXPECT_EQ(TextsOf(presenter.State().Channel), Texts{"1"});
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(alert_.EmergencyChannel, 1);
}

TEST_F(AlertPresenterTest, TheChoicesEnableTheListsTheyConcern) {
  const struct {
    std::uint8_t AlarmType;
    std::uint8_t ChannelMode;
    std::uint8_t LoneWorker;
    bool Remote;  // ID code type, ID code, TX and RX time; the alarm time is the reverse
    bool Channel;
    bool LoneWorkerTimes;
  } cases[] = {
      {0, 0, 0, false, true, false}, {1, 0, 1, true, true, true},   {2, 1, 0, true, false, false},
      {3, 1, 1, true, false, true},  {8, 5, 5, false, true, false},
  };
  for (const auto& c : cases) {
    alert_.AlarmType = c.AlarmType;
    alert_.EmergencyChannelMode = c.ChannelMode;
    alert_.LoneWorker = c.LoneWorker;
    AlertPresenter presenter = Open();
    const auto& s = presenter.State();
    const std::string name = std::to_string(c.AlarmType) + "/" + std::to_string(c.ChannelMode);
    EXPECT_EQ(s.AlarmTime.Enabled, !c.Remote) << name;
    for (const ChoiceList* list : {&s.IdCodeType, &s.IdCode, &s.TxTime, &s.RxTime}) {
      EXPECT_EQ(list->Enabled, c.Remote) << name;
    }
    EXPECT_EQ(s.Channel.Enabled, c.Channel) << name;
    EXPECT_EQ(s.PreAlertTime.Enabled, c.LoneWorkerTimes) << name;
    EXPECT_EQ(s.LoneWorkerTime.Enabled, c.LoneWorkerTimes) << name;
    EXPECT_TRUE(s.AlarmType.Enabled && s.ChannelMode.Enabled && s.Cycle.Enabled && s.LoneWorker.Enabled);
  }

  alert_ = NewAlertSettings();
  AlertPresenter presenter = Open();
  const auto& s = presenter.State();
  presenter.SelectEntry(AlertList::IdCodeType, kDtmf);  // disabled for a local alarm
  EXPECT_EQ(SelectedText(s.IdCodeType), "None");
  presenter.SelectEntry(AlertList::AlarmType, 3);
  presenter.SelectEntry(AlertList::ChannelMode, 1);
  presenter.SetLoneWorker(true);
  EXPECT_TRUE(s.IdCodeType.Enabled && s.RxTime.Enabled && s.PreAlertTime.Enabled);
  EXPECT_FALSE(s.AlarmTime.Enabled || s.Channel.Enabled);
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(alert_.AlarmType, 3);
  EXPECT_EQ(alert_.EmergencyChannelMode, 1);
  EXPECT_EQ(alert_.LoneWorker, 1);
}

TEST_F(AlertPresenterTest, ALoneWorkerFlagAboveOneIsCorrectedByOkOnly) {
  alert_.LoneWorker = 2;
  const AlertSettings opened = alert_;
  {
    AlertPresenter presenter = Open();
    EXPECT_FALSE(presenter.State().LoneWorker.Checked);
    EXPECT_FALSE(presenter.State().PreAlertTime.Enabled);
    presenter.Cancel();
  }
  EXPECT_EQ(alert_, opened) << "Cancel must leave an untouched configuration unmodified";

  AlertPresenter presenter = Open();
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(alert_.LoneWorker, 0);
}

TEST_F(AlertPresenterTest, CancelDropsEveryChangeAndOkWithoutChangesKeepsTheRecord) {
  alert_ = {.AlarmType = 2,
            .IdCodeType = kDtmf,
            .IdCode = 2,
            .AlarmTime = 10,
            .TxTime = 20,
            .RxTime = 30,
            .EmergencyChannelMode = 0,
            .EmergencyChannel = 5,
            .Cycle = 4,
            .LoneWorker = 1,
            .PreAlertTime = 15,
            .LoneWorkerTime = 90};
  const AlertSettings opened = alert_;
  {
    AlertPresenter presenter = Open();
    presenter.SelectEntry(AlertList::IdCodeType, kFiveTone);
    presenter.SelectEntry(AlertList::Cycle, 0);
    presenter.SetLoneWorker(false);
    presenter.Cancel();
  }
  EXPECT_EQ(alert_, opened);

  AlertPresenter presenter = Open();
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(alert_, opened);
}

TEST(RepairAlertIdCodeTest, AFiveToneCodeWhoseEntryIsGoneMovesToTheFirstPresentEntry) {
  const struct {
    std::uint8_t Type;
    std::uint8_t Code;
    std::initializer_list<int> Present;
    std::uint8_t Repaired;
  } cases[] = {
      {kFiveTone, 7, {3, 7}, 7},  {kFiveTone, 5, {3, 7}, 3}, {kFiveTone, 0, {0}, 0},
      {kFiveTone, 150, {42}, 42}, {kFiveTone, 9, {}, 0},     {kDtmf, 5, {3}, 5},
      {kNone, 5, {3}, 5},
  };
  for (const auto& c : cases) {
    AlertSettings alert{.IdCodeType = c.Type, .IdCode = c.Code};
    RepairAlertIdCode(alert, FiveToneWith(c.Present));
    EXPECT_EQ(alert.IdCode, c.Repaired) << +c.Type << "/" << +c.Code;
    EXPECT_EQ(alert.IdCodeType, c.Type);
  }
}

}  // namespace
}  // namespace hvt
