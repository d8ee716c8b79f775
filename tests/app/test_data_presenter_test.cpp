#include "app/test_data_presenter.h"

#include <gtest/gtest.h>

#include <cstring>

#include "files/test_data_file.h"
#include "i18n/language.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

// Remembers what the file dialogs were opened with.
class RecordingPrompter final : public ScriptedPrompter {
 public:
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view filter) override {
    Filters.emplace_back(filter);
    return ScriptedPrompter::ChooseFileToOpen(filter);
  }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view filter,
                                                        const std::filesystem::path& suggested) override {
    Filters.emplace_back(filter);
    Suggested.push_back(suggested);
    return ScriptedPrompter::ChooseFileToSave(filter, suggested);
  }

  std::vector<std::string> Filters;
  std::vector<std::filesystem::path> Suggested;
};

// The 128 bytes of a .ted file holding `values` (little-endian).
std::vector<std::uint8_t> TedBytes(const TestModeData& values) {
  std::vector<std::uint8_t> bytes;
  for (std::int32_t value : values.Values) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
  }
  return bytes;
}

class TestDataPresenterTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  std::string Field(const TestDataPresenter& presenter, int index) const {
    return presenter.State().Fields.at(static_cast<std::size_t>(index)).Text;
  }

  TempFolder folder_;
  RecordingPrompter prompter_;
  AppContext context_ = AppContext::Start({HVT_DATA_DIR, folder_.Path()}, "en_US");
  Workspace workspace_{context_, prompter_};
};

TEST_F(TestDataPresenterTest, EveryChangeIsReadAsDecimalAndClampedToTheFieldsRange) {
  const struct {
    int Index;
    std::string Typed;
    std::string Shown;
  } cases[] = {
      {1, "300", "255"},                  // power
      {6, "1100", "1023"},                // offset frequency
      {9, "99", "63"},                    // CTCSS level
      {20, "1024", "1023"},               // MODE 3 offset
      {17, "0255", "255"},                // leading zero
      {0, "1A", "0"},                     // hex letters make it no number
      {4, "", "0"},                       // emptied
      {12, "9999999999", "63"},           // ten digits, far above any range
      {5, "9999999999", "2147483647"},    // no range: the signed 32-bit one
      {15, "2147483648", "2147483647"},   //
      {16, "2147483647", "2147483647"},   //
      {22, "-5", "0"},                    // a shown negative value, edited
      {5, "-2147483649", "-2147483648"},  //
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Typed + " in field " + std::to_string(c.Index));
    TestDataPresenter presenter(context_, workspace_, prompter_);
    presenter.ChangeField(c.Index, c.Typed);
    EXPECT_EQ(Field(presenter, c.Index), c.Shown);
    EXPECT_EQ(std::to_string(presenter.WorkingCopy().Values[static_cast<std::size_t>(c.Index)]), c.Shown);
  }
}

TEST_F(TestDataPresenterTest, MoreThanTenDigitsAreRefusedAndTheFieldKeepsItsValue) {
  TestDataPresenter presenter(context_, workspace_, prompter_);
  presenter.ChangeField(5, "2147483647");
  presenter.ChangeField(5, "21474836479");
  EXPECT_EQ(Field(presenter, 5), "2147483647");
  presenter.ChangeField(7, "12");
  presenter.ChangeField(7, "99999999999999999999");
  EXPECT_EQ(Field(presenter, 7), "12");
  EXPECT_EQ(presenter.WorkingCopy().Values[7], 12);
}

TEST_F(TestDataPresenterTest, TypingTakesDigitsAndUpperCaseHexLettersOnly) {
  const struct {
    char32_t Typed;
    std::optional<char32_t> Kept;
  } cases[] = {
      {U'0', U'0'},         {U'9', U'9'},          {U'A', U'A'},          {U'f', U'F'},   {U'a', U'A'},
      {U'g', std::nullopt}, {U'-', std::nullopt},  {U' ', std::nullopt},  {U'\b', U'\b'}, {U'\r', U'\r'},
      {U'é', std::nullopt}, {U'中', std::nullopt}, {U'９', std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TestDataPresenter::TypedCharacter(c.Typed), c.Kept) << static_cast<std::uint32_t>(c.Typed);
  }
}

TEST_F(TestDataPresenterTest, OkStoresTheValuesForTheRunAndCancelDropsThem) {
  workspace_.TestValues().Values[30] = 77;  // no field: kept
  {
    TestDataPresenter presenter(context_, workspace_, prompter_);
    presenter.ChangeField(3, "200");
    presenter.Cancel();
  }
  EXPECT_EQ(workspace_.TestValues().Values[3], 0);
  TestDataPresenter presenter(context_, workspace_, prompter_);
  EXPECT_EQ(Field(presenter, 3), "0");
  presenter.ChangeField(3, "200");
  presenter.ChangeField(18, "5000");
  EXPECT_TRUE(presenter.Ok());
  EXPECT_EQ(workspace_.TestValues().Values[3], 200);
  EXPECT_EQ(workspace_.TestValues().Values[18], 1023);
  EXPECT_EQ(workspace_.TestValues().Values[30], 77);
  EXPECT_EQ(Field(TestDataPresenter(context_, workspace_, prompter_), 18), "1023") << "opened again";
}

