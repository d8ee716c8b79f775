#include "i18n/ini_document.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

constexpr std::string_view kFile =
    "\xEF\xBB\xBF; comment\r\n"
    "[OTHER]\r\n"
    "101 =  OK  \r\n"
    "102=Cancel\r\n"
    "102=Second\r\n"
    "noequals\r\n"
    "[ msg ]\n"
    "900c=Too short\n"
    "empty=\n";

TEST(IniDocument, ReadsLikeAPrivateProfile) {
  const IniDocument ini = IniDocument::Parse(kFile);
  struct Case {
    const char* Section;
    const char* Key;
    const char* Value;
  };
  for (const Case& c : {Case{"OTHER", "101", "OK"}, Case{"other", "102", "Cancel"},
                        Case{"MSG", "900C", "Too short"}, Case{"MSG", "empty", ""}, Case{"MSG", "101", ""},
                        Case{"NONE", "101", ""}, Case{"OTHER", "noequals", ""}}) {
    EXPECT_EQ(ini.Value(c.Section, c.Key), c.Value) << c.Section << "/" << c.Key;
  }
  EXPECT_TRUE(ini.Find("MSG", "empty").has_value());
  EXPECT_FALSE(ini.Find("MSG", "absent").has_value());
}

TEST(IniDocument, SetReplacesOrAddsAndKeepsEverythingElse) {
  IniDocument ini = IniDocument::Parse("; keep me\n[language]\nIsFirstRun=1\n\n[other]\nx=1\n");
  ini.Set("LANGUAGE", "isfirstrun", "0");
  ini.Set("language", "comPort", "3");
  ini.Set("new", "key", "v");
  EXPECT_EQ(ini.ToText(), "; keep me\n[language]\nisfirstrun=0\ncomPort=3\n\n[other]\nx=1\n[new]\nkey=v\n");
  EXPECT_EQ(IniDocument::Parse(ini.ToText()).Value("language", "comport"), "3");
}

// Found by the fuzzer: a file starting with two marks lost its first one when written, so the
// written text read back with "[language]" as a header and another entry in front of ours.
TEST(IniDocument, AByteOrderMarkIsWrittenBackAndTheTextReadsTheSame) {
  const std::string doubleMark = "\xEF\xBB\xBF\xEF\xBB\xBF[language]\ncomPortName=other\n";
  IniDocument ini = IniDocument::Parse(doubleMark);
  EXPECT_EQ(ini.ToText(), doubleMark);
  ini.Set("language", "comPortName", "/dev/ttyUSB0");
  EXPECT_EQ(IniDocument::Parse(ini.ToText()).Value("language", "comPortName"), "/dev/ttyUSB0");

  EXPECT_EQ(IniDocument::Parse("\xEF\xBB\xBF[a]\nk=v\n").ToText(), "\xEF\xBB\xBF[a]\nk=v\n");
  EXPECT_EQ(IniDocument::Parse("\xEF\xBB\xBF[a]\nk=v\n").Value("a", "k"), "v");
}

}  // namespace
}  // namespace hvt
