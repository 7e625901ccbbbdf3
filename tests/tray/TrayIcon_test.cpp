#include "tray/TrayIcon.h"

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/IconCodec.h"
#include "platform/component/ObjectReader.h"
#include "platform/headless/HeadlessMenuService.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

using TKind = THeadlessNotifyArea::TRequestKind;

TIconImage Square(int side, uint32_t color) {
  return {side, side, std::vector<uint32_t>(size_t(side) * size_t(side), color)};
}

class TrayIconTest : public testing::Test {
 protected:
  TrayIconTest() : previousMenus_(InstallMenuService(&menus)) {
    Application().SetTitle("翎川定时关机");
  }
  ~TrayIconTest() override {
    Application().SetMainForm(nullptr);
    Application().ShowAppWindow();
    Application().Icon().Clear();
    InstallMenuService(previousMenus_);
  }

  THeadlessNotifyArea& Area() { return platform.NotifyArea(); }

  // A tray icon with an image and a tooltip, shown, its requests so far forgotten; every
  // event it raises is logged.
  std::unique_ptr<TTrayIcon> ShownIcon() {
    auto icon = std::make_unique<TTrayIcon>(nullptr);
    icon->SetHint("翎川定时关机");
    icon->Icon()->AddImage(Square(16, 0xFF336699));
    Record(*icon);
    Area().ClearRequests();
    return icon;
  }

  void Record(TTrayIcon& icon) {
    auto mouse = [this](const char* what) {
      return TMouseEvent([this, what](TObject*, TMouseButton button, TShiftState shift, int x,
                                      int y) {
        static const char* kNames[] = {"L", "R", "M"};
        log.push_back(std::string(what) + " " + kNames[int(button)] + " " + std::to_string(shift) +
                      " " + std::to_string(x) + "," + std::to_string(y));
      });
    };
    icon.OnMouseDown = mouse("down");
    icon.OnMouseUp = mouse("up");
    icon.OnClick = mouse("click");
    icon.OnMouseMove = TMouseMoveEvent(
        [this](TObject*, TShiftState, int x, int) { log.push_back("move " + std::to_string(x)); });
    icon.OnDblClick = TNotifyEvent([this](TObject*) { log.push_back("dblclick"); });
  }

  void Send(uint32_t message, int x = 10, int y = 20, TShiftState shift = 0) {
    Area().SendMouse({message, x, y, shift});
  }

  std::vector<TKind> Kinds() {
    std::vector<TKind> kinds;
    for (const auto& request : Area().Requests()) kinds.push_back(request.kind);
    return kinds;
  }

  THeadlessPlatform platform;
  THeadlessMenuService menus;
  std::vector<std::string> log;

 private:
  IMenuService* previousMenus_;
};

using Events = std::vector<std::string>;

TEST_F(TrayIconTest, IsAddedOnceItHasAnImageWithItsTooltipSentAgain) {
  TTrayIcon icon(nullptr);
  icon.SetHint("翎川定时关机");
  EXPECT_FALSE(icon.Shown());
  EXPECT_EQ(nullptr, Area().Shown());
  Area().ClearRequests();
  icon.Icon()->AddImage(Square(16, 0xFF000000));
  EXPECT_TRUE(icon.Shown());
  EXPECT_EQ((std::vector<TKind>{TKind::Delete, TKind::Add, TKind::Modify}), Kinds());
  ASSERT_NE(nullptr, Area().Shown());
  EXPECT_EQ("翎川定时关机", Area().Shown()->tip);
  EXPECT_EQ(1u, Area().Shown()->images.size());
}

TEST_F(TrayIconTest, TooltipIsThePartBeforeTheBarCutTo63Characters) {
  auto icon = ShownIcon();
  icon->SetHint("翎川定时关机|第二部分");
  EXPECT_EQ("翎川定时关机", Area().Shown()->tip);
  EXPECT_EQ("翎川定时关机|第二部分", icon->Hint());
  icon->SetHint(std::string(70, 'a'));
  EXPECT_EQ(std::string(63, 'a'), Area().Shown()->tip);
  // Characters, not bytes: a Chinese text keeps 63 whole characters.
  std::string chinese;
  for (int i = 0; i < 70; ++i) chinese += "关";
  icon->SetHint(chinese);
  EXPECT_EQ(chinese.substr(0, 63 * 3), Area().Shown()->tip);
  icon->SetHint("|");
  EXPECT_EQ("", Area().Shown()->tip);
  EXPECT_EQ((std::vector<TKind>(4, TKind::Modify)), Kinds());
}

