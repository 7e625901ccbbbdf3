#include "app/UnitMain.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "BitmapIconCodec_support.h"
#include "MainForm_support.h"
#include "app/ProgramRun.h"
#include "platform/Application.h"
#include "platform/Menus.h"
#include "platform/Resources.h"
#include "platform/headless/HeadlessMenuService.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/controls/ComboBox.h"
#include "scene/controls/NumberBox.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/graphics/Shapes.h"
#include "scene/graphics/Text.h"
#include "tray/TrayIcon.h"

namespace {

class FormMainTest : public testing::Test {
 protected:
  void SetUp() override {
    UseRasterBackend();
    RegisterProgramClasses();
    previousMenus_ = InstallMenuService(&menus_);
    // The settings dialog that opens first is left at once.
    platform_.Clock().Post([] {
      if (TForm* dialog = TForm::ModalForm()) dialog->SetModalResult(mrCancel);
    });
    form_.reset(CreateForm<TFormMain>(nullptr, FindEmbeddedResource("TFORMMAIN")));
    form_->Show();
    platform_.Advance(50);  // the scene draws on a posted request
  }
  void TearDown() override {
    form_.reset();
    InstallMenuService(previousMenus_);
  }

  THeadlessWindow& Window() { return *platform_.Windows().Windows().front(); }
  TMenuItem& Item(const char* name) {
    return *dynamic_cast<TMenuItem*>(form_->FindComponent(name));
  }
  bool HitTest(const char* name) {
    return dynamic_cast<TvxVisualObject*>(form_->FindComponent(name))->HitTest();
  }

  THeadlessPlatform platform_;
  TBitmapIconCodec icons_;
  THeadlessMenuService menus_;
  IMenuService* previousMenus_ = nullptr;
  std::unique_ptr<TFormMain> form_;
};

TEST_F(FormMainTest, ShowsTheIdleSpriteWhereTheFormDataPutsIt) {
  EXPECT_EQ(Window().Bounds(), (TBoundsI{405, 243, 479, 195}));
  EXPECT_TRUE(Window().Frameless());
  EXPECT_TRUE(Window().Transparent());
  EXPECT_TRUE(Window().ToolWindow());
  ASSERT_EQ(Window().FrameWidth(), 479);
  ASSERT_EQ(Window().FrameHeight(), 195);
  // Outside the body nothing is drawn, so presses there reach the windows below.
  EXPECT_EQ(Window().PixelAt(5, 5), 0u);
  EXPECT_EQ(Window().PixelAt(400, 180), 0u);
  // The body is nearly invisible, yet catches the mouse.
  EXPECT_GT(Window().PixelAt(270, 130) >> 24, 0u);
  // The idle ring: a quarter from twelve o'clock back to nine, bright on the track.
  const uint32_t quarter = Window().PixelAt(57, 77);
  const uint32_t track = Window().PixelAt(96, 114);
  EXPECT_GT(quarter >> 24, track >> 24);
}

TEST_F(FormMainTest, ARightPressOnTheBodyOpensTheMenuAndALeftPressDragsTheWindow) {
  Window().MouseDown(150, 90, TMouseButton::mbRight);
  Window().MouseUp(150, 90, TMouseButton::mbRight);
  ASSERT_EQ(menus_.Requests().size(), 1u);
  EXPECT_EQ(menus_.Requests()[0].x, 405 + 150);
  EXPECT_EQ(menus_.Requests()[0].y, 243 + 90);
  EXPECT_TRUE(HitTest("Root1") && HitTest("Rectangle1"));

  Window().MouseDown(150, 90);
  EXPECT_FALSE(HitTest("Root1") || HitTest("Rectangle1"));
  platform_.Windows().SetCursorPos({405 + 150 + 30, 243 + 90 + 20});
  Window().MouseMove(180, 110, ssLeft);
  Window().MouseUp(180, 110);
  EXPECT_EQ(menus_.Requests().size(), 1u);
  EXPECT_EQ(Window().Bounds().left, 435);
  EXPECT_EQ(Window().Bounds().top, 263);
}

TEST_F(FormMainTest, TheMenuTogglesTheSpriteAndQuits) {
  Window().MouseDown(150, 90, TMouseButton::mbRight);
  EXPECT_FALSE(Item("N2").Enabled());
  EXPECT_FALSE(Item("N3").Checked());

  ASSERT_TRUE(menus_.Choose("显示桌面精灵"));
  EXPECT_FALSE(form_->Visible());
  EXPECT_EQ(form_->Engine().DisplayMode(), DisplayTrayOnly);
  ASSERT_TRUE(menus_.Choose("显示桌面精灵"));
  EXPECT_TRUE(form_->Visible());
  EXPECT_EQ(form_->Engine().DisplayMode(), DisplaySpriteAndTray);
  EXPECT_TRUE(Item("N3").Checked());

  ASSERT_TRUE(menus_.Choose("退出"));
  EXPECT_TRUE(form_->Closed());
}

TEST_F(FormMainTest, TheTrayIconShowsTheAppIconAndItsClicksToggleTheSprite) {
  PrepareApplication();
  auto* tray = dynamic_cast<TTrayIcon*>(form_->FindComponent("TrayIcon1"));
  tray->SetUseAppIcon(false);
  tray->SetUseAppIcon(true);
  const TNotifyIconData* shown = platform_.NotifyArea().Shown();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->tip, "翎川定时关机");
  EXPECT_FALSE(shown->images.empty());

