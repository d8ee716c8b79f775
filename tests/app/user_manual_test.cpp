#include "app/user_manual.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;

class UserManualTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "language");
    WriteFileBytes(root_ / "language" / "english.ini", "[OTHER]\n101=OK\n");
    WriteFileBytes(root_ / "language" / "chinese.ini", "[OTHER]\n101=确定\n");
  }

  void Ship(std::string_view language) {
    fs::create_directories(root_ / "manual" / language);
    WriteFileBytes(root_ / "manual" / language / "index.html", "<html>");
  }

  // What Help > Contents handed to the browser, if anything.
  std::optional<fs::path> HelpContents(const AppContext& context, bool browserStarts = true) {
    std::optional<fs::path> opened;
    const bool handedOver = OpenManual(context, prompter_, [&](const fs::path& file) {
      opened = file;
      return browserStarts;
    });
    EXPECT_EQ(handedOver, opened.has_value() && browserStarts);
    return opened;
  }

  TempFolder root_;
  AppFolders folders_ = {root_.Path(), root_.Path()};
  ScriptedPrompter prompter_;
};

TEST_F(UserManualTest, OpensTheManualOfTheCurrentLanguage) {
  Ship("en");
  Ship("zh");
  struct Case {
    std::string_view Locale;
    std::optional<int> SwitchedTo;
    std::string_view Folder;
  };
  for (const Case& c :
       {Case{"en_US", {}, "en"}, Case{"zh_CN", {}, "zh"}, Case{"zh_TW", {}, "en"}, Case{"de_DE", {}, "en"},
        Case{"en_US", kChinese, "zh"}, Case{"zh_CN", kEnglish, "en"}}) {
    AppContext context = AppContext::Start(folders_, c.Locale);
    if (c.SwitchedTo) {
      ASSERT_TRUE(context.SwitchLanguage(*c.SwitchedTo));
    }
    EXPECT_EQ(HelpContents(context), root_ / "manual" / c.Folder / "index.html") << c.Locale;
  }
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(UserManualTest, AMissingManualOrBrowserIsReported) {
  Ship("en");
  const AppContext chinese = AppContext::Start(folders_, "zh_CN");
  EXPECT_EQ(HelpContents(chinese), std::nullopt) << "no English page in place of the missing Chinese one";
  ASSERT_EQ(prompter_.Messages.size(), 1U);
  EXPECT_EQ(prompter_.Messages[0].Icon, PromptIcon::Warning);
  EXPECT_NE(prompter_.Messages[0].Text.find("使用手册"), std::string::npos);
  EXPECT_NE(prompter_.Messages[0].Text.find((root_ / "manual" / "zh" / "index.html").string()),
            std::string::npos);

  const AppContext english = AppContext::Start(folders_, "en_US");
  EXPECT_TRUE(HelpContents(english, false).has_value());
  ASSERT_EQ(prompter_.Messages.size(), 2U);
  EXPECT_NE(prompter_.Messages[1].Text.find("browser"), std::string::npos);
}

std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
    found.push_back((*it)[1].str());
  return found;
}

// Every file and section a shipped manual links to is there.
TEST(ShippedUserManual, BothLanguagesArePresentAndTheirLinksResolve) {
  for (const int language : {kEnglish, kChinese}) {
    const fs::path page = ManualFile(HVT_DATA_DIR, language);
    ASSERT_TRUE(fs::is_regular_file(page)) << page;
    const std::string html = FileText(page);
    const std::vector<std::string> files = Matches(html, std::regex(R"re((?:href|src)="([^"#:]+)")re"));
    EXPECT_GE(files.size(), 2U) << page << ": the style sheet and the other language";
    for (const std::string& file : files)
      EXPECT_TRUE(fs::exists(page.parent_path() / file)) << page << ": " << file;
    const std::vector<std::string> ids = Matches(html, std::regex(R"re(id="([^"]+)")re"));
    for (const std::string& section : Matches(html, std::regex(R"re(href="#([^"]+)")re"))) {
      EXPECT_NE(std::ranges::find(ids, section), ids.end()) << page << ": #" << section;
    }
  }
}

}  // namespace
}  // namespace hvt