TEST_F(TrayIconTest, MouseMessagesRaiseTheirEventsInOrder) {
  auto icon = ShownIcon();
  Send(nmMouseMove, 7);
  Send(nmLButtonDown, 1, 2, ssShift | ssCtrl);
  Send(nmLButtonUp, 3, 4, ssAlt);
  Send(nmLButtonDblClk);
  Send(nmMButtonDown);
  Send(nmMButtonUp);
  Send(nmMButtonDblClk);
  Send(nmRButtonDown);
  Send(nmRButtonUp);  // no menu: a plain click
  Send(nmRButtonDblClk);
  Send(0x20A);  // the wheel is not among the icon's messages
  EXPECT_EQ(
      (Events{"move 7", "down L 5 1,2", "click L 2 3,4", "up L 2 3,4", "dblclick", "down L 0 10,20",
              "down M 0 10,20", "click M 0 10,20", "up M 0 10,20", "dblclick", "down M 0 10,20",
              "down R 0 10,20", "click R 0 10,20", "up R 0 10,20", "dblclick", "down R 0 10,20"}),
      log);
}

TEST_F(TrayIconTest, OnlyAReleaseAfterAPressTheIconSawClicks) {
  auto icon = ShownIcon();
  Send(nmLButtonUp);
  Send(nmRButtonDown);
  Send(nmLButtonUp);  // another button's press does not count
  Send(nmLButtonDown);
  Area().RestartTaskbar();  // adding the icon afresh forgets the press
  Send(nmLButtonUp);
  EXPECT_EQ(
      (Events{"up L 0 10,20", "down R 0 10,20", "up L 0 10,20", "down L 0 10,20", "up L 0 10,20"}),
      log);
}

TEST_F(TrayIconTest, DisabledIconRaisesNoEvents) {
  auto icon = ShownIcon();
  icon->SetEnabled(false);
  Send(nmLButtonDown);
  Send(nmLButtonUp);
  EXPECT_TRUE(log.empty());
}

TEST_F(TrayIconTest, RightClickOpensTheMenuAtTheCursorInsteadOfOnClick) {
  auto icon = ShownIcon();
  TPopupMenu menu(nullptr);
  icon->SetPopupMenu(&menu);
  TForm form(nullptr);
  Application().SetMainForm(&form);
  form.Window().SetMouseCapture(true);  // a drag of the form under way
  bool pendingRan = false;
  platform.Clock().Post([&] { pendingRan = true; });
  Send(nmRButtonDown, 300, 700);
  Send(nmRButtonUp, 300, 700);
  ASSERT_EQ(1u, menus.Requests().size());
  EXPECT_EQ(&menu, menus.Requests()[0].menu);
  EXPECT_EQ(300, menus.Requests()[0].x);
  EXPECT_EQ(700, menus.Requests()[0].y);
  EXPECT_EQ(icon.get(), menu.PopupComponent());
  EXPECT_FALSE(static_cast<THeadlessWindow&>(form.Window()).Captured());
  EXPECT_TRUE(pendingRan);
  EXPECT_EQ((Events{"down R 0 300,700", "up R 0 300,700"}), log);

  // A left click never opens the menu.
  Send(nmLButtonDown);
  Send(nmLButtonUp);
  EXPECT_EQ(1u, menus.Requests().size());
}

TEST_F(TrayIconTest, RightClickWithoutAMenuToOpenRaisesOnClick) {
  auto icon = ShownIcon();
  TPopupMenu menu(nullptr);
  icon->SetPopupMenu(&menu);
  menu.SetAutoPopup(false);
  Send(nmRButtonDown);
  Send(nmRButtonUp);
  menu.SetAutoPopup(true);
  icon->SetActive(false);
  Send(nmRButtonDown);
  Send(nmRButtonUp);
  EXPECT_TRUE(menus.Requests().empty());
  EXPECT_EQ(2, std::count(log.begin(), log.end(), "click R 0 10,20"));
}

