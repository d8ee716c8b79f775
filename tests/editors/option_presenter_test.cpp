#include "editors/option_presenter.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "support/scripted_prompter.h"

namespace hvt {
namespace {

const LanguageTexts kTexts = LanguageTexts::Load(1, HVT_DATA_DIR "/language/english.ini");

using Field = std::int16_t OptionSettings::*;

OptionSettings NewOptions() {
  OptionSettings options;
  ResetOptions(options);
  return options;
}

class OptionPresenterTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(prompter_.Messages.empty()); }

  void AddChannels(std::initializer_list<int> numbers) {
    for (const int number : numbers) ASSERT_TRUE(AddChannel(channels_, CreateChannel(number, "446.1")));
  }

  OptionPresenter Open() { return OptionPresenter(options_, channels_, kTexts, prompter_); }

  static std::string Shown(const OptionPresenter& presenter, OptionList list) {
    const ChoiceList& choices = presenter.State()[list].List;
    return choices.HasSelection() ? choices.Entries[static_cast<std::size_t>(choices.Selected)].Text
                                  : "<none>";
  }

  OptionSettings options_ = NewOptions();
  ChannelTable channels_;
  ScriptedPrompter prompter_;
};

TEST_F(OptionPresenterTest, ListsShowTheStoredValuesAndOkStoresWhatTheyShow) {
  AddChannels({12, 3, 7, 201});
  const struct {
    OptionList List;
    Field Stored;
    int Value;
    std::string_view Shown;
    int AfterOk;
  } cases[] = {
      {OptionList::FrequencyStep, &OptionSettings::FrequencyStep, 4, "12.5K", 4},
      {OptionList::FrequencyStep, &OptionSettings::FrequencyStep, 9, "2.5K", 0},
      {OptionList::ScanResumeTime, &OptionSettings::ScanResumeTime, 2, "15 s", 2},
      {OptionList::TimeOutTimer, &OptionSettings::TimeOutTimer, 30, "30 min", 30},
      {OptionList::TimeOutTimer, &OptionSettings::TimeOutTimer, 0, "Off", 0},
      {OptionList::MicKeyBrightness, &OptionSettings::MicKeyBrightness, 31, "31", 31},
      {OptionList::KeyBeep, &OptionSettings::KeyBeep, 6, "Off", 0},
      {OptionList::KeyBeep, &OptionSettings::KeyBeep, -1, "Off", 0},
      {OptionList::PilotTone, &OptionSettings::PilotTone, 3, "1450 Hz", 3},
      {OptionList::TailEliminationMode, &OptionSettings::TailEliminationMode, 4, "Tail Tone", 4},
      // Lists of numbers: the value is the number, not its place.
      {OptionList::SpeakerVolume, &OptionSettings::SpeakerVolume, 36, "36", 36},
      {OptionList::SpeakerVolume, &OptionSettings::SpeakerVolume, 0, "1", 1},
      {OptionList::SpeakerVolume, &OptionSettings::SpeakerVolume, 37, "1", 1},
      {OptionList::BacklightBrightness, &OptionSettings::BacklightBrightness, 3, "3", 3},
      {OptionList::BacklightBrightness, &OptionSettings::BacklightBrightness, 0, "1", 1},
      // Memory channels store the number - 1; a missing channel shows the lowest present one.
      {OptionList::MemoryChannelA, &OptionSettings::MemoryChannelA, 6, "7", 6},
      {OptionList::MemoryChannelA, &OptionSettings::MemoryChannelA, 4, "3", 2},
      {OptionList::MemoryChannelB, &OptionSettings::MemoryChannelB, 11, "12", 11},
      {OptionList::MemoryChannelB, &OptionSettings::MemoryChannelB, 200, "3", 2},
  };
  for (const auto& c : cases) {
    options_ = NewOptions();
    options_.*c.Stored = static_cast<std::int16_t>(c.Value);
    OptionPresenter presenter = Open();
    EXPECT_EQ(Shown(presenter, c.List), c.Shown) << presenter.State()[c.List].Label << " " << c.Value;
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(options_.*c.Stored, c.AfterOk) << presenter.State()[c.List].Label << " " << c.Value;
  }
}

