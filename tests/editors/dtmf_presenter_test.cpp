#include "editors/dtmf_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/dtmf_special_presenter.h"
#include "model/codec_chain.h"
#include "model/new_configuration.h"
#include "model/radio_image.h"
#include "support/scripted_prompter.h"

namespace hvt {
namespace {

const LanguageTexts kTexts = LanguageTexts::Load(1, HVT_DATA_DIR "/language/english.ini");

constexpr int kSeparatorHash = 5;  // list position of "#"

class DtmfPresenterTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetAllSettings(config_);
    dtmf().OwnId = std::string_view("456\0", 4);
  }
  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  DtmfSettings& dtmf() { return config_.Dtmf; }
  void SetCode(int box, std::string_view stored) {
    dtmf().DtmfCodes[static_cast<std::size_t>(box)] = {
        .Code = stored, .DigitCount = static_cast<std::int16_t>(stored.size())};
  }

  Configuration config_;
  ScriptedPrompter prompter_;
};

TEST_F(DtmfPresenterTest, OpeningAndOkWithoutChangesKeepTheRecord) {
  SetCode(0, "12EF");
  dtmf().GroupCode = 9;  // outside its list: shown as off, but not stored unless OK is pressed
  const DtmfSettings opened = dtmf();
  {
    DtmfPresenter presenter(dtmf(), kTexts, prompter_);
    EXPECT_EQ(presenter.State().Codes[0].Text, "12*#");
    presenter.Cancel();
  }
  EXPECT_EQ(dtmf(), opened) << "opening changes nothing";

  dtmf().GroupCode = 10;
  const DtmfSettings inRange = dtmf();
  DtmfPresenter presenter(dtmf(), kTexts, prompter_);
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(dtmf(), inRange);
}

TEST_F(DtmfPresenterTest, TypedCodesAreStoredWithTheirKeysAndSurviveTheRadioImage) {
  DtmfPresenter presenter(dtmf(), kTexts, prompter_);
  EXPECT_EQ(presenter.TypeCode(4, "12*#ax9"), "12*#A9");
  EXPECT_EQ(presenter.TypeCode(DtmfPresenter::kKillBox, std::string(20, '1')), std::string(14, '1'));
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(dtmf().DtmfCodes[4].Code.Trimmed(), "12EFA9");
  EXPECT_EQ(dtmf().DtmfCodes[4].DigitCount, 6);

  RadioImage image;
  ASSERT_FALSE(EncodeAll(config_, image).has_value());
  Configuration decoded;
  DecodeAll(image, decoded);
  EXPECT_EQ(std::string(TextTrim(decoded.Dtmf.DtmfCodes[4].Code.Raw())), "12EFA9");
  EXPECT_EQ(decoded.Dtmf.DtmfCodes[4].DigitCount, 6);
  EXPECT_EQ(std::string(TextTrim(decoded.Dtmf.KillCode.Code.Raw())), std::string(14, '1'));
}

TEST_F(DtmfPresenterTest, ANewOwnIdMovesOnlyCodesThatEndedInTheOldOne) {
  struct Case {
    std::string Code;
    std::string After;
  };
  const std::vector<Case> cases = {
      {"123*456", "123*789"}, {"*456", "*789"},
      {"123*999", "123*999"},                    // addressed to someone else's ID: the user's own code
      {"1234567", "1234567"}, {"A456", "A456"},  // another separator than the one shown
  };
  for (int box = 0; box < static_cast<int>(cases.size()); ++box) {
    SetCode(box, DtmfShowToStore(cases[static_cast<std::size_t>(box)].Code));
  }
  DtmfPresenter presenter(dtmf(), kTexts, prompter_);
  presenter.TypeOwnId("789");
  presenter.LeaveOwnId();
  for (int box = 0; box < static_cast<int>(cases.size()); ++box) {
    EXPECT_EQ(presenter.State().Codes[static_cast<std::size_t>(box)].Text,
              cases[static_cast<std::size_t>(box)].After)
        << cases[static_cast<std::size_t>(box)].Code;
  }
  presenter.TypeOwnId("12");
  presenter.LeaveOwnId();
  EXPECT_EQ(presenter.State().OwnId.Text, "120");
  EXPECT_EQ(presenter.State().Codes[0].Text, "123*120");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(dtmf().OwnId.Raw().substr(0, 4), std::string_view("120\0", 4));
  EXPECT_EQ(dtmf().IdLength, 3);
}

TEST_F(DtmfPresenterTest, ANewSeparatorReplacesTheOldOneInCodesEndingInTheOwnId) {
  SetCode(0, DtmfShowToStore("123*456"));
  SetCode(1, DtmfShowToStore("*456"));
  SetCode(2, DtmfShowToStore("123*789"));
  DtmfPresenter presenter(dtmf(), kTexts, prompter_);
  presenter.SelectEntry(DtmfList::Separator, kSeparatorHash);
  EXPECT_EQ(presenter.State().Codes[0].Text, "123#456");
  EXPECT_EQ(presenter.State().Codes[1].Text, "#456");
  EXPECT_EQ(presenter.State().Codes[2].Text, "123*789");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(dtmf().Separator, 15);
}

TEST_F(DtmfPresenterTest, EqualKillAndStunCodesKeepTheDialogOpen) {
  const DtmfSettings opened = dtmf();
  DtmfPresenter presenter(dtmf(), kTexts, prompter_);
  presenter.TypeCode(DtmfPresenter::kKillBox, "123");
  presenter.TypeCode(DtmfPresenter::kStunBox, "123");
  EXPECT_FALSE(presenter.Ok());
  EXPECT_EQ(presenter.State().FocusBox, DtmfPresenter::kKillBox);
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{kTexts.LanguageText(3001)});
  EXPECT_EQ(dtmf(), opened);
  presenter.TypeCode(DtmfPresenter::kStunBox, "124");
  EXPECT_TRUE(presenter.Ok());
}

TEST_F(DtmfPresenterTest, TheSpecialCallFillsTheLastCodeBoxWithAnAniCode) {
  DtmfPresenter presenter(dtmf(), kTexts, prompter_);
  EXPECT_FALSE(presenter.State().SpecialCallEnabled);
  presenter.EnterCodeBox(DtmfPresenter::kKillBox);
  EXPECT_FALSE(presenter.State().SpecialCallEnabled) << "kill and stun codes are no ANI codes";
  presenter.EnterCodeBox(3);
  ASSERT_TRUE(presenter.State().SpecialCallEnabled);
  DtmfSpecialPresenter special(presenter, prompter_);
  EXPECT_EQ(special.TypeCalledId("1x2"), "12");
  ASSERT_TRUE(special.Ok());
  EXPECT_EQ(presenter.State().Codes[3].Text, "120*456");
}

TEST_F(DtmfPresenterTest, AniCannotBeSwitchedOff) {
  DtmfPresenter presenter(dtmf(), kTexts, prompter_);
  presenter.SelectEntry(DtmfList::Ani, 0);
  EXPECT_EQ(presenter.State().Lists[static_cast<std::size_t>(DtmfList::Ani)].Selected, 1);
  EXPECT_FALSE(presenter.State().Lists[static_cast<std::size_t>(DtmfList::PttIdMode)].Visible);
}

}  // namespace
}  // namespace hvt
