#include "platform/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

namespace {

TEST(HeadlessPlatform, InstallsItsServicesForItsLifetime) {
  {
    THeadlessPlatform platform;
    EXPECT_EQ(&platform.Clock(), Platform().clock);
    EXPECT_EQ(&platform.Power(), Platform().power);
    EXPECT_EQ(&platform.Locale(), Platform().locale);
    EXPECT_EQ(&platform.Clipboard(), Platform().clipboard);
    platform.Advance(1500);
    EXPECT_EQ(EncodeDate(2024, 3, 15) + EncodeTime(9, 0, 1, 500), Platform().clock->Now());
  }
  EXPECT_THROW(Platform(), std::logic_error);
}

}  // namespace
