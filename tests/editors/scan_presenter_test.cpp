#include "editors/scan_presenter.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "support/record_printer.h"
#include "support/scripted_prompter.h"

namespace hvt {
namespace {

const LanguageTexts kTexts = LanguageTexts::FromText(1,
                                                     "[OTHER]\n101=OK\n102=Cancel\n2400=Scan Settings\n"
                                                     "2403=Pri\n2430=Off\n2431=Priority Scan\n"
                                                     "2432=Selected\n2433=Talkback\n2434=Last Called\n"
                                                     "2435=Last Used\n");

constexpr int kOff = 0;
constexpr int kPriorityScan = 1;

std::vector<int> Values(const ChoiceList& list) {
  std::vector<int> values;
  for (const ListEntry& entry : list.Entries) values.push_back(entry.Value);
  return values;
}

std::vector<std::string> Texts(const ChoiceList& list) {
  std::vector<std::string> texts;
  for (const ListEntry& entry : list.Entries) texts.push_back(entry.Text);
  return texts;
}

std::string SelectedText(const ChoiceList& list) {
  return list.HasSelection() ? list.Entries[static_cast<std::size_t>(list.Selected)].Text : "<none>";
}

class ScanPresenterTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const int number : {1, 2}) ASSERT_TRUE(AddChannel(channels_, CreateChannel(number, "446.00625")));
  }
  void TearDown() override {
    EXPECT_TRUE(prompter_.ScriptUsedUp());
    EXPECT_TRUE(prompter_.Messages.empty());
  }

  ScanPresenter Open() { return ScanPresenter(scan_, channels_, kTexts, prompter_); }

  // Selects the entry showing `text`; a test typo fails instead of selecting nothing.
  static void Choose(ScanPresenter& presenter, ScanList list, const ChoiceList& shown,
                     const std::string& text) {
    const auto texts = Texts(shown);
    const auto found = std::find(texts.begin(), texts.end(), text);
    ASSERT_NE(found, texts.end()) << text;
    presenter.SelectEntry(list, static_cast<int>(found - texts.begin()));
  }

  ScanSettings scan_ = NewScanSettings();
  ChannelTable channels_;
  ScriptedPrompter prompter_;
};

TEST_F(ScanPresenterTest, ThePriorityModeDecidesWhichRevertChannelsAreOffered) {
  const struct {
    int Mode;
    std::vector<std::string> Texts;
  } cases[] = {
      {0, {"Selected", "Selected + Talkback", "Last Called", "Last Used"}},
      {1, {"Selected", "Selected + Talkback", "Pri1", "Last Called", "Last Used", "Pri1 + Talkback"}},
      {2, {"Selected", "Selected + Talkback", "Pri2", "Last Called", "Last Used", "Pri2 + Talkback"}},
      {3,
       {"Selected", "Selected + Talkback", "Pri1", "Pri2", "Last Called", "Last Used", "Pri1 + Talkback",
        "Pri2 + Talkback"}},
  };
  for (const auto& c : cases) {
    scan_.ScanType = kPriorityScan;
    scan_.PriorityMode = static_cast<std::uint8_t>(c.Mode);
    ScanPresenter presenter = Open();
    EXPECT_EQ(Texts(presenter.State().PriorityMode),
              (std::vector<std::string>{"Off", "Pri1", "Pri2", "Pri1 + Pri2"}));
    EXPECT_EQ(Texts(presenter.State().RevertChannel), c.Texts) << c.Mode;

    // Each entry stores its place in the full revert list, whatever the visible position.
    Choose(presenter, ScanList::RevertChannel, presenter.State().RevertChannel, c.Texts.back());
    ASSERT_TRUE(presenter.Ok());
    const int expected[] = {5, 6, 7, 7};
    EXPECT_EQ(scan_.RevertChannel, expected[c.Mode]) << c.Mode;
  }
}

