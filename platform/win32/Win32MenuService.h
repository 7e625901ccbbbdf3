#pragma once

// Popup menus as native Win32 menus. The menu is tracked modally with TrackPopupMenuEx and the
// chosen item is clicked after it has closed, so that its handler may open windows or free
// the menu.

#include <windows.h>

#include <vector>

#include "platform/MenuService.h"
#include "platform/Menus.h"
#include "platform/component/WeakRef.h"

// A native popup menu built from the visible items of a menu item tree: separators for "-",
// sub-menus for items with items, and the checked, disabled and default states; captions go
// as written, so "&" marks the access key.
class TWin32Menu {
 public:
  explicit TWin32Menu(const TMenuItem& root);
  ~TWin32Menu();
  TWin32Menu(const TWin32Menu&) = delete;
  TWin32Menu& operator=(const TWin32Menu&) = delete;

  HMENU Handle() const { return menu_; }
  // True when no item could be chosen (nothing but separators and empty sub-menus).
  bool Empty() const { return items_.empty(); }
  // The item of a command id as TrackPopupMenuEx answers it; null for 0, an unknown id, or an
  // item freed while the menu was shown.
  TMenuItem* ItemOf(UINT id) const;

 private:
  void Add(HMENU target, const TMenuItem& parent);

  HMENU menu_;
  std::vector<TWeakRef<TMenuItem>> items_;  // command id = index + 1
};

class TWin32MenuService : public IMenuService {
 public:
  TWin32MenuService();
  ~TWin32MenuService() override;
  TWin32MenuService(const TWin32MenuService&) = delete;
  TWin32MenuService& operator=(const TWin32MenuService&) = delete;

  void Popup(TPopupMenu& menu, int x, int y) override;

  // The hidden window that owns the shown menus.
  HWND Owner() const { return owner_; }

 private:
  HWND owner_;
};
