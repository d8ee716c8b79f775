// Which radios the link talks to: the identity it refuses and the password it asks for.

#include <gtest/gtest.h>

#include "e2e/radio_link_fixture.h"

namespace hvt::e2e {
namespace {

// "Band Error!" with the radio's band and the configuration's, from their band texts.
const std::string kRadioBand1ConfigurationBand2 =
    Lines({kWrongBand,
           "The radio is Band 1 (UHF{Rx(400 - 490 MHz) Tx(420 - 450 MHz)} VHF{Rx(136 - 174 MHz) Tx(144 - 148 "
           "MHz)}); "
           "the configuration is Band 2 (UHF{Rx(400 - 490 MHz) Tx(400 - 490 MHz)} VHF{Rx(136 - 174 MHz) "
           "Tx(136 - 174 "
           "MHz)})."});

TEST(RadioAdmission, RefusedRadioHearsNothingAfterItsIdentification) {
  struct Case {
    const char* What;
    VirtualRadioSettings Radio;
    bool Write;
    std::vector<std::string> Messages;
  };
  const Case cases[] = {
      {"read, another model",
       {.Model = "HVT7301"},
       false,
       Strings({kReadConfirmation, kWrongModel, kReadFailed})},
      {"read, another version",
       {.Version = "V110"},
       false,
       Strings({kReadConfirmation, kWrongVersion, kReadFailed})},
      {"write, another band",
       {.Band = 0},
       true,
       Strings({kWriteConfirmation, kRadioBand1ConfigurationBand2, kWriteFailed})},
      {"write, another model and band",
       {.Model = "HVT7000", .Band = 0},
       true,
       Strings({kWriteConfirmation, kWrongModel, kRadioBand1ConfigurationBand2, kWriteFailed})},
  };
  for (const Case& c : cases) {
    RadioLink link(c.Radio);
    Configuration configuration = TwoHundredChannels();  // band 1
    const auto before = std::vector(link.Radio.Memory().begin(), link.Radio.Memory().end());

    ASSERT_TRUE(c.Write ? link.Write(configuration) : link.Read()) << c.What;

    EXPECT_EQ(link.Prompter.Texts(), c.Messages) << c.What;
    EXPECT_FALSE(link.Last().Success) << c.What;
    ASSERT_TRUE(link.Last().Data.Identity.has_value()) << c.What;
    EXPECT_EQ(link.Last().Data.Identity->Model, c.Radio.Model) << c.What;
    EXPECT_EQ(Names(link.Packets()), (std::vector<std::string>{"PROGRAM", "ID"})) << c.What;
    EXPECT_TRUE(std::ranges::equal(link.Radio.Memory(), before)) << c.What;
    EXPECT_FALSE(link.Port.IsOpen()) << c.What;
  }
}

TEST(RadioAdmission, ReadTakesARadioOfTheOtherBand) {
  RadioLink link({.Band = 0});
  ASSERT_TRUE(link.Read());
  EXPECT_TRUE(link.Last().Success);
  EXPECT_EQ(link.Last().Data.Identity->Band(), BandVariant::Restricted);
}

TEST(RadioAdmission, PasswordIsAskedOnlyWhenTheRadioHasOne) {
  struct Case {
    const char* What;
    std::string RadioPassword;
    std::deque<std::optional<std::string>> Entries;
    std::vector<std::string> Messages;
    std::vector<std::string> Conversation;  // up to the serial number's block
    bool Succeeds;
  };
  const std::vector<std::string> passes = {"PROGRAM", "ID", "R 3B10", "R 3B20"};
  const std::vector<std::string> asksAndPasses = {"PROGRAM", "ID",     "R 3B10", "PROGRAM",
                                                  "ID",      "R 3B10", "R 3B20"};
  const std::vector<std::string> stops = {"PROGRAM", "ID", "R 3B10"};
  const Case cases[] = {
      {"no password", "", {}, Strings({kReadConfirmation, kReadSucceeded}), passes, true},
      {"right entry",
       "A1b2",
       {"A1b2"},
       Strings({kReadConfirmation, kPasswordDialog, kReadSucceeded}),
       asksAndPasses,
       true},
      {"wrong entry",
       "A1b2",
       {"a1b2"},
       {std::string(kReadConfirmation), std::string(kPasswordDialog),
        Lines({kReadFailed, "The password entered is not the radio's password."})},
       stops,
       false},
      {"dialog cancelled",
       "A1b2",
       {std::nullopt},
       Strings({kReadConfirmation, kPasswordDialog, kReadFailed}),
       stops,
       false},
  };
  for (const Case& c : cases) {
    RadioLink link({.Password = c.RadioPassword});
    link.Radio.LoadImage(Encoded(TwoHundredChannels()));
    link.Prompter.Passwords = c.Entries;

    ASSERT_TRUE(link.Read()) << c.What;

    EXPECT_EQ(link.Prompter.Texts(), c.Messages) << c.What;
    auto names = Names(link.Packets());
    if (names.size() > c.Conversation.size()) names.resize(c.Conversation.size());
    EXPECT_EQ(names, c.Conversation) << c.What;
    EXPECT_EQ(link.Last().Success, c.Succeeds) << c.What;
  }
}

TEST(RadioAdmission, PasswordTypedOnceOpensTheRadioForTheRestOfTheRun) {
  RadioLink link({.Password = "7"});
  Configuration configuration = TwoHundredChannels();
  link.Prompter.Passwords = {"7 "};  // typed with a trailing blank

  ASSERT_TRUE(link.Read());
  ASSERT_TRUE(link.Write(configuration));
  ASSERT_TRUE(link.Read());

  EXPECT_EQ(link.Prompter.Texts(),
            Strings({kReadConfirmation, kPasswordDialog, kReadSucceeded, kWriteConfirmation, kWriteSucceeded,
                     kReadConfirmation, kReadSucceeded}));
  EXPECT_TRUE(link.Last().Success);
  ExpectSameRecords(Decoded(link.Last().Data.Image, configuration), configuration);
}

}  // namespace
}  // namespace hvt::e2e