TEST_F(ScanPresenterTest, AStoredRevertChannelTheListLacksShowsAndStoresTheFirstEntry) {
  const struct {
    int Mode;
    int Revert;
    std::string Shown;
    int Stored;
  } cases[] = {
      {2, 2, "Selected", 0},         // priority 1 is not offered with priority 2 alone
      {1, 6, "Pri1 + Talkback", 6},  //
      {0, 5, "Last Used", 5},        //
      {0, 3, "Selected", 0},         //
      {3, 8, "Selected", 0},         // past the end of the full list
      {3, 255, "Selected", 0},       //
      {9, 4, "Last Called", 4},      // a mode outside its list reads as "none"
      {9, 6, "Selected", 0},         //
  };
  for (const auto& c : cases) {
    scan_.ScanType = kPriorityScan;
    scan_.PriorityMode = static_cast<std::uint8_t>(c.Mode);
    scan_.RevertChannel = static_cast<std::uint8_t>(c.Revert);
    ScanPresenter presenter = Open();
    EXPECT_EQ(SelectedText(presenter.State().RevertChannel), c.Shown) << c.Mode << "/" << c.Revert;
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(scan_.RevertChannel, c.Stored) << c.Mode << "/" << c.Revert;
    EXPECT_LE(scan_.PriorityMode, 3);
  }
}

TEST_F(ScanPresenterTest, ChangingThePriorityModeKeepsTheRevertChannelOnlyWhileOffered) {
  scan_.ScanType = kPriorityScan;
  scan_.PriorityMode = 3;
  scan_.RevertChannel = 4;  // "Last Called": offered in every mode
  {
    ScanPresenter presenter = Open();
    presenter.SelectEntry(ScanList::PriorityMode, 2);
    EXPECT_EQ(SelectedText(presenter.State().RevertChannel), "Last Called");
    presenter.SelectEntry(ScanList::PriorityMode, 0);
    EXPECT_EQ(SelectedText(presenter.State().RevertChannel), "Last Called");
  }

  scan_.RevertChannel = 7;  // "Pri2 + Talkback"
  ScanPresenter presenter = Open();
  presenter.SelectEntry(ScanList::PriorityMode, 1);
  EXPECT_EQ(SelectedText(presenter.State().RevertChannel), "Selected");
  // The revert channel followed the shown entry, so going back does not bring the old one back.
  presenter.SelectEntry(ScanList::PriorityMode, 3);
  EXPECT_EQ(SelectedText(presenter.State().RevertChannel), "Selected");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(scan_.PriorityMode, 3);
  EXPECT_EQ(scan_.RevertChannel, 0);
}

TEST_F(ScanPresenterTest, TheScanTypeAndPriorityModeEnableTheListsTheyUse) {
  const struct {
    int Type;
    int Mode;
    bool Settings;  // priority mode, revert channel, delays and entry tone
    bool Priority1;
    bool Priority2;
  } cases[] = {
      {kOff, 3, false, false, false},        {kPriorityScan, 0, true, false, false},
      {kPriorityScan, 1, true, true, false}, {kPriorityScan, 2, true, false, true},
      {kPriorityScan, 3, true, true, true},  {7, 3, false, false, false},
  };
  for (const auto& c : cases) {
    scan_.ScanType = static_cast<std::uint8_t>(c.Type);
    scan_.PriorityMode = static_cast<std::uint8_t>(c.Mode);
    ScanPresenter presenter = Open();
    const auto& s = presenter.State();
    EXPECT_TRUE(s.ScanType.Enabled);
    for (const ChoiceList* list : {&s.PriorityMode, &s.RevertChannel, &s.ScanBackTimeA, &s.ScanBackTimeB,
                                   &s.RxResumeDelay, &s.TxResumeDelay}) {
      EXPECT_EQ(list->Enabled, c.Settings) << c.Type << "/" << c.Mode;
    }
    EXPECT_EQ(s.EntryTone.Enabled, c.Settings) << c.Type << "/" << c.Mode;
    for (const ChoiceList* list : {&s.Priority1Group1, &s.Priority1Group2, &s.Priority1Group3}) {
      EXPECT_EQ(list->Enabled, c.Priority1) << c.Type << "/" << c.Mode;
    }
    for (const ChoiceList* list : {&s.Priority2Group1, &s.Priority2Group2, &s.Priority2Group3}) {
      EXPECT_EQ(list->Enabled, c.Priority2) << c.Type << "/" << c.Mode;
    }
  }
}