TEST_F(OptionPresenterTest, WithoutChannelsTheWorkAreasOfferChannelOne) {
  AddChannels({201, 202, 203});
  options_.MemoryChannelA = 9;
  OptionPresenter presenter = Open();
  EXPECT_EQ(presenter.State()[OptionList::MemoryChannelA].List.Entries, (std::vector<ListEntry>{{"1", 0}}));
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(options_.MemoryChannelA, 0);
  EXPECT_EQ(options_.MemoryChannelB, 0);
}

TEST_F(OptionPresenterTest, SelectingAnEntryStoresItsValueAtOk) {
  AddChannels({3, 7, 200});
  const struct {
    OptionList List;
    int Index;
    Field Stored;
    int Expected;
  } cases[] = {
      {OptionList::SpeakerVolume, 35, &OptionSettings::SpeakerVolume, 36},
      {OptionList::BacklightBrightness, 1, &OptionSettings::BacklightBrightness, 2},
      {OptionList::MemoryChannelA, 2, &OptionSettings::MemoryChannelA, 199},
      {OptionList::MemoryChannelB, 1, &OptionSettings::MemoryChannelB, 6},
      {OptionList::TimeOutTimer, 12, &OptionSettings::TimeOutTimer, 12},
      {OptionList::FrequencyStep, 8, &OptionSettings::FrequencyStep, 8},
      {OptionList::TrfEnable, 0, &OptionSettings::TrfEnable, 0},
      {OptionList::SqlKeyFunction, 1, &OptionSettings::SqlKeyFunction, 1},
  };
  for (const auto& c : cases) {
    options_ = NewOptions();
    OptionPresenter presenter = Open();
    presenter.SelectEntry(c.List, c.Index);
    // Indexes outside the list change nothing.
    presenter.SelectEntry(c.List, -1);
    presenter.SelectEntry(c.List, static_cast<int>(presenter.State()[c.List].List.Entries.size()));
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(options_.*c.Stored, c.Expected) << presenter.State()[c.List].Label;
  }
}

TEST_F(OptionPresenterTest, ALockedRadioShowsChannelNumbersAndFixesTheWorkModes) {
  options_.ChannelLock = 1;
  options_.DisplayModeA = 2;
  OptionPresenter presenter = Open();
  const auto& state = presenter.State();
  EXPECT_EQ(Shown(presenter, OptionList::DisplayModeA), "Channel No.");
  EXPECT_FALSE(state[OptionList::DisplayModeA].List.Enabled);
  EXPECT_FALSE(state[OptionList::WorkModeA].List.Enabled);
  EXPECT_FALSE(state[OptionList::WorkModeB].List.Enabled);

  // Disabled lists ignore selections.
  presenter.SelectEntry(OptionList::DisplayModeA, 0);
  presenter.SelectEntry(OptionList::WorkModeA, 1);
  EXPECT_EQ(Shown(presenter, OptionList::DisplayModeA), "Channel No.");
  EXPECT_EQ(Shown(presenter, OptionList::WorkModeA), "Frequency Mode");

  // Unlocking frees the display mode; the work modes follow it.
  presenter.SelectEntry(OptionList::ChannelLock, 0);
  EXPECT_TRUE(state[OptionList::DisplayModeA].List.Enabled);
  EXPECT_FALSE(state[OptionList::WorkModeA].List.Enabled);
  presenter.SelectEntry(OptionList::DisplayModeA, 2);
  EXPECT_TRUE(state[OptionList::WorkModeA].List.Enabled);
  EXPECT_TRUE(state[OptionList::WorkModeB].List.Enabled);
  presenter.SelectEntry(OptionList::DisplayModeA, 1);
  EXPECT_FALSE(state[OptionList::WorkModeB].List.Enabled);

  presenter.SelectEntry(OptionList::ChannelLock, 1);
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(options_.ChannelLock, 1);
  EXPECT_EQ(options_.DisplayModeA, 1);
}

TEST_F(OptionPresenterTest, OkStoresTheForcedDisplayModeOfALockedRadio) {
  options_.ChannelLock = 1;
  options_.DisplayModeA = 0;
  OptionPresenter presenter = Open();
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(options_.DisplayModeA, 1);
}

