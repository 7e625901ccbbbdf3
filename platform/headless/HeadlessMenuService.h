#pragma once

// A menu service for tests and runs without a window system: it remembers every request and
// lets the caller pick an entry of the menu shown last, as a user would.

#include <string>
#include <vector>

#include "platform/MenuService.h"
#include "platform/Menus.h"

class THeadlessMenuService : public IMenuService {
 public:
  struct Request {
    TPopupMenu* menu;
    int x;
    int y;
  };

  void Popup(TPopupMenu& menu, int x, int y) override;

  const std::vector<Request>& Requests() const { return requests_; }
  // Clicks the visible, enabled, non-separator item named `name` (component name or
  // caption) anywhere in the menu shown last; false when there is no such item. The menu
  // must still be alive.
  bool Choose(const std::string& name);

 private:
  std::vector<Request> requests_;
};