TEST_F(ScanPresenterTest, SwitchingScanningOffDisablesTheListsButKeepsTheirValues) {
  scan_.ScanType = kPriorityScan;
  scan_.PriorityMode = 3;
  scan_.RevertChannel = 6;
  scan_.ScanBackTimeA = 42;
  ScanPresenter presenter = Open();
  presenter.SelectEntry(ScanList::ScanType, 0);
  const auto& s = presenter.State();
  EXPECT_FALSE(s.PriorityMode.Enabled || s.Priority1Group1.Enabled || s.Priority2Group3.Enabled ||
               s.RevertChannel.Enabled || s.TxResumeDelay.Enabled || s.EntryTone.Enabled);

  // A disabled control takes no choice.
  presenter.SelectEntry(ScanList::PriorityMode, 0);
  presenter.SelectEntry(ScanList::ScanBackTimeA, 0);
  presenter.SetEntryTone(true);
  EXPECT_EQ(SelectedText(s.PriorityMode), "Pri1 + Pri2");
  EXPECT_EQ(SelectedText(s.ScanBackTimeA), "4.2");
  EXPECT_FALSE(s.EntryTone.Checked);

  ASSERT_TRUE(presenter.Ok());
  ScanSettings expected = NewScanSettings();
  expected.PriorityMode = 3;
  expected.RevertChannel = 6;
  expected.ScanBackTimeA = 42;
  EXPECT_EQ(scan_, expected);
}

TEST_F(ScanPresenterTest, DelaysShowSecondsAndStoreTenths) {
  scan_.ScanType = kPriorityScan;
  const struct {
    ScanList List;
    std::uint8_t ScanSettings::*Field;
    std::uint8_t Stored;
    std::string Shown;
    std::string First;
    std::string Last;
    std::uint8_t Saved;  // by OK without a change
  } cases[] = {
      {ScanList::ScanBackTimeA, &ScanSettings::ScanBackTimeA, 20, "2.0", "0.5", "5.0", 20},
      {ScanList::ScanBackTimeB, &ScanSettings::ScanBackTimeB, 50, "5.0", "0.5", "5.0", 50},
      {ScanList::ScanBackTimeB, &ScanSettings::ScanBackTimeB, 4, "0.5", "0.5", "5.0", 5},
      {ScanList::RxResumeDelay, &ScanSettings::RxResumeDelay, 1, "0.1", "0.1", "5.0", 1},
      {ScanList::TxResumeDelay, &ScanSettings::TxResumeDelay, 0, "0.1", "0.1", "5.0", 1},
      {ScanList::TxResumeDelay, &ScanSettings::TxResumeDelay, 51, "0.1", "0.1", "5.0", 1},
  };
  for (const auto& c : cases) {
    scan_.*c.Field = c.Stored;
    ScanPresenter presenter = Open();
    const ChoiceList* shown = nullptr;
    switch (c.List) {
      case ScanList::ScanBackTimeA:
        shown = &presenter.State().ScanBackTimeA;
        break;
      case ScanList::ScanBackTimeB:
        shown = &presenter.State().ScanBackTimeB;
        break;
      case ScanList::RxResumeDelay:
        shown = &presenter.State().RxResumeDelay;
        break;
      default:
        shown = &presenter.State().TxResumeDelay;
        break;
    }
    EXPECT_EQ(SelectedText(*shown), c.Shown) << +c.Stored;
    EXPECT_EQ(shown->Entries.front().Text, c.First);
    EXPECT_EQ(shown->Entries.back().Text, c.Last);
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(scan_.*c.Field, c.Saved) << +c.Stored;
  }

  scan_.ScanBackTimeA = 20;
  ScanPresenter presenter = Open();
  presenter.SelectEntry(ScanList::ScanBackTimeA, 0);
  EXPECT_EQ(SelectedText(presenter.State().ScanBackTimeA), "0.5");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(scan_.ScanBackTimeA, 5);
}

