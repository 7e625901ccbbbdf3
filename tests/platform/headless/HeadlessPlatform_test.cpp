#include "platform/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

namespace {

TEST(HeadlessPlatform, InstallsItsServicesForItsLifetime) {
  {
    THeadlessPlatform platform;
    EXPECT_EQ(&platform.Clock(), Platform().clock);
    EXPECT_EQ(&platform.Power(), Platform().power);
    EXPECT_EQ(&platform.Locale(), Platform().locale);
    platform.Advance(1500);
    EXPECT_EQ(EncodeDate(2024, 3, 15) + EncodeTime(9, 0, 1, 500), Platform().clock->Now());
  }
  EXPECT_THROW(Platform(), std::logic_error);
}

TEST(HeadlessPlatform, TheMessageBoxRecordsAndAnswersAsScripted) {
  THeadlessPlatform platform;
  platform.MessageBox().QueueResult(vxResultNo);
  EXPECT_EQ(vxResultNo, Platform().messageBox->Show("a", "b", vxMsgYesNo | vxMsgIconQuestion));
  EXPECT_EQ(vxResultOk, Platform().messageBox->Show("c", "d", vxMsgOk));
  ASSERT_EQ(2u, platform.MessageBox().Calls().size());
  EXPECT_EQ("a", platform.MessageBox().Calls()[0].text);
  EXPECT_EQ("b", platform.MessageBox().Calls()[0].caption);
  EXPECT_EQ(0x24u, platform.MessageBox().Calls()[0].style);
}

TEST(HeadlessPlatform, LocalePresetsCanBeSwitched) {
  THeadlessPlatform platform;
  EXPECT_EQ("上午", Platform().locale->Settings().TimeAMString);
  platform.Locale().Use("de_DE");
  EXPECT_EQ(".", Platform().locale->Settings().DateSeparator);
  platform.Locale().Use("xx");
  EXPECT_EQ("d/mm/yyyy", Platform().locale->Settings().ShortDateFormat);
}

}  // namespace
