#pragma once

// Where the main window opens: where it was last closed, unless that place lies off every
// screen present now (a monitor was unplugged), in which case it moves onto the primary screen.

#include <optional>
#include <vector>

namespace hvt {

struct WindowRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  bool operator==(const WindowRect&) const = default;
};

// `screens` are the available areas of the screens, the primary one first. Without a saved
// place the window fills the primary screen's area.
WindowRect PlaceMainWindow(const std::optional<WindowRect>& saved, const std::vector<WindowRect>& screens);

}  // namespace hvt
