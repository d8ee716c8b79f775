#include "app/progress_presenter.h"

#include <gtest/gtest.h>

#include <climits>

#include "i18n/language.h"

namespace hvt {
namespace {

TEST(ProgressPresenter, TitleFollowsTheOperationAndTheLanguage) {
  struct Case {
    OperationKind Kind;
    int Language;
    std::string Title;
    std::string Caption;
  };
  const Case cases[] = {
      {OperationKind::Read, kEnglish, "Read data from radio", "Completion percentage:"},
      {OperationKind::Write, kEnglish, "Write data to radio", "Completion percentage:"},
      {OperationKind::Read, kChinese, "从对讲机读取数据", "完成进度:"},
      {OperationKind::Write, kChinese, "向对讲机写入数据", "完成进度:"},
      {OperationKind::InformationRead, kEnglish, "Read data from radio", "Completion percentage:"},
  };
  for (const Case& c : cases) {
    const ProgressPresenter presenter(c.Kind, LanguageTexts::FromText(c.Language, ""));
    EXPECT_EQ(presenter.State().Title, c.Title);
    EXPECT_EQ(presenter.State().Caption, c.Caption);
    EXPECT_EQ(presenter.State().Percent, 0);
    EXPECT_EQ(presenter.State().PercentText, "0%");
  }
}

TEST(ProgressPresenter, PercentIsKeptWithinTheBar) {
  struct Case {
    int Given;
    int Shown;
    std::string Text;
  };
  const Case cases[] = {
      {0, 0, "0%"},           {37, 37, "37%"},    {99, 99, "99%"},          {100, 100, "100%"},
      {101, 100, "100%"},     {-1, 0, "0%"},      {65536 + 5, 100, "100%"},  // past what a 16-bit field holds
      {INT_MAX, 100, "100%"}, {INT_MIN, 0, "0%"},
  };
  ProgressPresenter presenter(OperationKind::Read, LanguageTexts::FromText(kEnglish, ""));
  for (const Case& c : cases) {
    presenter.SetPercent(c.Given);
    EXPECT_EQ(presenter.State().Percent, c.Shown) << c.Given;
    EXPECT_EQ(presenter.State().PercentText, c.Text) << c.Given;
  }
}

}  // namespace
}  // namespace hvt
