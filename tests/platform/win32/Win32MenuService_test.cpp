#include "platform/win32/Win32MenuService.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/component/Component.h"

namespace {

MENUITEMINFOW InfoOf(HMENU menu, UINT position, wchar_t* text = nullptr, UINT size = 0) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = size;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return info;
}

std::wstring CaptionOf(HMENU menu, UINT position) {
  wchar_t text[64] = {};
  InfoOf(menu, position, text, 64);
  return text;
}

// Ends the open menu, as a click elsewhere would.
void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

// Down and Enter, sent to the open menu's own window, whose loop reads them from the thread's
// queue.
void CALLBACK ChooseFirstTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const HWND menu = FindWindowW(L"#32768", nullptr);
  PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

class Win32MenuService : public testing::Test {
 protected:
  TMenuItem* Item(TMenuItem& parent, const std::string& caption) {
    auto* item = new TMenuItem(&owner_);
    item->SetCaption(caption);
    parent.Add(item);
    return item;
  }

  TComponent owner_{nullptr};
  TPopupMenu* menu_ = new TPopupMenu(&owner_);
};

TEST_F(Win32MenuService, ItemsKeepTheirOrderCaptionsAndStates) {
  TMenuItem* open = Item(menu_->Items(), "&Open");
  open->SetDefault(true);
  Item(menu_->Items(), "-");
  Item(menu_->Items(), "显示桌面精灵")->SetChecked(true);
  Item(menu_->Items(), "终止")->SetEnabled(false);
  Item(menu_->Items(), "Hidden")->SetVisible(false);
  const TWin32Menu built(menu_->Items());
  const HMENU h = built.Handle();
  ASSERT_EQ(GetMenuItemCount(h), 4);
  EXPECT_EQ(CaptionOf(h, 0), L"&Open");  // the access key as written
  EXPECT_TRUE(InfoOf(h, 0).fState & MFS_DEFAULT);
  EXPECT_FALSE(InfoOf(h, 0).fState & (MFS_CHECKED | MFS_DISABLED));
  EXPECT_TRUE(InfoOf(h, 1).fType & MFT_SEPARATOR);
  EXPECT_EQ(CaptionOf(h, 2), L"显示桌面精灵");
  EXPECT_TRUE(InfoOf(h, 2).fState & MFS_CHECKED);
  EXPECT_FALSE(InfoOf(h, 2).fState & MFS_DEFAULT);
  EXPECT_TRUE(InfoOf(h, 3).fState & MFS_DISABLED);
  EXPECT_EQ(built.ItemOf(InfoOf(h, 0).wID), open);
  EXPECT_FALSE(built.Empty());
}

TEST_F(Win32MenuService, ItemsWithItemsBecomeSubMenus) {
  TMenuItem* more = Item(menu_->Items(), "More");
  TMenuItem* deep = Item(*more, "Deep");
  Item(*more, "Off")->SetEnabled(false);
  Item(menu_->Items(), "Gone")->SetEnabled(false);
  more->SetEnabled(false);
  const TWin32Menu built(menu_->Items());
  const MENUITEMINFOW sub = InfoOf(built.Handle(), 0);
  ASSERT_NE(sub.hSubMenu, nullptr);
  EXPECT_TRUE(sub.fState & MFS_DISABLED);
  ASSERT_EQ(GetMenuItemCount(sub.hSubMenu), 2);
  EXPECT_EQ(CaptionOf(sub.hSubMenu, 0), L"Deep");
  EXPECT_EQ(built.ItemOf(InfoOf(sub.hSubMenu, 0).wID), deep);
  EXPECT_TRUE(InfoOf(sub.hSubMenu, 1).fState & MFS_DISABLED);
}

TEST_F(Win32MenuService, CommandIdsOutsideTheMenuOrOfFreedItemsMeanNoItem) {
  TMenuItem* first = Item(menu_->Items(), "One");
  TMenuItem* second = Item(menu_->Items(), "Two");
  const TWin32Menu built(menu_->Items());
  const UINT firstId = InfoOf(built.Handle(), 0).wID;
  const UINT secondId = InfoOf(built.Handle(), 1).wID;
  EXPECT_EQ(built.ItemOf(0), nullptr);  // the menu was dismissed
  EXPECT_EQ(built.ItemOf(secondId), second);
  EXPECT_EQ(built.ItemOf(secondId + 1), nullptr);
  delete first;  // freed while the menu was shown
  EXPECT_EQ(built.ItemOf(firstId), nullptr);
}

TEST_F(Win32MenuService, MenuOfSeparatorsAndHiddenItemsOffersNothing) {
  Item(menu_->Items(), "-");
  Item(menu_->Items(), "Hidden")->SetVisible(false);
  const TWin32Menu built(menu_->Items());
  EXPECT_TRUE(built.Empty());
  TWin32MenuService service;
  service.Popup(*menu_, 10, 10);  // returns without tracking
}

// Tracking runs a modal loop; a menu ended from inside it clicks nothing.
TEST_F(Win32MenuService, DismissedMenuClicksNothing) {
  int clicks = 0;
  Item(menu_->Items(), "One")->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  TWin32MenuService service;
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, &EndMenuTimer);
  service.Popup(*menu_, 50, 50);
  KillTimer(nullptr, timer);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(GetForegroundWindow(), service.Owner());
}

// Down and Enter on the open menu choose its first item, which is clicked after it closed.
TEST_F(Win32MenuService, ChosenItemIsClickedAfterTheMenuClosed) {
  int clicks = 0;
  bool menuOpenDuringClick = true;
  TMenuItem* one = Item(menu_->Items(), "One");
  Item(menu_->Items(), "-");
  Item(menu_->Items(), "Two");
  one->OnClick = TNotifyEvent([&](TObject*) {
    ++clicks;
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    GetGUIThreadInfo(GetCurrentThreadId(), &gui);
    menuOpenDuringClick = gui.flags & GUI_INMENUMODE;
  });
  TWin32MenuService service;
  const UINT_PTR keys = SetTimer(nullptr, 0, 200, &ChooseFirstTimer);
  const UINT_PTR giveUp = SetTimer(nullptr, 0, 5000, &EndMenuTimer);
  service.Popup(*menu_, 50, 50);
  KillTimer(nullptr, keys);
  KillTimer(nullptr, giveUp);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(menuOpenDuringClick);
}

}  // namespace