TEST_F(TrayIconTest, FreedMenuIsForgotten) {
  auto icon = ShownIcon();
  auto menu = std::make_unique<TPopupMenu>(nullptr);
  icon->SetPopupMenu(menu.get());
  menu.reset();
  EXPECT_EQ(nullptr, icon->PopupMenu());
  Send(nmRButtonDown);
  Send(nmRButtonUp);
  EXPECT_TRUE(menus.Requests().empty());
}

TEST_F(TrayIconTest, DoubleClickClicksTheFirstDefaultEnabledItem) {
  auto icon = ShownIcon();
  TPopupMenu menu(nullptr);
  auto* disabledDefault = new TMenuItem(nullptr);
  auto* plain = new TMenuItem(nullptr);
  auto* chosen = new TMenuItem(nullptr);
  auto* laterDefault = new TMenuItem(nullptr);
  for (TMenuItem* item : {disabledDefault, plain, chosen, laterDefault}) menu.Items().Add(item);
  disabledDefault->SetDefault(true);
  disabledDefault->SetEnabled(false);
  chosen->SetDefault(true);
  laterDefault->SetDefault(true);
  int chosenClicks = 0, otherClicks = 0;
  chosen->OnClick = TNotifyEvent([&](TObject*) { ++chosenClicks; });
  laterDefault->OnClick = TNotifyEvent([&](TObject*) { ++otherClicks; });
  icon->SetPopupMenu(&menu);

  Send(nmLButtonDblClk);
  EXPECT_EQ(1, chosenClicks);
  EXPECT_EQ(0, otherClicks);
  EXPECT_EQ((Events{"down L 0 10,20"}), log);

  chosen->SetEnabled(false);
  laterDefault->SetEnabled(false);
  Send(nmLButtonDblClk);
  EXPECT_EQ((Events{"down L 0 10,20", "dblclick", "down L 0 10,20"}), log);
}

TEST_F(TrayIconTest, BalloonGoesToTheAreaWithItsLimitsAndIconKind) {
  auto icon = ShownIcon();
  int shows = 0;
  icon->OnBalloonShow = TNotifyEvent([&](TObject*) {
    ++shows;
    EXPECT_EQ(TKind::Balloon, Area().Requests().back().kind);
  });
  icon->ShowBalloonHint("定时关机提示", "系统将在10后关闭，请保存好当前的工作！", vxBalloonWarning,
                        10);
  EXPECT_EQ(1, shows);
  ASSERT_EQ(1u, Area().Requests().size());
  const TBalloonData& balloon = Area().Requests()[0].balloon;
  EXPECT_EQ("定时关机提示", balloon.title);
  EXPECT_EQ("系统将在10后关闭，请保存好当前的工作！", balloon.text);
  EXPECT_EQ(niifWarning, balloon.flags);
  EXPECT_EQ(10u, balloon.timeout);
  EXPECT_EQ(icon->Icon()->Images(), balloon.images);

  icon->ShowBalloonHint(std::string(70, 't'), std::string(300, 'x'), vxBalloonNone, 123456);
  EXPECT_EQ(std::string(63, 't'), Area().Requests().back().balloon.title);
  EXPECT_EQ(std::string(255, 'x'), Area().Requests().back().balloon.text);
  EXPECT_EQ(123456u, Area().Requests().back().balloon.timeout);

  const std::pair<TBalloonIcon, TBalloonFlags> kinds[] = {{vxBalloonNone, niifNone},
                                                          {vxBalloonError, niifError},
                                                          {vxBalloonInfo, niifInfo},
                                                          {vxBalloonWarning, niifWarning},
                                                          {TBalloonIcon(9), niifNone}};
  for (auto [kind, flags] : kinds) {
    icon->ShowBalloonHint("t", "x", kind, 10);
    EXPECT_EQ(flags, Area().Requests().back().balloon.flags) << kind;
  }
}

