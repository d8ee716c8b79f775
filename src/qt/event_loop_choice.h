#pragma once

// A program without windows needs none of GLib's main-loop integration, and Qt's own event loop
// costs less for each wake-up, which counts when many radios are programmed at once. A
// QT_NO_GLIB the user set, even empty, is left as it is.

#include <QtGlobal>

namespace hvt {

inline void PreferQtsOwnEventLoop() {
  if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
}

}  // namespace hvt