  platform_.NotifyArea().SendMouse({nmLButtonDown});
  platform_.NotifyArea().SendMouse({nmLButtonUp});
  EXPECT_FALSE(form_->Visible());
  EXPECT_FALSE(Item("N3").Checked());
  platform_.NotifyArea().SendMouse({nmRButtonDown});
  platform_.NotifyArea().SendMouse({nmRButtonUp});
  ASSERT_EQ(menus_.Requests().size(), 1u);
  EXPECT_EQ(menus_.Requests()[0].menu, Item("N2").Menu());
  EXPECT_FALSE(form_->Visible());
}

TEST_F(FormMainTest, TheRunningScheduleIsShownOnTheSprite) {
  TConfigInput input;
  // Moved in: GCC 12 at -O3 misreads copying a short literal in as reading it uninitialized.
  input.SecondText = std::string("12");
  form_->Engine().Start(input);
  EXPECT_TRUE(Item("N2").Enabled());
  platform_.Advance(1000);  // the first tick measures the schedule, the second shrinks the ring
  const auto* time = dynamic_cast<TvxText*>(form_->FindComponent("TextTime"));
  EXPECT_EQ(time->Text().substr(0, 7), u"00:00:1");
  EXPECT_GT(dynamic_cast<TvxArc*>(form_->FindComponent("ArcTime"))->EndAngle(), 300.0f);
}

class SecondStartTest : public testing::Test, public TMainFormFixture {};

TEST_F(SecondStartTest, BringsTheOpenDialogForward) {
  CreateMainForm();
  int activations = 0;
  RunSettings([&](TForm&, THeadlessWindow& window) {
    const int before = window.Activations();
    Main().ComeForward();
    activations = window.Activations() - before;
    window.KeyDown(vkEscape);
  });
  EXPECT_EQ(activations, 1);
}

TEST_F(SecondStartTest, ShowsAHiddenSpriteOnlyWhenNoIconCanBringItBack) {
  const auto trayOnly = [](TForm& dialog, THeadlessWindow& window) {
    dynamic_cast<TvxComboBox*>(dialog.FindComponent("StringComboBox2"))
        ->SetItemIndex(DisplayTrayOnly);
    dynamic_cast<TvxNumberBox*>(dialog.FindComponent("MinutText"))->SetText(u"5");
    Click(dialog, window, "RadioButton3");
  };
  CreateMainForm(trayOnly);
  ASSERT_TRUE(Main().TrayIconShown());
  Main().ComeForward();
  EXPECT_FALSE(MainWindow().Visible());

  Platform().NotifyArea().SetAddFails(true);
  Platform().NotifyArea().RestartTaskbar();  // the icon is lost and cannot come back
  ASSERT_FALSE(Main().TrayIconShown());
  Main().ComeForward();
  EXPECT_TRUE(MainWindow().Visible());
  EXPECT_TRUE(Checked("N3"));
  EXPECT_EQ(Main().Engine().DisplayMode(), DisplaySpriteAndTray);
}

TEST(ProgramStart, TellsOnceWhenNoNotificationAreaHoldsTheIcon) {
  for (const bool fails : {false, true}) {
    TMainFormFixture fixture;
    fixture.Platform().NotifyArea().SetAddFails(fails);
    fixture.Platform().Clock().Post([] {
      if (TForm* dialog = TForm::ModalForm()) dialog->SetModalResult(mrCancel);
    });
    std::ostringstream notices;
    const std::unique_ptr<TFormMain> form = CreateMainForm(notices);
    EXPECT_EQ(notices.str(), fails ? std::string(kNoTrayNotice) + "\n" : "");
    // However the dialog was left, the mark follows the shown sprite.
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(dynamic_cast<TMenuItem*>(form->FindComponent("N3"))->Checked());
  }
}

}  // namespace