TEST_F(TrayIconTest, BalloonOnAnAreaWithoutBalloonsFails) {
  Area().SetBalloonsSupported(false);
  auto icon = ShownIcon();
  bool shown = false;
  icon->OnBalloonShow = TNotifyEvent([&](TObject*) { shown = true; });
  try {
    icon->ShowBalloonHint("t", "x", vxBalloonWarning, 10);
    FAIL() << "no failure";
  } catch (const EBalloonHintError& failure) {
    EXPECT_STREQ("Balloon Hint not Supported.", failure.what());
  }
  EXPECT_FALSE(shown);
  EXPECT_TRUE(Area().Requests().empty());
}

TEST_F(TrayIconTest, ShellRestartBringsTheIconBackWhileActive) {
  auto icon = ShownIcon();
  Area().RestartTaskbar();
  ASSERT_NE(nullptr, Area().Shown());
  EXPECT_EQ("翎川定时关机", Area().Shown()->tip);
  EXPECT_TRUE(icon->Shown());

  icon->SetActive(false);
  Area().RestartTaskbar();
  EXPECT_EQ(nullptr, Area().Shown());
  EXPECT_FALSE(icon->Shown());
}

TEST_F(TrayIconTest, ActiveAddsAndRemovesTheIcon) {
  auto icon = ShownIcon();
  icon->SetActive(false);
  EXPECT_EQ(nullptr, Area().Shown());
  EXPECT_FALSE(icon->Shown());
  icon->SetHint("other");  // an inactive icon stays away
  EXPECT_EQ(nullptr, Area().Shown());
  icon->SetActive(true);
  ASSERT_NE(nullptr, Area().Shown());
  EXPECT_EQ("other", Area().Shown()->tip);
}

TEST_F(TrayIconTest, IconChangesReachTheAreaAndAnEmptyIconLeavesIt) {
  auto icon = ShownIcon();
  icon->Icon()->AddImage(Square(32, 0xFFFFFFFF));
  EXPECT_EQ(TKind::Modify, Area().Requests().back().kind);
  EXPECT_EQ(2u, Area().Shown()->images.size());
  icon->Icon()->Clear();
  EXPECT_EQ(TKind::Delete, Area().Requests().back().kind);
  EXPECT_FALSE(icon->Shown());
}

TEST_F(TrayIconTest, RefusedAddIsTriedAgainOnTheNextUpdate) {
  Area().SetAddFails(true);
  auto icon = ShownIcon();
  EXPECT_FALSE(icon->Shown());
  Area().SetAddFails(false);
  icon->SetHint("again");
  EXPECT_TRUE(icon->Shown());
  EXPECT_EQ("again", Area().Shown()->tip);
}

TEST_F(TrayIconTest, DestructionRemovesTheIcon) {
  auto icon = ShownIcon();
  icon.reset();
  EXPECT_EQ(nullptr, Area().Shown());
  Send(nmLButtonDown);  // the channel is gone with it
  EXPECT_TRUE(log.empty());
}

TEST_F(TrayIconTest, HideAndShowApplication) {
  auto icon = ShownIcon();
  TForm form(nullptr);
  form.Show();
  Application().SetMainForm(&form);
  icon->HideApplication();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(wsMinimized, form.WindowState());
  EXPECT_TRUE(Application().Minimized());
  EXPECT_FALSE(Application().AppWindowVisible());

  icon->ShowApplication();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(wsNormal, form.WindowState());
  EXPECT_FALSE(Application().Minimized());
  EXPECT_TRUE(Application().AppWindowVisible());

  // A form minimised on its own is left as it is; the application window still goes.
  form.SetWindowState(wsMinimized);
  icon->HideApplication();
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(Application().Minimized());
  EXPECT_FALSE(Application().AppWindowVisible());
}

