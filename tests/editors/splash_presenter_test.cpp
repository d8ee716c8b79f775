#include "editors/splash_presenter.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "i18n/language.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;

LanguageTexts Texts(int languageId) {
  return LanguageTexts::FromText(languageId, "[OTHER]\n2101=Programming software\n");
}

TEST(SplashPresenter, ShowsThePictureOfTheLanguage) {
  TempFolder data;
  WriteFileBytes(data.Path() / "StartE.jpg", "english");
  WriteFileBytes(data.Path() / "StartC.jpg", "chinese");
  struct Case {
    int Language;
    std::string File;
  };
  for (const Case& c : {Case{kEnglish, "StartE.jpg"}, Case{kChinese, "StartC.jpg"}, Case{0, "StartE.jpg"}}) {
    SCOPED_TRACE(c.Language);
    const SplashPresenter presenter(data.Path(), Texts(c.Language));
    EXPECT_EQ(presenter.State().Picture, data.Path() / c.File);
  }
}

TEST(SplashPresenter, WithoutItsPictureShowsThePanelWithTheTitle) {
  TempFolder data;
  WriteFileBytes(data.Path() / "StartE.jpg", "the other language's picture is no substitute");
  fs::create_directory(data.Path() / "StartC.jpg");  // a folder of that name is no picture either

  SplashPresenter missing(data.Path(), Texts(kChinese));
  EXPECT_TRUE(missing.State().Picture.empty());
  EXPECT_EQ(missing.State().Title, "HVT7300");
  EXPECT_EQ(missing.State().Subtitle, "Programming software");

  SplashPresenter unreadable(data.Path(), Texts(kEnglish));
  ASSERT_FALSE(unreadable.State().Picture.empty());
  unreadable.PictureUnreadable();
  EXPECT_TRUE(unreadable.State().Picture.empty());
  EXPECT_TRUE(unreadable.TimerElapsed()) << "the panel still hands over";
}

TEST(SplashPresenter, HandsOverOnceWhicheverComesFirst) {
  using Event = bool (SplashPresenter::*)();
  const std::array<std::pair<Event, Event>, 3> orders = {{
      {&SplashPresenter::TimerElapsed, &SplashPresenter::PictureClicked},
      {&SplashPresenter::PictureClicked, &SplashPresenter::TimerElapsed},
      {&SplashPresenter::PictureClicked, &SplashPresenter::PictureClicked},
  }};
  for (const auto& [first, second] : orders) {
    SplashPresenter presenter("missing folder", Texts(kEnglish));
    EXPECT_FALSE(presenter.State().Finished);
    EXPECT_TRUE((presenter.*first)());
    EXPECT_TRUE(presenter.State().Finished);
    EXPECT_FALSE((presenter.*second)());
  }
}

}  // namespace
}  // namespace hvt