TEST_F(OptionPresenterTest, PasswordBoxKeepsUpToSixDigits) {
  const struct {
    std::string_view Typed;
    std::string_view Kept;
  } cases[] = {{"1234", "1234"},
               {"12a3 4", "1234"},
               {"12345678", "123456"},
               {"\xE4\xB8\xAD"
                "09",
                "09"},
               {"", ""},
               {"-1.5", "15"}};
  for (const auto& c : cases) {
    options_ = NewOptions();
    OptionPresenter presenter = Open();
    presenter.EditPassword(c.Typed);
    EXPECT_EQ(presenter.State().Password.Text, c.Kept) << c.Typed;
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(options_.PowerOnPassword.Trimmed(), c.Kept) << c.Typed;
  }
}

TEST_F(OptionPresenterTest, PasswordBoxShowsOnlyWhileThePasswordIsEnabled) {
  options_.PowerOnPassword = "4711";
  OptionPresenter presenter = Open();
  EXPECT_FALSE(presenter.State().PasswordEnabled.Checked);
  EXPECT_FALSE(presenter.State().Password.Visible);
  EXPECT_EQ(presenter.State().Password.Text, "4711");
  presenter.SetPasswordEnabled(true);
  EXPECT_TRUE(presenter.State().Password.Visible);
  presenter.EditPassword("123");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(options_.PowerOnPasswordEnabled, 1);
  EXPECT_EQ(options_.PowerOnPassword.Trimmed(), "123");
}

TEST_F(OptionPresenterTest, AnyNonZeroPasswordFlagShowsTickedAndIsStoredAsOne) {
  options_.PowerOnPasswordEnabled = 5;
  OptionPresenter presenter = Open();
  EXPECT_TRUE(presenter.State().PasswordEnabled.Checked);
  EXPECT_TRUE(presenter.State().Password.Visible);
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(options_.PowerOnPasswordEnabled, 1);
}

TEST_F(OptionPresenterTest, OkWithoutChangesKeepsAValidRecordAndWhatIsNotShown) {
  AddChannels({1, 5});
  options_.BacklightBrightness = 2;
  options_.MemoryChannelB = 4;
  options_.DisplayModeB = 7;
  options_.PowerOnDisplayText = "AB-9";
  options_.PowerOnPassword = "0042";
  options_.KeyFunction[3] = 0;
  options_.ShortcutKey[0] = 1;
  options_.Reserved[49] = -5;
  const OptionSettings before = options_;
  OptionPresenter presenter = Open();
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(options_, before);
}

TEST_F(OptionPresenterTest, CancelLeavesTheRecord) {
  const OptionSettings before = options_;
  {
    OptionPresenter presenter = Open();
    presenter.SelectEntry(OptionList::SpeakerVolume, 20);
    presenter.SetPasswordEnabled(true);
    presenter.EditPassword("99");
    presenter.Cancel();
  }
  EXPECT_EQ(options_, before);
}

TEST_F(OptionPresenterTest, TextsComeFromTheLanguageFile) {
  OptionPresenter presenter = Open();
  const auto& state = presenter.State();
  EXPECT_EQ(state.Title, "Function Settings");
  const struct {
    OptionList List;
    std::string_view Label;
    std::string_view Group;
  } cases[] = {
      {OptionList::ChannelLock, "Channel Lock", "Work Areas"},
      {OptionList::MemoryChannelA, "Memory Channel A", "Work Areas"},
      {OptionList::WorkModeB, "Work Mode B", "Work Areas"},
      {OptionList::MemoryChannelB, "Memory Channel B", "Work Areas"},
      {OptionList::BacklightBrightness, "Backlight Brightness", "Display"},
      {OptionList::SpeakerSwitch, "Speaker", "Audio"},
      {OptionList::TailEliminationFrequency, "Tail Elimination Freq.", "Tail Elimination"},
      {OptionList::PowerOnResetAllowed, "Power-on Reset", "Power On/Off"},
      {OptionList::SquelchLevelA, "Squelch Level A", "Other"},
      {OptionList::TrfEnable, "TRF Enable", "Other"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(state[c.List].Label, c.Label);
    EXPECT_EQ(state.GroupTitles[static_cast<std::size_t>(GroupOf(c.List))], c.Group) << c.Label;
  }
  EXPECT_EQ(state.PasswordEnabledCaption, "Power-on Password");
  EXPECT_EQ(state.OkText, "OK");
}

}  // namespace
}  // namespace hvt
