#include <gtest/gtest.h>

TEST(UiPlaceholder, Runs) { SUCCEED(); }