TEST_F(ScanPresenterTest, PriorityChannelListsOfferTheExistingNormalChannels) {
  for (const int number : {150, 9, 200, 201, 203}) {
    ASSERT_TRUE(AddChannel(channels_, CreateChannel(number, "446.00625")));
  }
  scan_.ScanType = kPriorityScan;
  scan_.PriorityMode = 3;
  scan_.Priority1Group1 = 149;  // channel 150
  scan_.Priority2Group1 = 199;  // channel 200
  scan_.Priority1Group2 = 2;    // channel 3 does not exist
  scan_.Priority2Group3 = 200;  // channel 201 is no normal channel
  ScanPresenter presenter = Open();
  const auto& s = presenter.State();
  EXPECT_EQ(Texts(s.Priority1Group1), (std::vector<std::string>{"1", "2", "9", "150", "200"}));
  EXPECT_EQ(Values(s.Priority1Group1), (std::vector<int>{0, 1, 8, 149, 199}));
  EXPECT_EQ(SelectedText(s.Priority1Group1), "150");
  EXPECT_EQ(SelectedText(s.Priority2Group1), "200");
  EXPECT_EQ(SelectedText(s.Priority1Group2), "1");
  EXPECT_EQ(SelectedText(s.Priority2Group3), "1");

  Choose(presenter, ScanList::Priority1Group3, s.Priority1Group3, "9");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(scan_.Priority1Group1, 149);
  EXPECT_EQ(scan_.Priority2Group1, 199);
  EXPECT_EQ(scan_.Priority1Group2, 0);
  EXPECT_EQ(scan_.Priority2Group3, 0);
  EXPECT_EQ(scan_.Priority1Group3, 8);
}

TEST_F(ScanPresenterTest, WithoutChannelsTheListsOfferChannelOne) {
  channels_ = {};
  scan_.ScanType = kPriorityScan;
  scan_.PriorityMode = 3;
  ScanPresenter presenter = Open();
  EXPECT_EQ(Texts(presenter.State().Priority2Group2), std::vector<std::string>{"1"});
  EXPECT_EQ(SelectedText(presenter.State().Priority2Group2), "1");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(scan_.Priority2Group2, 0);
}

TEST_F(ScanPresenterTest, AnEntryToneAboveOneIsCorrectedByOkOnly) {
  scan_.ScanType = kPriorityScan;
  scan_.ScanEntryTone = 2;
  const ScanSettings opened = scan_;
  {
    ScanPresenter presenter = Open();
    EXPECT_FALSE(presenter.State().EntryTone.Checked);
    presenter.Cancel();
  }
  EXPECT_EQ(scan_, opened) << "Cancel must leave an untouched configuration unmodified";

  ScanPresenter presenter = Open();
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(scan_.ScanEntryTone, 0);

  ScanPresenter again = Open();
  again.SetEntryTone(true);
  ASSERT_TRUE(again.Ok());
  EXPECT_EQ(scan_.ScanEntryTone, 1);
}

TEST_F(ScanPresenterTest, CancelDropsEveryChangeAndOkWithoutChangesKeepsTheRecord) {
  scan_.ScanType = kPriorityScan;
  scan_.PriorityMode = 2;
  scan_.RevertChannel = 7;
  scan_.ScanEntryTone = 1;
  scan_.Reserved7 = 0xA5;
  scan_.Reserved9 = 0x5A;
  scan_.Reserved10 = 3;
  scan_.Reserved12 = 0xFF;
  const ScanSettings opened = scan_;
  {
    ScanPresenter presenter = Open();
    presenter.SelectEntry(ScanList::PriorityMode, 1);
    presenter.SelectEntry(ScanList::RxResumeDelay, 0);
    presenter.SetEntryTone(false);
    presenter.Cancel();
  }
  EXPECT_EQ(scan_, opened);

  ScanPresenter presenter = Open();
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(scan_, opened);
}

}  // namespace
}  // namespace hvt
