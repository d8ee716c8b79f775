#include "editors/two_tone_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/new_configuration.h"
#include "support/scripted_prompter.h"

namespace hvt {
namespace {

const LanguageTexts kTexts = LanguageTexts::Load(1, HVT_DATA_DIR "/language/english.ini");

using Column = TwoTonePresenter::Column;
constexpr int kA = 0;
constexpr int kB = 1;
constexpr int kD = 3;

int IndexOfText(const ChoiceList& list, std::string_view text) {
  for (std::size_t i = 0; i < list.Entries.size(); ++i) {
    if (list.Entries[i].Text == text) return static_cast<int>(i);
  }
  ADD_FAILURE() << "no entry " << text;
  return -1;
}

class TwoTonePresenterTest : public testing::Test {
 protected:
  void SetUp() override { ResetAllSettings(config_); }
  void TearDown() override {
    EXPECT_TRUE(prompter_.ScriptUsedUp());
    EXPECT_TRUE(prompter_.Messages.empty());
  }

  void ChoosePair(TwoTonePresenter& presenter, std::string_view pair) {
    const ChoiceList& pairs = presenter.State().Lists[static_cast<std::size_t>(TwoToneList::TonePair)];
    presenter.SelectEntry(TwoToneList::TonePair, IndexOfText(pairs, pair));
  }
  TwoToneEntry& Entry(int row) { return config_.TwoTone.TwoToneEntries[static_cast<std::size_t>(row)]; }

