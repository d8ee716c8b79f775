#include "app/channel_cell_editing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/workspace.h"
#include "i18n/text_keys.h"
#include "model/frequency.h"
#include "model/tones.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

class ChannelCellEditingTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  Configuration& Current() { return workspace_.Current(); }
  bool Edit(int number, GridColumn column, std::string_view text, int choice = -1) {
    return EditChannelCell(Current(), number, column, text, choice, context_, prompter_);
  }
  std::string Rx(int number) { return FreqRecordToText(Current().Channels.Find(number)->RxFreq.Raw()).Text; }
  std::string Cell(int number, GridColumn column) {
    return ChannelRowCells(*Current().Channels.Find(number),
                           context_.Texts())[static_cast<std::size_t>(column) - 1];
  }

  TempFolder folder_;
  ScriptedPrompter prompter_;
  AppContext context_ = AppContext::Start({HVT_DATA_DIR, folder_.Path()}, "en_US");
  Workspace workspace_{context_, prompter_};
};

// The template's channel 1 is simplex on 446.00625 MHz.
TEST_F(ChannelCellEditingTest, TextCellsFollowTheChannelDialogsRules) {
  ChannelRecord repeater = CreateChannel(20, "438.5");
  repeater.OffsetDir = 1;
  repeater.TxFreq = FreqTextToRecord("7.6");
  ASSERT_TRUE(AddChannel(Current().Channels, repeater));
  struct Case {
    int Number;
    GridColumn Column;
    std::string Text;
    GridColumn Shown;
    std::string Expected;
  };
  const Case cases[] = {
      {1, GridColumn::Rx, "446.1", GridColumn::Tx, "446.10000"},  // simplex stays simplex
      {20, GridColumn::Rx, "439", GridColumn::Tx, "446.60000"},   // the shift moves along
      {20, GridColumn::Tx, "430", GridColumn::Tx, "430.00000"},
      {150, GridColumn::Rx, "438.125", GridColumn::Rx, "438.12500"},  // a new channel
      {2, GridColumn::Name, "ab.c-12", GridColumn::Name, "ABC-1"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Edit(c.Number, c.Column, c.Text)) << c.Text;
    EXPECT_EQ(Cell(c.Number, c.Shown), c.Expected) << c.Text;
  }
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(ChannelCellEditingTest, AValueTheRulesWouldCorrectIsRefusedWithTheReason) {
  const Configuration before = Current();
  const std::string receiveRanges = "400.00000-490.00000 MHz, 136.00000-174.00000 MHz";
  const struct {
    int Number;
    GridColumn Column;
    const char* Text;
    std::string Allowed;
    std::string Kept;
  } cases[] = {
      {1, GridColumn::Rx, "300", receiveRanges, "446.00625"},
      {1, GridColumn::Tx, "170.5", "400.00000-490.00000 MHz", "446.00625"},
      {1, GridColumn::Rx, "abc", receiveRanges, "446.00625"},
      {150, GridColumn::Rx, "495", receiveRanges, "490.00000"},  // no channel yet: the dialog's value
  };
  for (const auto& c : cases) {
    prompter_.Messages.clear();
    EXPECT_FALSE(Edit(c.Number, c.Column, c.Text)) << c.Text;
    ASSERT_EQ(prompter_.Messages.size(), 1u) << c.Text;
    const std::string first = context_.Texts().LanguageText(text_key::FrequencyOutOfRange);
    EXPECT_EQ(prompter_.Messages[0].Text,
              first + " Allowed: " + c.Allowed + ". It is now " + c.Kept + " MHz.")
        << c.Text;
    EXPECT_TRUE(Current() == before) << c.Text;
  }
  prompter_.Messages.clear();
  EXPECT_FALSE(Edit(201, GridColumn::Rx, ""));
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{"VFO can't be null!"});
  EXPECT_FALSE(Edit(150, GridColumn::Name, "X")) << "a channel that does not exist takes only a frequency";
}

TEST_F(ChannelCellEditingTest, ChoiceCellsOfferTheDialogsListsAndAnEmptyReceiveDeletes) {
  const ChoiceList power = CellChoices(Current(), 1, GridColumn::Power, context_);
  ASSERT_EQ(power.Entries.size(), 3u);
  EXPECT_EQ(power.Entries[power.Selected].Text, Cell(1, GridColumn::Power));
  EXPECT_TRUE(Edit(1, GridColumn::Power, "", 2));
  EXPECT_EQ(Cell(1, GridColumn::Power), power.Entries[2].Text);
  EXPECT_TRUE(Edit(1, GridColumn::Scan, "", 0));
  EXPECT_EQ(Current().Channels.Find(1)->ScanAdd, 0);
  EXPECT_FALSE(
      Edit(1, GridColumn::Bandwidth, "", CellChoices(Current(), 1, GridColumn::Bandwidth, context_).Selected))
      << "the same choice changes nothing";
  EXPECT_FALSE(CellEditable(Current(), 201, GridColumn::Scan));
  EXPECT_FALSE(CellEditable(Current(), 1, GridColumn::OptSignal));

  EXPECT_TRUE(Edit(3, GridColumn::Rx, ""));
  EXPECT_EQ(Current().Channels.Find(3), nullptr);
}

// One list serves every channel's decode and encode cells, so a choice means the same tone on
// every selected row; a user-defined tone stays with the dialog.
TEST_F(ChannelCellEditingTest, ToneCellsTakeAnyToneFromOneSharedList) {
  const auto choose = [&](int number, GridColumn column, const std::string& tone) {
    const ChoiceList tones = CellChoices(Current(), number, column, context_);
    const auto entry = std::ranges::find(tones.Entries, tone, &ListEntry::Text);
    EXPECT_NE(entry, tones.Entries.end()) << tone;
    return Edit(number, column, "", static_cast<int>(entry - tones.Entries.begin()));
  };
  struct Case {
    GridColumn Column;
    std::string Tone;
  };
  const Case cases[] = {
      {GridColumn::Decode, "88.5"},
      {GridColumn::Decode, "D023I"},
      {GridColumn::Encode, "D754N"},
      {GridColumn::Encode, "254.1"},
      {GridColumn::Decode, context_.Texts().LanguageText(text_key::NoSignalling)},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(choose(1, c.Column, c.Tone)) << c.Tone;
    EXPECT_EQ(Cell(1, c.Column), c.Tone);
    EXPECT_EQ(CellChoices(Current(), 2, c.Column, context_).Entries,
              CellChoices(Current(), 1, c.Column, context_).Entries);
  }
  EXPECT_FALSE(choose(1, GridColumn::Encode, "254.1")) << "the same tone changes nothing";

  ChannelRecord& custom = *Current().Channels.Find(2);
  custom.DecodeType = 1;
  custom.DecodeCtcss = kCustomCtcssIndex;
  EXPECT_FALSE(CellEditable(Current(), 2, GridColumn::Decode));
  EXPECT_TRUE(CellEditable(Current(), 2, GridColumn::Encode));
  EXPECT_TRUE(prompter_.Messages.empty());
}

}  // namespace
}  // namespace hvt
