#pragma once

#include "platform/MenuService.h"

// Shows popup menus as native Qt menus. The menu runs its own loop; the chosen item is
// clicked after the menu has closed, so that its handler may open windows or free the menu.
class TQtMenuService : public IMenuService {
 public:
  void Popup(TPopupMenu& menu, int x, int y) override;
};