  Configuration config_;
  ScriptedPrompter prompter_;
};

TEST_F(TwoTonePresenterTest, OkWithoutTouchingAnythingKeepsEveryStoredValue) {
  // The new configuration's second divider is not what the pair's tone gives (5171), and the
  // tone times lie outside their lists: nothing of it may change.
  config_.TwoTone.ToneTime1 = 0;
  config_.TwoTone.SideTone = 3;
  config_.TwoTone.ToneFrequencies[kB] = 0;
  const Configuration before = config_;
  TwoTonePresenter presenter(config_, kTexts, prompter_);
  EXPECT_EQ(presenter.State().Tones[kB].Text, "928.1") << "a tone stored as 0 shows its default";
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(config_, before);
}

TEST_F(TwoTonePresenterTest, ToneBoxesKeepTheirFrequencyWithinLimits) {
  struct Case {
    std::string Typed;
    std::string Shown;
  };
  const std::vector<Case> cases = {{"3500", "3106"}, {"100", "288"}, {"", "288"}, {"12a34.56", "1234.5"}};
  for (const Case& c : cases) {
    TwoTonePresenter presenter(config_, kTexts, prompter_);
    presenter.TypeTone(kA, c.Typed);
    presenter.LeaveTone(kA);
    EXPECT_EQ(presenter.State().Tones[kA].Text, c.Shown) << c.Typed;
  }
}

TEST_F(TwoTonePresenterTest, TheChosenPairStoresItsTonesAndDividers) {
  struct Case {
    std::string Pair;
    int First;
    int Second;
    int FirstDivider;
    int SecondDivider;
    std::array<bool, 4> Enabled;
  };
  const std::vector<Case> cases = {
      {"B-D", 9281, 20438, 5171, 2348, {false, true, false, true}},
      {"Long C", 6265, 0, 7661, 0, {false, false, true, false}},
  };
  for (const Case& c : cases) {
    ResetAllSettings(config_);
    TwoTonePresenter presenter(config_, kTexts, prompter_);
    ChoosePair(presenter, c.Pair);
    for (std::size_t tone = 0; tone < 4; ++tone) {
      EXPECT_EQ(presenter.State().Tones[tone].Enabled, c.Enabled[tone]) << c.Pair << tone;
    }
    ASSERT_TRUE(presenter.Ok());
    const TwoToneSettings& stored = config_.TwoTone;
    EXPECT_EQ(stored.PairFirstTone.Value(), c.First) << c.Pair;
    EXPECT_EQ(stored.PairSecondTone.Value(), c.Second) << c.Pair;
    EXPECT_EQ(stored.FirstToneDivider.Value(), c.FirstDivider) << c.Pair;
    EXPECT_EQ(stored.SecondToneDivider.Value(), c.SecondDivider) << c.Pair;
  }
}

TEST_F(TwoTonePresenterTest, ATypedToneReachesThePairAndTheToneTable) {
  TwoTonePresenter presenter(config_, kTexts, prompter_);  // pair A-B
  EXPECT_EQ(presenter.TypeTone(kD, "1000"), "") << "D is not in the pair";
  presenter.TypeTone(kB, "1500");
  presenter.LeaveTone(kB);
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(config_.TwoTone.ToneFrequencies[kB], 15000);
  EXPECT_EQ(config_.TwoTone.PairSecondTone.Value(), 15000);
  EXPECT_EQ(config_.TwoTone.SecondToneDivider.Value(), 3200);
  EXPECT_EQ(config_.TwoTone.ToneFrequencies[kD], 20438);
}

TEST_F(TwoTonePresenterTest, ListTonesAreStoredOnEveryRowAndTextEmptiesTheEntry) {
  TwoTonePresenter presenter(config_, kTexts, prompter_);
  EXPECT_FALSE(presenter.CanEditCell(24, Column::kNameColumn)) << "an empty row takes its first tone first";
  presenter.SetCellText(24, Column::kFirstToneColumn, "1000");
  presenter.SetCellText(24, Column::kNameColumn, "CALL");
  presenter.SetCellText(2, Column::kFirstToneColumn, "5000");  // rows 1-20 take tones as well
  presenter.SetCellText(2, Column::kSecondToneColumn, "700.55");
  EXPECT_EQ(presenter.CellText(2, Column::kFirstToneColumn), "3106.0");
  EXPECT_EQ(presenter.CellText(2, Column::kSecondToneColumn), "700.6");
  presenter.SetCellText(0, Column::kSecondToneColumn, "");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(Entry(24).EmptyFlag, 0);
  EXPECT_EQ(Entry(24).FirstTone.Value(), 10000);
  EXPECT_EQ(Entry(24).FirstDivider.Value(), 600);
  EXPECT_EQ(Entry(24).Name.Trimmed(), "CALL");
  EXPECT_EQ(Entry(2).FirstTone.Value(), 31060);
  EXPECT_EQ(Entry(2).SecondTone.Value(), 7006);
  EXPECT_EQ(Entry(0).SecondTone.Value(), 0);
  EXPECT_EQ(Entry(0).SecondDivider.Value(), 0);

  TwoTonePresenter again(config_, kTexts, prompter_);
  again.SetCellText(24, Column::kFirstToneColumn, "");
  EXPECT_EQ(again.CellText(24, Column::kNameColumn), "");
  ASSERT_TRUE(again.Ok());
  EXPECT_EQ(Entry(24), TwoToneEntry{.EmptyFlag = 1});
}

TEST_F(TwoTonePresenterTest, OkMovesChannelsOffEntriesThatAreNowEmpty) {
  TwoTonePresenter filling(config_, kTexts, prompter_);
  filling.SetCellText(5, Column::kFirstToneColumn, "800");
  ASSERT_TRUE(filling.Ok());
  ChannelRecord channel = CreateChannel(1, "446.00625");
  channel.OptSignal = kSignallingTwoTone;
  channel.TwoToneCode = 5;
  ASSERT_TRUE(AddChannel(config_.Channels, channel));

  TwoTonePresenter emptying(config_, kTexts, prompter_);
  emptying.SetCellText(5, Column::kFirstToneColumn, "x");
  ASSERT_TRUE(emptying.Ok());
  EXPECT_EQ(config_.Channels.Find(1)->TwoToneCode, 0) << "entry 1 is the first present";
}

}  // namespace
}  // namespace hvt
