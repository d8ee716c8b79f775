#include "app/window_placement.h"

#include <algorithm>

namespace hvt {

namespace {

// Enough of the title bar must show on some screen to grab the window.
constexpr int kGrabbable = 40;

bool Reachable(const WindowRect& window, const WindowRect& screen) {
  const int left = std::max(window.Left, screen.Left);
  const int right = std::min(window.Left + window.Width, screen.Left + screen.Width);
  return right - left >= kGrabbable && window.Top >= screen.Top &&
         window.Top < screen.Top + screen.Height - kGrabbable;
}

}  // namespace

WindowRect PlaceMainWindow(const std::optional<WindowRect>& saved, const std::vector<WindowRect>& screens) {
  const WindowRect primary = screens.empty() ? WindowRect{0, 0, 1024, 768} : screens.front();
  if (!saved || saved->Width <= 0 || saved->Height <= 0) return primary;
  if (std::ranges::any_of(screens, [&](const WindowRect& screen) { return Reachable(*saved, screen); })) {
    return *saved;
  }
  WindowRect moved = *saved;
  moved.Width = std::min(moved.Width, primary.Width);
  moved.Height = std::min(moved.Height, primary.Height);
  moved.Left = primary.Left + (primary.Width - moved.Width) / 2;
  moved.Top = primary.Top + (primary.Height - moved.Height) / 2;
  return moved;
}

}  // namespace hvt
