#include "editors/password_presenter.h"

#include <gtest/gtest.h>

#include "support/scripted_prompter.h"

namespace hvt {
namespace {

const LanguageTexts kTexts =
    LanguageTexts::FromText(1, "[OTHER]\n101=OK\n102=Cancel\n3100=Radio Password\n3101=Password\n");

TEST(PasswordPresenter, OpensWithTheRememberedPasswordAndItsTexts) {
  ScriptedPrompter prompter;
  PasswordPresenter presenter(kTexts, "12", prompter);
  EXPECT_EQ(presenter.State().Title, "Radio Password");
  EXPECT_EQ(presenter.State().Label, "Password");
  EXPECT_EQ(presenter.State().OkText, "OK");
  EXPECT_EQ(presenter.State().CancelText, "Cancel");
  EXPECT_EQ(presenter.State().Password.Text, "12");
  EXPECT_TRUE(presenter.Ok());
  EXPECT_EQ(presenter.Password(), "12");
  EXPECT_TRUE(prompter.Messages.empty());
}

TEST(PasswordPresenter, KeepsAtMostFourPrintableCharactersAsTyped) {
  const struct {
    std::string Typed;
    std::string Kept;
  } cases[] = {
      {"", ""},
      {"ab1", "ab1"},
      {"1234", "1234"},
      {"12345", "1234"},
      {"12 ", "12 "},  // the check trims, not the box
      {"1\xE4\xB8\xAD"
       "2",
       "12"},
      {"\t12\n", "12"},
  };
  for (const auto& c : cases) {
    ScriptedPrompter prompter;
    PasswordPresenter presenter(kTexts, "", prompter);
    presenter.EditText(c.Typed);
    EXPECT_EQ(presenter.Password(), c.Kept) << c.Typed;
    EXPECT_EQ(PasswordPresenter(kTexts, c.Typed, prompter).Password(), c.Kept) << "remembered " << c.Typed;
  }
}

}  // namespace
}  // namespace hvt
