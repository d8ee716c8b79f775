#pragma once

// The shipped data folder with a settings folder of the test's own.

#include <gtest/gtest.h>

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

}  // namespace hvt