TEST_F(TrayIconTest, AutoHideHidesTheApplicationOnMinimise) {
  auto icon = ShownIcon();
  TForm form(nullptr);
  form.Show();
  Application().SetMainForm(&form);
  Application().MinimizeCommand();
  EXPECT_TRUE(form.Visible());  // AutoHide is off: minimised only
  EXPECT_EQ(wsMinimized, form.WindowState());

  icon->ShowApplication();
  icon->SetAutoHide(true);
  Application().MinimizeCommand();
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(Application().Minimized());
  EXPECT_FALSE(Application().AppWindowVisible());

  icon->ShowApplication();
  icon->SetActive(false);
  Application().MinimizeCommand();
  EXPECT_TRUE(form.Visible());
}

TEST_F(TrayIconTest, HandlerFailureIsReportedAndTheMessageEndsNormally) {
  auto icon = ShownIcon();
  icon->OnClick = TMouseEvent(
      [](TObject*, TMouseButton, TShiftState, int, int) { throw EConvertError("bad date"); });
  Send(nmLButtonDown);
  EXPECT_NO_THROW(Send(nmLButtonUp));
  ASSERT_EQ(1u, platform.MessageBox().Calls().size());
  EXPECT_EQ("bad date", platform.MessageBox().Calls()[0].text);
  EXPECT_EQ("翎川定时关机", platform.MessageBox().Calls()[0].caption);
  EXPECT_EQ(uint32_t(vxMsgIconError), platform.MessageBox().Calls()[0].style);
  EXPECT_EQ((Events{"down L 0 10,20"}), log);  // the failure ended that message
  Send(nmMouseMove, 5);
  EXPECT_EQ("move 5", log.back());
}

TEST_F(TrayIconTest, HandlerMayFreeTheIcon) {
  auto icon = ShownIcon();
  icon->OnClick = TMouseEvent([&](TObject*, TMouseButton, TShiftState, int, int) { icon.reset(); });
  Send(nmLButtonDown);
  Send(nmLButtonUp);
  EXPECT_EQ(nullptr, icon);
  EXPECT_EQ(nullptr, Area().Shown());
}

// Reads any data as one 2 x 2 image of its first byte, so that form data can carry icons.
class TFakeCodec : public IIconCodec {
 public:
  bool Decode(std::span<const uint8_t> data, TIconImage& image) override {
    image = Square(2, data.empty() ? 0 : data[0]);
    return true;
  }
  std::string EncodePng(const TIconImage&) override { return {}; }
};

TEST_F(TrayIconTest, ReadFromFormDataItShowsTheApplicationsIconOnceLoaded) {
  TFakeCodec codec;
  IIconCodec* previous = InstallIconCodec(&codec);
  RegisterClass(TTrayIcon::StaticClass());
  RegisterClass(TPopupMenu::StaticClass());
  Application().Icon().AddImage(Square(32, 0xFF112233));

  TFormObject tray;
  tray.className = "TTrayIcon";
  tray.name = "TrayIcon1";
  tray.props = {{"Hint", TFormValue::Wide(u"翎川定时关机")},
                {"Icon.Data", TFormValue::Bytes("stored")},
                {"PopupMenu", TFormValue::Ident("PopupMenu1")},
                {"UseAppIcon", TFormValue::Bool(true)}};
  TFormObject menu;
  menu.className = "TPopupMenu";
  menu.name = "PopupMenu1";
  TFormObject form;
  form.className = "TComponent";
  form.children = {tray, menu};
  TComponent owner(nullptr);
  TObjectReader reader;
  reader.ReadInto(owner, form);
  InstallIconCodec(previous);
  EXPECT_TRUE(reader.Errors().empty());

  auto* icon = static_cast<TTrayIcon*>(owner.FindComponent("TrayIcon1"));
  ASSERT_NE(nullptr, icon);
  EXPECT_EQ(owner.FindComponent("PopupMenu1"), icon->PopupMenu());
  EXPECT_EQ((std::vector<TKind>{TKind::Delete, TKind::Add, TKind::Modify}), Kinds());
  ASSERT_NE(nullptr, Area().Shown());
  EXPECT_EQ("翎川定时关机", Area().Shown()->tip);
  EXPECT_EQ(Application().Icon().Images(), Area().Shown()->images);
}

}  // namespace
