#include "platform/Application.h"

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"

namespace {

class ApplicationTest : public testing::Test {
 protected:
  ~ApplicationTest() override {
    Application().SetMainForm(nullptr);
    Application().SetTitle({});
  }
  THeadlessPlatform platform;
  TForm form{nullptr};
};

TEST_F(ApplicationTest, MinimisingAndRestoringActOnTheMainFormWhileItLives) {
  Application().SetMainForm(&form);
  Application().Minimize();
  EXPECT_EQ(wsMinimized, form.WindowState());
  Application().Restore();
  EXPECT_EQ(wsNormal, form.WindowState());
  EXPECT_FALSE(Application().Minimized());

  auto* other = new TForm(nullptr);
  Application().SetMainForm(other);
  delete other;
  EXPECT_EQ(nullptr, Application().MainForm());
  Application().Minimize();  // nothing left to minimise
  EXPECT_EQ(wsNormal, form.WindowState());
}

TEST_F(ApplicationTest, MinimiseHooksRunFirstAndMayUnhookThemselves) {
  Application().SetMainForm(&form);
  std::vector<std::string> seen;
  int first = 0;
  first = Application().HookMinimize([&] {
    seen.push_back(Application().Minimized() ? "late" : "first");
    Application().UnhookMinimize(first);
  });
  const int second = Application().HookMinimize([&] { seen.push_back("second"); });
  Application().MinimizeCommand();
  EXPECT_TRUE(Application().Minimized());
  Application().Restore();
  Application().MinimizeCommand();
  Application().UnhookMinimize(second);
  EXPECT_EQ((std::vector<std::string>{"first", "second", "second"}), seen);
}

TEST_F(ApplicationTest, HandleExceptionShowsTheMessageUnderTheTitle) {
  Application().SetTitle("翎川定时关机");
  Application().HandleException(std::runtime_error("'x' is not a valid date and time"));
  ASSERT_EQ(1u, platform.MessageBox().Calls().size());
  EXPECT_EQ("'x' is not a valid date and time", platform.MessageBox().Calls()[0].text);
  EXPECT_EQ("翎川定时关机", platform.MessageBox().Calls()[0].caption);
  EXPECT_EQ(uint32_t(vxMsgIconError), platform.MessageBox().Calls()[0].style);
}

}  // namespace
