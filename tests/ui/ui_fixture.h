#pragma once

// What every view test needs: a context over the shipped data folder in either language, a
// settings folder of the test's own, and a way to let the event loop run until something has
// happened.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <string_view>

#include "app/app_context.h"
#include "support/temp_folder.h"

namespace hvt {

class UiTest : public testing::Test {
 protected:
  AppContext Start(std::string_view locale = "en_US") {
    return AppContext::Start({HVT_DATA_DIR, settings_.Path()}, locale);
  }

  TempFolder settings_;
};

// Starting reads the settings but writes nothing, and no window here saves one: the settings
// folder need not exist, and a test's own TempFolder stays free for its data.
class ShippedContext {
 public:
  explicit ShippedContext(std::string_view locale, std::filesystem::path data = HVT_DATA_DIR)
      : context_(AppContext::Start({data, data / "no-settings"}, locale)) {}

  const AppContext& Context() const { return context_; }

 private:
  AppContext context_;
};

// True once `done` holds; false when it still does not after `timeoutMs`.
inline bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

}  // namespace hvt
