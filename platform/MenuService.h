#pragma once

// Showing popup menus is the window system's business: the platform installs a service that
// shows a menu and clicks the item the user chooses.

class TPopupMenu;

class IMenuService {
 public:
  virtual ~IMenuService() = default;
  // Shows `menu` with its top-left corner at the screen point (x, y).
  virtual void Popup(TPopupMenu& menu, int x, int y) = 0;
};

// The installed service, or null.
IMenuService* MenuService();
// Installs `service` (null removes it) and returns the previous one.
IMenuService* InstallMenuService(IMenuService* service);
