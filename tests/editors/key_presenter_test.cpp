#include "editors/key_presenter.h"

#include <gtest/gtest.h>

#include "model/key_functions.h"
#include "support/scripted_prompter.h"

namespace hvt {
namespace {

const LanguageTexts kTexts = LanguageTexts::Load(1, HVT_DATA_DIR "/language/english.ini");

std::string Shown(const ChoiceList& list) {
  return list.HasSelection() ? list.Entries[static_cast<std::size_t>(list.Selected)].Text : "<none>";
}

std::vector<std::string> Texts(const ChoiceList& list) {
  std::vector<std::string> texts;
  for (const ListEntry& entry : list.Entries) texts.push_back(entry.Text);
  return texts;
}

class KeyPresenterTest : public testing::Test {
 protected:
  void SetUp() override { ResetOptions(options_); }
  void TearDown() override { EXPECT_TRUE(prompter_.Messages.empty()); }

  OptionSettings options_;
  ScriptedPrompter prompter_;
};

TEST_F(KeyPresenterTest, ListsOfferTheFunctionsOfTheirKind) {
  KeyPresenter presenter(options_, kTexts, prompter_);
  const auto& state = presenter.State();
  const std::vector<std::string> all = {"A/B",  "V/M", "SQL", "VOL", "POW", "CDT", "REV", "SCN", "CAL",
                                        "TALK", "BND", "SFT", "MON", "DIR", "TRF", "RDW", "NULL"};
  for (const ChoiceList& key : state.Keys) EXPECT_EQ(Texts(key), all);
  const std::vector<std::string> shortcuts(all.begin() + 1, all.end() - 1);
  for (const ChoiceList& shortcut : state.Shortcuts) EXPECT_EQ(Texts(shortcut), shortcuts);
  EXPECT_EQ(state.Title, "Programmable Keys");
  EXPECT_EQ(state.KeyModeTitles, (std::array<std::string, 2>{"Key Mode 1", "Key Mode 2"}));
  EXPECT_EQ(state.ShortcutTitle, "Shortcut Keys");
  EXPECT_EQ(state.KeyLabels[5], "P6");
  EXPECT_EQ(state.ShortcutLabels[3], "PD");
}

TEST_F(KeyPresenterTest, StoredCodesShowByNameAndOkStoresWhatIsShown) {
  const struct {
    int Stored;
    std::string_view KeyShown;
    int KeyAfterOk;
    std::string_view ShortcutShown;
    int ShortcutAfterOk;
  } cases[] = {
      {0, "NULL", 17, "V/M", 2},  {1, "A/B", 1, "V/M", 2},    {2, "V/M", 2, "V/M", 2},
      {9, "CAL", 9, "CAL", 9},    {16, "RDW", 16, "RDW", 16}, {17, "NULL", 17, "V/M", 2},
      {18, "NULL", 17, "V/M", 2}, {-4, "NULL", 17, "V/M", 2},
  };
  for (const auto& c : cases) {
    ResetOptions(options_);
    const auto stored = static_cast<std::int16_t>(c.Stored);
    options_.KeyFunction[3] = stored;
    options_.KeyFunction[11] = stored;
    options_.ShortcutKey[0] = stored;
    KeyPresenter presenter(options_, kTexts, prompter_);
    EXPECT_EQ(Shown(presenter.State().Keys[3]), c.KeyShown) << c.Stored;
    EXPECT_EQ(Shown(presenter.State().Shortcuts[0]), c.ShortcutShown) << c.Stored;
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(options_.KeyFunction[3], c.KeyAfterOk) << c.Stored;
    EXPECT_EQ(options_.KeyFunction[11], c.KeyAfterOk) << c.Stored;
    EXPECT_EQ(options_.ShortcutKey[0], c.ShortcutAfterOk) << c.Stored;
  }
}

TEST_F(KeyPresenterTest, SelectionsReachTheirOwnKeysOnly) {
  const OptionSettings before = options_;
  KeyPresenter presenter(options_, kTexts, prompter_);
  presenter.SelectKey(0, 16);       // mode 1 P1: NULL
  presenter.SelectKey(6, 7);        // mode 2 P1: SCN
  presenter.SelectShortcut(3, 14);  // PD: RDW
  // Keys and entries that do not exist change nothing.
  presenter.SelectKey(12, 0);
  presenter.SelectKey(1, 17);
  presenter.SelectShortcut(4, 0);
  presenter.SelectShortcut(2, -1);
  ASSERT_TRUE(presenter.Ok());

  OptionSettings expected = before;
  expected.KeyFunction[0] = 17;
  expected.KeyFunction[6] = 8;
  expected.ShortcutKey[3] = 16;
  EXPECT_EQ(options_, expected);
}

TEST_F(KeyPresenterTest, CancelLeavesTheKeys) {
  const OptionSettings before = options_;
  KeyPresenter presenter(options_, kTexts, prompter_);
  presenter.SelectKey(2, 0);
  presenter.SelectShortcut(1, 0);
  presenter.Cancel();
  EXPECT_EQ(options_, before);
}

}  // namespace
}  // namespace hvt
