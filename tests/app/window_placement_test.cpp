#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

const std::vector<WindowRect> kTwoScreens = {{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}};

TEST(WindowPlacement, KeepsAPlaceOnAnyScreenAndFillsThePrimaryWithoutOne) {
  EXPECT_EQ(PlaceMainWindow(WindowRect{100, 50, 800, 600}, kTwoScreens), (WindowRect{100, 50, 800, 600}));
  EXPECT_EQ(PlaceMainWindow(WindowRect{2000, 100, 800, 600}, kTwoScreens), (WindowRect{2000, 100, 800, 600}));
  EXPECT_EQ(PlaceMainWindow(std::nullopt, kTwoScreens), kTwoScreens.front());
  EXPECT_EQ(PlaceMainWindow(WindowRect{10, 10, 0, 0}, kTwoScreens), kTwoScreens.front());
}

TEST(WindowPlacement, APlaceOffEveryScreenMovesOntoThePrimary) {
  // The second monitor has gone.
  const std::vector<WindowRect> oneScreen = {kTwoScreens.front()};
  EXPECT_EQ(PlaceMainWindow(WindowRect{2000, 100, 800, 600}, oneScreen), (WindowRect{560, 220, 800, 600}));
  // Only a sliver on screen, or the title bar above it: not reachable either.
  EXPECT_EQ(PlaceMainWindow(WindowRect{1900, 100, 800, 600}, oneScreen), (WindowRect{560, 220, 800, 600}));
  EXPECT_EQ(PlaceMainWindow(WindowRect{100, -300, 800, 600}, oneScreen), (WindowRect{560, 220, 800, 600}));
  // Larger than the screen: shrunk to it.
  EXPECT_EQ(PlaceMainWindow(WindowRect{5000, 0, 4000, 3000}, oneScreen), oneScreen.front());
}

}  // namespace
}  // namespace hvt