TEST_F(TestDataPresenterTest, TextsInBothLanguages) {
  const struct {
    int Language;
    std::string Title;
    std::string Load;
    std::string Label1;
    std::string Label22;
    std::string Filter;
  } cases[] = {
      {kEnglish, "Test Data", "&Load", "Low Power", "MODE 5 Offset frequency",
       "Test Data File (*.ted)|*.ted"},
      {kChinese, "测试数据", "加载(&L)", "低功率", "MODE 5 频偏", "测试数据文件 (*.ted)|*.ted"},
  };
  for (const auto& c : cases) {
    context_.SetLanguage(c.Language);
    TestDataPresenter presenter(context_, workspace_, prompter_);
    const auto& state = presenter.State();
    EXPECT_EQ(state.Title, c.Title);
    EXPECT_EQ(state.LoadText, c.Load);
    EXPECT_EQ(state.Labels[1], c.Label1);
    EXPECT_EQ(state.Labels[22], c.Label22);
    EXPECT_EQ(state.Labels[5], "#5");
    EXPECT_EQ(state.Labels[16], "#16");
    EXPECT_FALSE(state.OkText.empty());
    prompter_.Files.push_back(std::nullopt);
    presenter.Load();
    EXPECT_EQ(prompter_.Filters.back(), c.Filter);
  }
}

TEST_F(TestDataPresenterTest, LoadShowsOutOfRangeValuesAtTheirNearestBoundAndSavesThemSo) {
  TestModeData stored;
  stored.Values[1] = 300;
  stored.Values[6] = -4;
  stored.Values[9] = 64;
  stored.Values[5] = -7;          // no range
  stored.Values[30] = 123456789;  // no field
  const auto in = folder_ / "in.ted";
  WriteFileBytes(in, TedBytes(stored));

  TestDataPresenter presenter(context_, workspace_, prompter_);
  prompter_.Files = {in};
  presenter.Load();
  EXPECT_EQ(Field(presenter, 1), "255");
  EXPECT_EQ(Field(presenter, 6), "0");
  EXPECT_EQ(Field(presenter, 9), "63");
  EXPECT_EQ(Field(presenter, 5), "-7");
  EXPECT_EQ(workspace_.TestDataFileName(), in);

  const auto out = folder_ / "out.ted";
  prompter_.Files = {out};
  presenter.Save();
  EXPECT_EQ(prompter_.Suggested.back(), in) << "the save dialog starts from the last file";
  TestModeData expected = stored;
  expected.Values[1] = 255;
  expected.Values[6] = 0;
  expected.Values[9] = 63;
  EXPECT_EQ(FileBytes(out), TedBytes(expected));
  EXPECT_EQ(workspace_.TestDataFileName(), out);
  EXPECT_TRUE(prompter_.Messages.empty());
  EXPECT_EQ(workspace_.TestValues(), TestModeData{}) << "only OK changes the values of the run";
}

TEST_F(TestDataPresenterTest, AFileInRangeComesBackByteForByte) {
  TestModeData stored;
  for (int i = 0; i < kTestValueCount; ++i) {
    const auto range = TestValueRangeOf(i);
    stored.Values[static_cast<std::size_t>(i)] = range ? range->Max - i : -1000 * i;
  }
  const auto in = folder_ / "in.ted";
  WriteFileBytes(in, TedBytes(stored));
  const auto out = folder_ / "out.ted";
  TestDataPresenter presenter(context_, workspace_, prompter_);
  prompter_.Files = {in, out};
  presenter.Load();
  presenter.Save();
  EXPECT_EQ(FileBytes(out), FileBytes(in));
  EXPECT_TRUE(presenter.Ok());
  EXPECT_EQ(workspace_.TestValues(), stored);
}

TEST_F(TestDataPresenterTest, FileErrorsAreShownAndChangeNothing) {
  TestModeData stored;
  stored.Values[0] = 9;
  const auto good = folder_ / "good.ted";
  WriteFileBytes(good, TedBytes(stored));
  WriteFileBytes(folder_ / "short.ted", "only a few bytes");
  std::filesystem::create_directories(folder_ / "folder.ted");

  TestDataPresenter presenter(context_, workspace_, prompter_);
  presenter.ChangeField(2, "42");
  const std::filesystem::path unreadable[] = {folder_ / "missing.ted", folder_ / "short.ted",
                                              folder_ / "folder.ted"};
  for (const auto& path : unreadable) {
    SCOPED_TRACE(path.string());
    prompter_.Messages.clear();
    prompter_.Files = {path};
    presenter.Load();
    ASSERT_EQ(prompter_.Messages.size(), 1u);
    EXPECT_EQ(prompter_.Messages[0].Text.rfind("file error.\n" + path.string(), 0), 0u)
        << prompter_.Messages[0].Text;
    EXPECT_EQ(Field(presenter, 2), "42");
    EXPECT_EQ(presenter.WorkingCopy().Values[0], 0);
    EXPECT_EQ(workspace_.TestDataFileName(), "");
  }

  prompter_.Messages.clear();
  const auto unwritable = folder_ / "no such folder" / "x.ted";
  prompter_.Files = {unwritable};
  presenter.Save();
  ASSERT_EQ(prompter_.Messages.size(), 1u);
  EXPECT_EQ(prompter_.Messages[0].Text.rfind("file error.\n" + unwritable.string(), 0), 0u);
  EXPECT_EQ(workspace_.TestDataFileName(), "");

  prompter_.Messages.clear();
  prompter_.Files = {std::nullopt, std::nullopt};  // both dialogs cancelled
  presenter.Load();
  presenter.Save();
  EXPECT_TRUE(prompter_.Messages.empty());
  EXPECT_EQ(Field(presenter, 2), "42");
}

}  // namespace
}  // namespace hvt
