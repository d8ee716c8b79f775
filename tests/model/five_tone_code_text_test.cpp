#include "model/five_tone_code_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace hvt {
namespace {

struct TextCase {
  const char* In;
  const char* Out;
};

TEST(FiveToneCodeText, InsertRepeatTonesComparesWithTheResultBuiltSoFar) {
  const TextCase cases[] = {
      {"", ""},
      {"7", "7"},
      {"11111", "1E1E1"},
      {"1111", "1E1E"},
      {"1221", "12E1"},
      {"aa", "aE"},
      {"aA", "aA"},
      {"E1234567AA", "E1234567AA"},  // beyond position 8 of a data message
      {"E12345667", "E123456E7"},
      {"E11234567AA", "E1E234567AA"},  // the called ID itself still gets repeat tones
      {"E112345E4849", "E1E2345E4849"},
      {"F1234567AA", "F1234567AE"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(InsertRepeatTones(c.In), c.Out) << c.In;
}

TEST(FiveToneCodeText, InsertRepeatTonesForIdCopiesPositionsSixAndSeven) {
  const TextCase cases[] = {
      {"", ""},
      {"11111111111", "1E1E111E1E1"},
      {"11111122222", "1E1E112E2E2"},
      {"E1111111111", "E1E1E11E1E1"},  // no data-message rule
  };
  for (const TextCase& c : cases) EXPECT_EQ(InsertRepeatTonesForId(c.In), c.Out) << c.In;
}

TEST(FiveToneCodeText, CarriesOwnIdRecognisesAniCodes) {
  struct Case {
    const char* Code;
    const char* OwnId;
    bool Carries;
  };
  const Case cases[] = {
      {"12345D54321", "54321", true},   {"12345D2E2E2", "22222", true},  // own ID stored with repeat tones
      {"12345D22222", "22222", true},   {"12345D54321", "54322", false}, {"12345D54321", "4321", false},
      {"12345DSelfID", "4321", false},  {"12345DSelfID", "54321", true}, {"1234DSelfID", "54321", false},
      {"12345DSelfID", "SelfID", true}, {"1234554321", "54321", false},  {"123456654321", "54321", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CarriesOwnId(c.Code, c.OwnId), c.Carries) << c.Code << " / " << c.OwnId;
}

TEST(FiveToneCodeText, PrepareFiveToneCodeKeepsTheOwnIdOfAniCodesIntact) {
  struct Case {
    const char* Code;
    const char* OwnId;
    const char* Stored;
  };
  const Case cases[] = {
      {"11111122222", "22222", "1E1E112E2E2"},
      {"11111122222", "33333", "1E1E1E2E2E2"},
      {"11111DSelfID", "54321", "1E1E1DSelfID"},
      {"E1123E4849", "54321", "E1E23E4849"},
      {"", "54321", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PrepareFiveToneCode(c.Code, c.OwnId), c.Stored) << c.Code;
}

TEST(FiveToneCodeText, Mid5ToneNoEGivesBackTheTypedDigits) {
  struct Case {
    const char* Text;
    int Start;
    int Length;
    const char* Out;
  };
  const Case cases[] = {
      {"1E1E1", 1, 5, "11111"},
      {"E1E2345E4849", 3, 5, "12345"},  // the "E" before the window still counts
      {"12345D2E2E2", 1, 5, "12345"},
      {"12345D2E2E2", 7, 5, "22222"},
      {"123", 2, 10, "23"},
      {"123", 4, 2, ""},
      {"E12", 1, 3, "E12"},  // nothing before a leading "E"
      {"1E", 0, 3, "11"},
      {"123", 2, -1, ""},
      {"123", INT_MAX, INT_MAX, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Mid5ToneNoE(c.Text, c.Start, c.Length), c.Out) << c.Text << " " << c.Start;
}

}  // namespace
}  // namespace hvt
