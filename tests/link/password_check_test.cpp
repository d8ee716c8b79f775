#include "link/password_check.h"

#include <gtest/gtest.h>

#include "link/link_fakes.h"

namespace hvt {
namespace {

using link_test::Bytes;

std::array<std::uint8_t, kPasswordBlockSize> BlockWithPassword(const Bytes& passwordBytes) {
  std::array<std::uint8_t, kPasswordBlockSize> block{};
  block.fill(0x5A);  // neighbours must not leak into the password
  std::copy(passwordBytes.begin(), passwordBytes.end(), block.begin() + 8);
  return block;
}

TEST(RadioPassword, TakesBytes8To11UpToTheFirstEndMarker) {
  struct Case {
    const char* What;
    Bytes Bytes8To11;
    std::string Password;
  };
  const Case cases[] = {
      {"erased memory: no password", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
      {"zeros: no password", {0x00, 0x00, 0x00, 0x00}, ""},
      {"two characters, NUL ended", {'1', '2', 0x00, 0x00}, "12"},
      {"0xFF ends it even before later characters", {'1', 0xFF, '3', '4'}, "1"},
      {"trailing blanks are not part of it", {'1', '2', ' ', ' '}, "12"},
      {"all four", {'A', 'b', '3', '4'}, "Ab34"},
      {"only blanks: no password", {' ', ' ', ' ', ' '}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(RadioPassword(BlockWithPassword(c.Bytes8To11)), c.Password) << c.What;
}

TEST(RadioPassword, AcceptsNoPasswordOrTheExactRememberedOne) {
  struct Case {
    std::string Radio;
    std::string Remembered;
    bool Accepted;
  };
  const Case cases[] = {
      {"", "", true},    {"", "9999", true},  {"12", "12", true},
      {"12", "", false}, {"ab", "AB", false}, {"12", "123", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PasswordAccepted(c.Radio, c.Remembered), c.Accepted) << c.Radio << " / " << c.Remembered;
  }
}

TEST(RememberedPassword, KeepsTheTrimmedEntryAndSurvivesACancel) {
  ScriptedPrompter prompter;
  prompter.Passwords = {"12 ", std::nullopt, "99", std::nullopt};
  RememberedPassword remembered;

  EXPECT_EQ(remembered.AskFor("12", prompter), PasswordAnswer::Accepted);
  EXPECT_EQ(remembered.Text(), "12");
  // Cancelled: the right one is still known.
  EXPECT_EQ(remembered.AskFor("12", prompter), PasswordAnswer::Accepted);
  EXPECT_EQ(remembered.Text(), "12");
  EXPECT_EQ(remembered.AskFor("12", prompter), PasswordAnswer::Wrong);  // a wrong entry replaces it
  EXPECT_EQ(remembered.Text(), "99");
  EXPECT_EQ(remembered.AskFor("12", prompter), PasswordAnswer::Cancelled) << "nothing typed is not wrong";
  EXPECT_EQ(remembered.Text(), "99");
  // Each dialog opens with what was remembered when it was asked.
  EXPECT_EQ(prompter.PasswordPrefills, (std::vector<std::string>{"", "12", "12", "99"}));
}

}  // namespace
}  // namespace hvt
